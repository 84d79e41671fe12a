// Marks the program's folder with the program's icon through its Desktop.ini.
#pragma once

#include <string>

namespace ovix {

enum class FolderMark {
    Written,    // Desktop.ini written (or rewritten) and the folder made a system folder
    Foreign,    // a Desktop.ini Ovix did not write is there: left alone
    DriveRoot,  // never on a drive root
    Failed,     // the file could not be written
};

FolderMark MarkFolderWithIcon(const std::string& directory, const std::string& executablePath);

}  // namespace ovix
