// Rules on paths and names that the shell file helpers apply before they
// touch the file system: plain text in, plain answer out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ovix {

// True when the long name matches the mask: "*" any run of characters, "?"
// exactly one, case ignored for ASCII letters; a mask ending in ".*" also
// admits names without an extension, so "*.*" admits every name. The find
// calls also match 8.3 short names ("*.txt" finds "b.txtold"): this is the
// check on the name the user sees.
bool MatchesMask(std::string_view name, std::string_view mask);

// A folder path as the search keeps it: trailing blanks removed, then one
// trailing "\" or "/".
std::string TrimFolderPath(std::string_view path);

// True for "C:", "C:\", "\\server", "\\server\share" (with or without a
// trailing backslash), also behind the "\\?\" and "\\.\" prefixes.
bool IsDriveOrShareRoot(std::string_view absolutePath);

bool HasWildcard(std::string_view path);

// The shell's list form: each path with its zero, then one more zero. Empty
// when any path is empty (an empty path would end the list early).
std::string DoubleZeroList(const std::vector<std::string>& paths);

}  // namespace ovix
