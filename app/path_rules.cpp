#include "app/path_rules.h"

#include <cctype>
#include <cstddef>

namespace ovix {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Iterative match with one back-tracking point per star: linear in practice,
// and no recursion however many stars the mask holds.
bool MatchExactly(std::string_view name, std::string_view mask) {
    size_t n = 0, m = 0;
    size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || FoldAscii(mask[m]) == FoldAscii(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    if (name.empty() || mask.empty()) return false;
    if (MatchExactly(name, mask)) return true;
    // "name.*" also stands for "name" without any extension.
    if (mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*" && name.find('.') == std::string_view::npos) {
        return MatchExactly(name, mask.substr(0, mask.size() - 2));
    }
    return false;
}

std::string TrimFolderPath(std::string_view path) {
    while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
    if (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
    return std::string(path);
}

bool IsDriveOrShareRoot(std::string_view path) {
    bool unc = false;
    if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == '?' || path[2] == '.') &&
        IsSeparator(path[3])) {
        path.remove_prefix(4);
        if (path.size() >= 4 && (path.substr(0, 3) == "UNC" || path.substr(0, 3) == "unc") && IsSeparator(path[3])) {
            path.remove_prefix(4);
            unc = true;
        }
    } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        path.remove_prefix(2);
        unc = true;
    }
    while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
    if (unc) {
        // server, or server and share: nothing below the share.
        size_t parts = 0;
        size_t start = 0;
        while (start <= path.size()) {
            size_t end = start;
            while (end < path.size() && !IsSeparator(path[end])) ++end;
            if (end > start) ++parts;
            start = end + 1;
        }
        return parts <= 2;
    }
    return path.size() == 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

bool HasWildcard(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

std::string_view LastPathPart(std::string_view path) {
    while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
    const size_t cut = path.find_last_of("\\/:");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool EndsWithDotOrBlank(std::string_view name) { return !name.empty() && (name.back() == '.' || name.back() == ' '); }

bool IsUnsafeDeletePath(std::string_view path) {
    if (path.find_first_not_of(' ') == std::string_view::npos) return true;
    if (HasWildcard(path)) return true;
    if (path.size() >= 2 && path[1] == ':' && (path.size() == 2 || !IsSeparator(path[2]))) return true;
    const std::string_view last = LastPathPart(path);
    return last.empty() || EndsWithDotOrBlank(last);
}

std::string DoubleZeroList(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        if (path.empty() || path.find('\0') != std::string::npos) return {};
        list += path;
        list += '\0';
    }
    list += '\0';
    return list;
}

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"}) {
        if (SameLetters(stem, device)) return true;
    }
    return stem.size() == 4 && (SameLetters(stem.substr(0, 3), "COM") || SameLetters(stem.substr(0, 3), "LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

bool HasForbiddenNameCharacter(std::string_view name) {
    constexpr std::string_view kForbidden = "\\/:*?\"<>|";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace ovix
