#include "app/driver_backup.h"

#include "app/common_dialogs.h"
#include "app/message_boxes.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr char kBackupCaption[] = "Backup NT Drivers";

}  // namespace

std::string BackupDestination(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder;
    return folder + "\\";
}

void BackupDrivers(HWND owner, FolderLocator& folders, ShellFileCall* shell) {
    const auto chosen =
        CurrentCommonDialogs().BrowseForFolder(owner, "Select a destination folder to backup System's drivers.");
    if (!chosen) return;

    FileSearch search;
    if (const auto system = folders.SystemFolder()) {
        search.AddFolder(*system + "\\drivers", false);
        search.Search("*.sys", true, false);
    }
    const std::vector<FoundFile>& drivers = search.Results();
    if (drivers.empty()) {
        ShowMessage({.owner = owner,
                     .text = "There are no files to backup or Driver's folder was not found.",
                     .icon = MB_ICONWARNING});
        return;
    }
    const std::string destination = BackupDestination(*chosen);
    const int count = static_cast<int>(drivers.size());
    if (ShowMessage({.owner = owner,
                     .text = fw::Format("%i files are ready to backup.\r\nDo you want to continue ?", count),
                     .caption = kBackupCaption,
                     .buttons = MB_YESNO,
                     .userIcon = IDI_OVIX}) != IDYES) {
        return;
    }
    ShellFileBatch copy(owner, ShellOperation::Copy, kDriverBackupFlags);
    copy.SetShell(shell);
    for (const FoundFile& driver : drivers) copy.AddSource(driver.path);
    copy.AddDestination(destination);
    if (copy.Run()) {
        ShowMessage({.owner = owner,
                     .text = fw::Format("Operation succeeded.\r\n%i files have been copied in %s", count,
                                        destination.c_str()),
                     .caption = kBackupCaption,
                     .userIcon = IDI_BACKUP_DONE});
    } else {
        ShowError(owner, "An error has occurred, impossible to backup NT drivers.");
    }
}

}  // namespace ovix
