#include "app/app_paths.h"

#include <algorithm>

namespace ovix {

std::string ApplicationDirectory(std::string_view executablePath) {
    const size_t slash = executablePath.rfind('\\');
    if (slash == std::string_view::npos) return std::string(executablePath);
    return std::string(executablePath.substr(0, slash));
}

std::size_t UsablePathLength(std::size_t returned, std::size_t bufferSize) {
    return returned >= bufferSize ? 0 : returned;
}

std::string QuotedPath(std::string_view path) {
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted += '"';
    quoted += path;
    quoted += '"';
    return quoted;
}

bool IsDriveRoot(std::string_view directory) {
    while (!directory.empty() && (directory.back() == '\\' || directory.back() == '/')) {
        directory.remove_suffix(1);
    }
    if (directory.empty()) return true;
    if (directory.size() == 2 && directory[1] == ':') return true;
    // "\\server\share" with nothing below the share.
    if (directory.substr(0, 2) == "\\\\") {
        const std::string_view rest = directory.substr(2);
        return std::count(rest.begin(), rest.end(), '\\') <= 1;
    }
    return false;
}

bool SamePath(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) {
            if (c == '/') return '\\';
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace ovix
