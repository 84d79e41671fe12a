// Shared by the shortcut tests: a special folder's path, a link read back,
// and a list of files that are deleted at the end whatever the test did.
#pragma once

#include "framework/com.h"

#include <shlobj.h>

#include <string>
#include <vector>

namespace test {

inline std::string FolderPath(int csidl) {
    char path[MAX_PATH] = "";
    return ::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

struct LinkFacts {
    std::string path, description, arguments, icon;
    int iconIndex = -1;
};

inline LinkFacts ReadLink(const std::string& file) {
    LinkFacts facts;
    const fw::ComInit com;
    fw::ComPtr<IShellLinkA> link;
    fw::ComPtr<IPersistFile> persist;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.PutVoid()))) {
        return facts;
    }
    const std::wstring wide(file.begin(), file.end());
    if (FAILED(persist->Load(wide.c_str(), STGM_READ))) return facts;
    char text[1024] = "";
    if (SUCCEEDED(link->GetPath(text, sizeof(text), nullptr, SLGP_RAWPATH))) facts.path = text;
    if (SUCCEEDED(link->GetDescription(text, sizeof(text)))) facts.description = text;
    if (SUCCEEDED(link->GetArguments(text, sizeof(text)))) facts.arguments = text;
    if (SUCCEEDED(link->GetIconLocation(text, sizeof(text), &facts.iconIndex))) facts.icon = text;
    return facts;
}

// Files and empty folders the test made, removed at the end.
struct Leftovers {
    ~Leftovers() {
        for (const std::string& path : paths) {
            ::DeleteFileA(path.c_str());
            ::RemoveDirectoryA(path.c_str());
        }
    }
    const std::string& Add(std::string path) { return paths.emplace_back(std::move(path)); }
    std::vector<std::string> paths;
};

}  // namespace test
