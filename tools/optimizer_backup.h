// The optimiser's safety net: what it is about to change is read first and
// saved as an undo file, and "Undo last optimization" puts it back. Also the
// seams its writes and the restore point go through.
#pragma once

#include "framework/win.h"
#include "tools/optimizer_backup_text.h"
#include "tools/optimizer_changes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovix {

HKEY RootKey(Hive hive);

// Every registry change of the optimiser and of its undo goes through here.
class SettingsWriter {
public:
    virtual ~SettingsWriter() = default;
    // Creates the key when missing and stores the value; true when stored.
    virtual bool Write(HKEY root, const std::string& key, const std::string& name, DWORD type,
                       std::string_view bytes);
    // True when the value is gone, also when it or its key never existed.
    virtual bool DeleteValue(HKEY root, const std::string& key, const std::string& name);
    // True when the key is gone with everything below it, also when it never existed.
    virtual bool DeleteTree(HKEY root, const std::string& key);
};

// System Restore's SRSetRestorePointA, loaded at run time.
class RestorePointClient {
public:
    static constexpr DWORD kBeginChange = 100, kEndChange = 101;
    static constexpr DWORD kApplicationInstall = 0, kCancelled = 13;
    virtual ~RestorePointClient() = default;
    // The call's own result (not its status field); `sequenceOut` gets the
    // number it returns. A missing library or function is a failure.
    virtual bool Set(DWORD event, DWORD type, int64_t sequence, const std::string& description,
                     int64_t* sequenceOut);
};

// What a run will change: the services that are installed, and every touched
// value as it is now.
struct OptimizerPlan {
    std::vector<ServiceChange> services;
    SettingsSnapshot before;
};
// Reads the plan; false when a value exists but cannot be read.
bool ReadOptimizerPlan(OptimizerPlan& plan);

// "<AppData>\Ovix", or "" when the folder of application data is unknown.
std::string DefaultBackupFolder();
// Writes the snapshot in full under a new name in the folder (made when
// missing): the file's path, or nothing when it could not be written whole.
std::optional<std::string> SaveBackup(const std::string& folder, const SettingsSnapshot& snapshot);
// The newest backup file of the folder, undone ones left out.
std::optional<std::string> NewestBackup(const std::string& folder);
// Puts every value back as saved and deletes the keys the run created. The
// items that could not be put back, by full name.
std::vector<std::string> RestoreSnapshot(const SettingsSnapshot& snapshot, SettingsWriter& writer);

// "HKEY_LOCAL_MACHINE\key\name".
std::string FullValueName(Hive hive, std::string_view key, std::string_view name);

}  // namespace ovix
