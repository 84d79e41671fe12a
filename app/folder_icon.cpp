#include "app/folder_icon.h"

#include "app/app_paths.h"
#include "framework/win.h"

#include <shlwapi.h>

namespace ovix {

FolderMark MarkFolderWithIcon(const std::string& directory, const std::string& executablePath) {
    if (executablePath.empty() || IsDriveRoot(directory)) return FolderMark::DriveRoot;
    const std::string iniPath = directory + "\\Desktop.ini";
    const char* section = ".ShellClassInfo";

    const DWORD attributes = ::GetFileAttributesA(iniPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FolderMark::Foreign;
        char iconFile[MAX_PATH * 2] = "";
        ::GetPrivateProfileStringA(section, "IconFile", "", iconFile, sizeof(iconFile), iniPath.c_str());
        if (!SamePath(iconFile, executablePath)) return FolderMark::Foreign;
        // Ours: writable again for the update.
        ::SetFileAttributesA(iniPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    const bool written =
        ::WritePrivateProfileStringA(section, "IconFile", executablePath.c_str(), iniPath.c_str()) &&
        ::WritePrivateProfileStringA(section, "IconIndex", "0", iniPath.c_str());
    // Flush the profile cache so the file is complete on disk.
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath.c_str());
    if (!written) return FolderMark::Failed;
    ::SetFileAttributesA(iniPath.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::PathMakeSystemFolderA(directory.c_str());
    return FolderMark::Written;
}

}  // namespace ovix
