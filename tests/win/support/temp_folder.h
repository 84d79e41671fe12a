// A folder of the test's own under build/ (the test executable's folder),
// removed with everything in it at the end.
#pragma once

#include "app/app_paths.h"
#include "framework/resources.h"

#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace test {

// A file's bytes, or nothing when it cannot be read.
inline std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in a folder, "." and ".." left out.
inline std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &entry)) {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.insert(name);
    }
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    return names;
}

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        const std::string parent = ovix::ApplicationDirectory(fw::ModulePath()) + "\\test-tmp";
        path_ = parent + "\\" + name;
        RemoveTree(path_);
        ::CreateDirectoryA(parent.c_str(), nullptr);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    // Deletes what lies below the folder without ever following a link: the
    // shell's delete would follow one and delete what it points to.
    static void RemoveTree(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &entry)) {
            const std::string name = entry.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..") continue;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                ::RemoveDirectoryA(path.c_str());  // a link: never entered
            } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::DeleteFileA(path.c_str());
            }
        }
        if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
        ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::RemoveDirectoryA(folder.c_str());
    }
    std::string path_;
};

}  // namespace test
