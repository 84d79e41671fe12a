// The fact sheet's whole lines, labels and suffixes included, against values
// the test sets in the registry or reads from the system itself.
#include "probes/fact_sheet.h"

#include "framework/text_format.h"
#include "probes/probe_test_support.h"
#include "probes/system_info.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using ovix::FactSheet;

TEST(FactSheet, WholeLinesWithTheirLabelsAndSuffixes) {
    HKEY const lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
    constexpr char kVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    constexpr char kInternational[] = "Control Panel\\International";
    constexpr char kSystem[] = "HARDWARE\\DESCRIPTION\\System";  // volatile: set in the running server
    const struct {
        HKEY root;
        const char* key;
        const char* value;
        const char* text;  // nullptr: the value is removed
        std::string FactSheet::*line;
        const char* expected;
    } rows[] = {
        {lm, kVersion, "ProductName", "Ovix Test Edition", &FactSheet::osTrademark, "Trademark: Ovix Test Edition"},
        {lm, kVersion, "CurrentType", "Uniprocessor Free", &FactSheet::osType, "Type: Uniprocessor Free"},
        {lm, kVersion, "ProductId", "55274-OEM-0011903", &FactSheet::osSerialNumber, "Serial number: 55274-OEM-0011903"},
        {cu, kInternational, "sCountry", "Ovixland", nullptr, nullptr},
        {cu, kInternational, "sLanguage", "OVX", &FactSheet::osLanguage, "Country: Ovixland [OVX]"},
        {lm, kSystem, "Identifier", "AT/AT COMPATIBLE", &FactSheet::systemIdentifier, "System Identifier: AT/AT COMPATIBLE"},
        {lm, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "Identifier", "x86 Family 6 Model 15",
         &FactSheet::cpuIdentifier, "ID: x86 Family 6 Model 15"},
        {cu, "Control Panel\\Keyboard", "KeyboardSpeed", "31", &FactSheet::keyboardRepeat, "Repeat speed: 31 ms"},
        // The suffix stands after the fallback too.
        {cu, "Control Panel\\Mouse", "MouseSensitivity", nullptr, &FactSheet::mouseSensitivity,
         "Sensitivity: Not find ms"},
        {cu, "Control Panel\\Mouse", "DoubleClickSpeed", "500", &FactSheet::doubleClickSpeed,
         "Double click speed: 500 ms"},
        {cu, "Control Panel\\Desktop", "WheelScrollLines", "3", &FactSheet::scrollLines, "Lines per scroll: 3"},
        {cu, "Control Panel\\Desktop", "WaitToKillAppTimeout", "20000", &FactSheet::killTimeout,
         "Timeout to kill applications: 20000 ms"},
        // A value is never read as a format.
        {cu, kInternational, "sTimeFormat", "h%n:mm %s", &FactSheet::timeFormat, "Time format: h%n:mm %s"},
        {cu, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "User Agent", "Ovix/1.0",
         &FactSheet::internetAgent, "Internet User Agent: Ovix/1.0"},
        {lm, kSystem, "SystemBiosVersion", "OVIX  - 1", &FactSheet::systemBiosVersion, "Version: OVIX  - 1"},
        {lm, kSystem, "SystemBiosDate", "01/02/03", &FactSheet::systemBiosDate, "Date: 01/02/03"},
        {lm, kSystem, "VideoBiosVersion", "OVIX VGA 2", &FactSheet::videoBiosVersion, "Version: OVIX VGA 2"},
        {lm, kSystem, "VideoBiosDate", nullptr, &FactSheet::videoBiosDate, "Date: Not find"},
    };
    std::vector<std::unique_ptr<test::SavedRegistryValue>> saved;
    for (const auto& row : rows) {
        saved.push_back(std::make_unique<test::SavedRegistryValue>(row.root, row.key, row.value));
        ASSERT_TRUE(saved.back()->SetOrRemove(row.text)) << row.value;
    }
    ovix::SystemInfoCollector collector;
    FactSheet facts;
    ovix::BuildFactSheet(facts, collector);
    for (const auto& row : rows) {
        if (row.line) {
            EXPECT_EQ(facts.*row.line, row.expected) << row.value;
        }
    }

    // Lines of the system's own values.
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(::GetVersionExA(&version));
    ASSERT_FALSE(collector.IsServer2003());  // the prefix's default version
    EXPECT_EQ(facts.osModel, "Model: " + collector.OsName());
    EXPECT_EQ(facts.osVersion, fw::Format("Version: %lu.%lu Build: %lu", version.dwMajorVersion,
                                          version.dwMinorVersion, version.dwBuildNumber & 0xFFFF));
    char buffer[MAX_PATH + 1] = "";
    ::GetWindowsDirectoryA(buffer, sizeof(buffer));
    EXPECT_EQ(facts.windowsDirectory, std::string("Path: ") + buffer);
    // Wine (and any common PC) has the enhanced keyboard and a normal boot.
    EXPECT_EQ(facts.systemStart, "System start: Normal boot");
    EXPECT_EQ(facts.keyboardModel, "Model: IBM enhanced [101/102-key]");
    EXPECT_EQ(facts.screenResolution, fw::Format("Resolution: %i x %i", ::GetSystemMetrics(SM_CXSCREEN),
                                                 ::GetSystemMetrics(SM_CYSCREEN)));
    const HDC screen = ::GetWindowDC(::GetDesktopWindow());
    const int widthMm = ::GetDeviceCaps(screen, HORZSIZE), heightMm = ::GetDeviceCaps(screen, VERTSIZE);
    const int planes = ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(::GetDesktopWindow(), screen);
    EXPECT_EQ(facts.screenSize, fw::Format("Size: %.1fcm x %.1fcm", widthMm / 10.0, heightMm / 10.0));
    EXPECT_EQ(facts.colorPlanes, "Color planes: " + std::to_string(planes));
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(facts.colorDepth, "Color depth: " + std::to_string(mode.dmBitsPerPel) + " Bits ");
    EXPECT_EQ(facts.refreshRate, "Refresh frequency: " + std::to_string(mode.dmDisplayFrequency) + " Hz");
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof(memory);
    ASSERT_TRUE(::GlobalMemoryStatusEx(&memory));
    EXPECT_EQ(facts.totalMemory, "Total physical: " + std::to_string(memory.ullTotalPhys >> 20) + " MB");
    EXPECT_EQ(facts.swapSpace, "Total swap space: " + std::to_string(memory.ullTotalPageFile >> 20) + " MB");
    // The Administrators group asked another way than through the token's groups.
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                           0, 0, &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(::CheckTokenMembership(nullptr, administrators, &member));
    ::FreeSid(administrators);
    EXPECT_EQ(facts.adminRights, member ? "Admin rights: yes" : "Admin rights: no");
    ASSERT_EQ(::gethostname(buffer, sizeof(buffer)), 0);
    const hostent* host = ::gethostbyname(buffer);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(facts.localAddress, std::string("IP: ") + ::inet_ntoa(*reinterpret_cast<in_addr*>(host->h_addr_list[0])));
}

}  // namespace
