#include "tools/optimizer_backup.h"

#include "app/path_rules.h"
#include "app/safe_text_file.h"
#include "framework/library.h"
#include "framework/registry.h"
#include "framework/text_format.h"
#include "probes/probe_text.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <srrestoreptapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>

namespace ovix {
namespace {

// Registry paths compare as the registry compares names: case-insensitive.
bool KeyIsOrIsBelow(std::string_view inner, std::string_view outer) {
    return inner.size() >= outer.size() && ::_strnicmp(inner.data(), outer.data(), outer.size()) == 0 &&
           (inner.size() == outer.size() || inner[outer.size()] == '\\');
}

// Reads the touched values. Each key is opened once, however many values it
// holds, and each missing key's parents are looked up once: the reads must
// cost no more than the writes that follow them.
class PlanReader {
public:
    explicit PlanReader(SettingsSnapshot& snapshot) : snapshot_(snapshot) {}

    // Opens the key for the next values; ERROR_FILE_NOT_FOUND when it is missing.
    LONG Open(Hive hive, const std::string& key) {
        if (hive == hive_ && key == key_) return status_;
        hive_ = hive;
        key_ = key;
        status_ = open_.Open(RootKey(hive), key.c_str(), KEY_QUERY_VALUE);
        known_[{hive, Lower(key)}] = status_;
        return status_;
    }

    // Records the value as it is now; false when it exists but can't be read.
    bool Add(Hive hive, const std::string& key, const std::string& name) {
        SavedValue value;
        value.hive = hive;
        value.key = key;
        value.name = name;
        const LONG status = Open(hive, key);
        if (status == ERROR_FILE_NOT_FOUND) {
            NoteMissingKey(hive, key);
        } else if (status != ERROR_SUCCESS) {
            return false;
        } else {
            fw::RegKey::RawValue raw;
            const LONG read = open_.QueryRaw(name.c_str(), raw);
            if (read != ERROR_SUCCESS && read != ERROR_FILE_NOT_FOUND) return false;
            if (read == ERROR_SUCCESS) {
                value.existed = true;
                value.type = raw.type;
                value.bytes = std::move(raw.bytes);
            }
        }
        snapshot_.values.push_back(std::move(value));
        return true;
    }

private:
    static std::string Lower(std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    bool Exists(Hive hive, const std::string& key) {
        const auto [entry, added] = known_.try_emplace({hive, Lower(key)}, ERROR_SUCCESS);
        if (added) {
            fw::RegKey open;
            entry->second = open.Open(RootKey(hive), key.c_str(), KEY_QUERY_VALUE);
        }
        return entry->second != ERROR_FILE_NOT_FOUND;
    }

    // The highest key of the path that is missing: deleting it undoes the run's creation.
    void NoteMissingKey(Hive hive, const std::string& key) {
        for (const CreatedKey& created : snapshot_.createdKeys) {
            if (created.hive == hive && KeyIsOrIsBelow(key, created.key)) return;
        }
        for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
            const std::string prefix = key.substr(0, end);
            if (!Exists(hive, prefix)) {
                snapshot_.createdKeys.push_back({hive, prefix});
                return;
            }
            if (end == std::string::npos) return;
        }
    }

    SettingsSnapshot& snapshot_;
    std::map<std::pair<Hive, std::string>, LONG> known_;  // by lower-case path: the status of opening it
    fw::RegKey open_;
    Hive hive_ = Hive::CurrentUser;
    std::string key_;
    LONG status_ = ERROR_INVALID_HANDLE;
};

bool IsLibraryRegistered(const UnregisteredLibrary& library) {
    fw::RegKey server;
    if (server.Open(HKEY_CLASSES_ROOT, library.classKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return false;
    const std::string file(LastPathPart(server.QueryString("").value_or("")));
    return ::_stricmp(file.c_str(), library.file) == 0;
}

}  // namespace

HKEY RootKey(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case Hive::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case Hive::CurrentUser:
        break;
    }
    return HKEY_CURRENT_USER;
}

std::string FullValueName(Hive hive, std::string_view key, std::string_view name) {
    std::string full = std::string(HiveName(hive)) + "\\" + std::string(key);
    if (!name.empty()) (full += '\\') += name;
    return full;
}

bool SettingsWriter::Write(HKEY root, const std::string& key, const std::string& name, DWORD type,
                           std::string_view bytes) {
    fw::RegKey open;
    return open.Create(root, key.c_str(), KEY_WRITE) == ERROR_SUCCESS &&
           open.SetRaw(name.c_str(), type, bytes) == ERROR_SUCCESS;
}

bool SettingsWriter::DeleteValue(HKEY root, const std::string& key, const std::string& name) {
    fw::RegKey open;
    const LONG status = open.Open(root, key.c_str(), KEY_SET_VALUE);
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;
    const LONG deleted = open.DeleteValue(name.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool SettingsWriter::DeleteTree(HKEY root, const std::string& key) {
    const DWORD status = ::SHDeleteKeyA(root, key.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RestorePointClient::Set(DWORD event, DWORD type, int64_t sequence, const std::string& description,
                             int64_t* sequenceOut) {
    // Loaded at run time: Windows 2000 and Server 2003 have no System Restore.
    const fw::LoadedLibrary library("srclient.dll");
    const auto set = library.Find<BOOL(WINAPI*)(PRESTOREPOINTINFOA, PSTATEMGRSTATUS)>("SRSetRestorePointA");
    if (!set) return false;
    RESTOREPOINTINFOA info{};
    info.dwEventType = event;
    info.dwRestorePtType = type;
    info.llSequenceNumber = sequence;
    std::strncpy(info.szDescription, description.c_str(), sizeof(info.szDescription) - 1);
    STATEMGRSTATUS status{};
    const bool done = set(&info, &status) != FALSE;
    if (sequenceOut) *sequenceOut = status.llSequenceNumber;
    return done;
}

bool ReadOptimizerPlan(OptimizerPlan& plan) {
    plan = {};
    PlanReader reader(plan.before);
    for (const TextChange& change : TextChanges()) {
        if (!reader.Add(change.hive, change.key, change.name)) return false;
    }
    for (const ServiceChange& service : ServiceChanges()) {
        // A service that is not installed gets no key of its own.
        const std::string key = std::string(kServicesKey) + "\\" + service.service;
        if (reader.Open(Hive::LocalMachine, key) == ERROR_FILE_NOT_FOUND) continue;
        plan.services.push_back(service);
        if (!reader.Add(Hive::LocalMachine, key, "Start")) return false;
    }
    for (const NumberChange& change : NumberChanges()) {
        const probes::RegistryPath path = probes::SplitRegistryPath(change.fullPath);
        if (!reader.Add(change.hive, path.keyPath, path.valueName)) return false;
    }
    for (const UnregisteredLibrary& library : UnregisteredLibraries()) {
        if (IsLibraryRegistered(library)) plan.before.registeredLibraries.push_back(library.file);
    }
    return true;
}

std::string DefaultBackupFolder() {
    char path[MAX_PATH] = "";
    if (!::SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE)) return "";
    return std::string(path) + "\\Ovix";
}

std::optional<std::string> SaveBackup(const std::string& folder, const SettingsSnapshot& snapshot) {
    if (folder.empty()) return std::nullopt;
    if (!::CreateDirectoryA(folder.c_str(), nullptr)) {
        const DWORD attributes = ::GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    }
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const std::string stamp = fw::Format("%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                                         now.wMinute, now.wSecond);
    // A file is never overwritten: a second run in the same second takes "-2".
    std::string path;
    for (int copy = 1;; ++copy) {
        path = folder + "\\" + BackupFileName(stamp, copy);
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) break;
        if (copy == 9999) return std::nullopt;
    }
    SafeTextFile file(path);
    if (!file.Begin() || !file.Write(EncodeRegedit4(snapshot)) || file.Commit() != SaveResult::Done) {
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> NewestBackup(const std::string& folder) {
    std::optional<BackupFileOrder> newest;
    std::string name;
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileA((folder + "\\optimize-*.reg").c_str(), &entry);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &entry)) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const auto order = ParseBackupFileName(entry.cFileName);
        if (order && (!newest || *newest < *order)) {
            newest = order;
            name = entry.cFileName;
        }
    }
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
    if (!newest) return std::nullopt;
    return folder + "\\" + name;
}

std::vector<std::string> RestoreSnapshot(const SettingsSnapshot& snapshot, SettingsWriter& writer) {
    std::vector<std::string> failed;
    const auto underCreatedKey = [&snapshot](const SavedValue& value) {
        return std::any_of(snapshot.createdKeys.begin(), snapshot.createdKeys.end(), [&value](const CreatedKey& key) {
            return key.hive == value.hive && KeyIsOrIsBelow(value.key, key.key);
        });
    };
    for (const SavedValue& value : snapshot.values) {
        if (!value.existed && underCreatedKey(value)) continue;  // goes with its key, below
        const HKEY root = RootKey(value.hive);
        const bool done = value.existed ? writer.Write(root, value.key, value.name, value.type, value.bytes)
                                        : writer.DeleteValue(root, value.key, value.name);
        if (!done) failed.push_back(FullValueName(value.hive, value.key, value.name));
    }
    for (const CreatedKey& key : snapshot.createdKeys) {
        if (!writer.DeleteTree(RootKey(key.hive), key.key)) failed.push_back(FullValueName(key.hive, key.key, ""));
    }
    return failed;
}

}  // namespace ovix
