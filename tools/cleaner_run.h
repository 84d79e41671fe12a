// The cleaner's eight steps, run in their fixed order over what a
// CleanerSystem names: the folders, the recent-documents list, the History
// folder and the Recycle Bin. Every deletion goes through the shell call
// given, one file per operation, so a file in use stops nothing but itself.
#pragma once

#include "app/shell_files.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ovix {

// In run order.
enum CleanerChoice : unsigned {
    kCleanRecentDocuments = 1u << 0,
    kCleanTypedUrls = 1u << 1,
    kCleanTempFiles = 1u << 2,
    kCleanCookies = 1u << 3,
    kCleanInternetFiles = 1u << 4,
    kCleanHistory = 1u << 5,
    kCleanPrefetch = 1u << 6,
    kCleanRecycleBin = 1u << 7,
};

struct RecycleBinState {
    int64_t items = 0;
    int64_t bytes = 0;
};

// Where the steps work; tests point each at their own folders and fakes.
class CleanerSystem {
public:
    virtual ~CleanerSystem() = default;
    // <Windows>\Temp and the user's temporary folder.
    virtual std::vector<std::string> TempFolders();
    // Folders a temporary folder must never be or hold: Windows, system,
    // profile and the shell's special folders.
    virtual std::vector<std::string> ProtectedFolders();
    // Empty when unknown.
    virtual std::string CookiesFolder();
    virtual std::string InternetCacheFolder();
    virtual std::string PrefetchFolder();
    // The key under HKEY_CURRENT_USER whose "TypedURLs" sub-key goes.
    virtual std::string TypedUrlsParent() { return "Software\\Microsoft\\Internet Explorer"; }
    virtual void ClearRecentDocuments();
    // Deletes every item of the History folder; true only when all went.
    virtual bool CleanHistory();
    // The figures of all bins; nothing when the query fails.
    virtual std::optional<RecycleBinState> QueryRecycleBin();
    virtual bool EmptyRecycleBin();
};

using CleanLog = std::function<void(const std::string&)>;

// Runs the ticked steps, logging as it goes. The shell call (null: the real
// one) and the system (null: the real one) are the caller's.
void RunCleaner(unsigned choices, const CleanLog& log, CleanerSystem* system = nullptr,
                ShellFileCall* shell = nullptr);

// The two closing lines: who and where, and when.
void LogCleanerSignature(const CleanLog& log);

}  // namespace ovix
