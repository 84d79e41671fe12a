// Folder paths, the facts of the Windows and system folders, the page file's
// times, the desktop's item count and the screen-saver files.
#include "framework/handles.h"
#include "framework/library.h"
#include "framework/text_format.h"
#include "framework/win.h"
#include "probes/probe_text.h"
#include "probes/system_probes.h"

#include <shlobj.h>

#include <cstring>
#include <ctime>
#include <optional>

namespace ovix::probes {
namespace {

struct FindHandleTraits {
    using Type = HANDLE;
    static constexpr fw::ResourceKind kKind = fw::ResourceKind::Kernel;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Type h) { ::FindClose(h); }
};
using FindHandle = fw::Owned<FindHandleTraits>;

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool IsDirectory(const WIN32_FIND_DATAA& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::string WithoutTrailingBackslashes(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

bool IsBareDrive(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

// Calls of the GetWindowsDirectoryA kind: the length on success, the size
// needed (with its NUL) when the buffer is too small, 0 on failure.
template <class Call>
std::optional<std::string> ReadSizedPath(Call call) {
    std::string text(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const UINT length = call(text.data(), static_cast<UINT>(text.size()));
        if (length == 0) return std::nullopt;
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(length, '\0');
    }
    return std::nullopt;
}

// Calls of the GetComputerNameA kind: a size in and out; too small a buffer
// fails and reports the size needed.
template <class Call>
std::optional<std::string> ReadSizedName(Call call) {
    std::string text(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = static_cast<DWORD>(text.size());
        if (call(text.data(), &size)) {
            text.resize(std::strlen(text.c_str()));
            return text;
        }
        const DWORD error = ::GetLastError();
        if ((error != ERROR_BUFFER_OVERFLOW && error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA) ||
            size <= text.size()) {
            return std::nullopt;
        }
        text.assign(size, '\0');
    }
    return std::nullopt;
}

std::string FullPath(const std::string& path) {
    const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::string full(needed, '\0');
    const DWORD length = ::GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

int DayOfYear(int year, int month, int day) {
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDaysBefore[month - 1] + day - 1 + (leap && month > 2 ? 1 : 0);
}


// The entry of a file or folder itself, found by a search on its own path.
std::optional<WIN32_FIND_DATAA> FindOwnEntry(const std::string& path) {
    // A drive root has no entry of its own.
    if (path.empty() || IsBareDrive(path)) return std::nullopt;
    WIN32_FIND_DATAA entry{};
    const FindHandle find(::FindFirstFileA(path.c_str(), &entry));
    if (!find) return std::nullopt;
    return entry;
}

struct WalkTotals {
    long long folders = 0;
    long long files = 0;
    uint64_t bytes = 0;
};

// Counts what lies below path (no trailing backslash), extending and cutting
// back the one path string instead of keeping a list. False when the folder
// cannot be searched.
bool WalkFolder(std::string& path, WalkTotals& totals) {
    const size_t base = path.size();
    path += "\\*.*";
    WIN32_FIND_DATAA entry{};
    const FindHandle find(::FindFirstFileA(path.c_str(), &entry));
    path.resize(base);
    if (!find) return false;
    do {
        if (IsDots(entry.cFileName)) continue;
        // The ANSI calls take no longer path: such an entry cannot be reached.
        if (base + 1 + std::strlen(entry.cFileName) >= MAX_PATH) continue;
        if (!IsDirectory(entry)) {
            ++totals.files;
            totals.bytes += (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            continue;
        }
        ++totals.folders;
        // A junction or linked folder may lead back up the tree: it counts as
        // one folder and is not entered.
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        path += '\\';
        path += entry.cFileName;
        WalkFolder(path, totals);  // an unreadable sub-folder is skipped
        path.resize(base);
    } while (::FindNextFileA(find.Get(), &entry));
    return true;
}

std::optional<WalkTotals> WalkTree(const std::string& folder) {
    std::string path = WithoutTrailingBackslashes(folder);
    WalkTotals totals;
    if (WalkFolder(path, totals)) return totals;
    // A drive root holds no "." entry: when it is empty, nothing matches.
    if (::GetLastError() == ERROR_FILE_NOT_FOUND) {
        const DWORD attributes = ::GetFileAttributesA((path + "\\").c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return totals;
    }
    return std::nullopt;
}

void FillEntryFacts(const std::optional<std::string>& folder, FolderFacts& facts) {
    if (!folder) return;
    const std::string path = WithoutTrailingBackslashes(FullPath(*folder));
    const auto entry = FindOwnEntry(path);
    if (!entry) return;
    facts.root = fw::Format("Root: %s", ParentFolder(path).c_str());
    facts.created = fw::Format("Creation: %s", FileTimeText(entry->ftCreationTime).c_str());
    facts.modified = fw::Format("Last Modified: %s", FileTimeText(entry->ftLastWriteTime).c_str());
}

void FillWalkFacts(const std::optional<std::string>& folder, FolderFacts& facts) {
    const auto totals = folder ? WalkTree(*folder) : std::nullopt;
    if (!totals) {
        facts.folderCount = kFolderCountNotFind;
        facts.fileCount = kFileCountNotFind;
        facts.size = kSizeNotFind;
        return;
    }
    facts.folderCount = FolderCountLine(totals->folders);
    facts.fileCount = FileCountLine(totals->files);
    facts.size = FolderSizeLine(totals->bytes);
}

FolderFacts EntryFacts(const std::optional<std::string>& folder) {
    FolderFacts facts;
    FillEntryFacts(folder, facts);
    return facts;
}

FolderFacts WalkFacts(const std::optional<std::string>& folder) {
    FolderFacts facts;
    FillWalkFacts(folder, facts);
    return facts;
}

constexpr char kPageFile[] = "C:\\pagefile.sys";

bool EndsWithScreenSaverExtension(const char* name) {
    const size_t length = std::strlen(name);
    return length >= 4 && ::lstrcmpiA(name + length - 4, ".scr") == 0;
}

}  // namespace

// A file time as strftime's "%c" in local time (with the daylight rule of
// that date); empty when it cannot be converted.
std::string FileTimeText(const FILETIME& time) {
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::FileTimeToSystemTime(&time, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        return {};
    }
    // The runtime's strftime rejects years it cannot print.
    if (local.wYear < 1900 || local.wYear > 9999 || local.wMonth < 1 || local.wMonth > 12) return {};
    std::tm fields{};
    fields.tm_year = local.wYear - 1900;
    fields.tm_mon = local.wMonth - 1;
    fields.tm_mday = local.wDay;
    fields.tm_hour = local.wHour;
    fields.tm_min = local.wMinute;
    fields.tm_sec = local.wSecond;
    fields.tm_wday = local.wDayOfWeek;
    fields.tm_yday = DayOfYear(local.wYear, local.wMonth, local.wDay);
    fields.tm_isdst = -1;
    for (size_t size = 64; size <= 4096; size *= 4) {
        std::string text(size, '\0');
        const size_t length = std::strftime(text.data(), text.size(), "%c", &fields);
        if (length > 0) {
            text.resize(length);
            return text;
        }
    }
    return {};
}

std::optional<std::string> WindowsFolderPath() {
    return ReadSizedPath([](char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::optional<std::string> SystemFolderPath() {
    std::string folder = fw::SystemFolder();
    if (folder.empty()) return std::nullopt;
    return folder;
}

std::optional<std::string> SpecialFolder(int csidl) {
    std::string path(MAX_PATH, '\0');  // the size the call requires
    if (!::SHGetSpecialFolderPathA(nullptr, path.data(), csidl, FALSE)) return std::nullopt;
    path.resize(std::strlen(path.c_str()));
    return path;
}

std::string WindowsDirectory() { return WindowsFolderPath().value_or(kNotFind); }

std::string SystemDirectory() { return SystemFolderPath().value_or(kNotFind); }

std::string ComputerName() {
    return ReadSizedName([](char* buffer, DWORD* size) { return ::GetComputerNameA(buffer, size); })
        .value_or(kNotFind);
}

std::string UserName() {
    return ReadSizedName([](char* buffer, DWORD* size) { return ::GetUserNameA(buffer, size); }).value_or(kNotFind);
}

std::string SpecialFolderPath(int csidl) { return SpecialFolder(csidl).value_or("Folder not found."); }

FolderFacts ReadFolderFacts(const std::optional<std::string>& folder) {
    FolderFacts facts;
    FillEntryFacts(folder, facts);
    FillWalkFacts(folder, facts);
    return facts;
}

std::string WindowsFolderCreated() { return EntryFacts(WindowsFolderPath()).created; }
std::string WindowsFolderModified() { return EntryFacts(WindowsFolderPath()).modified; }
std::string WindowsFolderRoot() { return EntryFacts(WindowsFolderPath()).root; }
std::string WindowsFolderFileCount() { return WalkFacts(WindowsFolderPath()).fileCount; }
std::string WindowsFolderSize() { return WalkFacts(WindowsFolderPath()).size; }
std::string WindowsFolderFolderCount() { return WalkFacts(WindowsFolderPath()).folderCount; }

std::string SystemFolderCreated() { return EntryFacts(SystemFolderPath()).created; }
std::string SystemFolderModified() { return EntryFacts(SystemFolderPath()).modified; }
std::string SystemFolderRoot() { return EntryFacts(SystemFolderPath()).root; }
std::string SystemFolderFileCount() { return WalkFacts(SystemFolderPath()).fileCount; }
std::string SystemFolderSize() { return WalkFacts(SystemFolderPath()).size; }
std::string SystemFolderFolderCount() { return WalkFacts(SystemFolderPath()).folderCount; }

FileTimeLines ReadFileTimeLines(const std::string& file) {
    const auto entry = FindOwnEntry(file);
    if (!entry) return {"Creation: Not find", "Last access: Not find", "Last Modified: Not find"};
    return {fw::Format("Creation: %s", FileTimeText(entry->ftCreationTime).c_str()),
            fw::Format("Last access: %s", FileTimeText(entry->ftLastAccessTime).c_str()),
            fw::Format("Last Modified: %s", FileTimeText(entry->ftLastWriteTime).c_str())};
}

std::string PageFileCreated() { return ReadFileTimeLines(kPageFile).created; }
std::string PageFileLastAccess() { return ReadFileTimeLines(kPageFile).lastAccess; }
std::string PageFileModified() { return ReadFileTimeLines(kPageFile).modified; }

std::string FolderItemCountLine(const std::string& folder) {
    const std::string pattern = WithoutTrailingBackslashes(folder) + "\\*.*";
    WIN32_FIND_DATAA entry{};
    const FindHandle find(::FindFirstFileA(pattern.c_str(), &entry));
    if (!find) {
        // Only an empty drive root opens without a single match.
        return ::GetLastError() == ERROR_FILE_NOT_FOUND ? DesktopItemLine(0, 0) : kDesktopItemsNotFind;
    }
    long long items = 0;
    long long folders = 0;
    do {
        if (IsDots(entry.cFileName)) continue;
        ++items;
        if (IsDirectory(entry)) ++folders;
    } while (::FindNextFileA(find.Get(), &entry));
    return DesktopItemLine(items, folders);
}

std::string DesktopItemCount() {
    const auto desktop = SpecialFolder(CSIDL_DESKTOP);
    return desktop ? FolderItemCountLine(*desktop) : kDesktopItemsNotFind;
}

void ScreenSaverFilesIn(const std::string& folder, std::vector<std::string>& lines) {
    const std::string base = WithoutTrailingBackslashes(folder);
    WIN32_FIND_DATAA entry{};
    const FindHandle find(::FindFirstFileA((base + "\\*.scr").c_str(), &entry));
    if (!find) return;
    do {
        // The search also matches short 8.3 names ("*.scr" finds "x.scrap"):
        // only real screen-saver files count.
        if (IsDirectory(entry) || !EndsWithScreenSaverExtension(entry.cFileName)) continue;
        lines.push_back(base + "\\" + entry.cFileName);
    } while (::FindNextFileA(find.Get(), &entry));
}

void ScreenSaverFiles(std::vector<std::string>& lines) {
    if (const auto folder = SystemFolderPath()) ScreenSaverFilesIn(*folder, lines);
}

}  // namespace ovix::probes
