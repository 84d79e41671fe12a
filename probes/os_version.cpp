#include "probes/os_version.h"

#include "probes/version_code.h"

namespace ovix {
namespace {
OsVersionRecord g_record;
}

const OsVersionRecord& OsVersion() { return g_record; }

void ReadOsVersion() {
    OsVersionRecord record;
    record.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record.info))) {
        g_record = OsVersionRecord{};
        return;
    }
    record.read = true;
    if (record.info.dwPlatformId == VER_PLATFORM_WIN32_NT && record.info.dwMajorVersion >= 5) {
        OSVERSIONINFOEXA extended{};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            record.info = extended;
            record.extended = true;
        }
    }
    g_record = record;
}

void SetOsVersion(const OsVersionRecord& record) { g_record = record; }

int WindowsVersionCode() {
    const OSVERSIONINFOEXA& info = g_record.info;
    if (!g_record.read) return 0;
    return WindowsVersionCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

}  // namespace ovix
