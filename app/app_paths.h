// Path rules of the running program, kept free of the platform so they can be
// tested on their own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovix {

// The executable's folder: the path with its file name and last backslash
// removed; the whole path when it holds no backslash.
std::string ApplicationDirectory(std::string_view executablePath);

// A module-path call that filled its whole buffer may have cut the path: such a
// result counts as unavailable (0).
std::size_t UsablePathLength(std::size_t returned, std::size_t bufferSize);

// The path in double quotes, as a command line needs it when it holds blanks.
std::string QuotedPath(std::string_view path);

// "C:", "C:\" or a bare "\\server\share": a folder Ovix must never mark.
bool IsDriveRoot(std::string_view directory);

// Paths compared as Windows compares them: case-insensitive, either slash.
bool SamePath(std::string_view a, std::string_view b);

}  // namespace ovix
