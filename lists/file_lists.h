// "DLL", "Executable", "Protected Files" and "Fonts": files of the Windows
// installation with their version details or times. The folders come from a
// locator and the protected files from a list behind a seam (null: the system's).
#pragma once

#include "app/launch_commands.h"
#include "framework/library.h"
#include "lists/simple_list.h"

#include <cstdint>
#include <optional>

namespace ovix {

// The DLL cache or the executables of the system folder.
class SystemFileList : public SimpleList {
public:
    enum class Kind { DllCache, Executables };
    SystemFileList(Kind kind, FolderLocator* folders);

protected:
    void Fill() override;
    bool OnAction(UINT id) override;

private:
    // The selected rows' files.
    std::vector<std::string> SelectedPaths() const;

    Kind kind_;
    FolderLocator* folders_;
    FolderLocator systemFolders_;
    std::string folder_;  // where the listed files are; empty: none listed
};

class CDLLCache : public SystemFileList {
public:
    explicit CDLLCache(FolderLocator* folders = nullptr) : SystemFileList(Kind::DllCache, folders) {}
};

class CExeList : public SystemFileList {
public:
    explicit CExeList(FolderLocator* folders = nullptr) : SystemFileList(Kind::Executables, folders) {}
};

// The files under System File Protection, one by one.
class ProtectedFileList {
public:
    virtual ~ProtectedFileList() = default;
    // The protected path after entry number `entry`, which the call moves on;
    // false at the end, or when the service is missing.
    virtual bool Next(std::uint32_t& entry, std::string& path);

private:
    std::optional<fw::LoadedLibrary> sfc_;  // loaded on the first call
};

class CProtectedFiles : public SimpleList {
public:
    explicit CProtectedFiles(ProtectedFileList* files = nullptr);
    fw::MenuHandle ContextMenu() const override;

protected:
    void Fill() override;
    bool OnAction(UINT id) override;

private:
    ProtectedFileList* files_;
    ProtectedFileList systemFiles_;
};

class CEnumFonts : public SimpleList {
public:
    explicit CEnumFonts(FolderLocator* folders = nullptr);

protected:
    void Fill() override;
    bool OnAction(UINT id) override;

private:
    FolderLocator* folders_;
    FolderLocator systemFolders_;
    std::string folder_;
};

}  // namespace ovix
