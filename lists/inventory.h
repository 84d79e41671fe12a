// The installed programs (the uninstall key) and the Windows XP hotfixes (the
// Service Pack 2 and 3 update keys), as the lists and the reports read them.
#pragma once

#include <string>
#include <vector>

namespace ovix {

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kHotfixSp2Key[] = "Software\\Microsoft\\Updates\\Windows XP\\SP2";
inline constexpr char kHotfixSp3Key[] = "Software\\Microsoft\\Updates\\Windows XP\\SP3";

struct SoftwareEntry {
    std::string name, version, publisher, size, installDate, url, uninstall, location;
};

// Every subkey of HKEY_LOCAL_MACHINE\<key> with an uninstall command, in
// registry order; the fields as the list shows them.
std::vector<SoftwareEntry> ReadSoftwareInventory(const char* key = kUninstallKey);

struct HotfixEntry {
    std::string name, description, installedBy, installedDate, type, uninstallCommand;
};

// Service Pack 2's set, then Service Pack 3's (each empty when its key is missing).
struct HotfixInventory {
    std::vector<HotfixEntry> sp2, sp3;
};
HotfixInventory ReadHotfixInventory(const char* sp2Key = kHotfixSp2Key, const char* sp3Key = kHotfixSp3Key);

}  // namespace ovix
