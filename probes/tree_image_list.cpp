#include "probes/tree_image_list.h"

#include "framework/registry.h"
#include "framework/resources.h"

#include <cstdlib>
#include <string>

namespace ovix {
namespace {

constexpr char kShellIconsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";

fw::IconHandle ExtractSmallIcon(const std::string& file, int index) {
    HICON small = nullptr;
    if (::ExtractIconExA(file.c_str(), index, nullptr, &small, 1) == 0) return {};
    return fw::IconHandle(small);
}

// The user's override first, then the machine's, then the shell's own icon.
fw::IconHandle ShellStockIcon(int number) {
    const std::string name = std::to_string(number);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        fw::RegKey key;
        if (key.Open(root, kShellIconsKey, KEY_READ) != ERROR_SUCCESS) continue;
        std::string path;
        int index = 0;
        if (auto location = key.QueryString(name.c_str()); location && SplitIconLocation(*location, path, index)) {
            if (fw::IconHandle icon = ExtractSmallIcon(path, index)) return icon;
        }
    }
    return ExtractSmallIcon("SHELL32.DLL", number);
}

void AddOrBlank(HIMAGELIST list, const fw::IconHandle& icon) {
    if (icon && ::ImageList_AddIcon(list, icon.Get()) >= 0) return;
    // Keep the indexes: an empty 16x16 image in its place.
    const int index = ::ImageList_GetImageCount(list);
    ::ImageList_SetImageCount(list, static_cast<UINT>(index + 1));
}

}  // namespace

bool SplitIconLocation(const std::string& location, std::string& path, int& index) {
    const size_t comma = location.rfind(',');
    if (comma == std::string::npos || comma == 0) return false;
    path = location.substr(0, comma);
    // Quotes around the path are allowed in the registry.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    char* end = nullptr;
    const long value = std::strtol(location.c_str() + comma + 1, &end, 10);
    if (end == location.c_str() + comma + 1 || path.empty()) return false;
    index = static_cast<int>(value);
    return true;
}

fw::ImageListHandle BuildTreeImageList() {
    fw::ImageListHandle list(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 71, 1));
    if (!list) return list;
    for (unsigned id : kTreeIconIds) AddOrBlank(list.Get(), fw::LoadIconResource(id, 16));
    for (int number : kShellIconNumbers) AddOrBlank(list.Get(), ShellStockIcon(number));
    return list;
}

}  // namespace ovix
