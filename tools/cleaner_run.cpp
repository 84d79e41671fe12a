#include "tools/cleaner_run.h"

#include "app/app_paths.h"
#include "app/path_rules.h"
#include "framework/com.h"
#include "framework/library.h"
#include "framework/registry.h"
#include "framework/text_format.h"
#include "probes/system_probes.h"
#include "tools/cleaner_rules.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cctype>
#include <ctime>

namespace ovix {
namespace {

// Message boxes for files in use are off: the steps are silent on them.
constexpr FILEOP_FLAGS kNoErrorBox = FOF_NOERRORUI;
constexpr FILEOP_FLAGS kCacheExtraFlags = FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;

// The shell's folder by SHGetFolderPathA, looked up at run time: the current
// path, else the default one; empty when neither is a folder a step may search.
std::string ShellFolder(int csidl) {
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    const fw::LoadedLibrary shell32("shell32.dll");
    const auto getPath = shell32.Find<GetFolderPath>("SHGetFolderPathA");
    if (!getPath) return {};
    char path[MAX_PATH] = "";
    if (getPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK &&
        getPath(nullptr, csidl, nullptr, SHGFP_TYPE_DEFAULT, path) != S_OK) {
        return {};
    }
    return IsSearchableFolder(path) ? std::string(path) : std::string();
}

// Deletes the file through the shell and answers whether it is gone.
bool DeleteGone(const std::string& path, bool toRecycleBin, ShellFileCall* shell, FILEOP_FLAGS extraFlags) {
    ShellDelete(path, toRecycleBin, shell, extraFlags);
    return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::vector<FoundFile> FilesIn(const std::string& folder, const char* mask, bool withSubfolders) {
    if (!IsSearchableFolder(folder)) return {};
    FileSearch search;
    search.AddFolder(folder, withSubfolders);
    search.Search(mask, true, false);
    return search.Results();
}

bool HoldsDesktopIni(const std::string& path) {
    std::string lower = path;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("desktop.ini") != std::string::npos;
}

void CleanTypedUrls(CleanerSystem& system, const CleanLog& log) {
    const std::string parent = system.TypedUrlsParent();
    fw::RegKey key;
    if (key.Open(HKEY_CURRENT_USER, parent.c_str(), KEY_ALL_ACCESS) == ERROR_SUCCESS) {
        ::SHDeleteKeyA(key.Get(), "TypedURLs");
    }
    fw::RegKey left;
    const bool stays = left.Open(HKEY_CURRENT_USER, (parent + "\\TypedURLs").c_str(), KEY_READ) == ERROR_SUCCESS;
    log(stays ? " -> Typed URLs from the Address bar of IE: Not cleaned."
              : " -> Typed URLs from the Address bar of IE: Cleaned.");
}

void CleanTempFiles(CleanerSystem& system, const CleanLog& log, ShellFileCall* shell) {
    const std::vector<std::string> kept = system.ProtectedFolders();
    FileSearch search;
    std::vector<std::string> folders;
    for (const std::string& folder : system.TempFolders()) {
        if (folder.empty()) continue;
        if (!IsCleanableTempFolder(folder, kept)) {
            log(fw::Format("Skipped (not a temporary folder): %s", folder.c_str()));
            continue;
        }
        bool named = false;
        for (const std::string& earlier : folders) named = named || SamePath(TrimFolderPath(earlier), TrimFolderPath(folder));
        if (named) continue;
        folders.push_back(folder);
        search.AddFolder(folder, true);
    }
    if (!folders.empty()) search.Search("*.*", true, false);
    int count = 0;
    uint64_t bytes = 0;
    for (const FoundFile& file : search.Results()) {
        if (!DeleteGone(file.path, false, shell, kNoErrorBox)) continue;
        log("Deleted: " + file.path);
        ++count;
        bytes += file.size;
    }
    log(TempFilesLine(count, bytes));
    log("");
}

// Cookies and temporary Internet files: one folder, no sub-folders.
void CleanFolderFiles(const std::vector<FoundFile>& files, bool toRecycleBin, const CleanLog& log,
                      ShellFileCall* shell, std::string (*summary)(int)) {
    if (files.empty()) {
        log(summary(0));
        log("");
        return;
    }
    int count = 0;
    for (const FoundFile& file : files) {
        if (!DeleteGone(file.path, toRecycleBin, shell, kCacheExtraFlags)) continue;
        log("Deleted: " + file.path);
        ++count;
    }
    if (count == 0) return;  // nothing went: no summary
    log(summary(count));
    log("");
}

void CleanPrefetch(CleanerSystem& system, const CleanLog& log, ShellFileCall* shell) {
    const std::vector<FoundFile> files = FilesIn(system.PrefetchFolder(), "*.pf", false);
    if (files.empty()) {
        log(" -> No files to delete in \"Prefetch\" folder.");
        log("");
        return;
    }
    int count = 0;
    float kilobytes = 0;
    for (const FoundFile& file : files) {
        if (!DeleteGone(file.path, false, shell, kNoErrorBox)) continue;
        ++count;
        kilobytes += static_cast<float>(file.size / 1024.0);
    }
    log(PrefetchLine(count, kilobytes));
    log("");
}

void CleanRecycleBin(CleanerSystem& system, const CleanLog& log) {
    const std::optional<RecycleBinState> state = system.QueryRecycleBin();
    if (state && state->items == 0 && state->bytes == 0) {
        log(RecycleBinLine(0, 0));  // an empty bin is left alone: later systems fail to empty it
    } else if (!system.EmptyRecycleBin()) {
        log(" -> Recycle Bin: Not emptied.");
    } else {
        log(state ? RecycleBinLine(state->items, state->bytes) : " -> Recycle Bin: Cleaned.");
    }
    log("");
}

}  // namespace

std::vector<std::string> CleanerSystem::TempFolders() {
    std::vector<std::string> folders;
    if (const auto windows = probes::WindowsFolderPath()) folders.push_back(*windows + "\\Temp");
    char temp[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(sizeof(temp), temp);
    if (length > 0 && length < sizeof(temp)) folders.push_back(TrimFolderPath(temp));
    return folders;
}

std::vector<std::string> CleanerSystem::ProtectedFolders() {
    std::vector<std::string> folders;
    for (const auto& folder : {probes::WindowsFolderPath(), probes::SystemFolderPath()}) {
        if (folder) folders.push_back(*folder);
    }
    for (int csidl = 0; csidl <= 0x3F; ++csidl) {
        if (const auto folder = probes::SpecialFolder(csidl)) folders.push_back(*folder);
    }
    return folders;
}

std::string CleanerSystem::CookiesFolder() { return ShellFolder(CSIDL_COOKIES); }

std::string CleanerSystem::InternetCacheFolder() { return ShellFolder(CSIDL_INTERNET_CACHE); }

std::string CleanerSystem::PrefetchFolder() {
    const auto windows = probes::WindowsFolderPath();
    return windows ? *windows + "\\Prefetch" : std::string();
}

void CleanerSystem::ClearRecentDocuments() { ::SHAddToRecentDocs(SHARD_PATHA, nullptr); }

bool CleanerSystem::CleanHistory() {
    const fw::ComInit com;
    if (!com.Usable()) return false;
    fw::ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Put()))) return false;
    LPITEMIDLIST location = nullptr;
    if (FAILED(::SHGetFolderLocation(nullptr, CSIDL_HISTORY, nullptr, 0, &location))) return false;
    fw::ComPtr<IShellFolder> history;
    const HRESULT bound = desktop->BindToObject(location, nullptr, IID_IShellFolder, history.PutVoid());
    ::CoTaskMemFree(location);
    if (FAILED(bound)) return false;
    fw::ComPtr<IEnumIDList> items;
    if (history->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Put()) != S_OK || !items) {
        return false;
    }
    bool all = true;
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        fw::ComPtr<IContextMenu> menu;
        LPCITEMIDLIST one = item;
        bool deleted = false;
        if (SUCCEEDED(history->GetUIObjectOf(nullptr, 1, &one, IID_IContextMenu, nullptr, menu.PutVoid()))) {
            CMINVOKECOMMANDINFO command{};
            command.cbSize = sizeof(command);
            command.fMask = CMIC_MASK_FLAG_NO_UI;
            command.lpVerb = "delete";
            command.nShow = SW_HIDE;
            deleted = SUCCEEDED(menu->InvokeCommand(&command));
        }
        all = all && deleted;
        ::CoTaskMemFree(item);
    }
    return all;
}

std::optional<RecycleBinState> CleanerSystem::QueryRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    if (FAILED(::SHQueryRecycleBinA(nullptr, &info))) return std::nullopt;
    return RecycleBinState{info.i64NumItems, info.i64Size};
}

bool CleanerSystem::EmptyRecycleBin() {
    return SUCCEEDED(::SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
}

void RunCleaner(unsigned choices, const CleanLog& log, CleanerSystem* given, ShellFileCall* shell) {
    CleanerSystem real;
    CleanerSystem& system = given ? *given : real;
    if (choices & kCleanRecentDocuments) {
        system.ClearRecentDocuments();
        log(" -> Recents documents: Cleaned.");
    }
    if (choices & kCleanTypedUrls) CleanTypedUrls(system, log);
    if (choices & kCleanTempFiles) CleanTempFiles(system, log, shell);
    if (choices & kCleanCookies) {
        CleanFolderFiles(FilesIn(system.CookiesFolder(), "*.txt", false), false, log, shell, CookiesLine);
    }
    if (choices & kCleanInternetFiles) {
        std::vector<FoundFile> files = FilesIn(system.InternetCacheFolder(), "*.*", false);
        std::erase_if(files, [](const FoundFile& file) { return HoldsDesktopIni(file.path); });
        CleanFolderFiles(files, true, log, shell, InternetFilesLine);
    }
    if (choices & kCleanHistory) {
        log(system.CleanHistory() ? " -> Internet History: Cleaned." : " -> Internet History: Not cleaned.");
        log("");
    }
    if (choices & kCleanPrefetch) CleanPrefetch(system, log, shell);
    if (choices & kCleanRecycleBin) CleanRecycleBin(system, log);
}

void LogCleanerSignature(const CleanLog& log) {
    log(fw::Format("Clean-up generated by \"%s\" on computer \"%s\".", probes::UserName().c_str(),
                   probes::ComputerName().c_str()));
    char date[128] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) std::strftime(date, sizeof(date), "%c", local);
    log(std::string("Date: ") + date);
}

}  // namespace ovix
