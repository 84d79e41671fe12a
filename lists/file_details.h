// What the lists show of a file: its version resource and its times.
#pragma once

#include <string>

namespace ovix {

struct FileDetails {
    std::string version;      // "%d.%d.%d.%d" of the fixed version information
    std::string description;  // FileDescription of the first translation
    std::string company;      // CompanyName of the first translation
    std::string created;      // "%c" in local time
    std::string modified;
};

// Empty texts for whatever cannot be read.
FileDetails ReadFileDetails(const std::string& path);

}  // namespace ovix
