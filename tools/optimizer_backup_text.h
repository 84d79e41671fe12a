// The optimiser's undo file: the settings it is about to change, written as a
// REGEDIT4 file that the system's registry editor can also import, and read
// back for "Undo last optimization". Plain text rules, no system calls.
#pragma once

#include "tools/optimizer_changes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovix {

inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegDword = 4;

// One value as it was before the run: absent, or its type and raw bytes.
struct SavedValue {
    Hive hive = Hive::CurrentUser;
    std::string key;
    std::string name;
    bool existed = false;
    uint32_t type = 0;   // 0 and no bytes when absent
    std::string bytes;
    bool operator==(const SavedValue&) const = default;
};

// The topmost key of a path that the run will create.
struct CreatedKey {
    Hive hive = Hive::CurrentUser;
    std::string key;
    bool operator==(const CreatedKey&) const = default;
};

struct SettingsSnapshot {
    std::vector<SavedValue> values;
    std::vector<CreatedKey> createdKeys;
    std::vector<std::string> registeredLibraries;  // registered before the run, so registered again on undo
    bool operator==(const SettingsSnapshot&) const = default;
};

// REGEDIT4, CR LF line ends. Values as they were ("name"=- when absent, the
// key sections in the snapshot's order), then [-key] for each created key:
// last, so that importing deletes what the sections above it re-created.
std::string EncodeRegedit4(const SettingsSnapshot& snapshot);
// The snapshot a file written by EncodeRegedit4 holds; nothing for anything else.
std::optional<SettingsSnapshot> ParseRegedit4(std::string_view text);

// "optimize-20240131-235959.reg", then "-2", "-3"... for the same second.
std::string BackupFileName(std::string_view stamp, int copy);
// Newer files compare greater; nothing for other names (an undone file included).
struct BackupFileOrder {
    std::string stamp;
    int copy = 1;
    auto operator<=>(const BackupFileOrder&) const = default;
};
std::optional<BackupFileOrder> ParseBackupFileName(std::string_view fileName);
// "x.reg" -> "x.undone.reg".
std::string UndoneFileName(std::string_view path);

}  // namespace ovix
