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

// The last part of a path ("b" in "C:\a\b\"): trailing separators ignored,
// the part after the last separator or drive colon; empty for a root.
std::string_view LastPathPart(std::string_view path);

// True for a name that Win32 path rules would change: one that ends in '.'
// or ' ' ("x." and "x " both name "x"), "." and ".." among them.
bool EndsWithDotOrBlank(std::string_view name);

// True for a name the system opens as a device whatever extension follows:
// NUL, CON, PRN, AUX, COM1-COM9, LPT1-LPT9, CONIN$, CONOUT$, CLOCK$ in any
// case, alone or before a dot (trailing blanks of that part ignored).
bool IsDeviceName(std::string_view name);
// True for a name holding \ / : * ? " < > | or a character below 32.
bool HasForbiddenNameCharacter(std::string_view name);

// True for a path that must never reach a recursive delete, because the
// system would resolve it to another, larger target: empty or blank, with a
// wildcard, drive-relative ("C:", "C:name": the drive's current folder), or
// whose last part is empty, "." or "..", or ends in '.' or ' '.
bool IsUnsafeDeletePath(std::string_view path);

// The shell's list form: each path with its zero, then one more zero. Empty
// when any path is empty (an empty path would end the list early).
std::string DoubleZeroList(const std::vector<std::string>& paths);

}  // namespace ovix
