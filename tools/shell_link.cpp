#include "tools/shell_link.h"

#include "framework/com.h"
#include "tools/shortcut_rules.h"

#include <shlobj.h>

namespace ovix {
namespace {

constexpr size_t kLongestPath = MAX_PATH - 1;

// The folder's file-system path with one trailing backslash; empty when the
// folder does not exist on this system.
std::string SpecialFolder(int folderId) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, folderId, &items)) || !items) return {};
    char path[MAX_PATH] = "";
    const bool found = ::SHGetPathFromIDListA(items, path) != FALSE;
    ::CoTaskMemFree(items);
    std::string folder = found ? path : "";
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

std::string OwnExecutable() {
    char path[MAX_PATH + 1] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::wstring Wide(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

bool MakeShellLink::Create(const std::string& target, const std::string& name, int folderId,
                           const std::string& description, const std::string& iconPath, int iconIndex) const {
    const std::string path = target == kThisProgram ? OwnExecutable() : target;
    if (path.find_first_not_of(" \t") == std::string::npos || path.size() > kLongestPath) return false;
    if (!IsValidLinkName(name)) return false;
    const std::string folder = SpecialFolder(folderId);
    if (folder.empty()) return false;
    // Never cut: a shorter name would be another file.
    const std::string link = folder + name + ".lnk";
    if (link.size() > kLongestPath) return false;

    const fw::ComInit com(COINIT_APARTMENTTHREADED);
    if (!com.Usable()) return false;
    fw::ComPtr<IShellLinkA> shellLink;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  shellLink.PutVoid()))) {
        return false;
    }
    if (FAILED(shellLink->SetPath(path.c_str())) || FAILED(shellLink->SetDescription(description.c_str()))) {
        return false;
    }
    if (!arguments.empty() && FAILED(shellLink->SetArguments(arguments.c_str()))) return false;
    if (!iconPath.empty() && FAILED(shellLink->SetIconLocation(iconPath.c_str(), iconIndex))) return false;
    fw::ComPtr<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
    return SUCCEEDED(file->Save(Wide(link).c_str(), TRUE));
}

}  // namespace ovix
