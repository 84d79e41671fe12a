// Probes of the registry, system metrics and parameters, screen capabilities
// and fixed folders. Each returns one line of 8-bit text by value and never
// fails: what cannot be read becomes the probe's fallback text.
#pragma once

#include "probes/probe_text.h"  // kNotFind and the line rules

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct _FILETIME;

namespace ovix::probes {

// A file time as strftime's "%c" in local time (with the daylight rule of
// that date); empty when it cannot be converted.
std::string FileTimeText(const _FILETIME& time);

// Folder paths, for code that goes on to use them: nothing when the call
// fails (a fallback text is never a path).
std::optional<std::string> WindowsFolderPath();
std::optional<std::string> SystemFolderPath();
std::optional<std::string> SpecialFolder(int csidl);

// Folder paths as lines show them (value only, with the fallback text).
std::string WindowsDirectory();
std::string SystemDirectory();
std::string ComputerName();
std::string UserName();
std::string SpecialFolderPath(int csidl);  // "Folder not found."

// Registry text probes.
std::string SystemBiosVersion();
std::string MachineGuid();
std::string SystemBiosDate();
std::string CpuIdentifier();
std::string VideoBiosDate();
std::string VideoBiosVersion();
std::string SystemIdentifier();
std::string Language();
std::string Country();
std::string KeyboardSpeed();
std::string MouseSensitivity();
std::string ScreenSaveTimeOut();
std::string ScreenSaverFile();
std::string ProductName();
std::string ProductId();
std::string CurrentType();
std::string WaitToKillAppTimeout();
std::string WheelScrollLines();
std::string TimeFormat();
std::string ShortDateFormat();
std::string DoubleClickHeight();
std::string DoubleClickWidth();
std::string ShellIconSize();
std::string WaitToKillServiceTimeout();
std::string DoubleClickSpeed();
std::string UserAgent();
std::string DirectXVersion();
std::string WallpaperPath();
std::string WinsockVersion();
std::string ScreenSaveActive();
std::string ScreenSaverIsSecure();
std::string RegeditLastKey();
std::string DefaultMailClient();
// "Number of open programs: %i"; the number itself through count when given.
std::string OpenProgramCount(int* count = nullptr);

// System metrics and parameters.
std::string KeyboardType();
std::string MouseWheel();
std::string BootMode();
std::string MenuShowDelay();
std::string IconTitleWrap();
std::string FontSmoothing();
std::string KeyboardDelay();
std::string MouseSpeed();
std::string MouseThreshold();

// Screen capabilities; the list probes append their lines to the caller's list.
std::string RasterTechnology();
void RasterCapsList(std::vector<std::string>& lines);
void CurveCapsList(std::vector<std::string>& lines);
void LineCapsList(std::vector<std::string>& lines);
void PolygonCapsList(std::vector<std::string>& lines);
void TextCapsList(std::vector<std::string>& lines);

// The six facts of one folder, gathered by one search and one walk.
struct FolderFacts {
    std::string root;         // "Root: %s"
    std::string created;      // "Creation: %s"
    std::string modified;     // "Last Modified: %s"
    std::string folderCount;  // "Number of Folders: %i"
    std::string fileCount;    // "Number of Files: %i"
    std::string size;         // "Size: %.2f MB" / "Size: %.2f GB" / empty
};
// A folder that is missing (or not given) gives the "Not find" lines.
FolderFacts ReadFolderFacts(const std::optional<std::string>& folder);

// The same facts one by one, for callers that want a single line.
std::string WindowsFolderCreated();
std::string WindowsFolderModified();
std::string WindowsFolderFileCount();
std::string WindowsFolderSize();
std::string WindowsFolderFolderCount();
std::string WindowsFolderRoot();
std::string SystemFolderCreated();
std::string SystemFolderModified();
std::string SystemFolderFileCount();
std::string SystemFolderSize();
std::string SystemFolderFolderCount();
std::string SystemFolderRoot();

// The three time lines of one file: "Creation: %s", "Last access: %s",
// "Last Modified: %s", each with "Not find" when the file is not found.
struct FileTimeLines {
    std::string created;
    std::string lastAccess;
    std::string modified;
};
FileTimeLines ReadFileTimeLines(const std::string& file);

// The page file's lines, always of C:\pagefile.sys.
std::string PageFileCreated();
std::string PageFileLastAccess();
std::string PageFileModified();
std::string DesktopItemCount();
// The desktop probe's line for any folder (its entries, not recursive).
std::string FolderItemCountLine(const std::string& folder);
// Appends the full path of every screen saver (*.scr) of the system folder.
void ScreenSaverFiles(std::vector<std::string>& lines);
void ScreenSaverFilesIn(const std::string& folder, std::vector<std::string>& lines);

// True when System Restore is available and enabled (creates nothing).
bool SystemRestoreCheck();

// True when the system has a default printer (asks without any box).
bool HasDefaultPrinter();

// The mail accounts of the current user, in registry order; none when the
// key is missing.
std::vector<std::string> MailAccountNames();

}  // namespace ovix::probes
