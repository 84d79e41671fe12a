// The registry probes on their own fixed paths: each test sets the values it
// reads to known texts and puts back what was there before.
#include "probes/registry_probes.h"
#include "probes/system_probes.h"

#include "framework/handles.h"
#include "probes/probe_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix::probes;
using test::SavedRegistryValue;

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kMouse[] = "Control Panel\\Mouse";
constexpr char kInternational[] = "Control Panel\\International";
constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kHardwareSystem[] = "HARDWARE\\DESCRIPTION\\System";

class ProbeRegistryLines : public testing::Test {
protected:
    void SetUp() override { keysBefore_ = fw::LiveCount(fw::ResourceKind::RegistryKey); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), keysBefore_); }
    long keysBefore_ = 0;
};

TEST_F(ProbeRegistryLines, ValueOnlyProbesGiveTheValueOrNotFind) {
    SavedRegistryValue product(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProductName");
    ASSERT_TRUE(product.SetString("Ovix Test Edition"));
    EXPECT_EQ(ProductName(), "Ovix Test Edition");
    product.Remove();
    EXPECT_EQ(ProductName(), "Not find");

    // HARDWARE is volatile: set here, in the running server.
    SavedRegistryValue biosDate(HKEY_LOCAL_MACHINE, kHardwareSystem, "SystemBiosDate");
    ASSERT_TRUE(biosDate.SetString("01/02/03"));
    EXPECT_EQ(SystemBiosDate(), "01/02/03");
    biosDate.Remove();
    EXPECT_EQ(SystemBiosDate(), "Not find");

    SavedRegistryValue country(HKEY_CURRENT_USER, kInternational, "sCountry");
    ASSERT_TRUE(country.SetString("\xC9tats-Unis"));
    EXPECT_EQ(Country(), "\xC9tats-Unis");
    // Read afresh on every call.
    ASSERT_TRUE(country.SetString("Canada"));
    EXPECT_EQ(Country(), "Canada");
}

TEST_F(ProbeRegistryLines, MultiStringShowsItsFirstString) {
    SavedRegistryValue version(HKEY_LOCAL_MACHINE, kHardwareSystem, "SystemBiosVersion");
    const char strings[] = "OVIX  - 1\0BIOS Date: 01/02/03\0";
    ASSERT_TRUE(version.SetRaw(REG_MULTI_SZ, strings, sizeof(strings)));
    EXPECT_EQ(SystemBiosVersion(), "OVIX  - 1");
    version.Remove();
    EXPECT_EQ(SystemBiosVersion(), "Not find");
}

TEST_F(ProbeRegistryLines, LabelledProbesKeepTheirLabelBeforeTheFallback) {
    SavedRegistryValue guid(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography", "MachineGuid");
    ASSERT_TRUE(guid.SetString("0f1e2d3c-aaaa-bbbb-cccc-0123456789ab"));
    EXPECT_EQ(MachineGuid(), "Machine GUID: 0f1e2d3c-aaaa-bbbb-cccc-0123456789ab");

    SavedRegistryValue width(HKEY_CURRENT_USER, kMouse, "DoubleClickWidth");
    width.Remove();
    EXPECT_EQ(DoubleClickWidth(), "Double click width: Not find");
    ASSERT_TRUE(width.SetString("4"));
    EXPECT_EQ(DoubleClickWidth(), "Double click width: 4");

    SavedRegistryValue date(HKEY_CURRENT_USER, kInternational, "sShortDate");
    ASSERT_TRUE(date.SetString("dd.MM.yyyy"));
    EXPECT_EQ(ShortDateFormat(), "Short date format: dd.MM.yyyy");

    SavedRegistryValue lastKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit",
                               "LastKey");
    lastKey.Remove();
    EXPECT_EQ(RegeditLastKey(), "Last open key: Not find !");
    ASSERT_TRUE(lastKey.SetString("My Computer\\HKEY_CURRENT_USER"));
    EXPECT_EQ(RegeditLastKey(), "Last open key: My Computer\\HKEY_CURRENT_USER");
}

TEST_F(ProbeRegistryLines, UnitOnlyAfterARealValue) {
    SavedRegistryValue icon(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size");
    ASSERT_TRUE(icon.SetString("32"));
    EXPECT_EQ(ShellIconSize(), "Shell icon size: 32 pixels");
    icon.Remove();
    EXPECT_EQ(ShellIconSize(), "Shell icon size: Not find");

    SavedRegistryValue kill(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout");
    ASSERT_TRUE(kill.SetString("20000"));
    EXPECT_EQ(WaitToKillServiceTimeout(), "Timeout to kill services: 20000 ms");
    kill.Remove();
    EXPECT_EQ(WaitToKillServiceTimeout(), "Timeout to kill services: Not find");
}

TEST_F(ProbeRegistryLines, ScreenSaverSettings) {
    SavedRegistryValue timeout(HKEY_CURRENT_USER, kDesktop, "ScreenSaveTimeOut");
    ASSERT_TRUE(timeout.SetString("600"));
    EXPECT_EQ(ScreenSaveTimeOut(), "Timeout: 10 min");
    ASSERT_TRUE(timeout.SetString("59"));
    EXPECT_EQ(ScreenSaveTimeOut(), "Timeout: 59 sec");
    ASSERT_TRUE(timeout.SetString("60"));
    EXPECT_EQ(ScreenSaveTimeOut(), "Timeout: 1 min");
    timeout.Remove();
    EXPECT_EQ(ScreenSaveTimeOut(), "Timeout: 0 sec");

    SavedRegistryValue active(HKEY_CURRENT_USER, kDesktop, "ScreenSaveActive");
    ASSERT_TRUE(active.SetString("0"));
    EXPECT_EQ(ScreenSaveActive(), "Active: no");
    ASSERT_TRUE(active.SetString("1"));
    EXPECT_EQ(ScreenSaveActive(), "Active: yes");
    active.Remove();
    EXPECT_EQ(ScreenSaveActive(), "Active: yes");

    SavedRegistryValue secure(HKEY_CURRENT_USER, kDesktop, "ScreenSaverIsSecure");
    ASSERT_TRUE(secure.SetString("0"));
    EXPECT_EQ(ScreenSaverIsSecure(), "Secure: no");
    secure.Remove();
    EXPECT_EQ(ScreenSaverIsSecure(), "Secure: yes");

    SavedRegistryValue file(HKEY_CURRENT_USER, kDesktop, "SCRNSAVE.EXE");
    file.Remove();
    EXPECT_EQ(ScreenSaverFile(), "Current: None");
    ASSERT_TRUE(file.SetString("C:\\WINDOWS\\system32\\ovix%s.scr"));
    EXPECT_EQ(ScreenSaverFile(), "Current: C:\\WINDOWS\\system32\\ovix%s.scr");
}

TEST(ProbeDefaultMailClient, ValueMissingValueAndMissingKey) {
    SavedRegistryValue mail(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail", "");
    ASSERT_TRUE(mail.SetString("Ovix Test Mail"));
    EXPECT_EQ(DefaultMailClient(), "Default software: Ovix Test Mail");
    const DWORD number = 1;
    ASSERT_TRUE(mail.SetRaw(REG_DWORD, &number, sizeof(number)));
    EXPECT_EQ(DefaultMailClient(), "Default software: not find.");
    mail.Remove();
    EXPECT_EQ(DefaultMailClient(), "Default software: not find.");
    EXPECT_EQ(DefaultMailClientAt(HKEY_CURRENT_USER, "Software\\OvixTests\\Probes\\No Such Mail Key"),
              "Default software: not find!");
}

TEST(ProbeOpenProgramCount, DwordOrOneHundred) {
    SavedRegistryValue count(HKEY_CURRENT_USER, "SessionInformation", "ProgramCount");
    count.Remove();
    int number = -1;
    EXPECT_EQ(OpenProgramCount(&number), "Number of open programs: 100");
    EXPECT_EQ(number, 100);
    ASSERT_TRUE(count.SetDword(7));
    EXPECT_EQ(OpenProgramCount(&number), "Number of open programs: 7");
    EXPECT_EQ(number, 7);
    EXPECT_EQ(OpenProgramCount(), "Number of open programs: 7");
    ASSERT_TRUE(count.SetString("7"));
    EXPECT_EQ(OpenProgramCount(&number), "Number of open programs: 100");
    EXPECT_EQ(number, 100);
}

TEST(ProbeSystemRestore, NeedsClientAndSettingsKeyWithoutDisableSr) {
    HMODULE client = ::LoadLibraryA("srclient.dll");
    const bool clientLoads = client != nullptr;
    if (client) ::FreeLibrary(client);
    const std::string key = std::string(kCurrentVersion) + "\\SystemRestore";
    HKEY existing = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &existing) == ERROR_SUCCESS) {
        ::RegCloseKey(existing);
        GTEST_SKIP() << "this system has System Restore settings: not changed by a test";
    }
    // Wine has the client library but no settings key: not available.
    EXPECT_FALSE(SystemRestoreCheck());
    {
        SavedRegistryValue disable(HKEY_LOCAL_MACHINE, key, "DisableSR");  // removes the key it creates
        ASSERT_TRUE(disable.SetDword(0));
        EXPECT_EQ(SystemRestoreCheck(), clientLoads);
        ASSERT_TRUE(disable.SetDword(1));
        EXPECT_FALSE(SystemRestoreCheck());
        ASSERT_TRUE(disable.SetString("0"));  // not a number: not known to be off
        EXPECT_FALSE(SystemRestoreCheck());
        disable.Remove();
        EXPECT_EQ(SystemRestoreCheck(), clientLoads);
    }
    EXPECT_FALSE(SystemRestoreCheck());
    EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &existing), ERROR_SUCCESS);
}

}  // namespace
