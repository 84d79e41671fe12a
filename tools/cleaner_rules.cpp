#include "tools/cleaner_rules.h"

#include "app/path_rules.h"
#include "framework/text_format.h"

#include <cctype>
#include <cinttypes>

namespace ovix {
namespace {

constexpr int64_t kKilo = 1024, kMega = kKilo * 1024, kGiga = kMega * 1024;

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string TempFilesLine(int count, uint64_t bytes) {
    if (count == 0) return " -> No temporary files to delete.";
    const bool kilobytes = bytes > 1024;
    const uint64_t shown = kilobytes ? bytes / 1024 : bytes;
    const char* unit = kilobytes ? "Kb" : "Bytes";
    // The plural line in kilobytes has no leading blank.
    const char* lead = count == 1 ? " -> %i temporary file deleted. Released: %" PRIu64 " %s."
                       : kilobytes ? "-> %i temporary files deleted. Released: %" PRIu64 " %s."
                                   : " -> %i temporary files deleted. Released: %" PRIu64 " %s.";
    return fw::Format(lead, count, shown, unit);
}

std::string PrefetchLine(int count, float kilobytes) {
    return fw::Format(" -> Prefetch folder: Deleted: %i files. Released: %.2f Kb", count,
                      static_cast<double>(kilobytes));
}

std::string RecycleBinLine(int64_t items, int64_t bytes) {
    if (bytes <= 0) return " -> Recycle Bin is empty.";
    const char* element = items == 1 ? "element" : "elements";
    if (bytes <= kKilo) {
        return fw::Format(" -> Recycle Bin: Deleted: %" PRId64 " %s. Released: %" PRId64 " Bytes.", items, element,
                          bytes);
    }
    if (bytes <= kMega) {
        return fw::Format(" -> Recycle Bin: Deleted: %" PRId64 " %s. Released: %" PRId64 " Kb.", items, element,
                          bytes / kKilo);
    }
    if (bytes <= kGiga) {
        return fw::Format(" -> Recycle Bin: Deleted: %" PRId64 " %s. Released about: %" PRId64 " MB.", items,
                          element, bytes / kMega);
    }
    return fw::Format(" -> Recycle Bin: Deleted: %" PRId64 " %s. Released about: %" PRId64 " GB.", items, element,
                      bytes / kGiga);
}

std::string CookiesLine(int count) {
    if (count == 0) return " -> No cookies to delete.";
    return fw::Format(count == 1 ? " -> %i cookie deleted." : " -> %i cookies deleted.", count);
}

std::string InternetFilesLine(int count) {
    if (count == 0) return " -> No temporary Internet files to delete.";
    return fw::Format(count == 1 ? " -> %i temporary Internet file deleted." : " -> %i temporary Internet files deleted.",
                      count);
}

bool PathIsOrIsBelow(std::string_view inner, std::string_view outer) {
    const std::string in = TrimFolderPath(inner), out = TrimFolderPath(outer);
    if (out.empty() || in.size() < out.size()) return false;
    if (!EqualNoCase(std::string_view(in).substr(0, out.size()), out)) return false;
    // "C:\Temp2" is not below "C:\Temp"; a root ("C:\" trimmed to "C:") holds everything on its drive.
    return in.size() == out.size() || IsSeparator(in[out.size()]) || IsSeparator(out.back()) || out.back() == ':';
}

bool IsSearchableFolder(std::string_view folder) {
    const std::string path = TrimFolderPath(folder);
    const bool absolute = (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) ||
                          (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]));
    return absolute && !IsDriveOrShareRoot(path) && !HasWildcard(path);
}

bool IsCleanableTempFolder(std::string_view folder, const std::vector<std::string>& protectedFolders) {
    if (!IsSearchableFolder(folder)) return false;
    const std::string path = TrimFolderPath(folder);
    const std::string_view last = LastPathPart(path);
    if (!EqualNoCase(last, "Temp") && !EqualNoCase(last, "Tmp")) return false;
    for (const std::string& kept : protectedFolders) {
        if (!kept.empty() && PathIsOrIsBelow(kept, path)) return false;
    }
    return true;
}

}  // namespace ovix
