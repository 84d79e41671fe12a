#include "lists/inventory.h"

#include "framework/registry.h"
#include "lists/software_text.h"

namespace ovix {
namespace {

// A string value as stored (REG_SZ or REG_EXPAND_SZ); empty otherwise.
std::string Text(const fw::RegKey& key, const char* name) { return key.QueryString(name).value_or(""); }

std::vector<HotfixEntry> ReadHotfixSet(const char* path) {
    fw::RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return {};
    std::vector<HotfixEntry> set;
    for (const std::string& name : key.SubkeyNames()) {
        HotfixEntry entry;
        entry.name = name;
        fw::RegKey hotfix;
        if (hotfix.Open(key.Get(), name.c_str(), KEY_READ) == ERROR_SUCCESS) {
            entry.description = Text(hotfix, "Description");
            entry.installedBy = Text(hotfix, "InstalledBy");
            entry.installedDate = Text(hotfix, "InstalledDate");
            entry.type = Text(hotfix, "Type");
            entry.uninstallCommand = Text(hotfix, "UninstallCommand");
        }
        set.push_back(std::move(entry));
    }
    return set;
}

}  // namespace

std::vector<SoftwareEntry> ReadSoftwareInventory(const char* path) {
    fw::RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return {};
    std::vector<SoftwareEntry> entries;
    for (const std::string& name : key.SubkeyNames()) {
        fw::RegKey program;
        if (program.Open(key.Get(), name.c_str(), KEY_READ) != ERROR_SUCCESS) continue;
        const auto uninstall = program.QueryString("UninstallString");
        if (!uninstall) continue;  // not an installed program
        entries.push_back({Text(program, "DisplayName"), Text(program, "DisplayVersion"), Text(program, "Publisher"),
                           SoftwareSizeText(program.QueryDword("EstimatedSize")),
                           InstallDateText(Text(program, "InstallDate")), Text(program, "URLInfoAbout"), *uninstall,
                           Text(program, "InstallLocation")});
    }
    return entries;
}

HotfixInventory ReadHotfixInventory(const char* sp2Key, const char* sp3Key) {
    return {ReadHotfixSet(sp2Key), ReadHotfixSet(sp3Key)};
}

}  // namespace ovix
