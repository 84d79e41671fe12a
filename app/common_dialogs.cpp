#include "app/common_dialogs.h"

#include "framework/seam.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

namespace ovix {
namespace {

fw::SeamSlot<CommonDialogs> g_dialogs;

// The '|'-separated pairs as the dialog wants them: each part ended by a
// zero, the list by a second one.
std::vector<char> FilterList(const std::string& filter) {
    std::vector<char> list;
    for (char c : filter) list.push_back(c == '|' ? '\0' : c);
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

std::optional<std::string> RunFileDialog(const FileDialogRequest& request, bool save) {
    const std::vector<char> filter = FilterList(request.filter);
    char name[MAX_PATH] = "";
    request.initialName.copy(name, sizeof(name) - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof(name);
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
    if (!chosen || name[0] == '\0') return std::nullopt;
    return std::string(name);
}

}  // namespace

std::optional<std::string> CommonDialogs::OpenFile(const FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> CommonDialogs::SaveFile(const FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> CommonDialogs::BrowseForFolder(HWND owner, const std::string& title) {
    char display[MAX_PATH] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = display;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = ::SHBrowseForFolderA(&browse);
    if (!item) return std::nullopt;
    char path[MAX_PATH] = "";
    const bool hasPath = ::SHGetPathFromIDListA(item, path) && path[0] != '\0';
    ::CoTaskMemFree(item);
    if (!hasPath) return std::nullopt;
    return std::string(path);
}

CommonDialogs& CurrentCommonDialogs() { return g_dialogs.Current(); }

CommonDialogs* SetCommonDialogs(CommonDialogs* dialogs) { return g_dialogs.Set(dialogs); }

}  // namespace ovix
