// A folder of the test's own under build/ (the test executable's folder),
// removed with everything in it at the end.
#pragma once

#include "framework/resources.h"
#include "app/app_paths.h"

#include <shellapi.h>

#include <string>

namespace test {

class TempFolder {
public:
    explicit TempFolder(const std::string& name) {
        path_ = ovix::ApplicationDirectory(fw::ModulePath()) + "\\test-tmp\\" + name;
        Remove();
        ::CreateDirectoryA((ovix::ApplicationDirectory(fw::ModulePath()) + "\\test-tmp").c_str(), nullptr);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(); }
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    void Remove() {
        ::SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::string from = path_;
        from.push_back('\0');  // double zero for the shell
        SHFILEOPSTRUCTA operation{};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ::SHFileOperationA(&operation);
    }
    std::string path_;
};

}  // namespace test
