// The cleaner's plain rules: the summary line of each step and which folders
// may be emptied as temporary folders.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovix {

// " -> 2 temporary files deleted. Released: 3 Kb." and its kin: Bytes up to
// 1024, else whole kilobytes.
std::string TempFilesLine(int count, uint64_t bytes);
// " -> Prefetch folder: Deleted: 1 files. Released: 2.93 Kb" ("files" for one too).
std::string PrefetchLine(int count, float kilobytes);
// By size: empty, Bytes, Kb, about MB, about GB; "element" for exactly one item.
std::string RecycleBinLine(int64_t items, int64_t bytes);
// " -> 1 cookie deleted." / " -> 2 cookies deleted." and the Internet-file twins.
std::string CookiesLine(int count);
std::string InternetFilesLine(int count);

// True when `inner` is `outer` or lies below it.
bool PathIsOrIsBelow(std::string_view inner, std::string_view outer);

// An absolute folder that is no drive or share root: one a step may search.
// Empty, relative ("Folder not found." included) and root paths are not.
bool IsSearchableFolder(std::string_view folder);

// A folder the temporary-files step may empty: absolute, not a drive or share
// root, its last part "Temp" or "Tmp" (any case), and neither one of the
// protected folders (Windows, system, profile, the shell's special folders)
// nor above one of them. A TMP pointing at C:\ or at a profile must not
// empty it.
bool IsCleanableTempFolder(std::string_view folder, const std::vector<std::string>& protectedFolders);

}  // namespace ovix
