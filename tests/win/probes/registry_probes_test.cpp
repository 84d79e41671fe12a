// The registry probes on their own fixed paths: each step sets the value it
// reads to a known text (or removes it) and puts back what was there before.
#include "probes/registry_probes.h"
#include "probes/system_probes.h"

#include "framework/handles.h"
#include "framework/registry.h"
#include "probes/probe_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix::probes;
using test::SavedRegistryValue;

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

class ProbeRegistry : public testing::Test {
protected:
    void SetUp() override { keysBefore_ = fw::LiveCount(fw::ResourceKind::RegistryKey); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), keysBefore_); }
    long keysBefore_ = 0;
};

TEST_F(ProbeRegistry, EachProbeGivesItsValueOrFallbackInItsShape) {
    HKEY const lm = HKEY_LOCAL_MACHINE, cu = HKEY_CURRENT_USER;
    const struct {
        HKEY root;
        const char* key;
        const char* value;
        const char* text;  // nullptr: the value is removed
        std::string (*probe)();
        const char* line;
    } steps[] = {
        // (The value-only probes are read through the fact sheet's lines.)
        {cu, "Control Panel\\International", "sCountry", "\xC9tats-Unis", Country, "\xC9tats-Unis"},
        {lm, "SOFTWARE\\Microsoft\\Cryptography", "MachineGuid", "0f1e2d3c-aaaa", MachineGuid,
         "Machine GUID: 0f1e2d3c-aaaa"},
        {cu, "Control Panel\\Mouse", "DoubleClickWidth", nullptr, DoubleClickWidth, "Double click width: Not find"},
        {cu, "Control Panel\\Mouse", "DoubleClickWidth", "4", DoubleClickWidth, "Double click width: 4"},
        {cu, "Control Panel\\International", "sShortDate", "dd.MM.yyyy", ShortDateFormat,
         "Short date format: dd.MM.yyyy"},
        {cu, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey", nullptr, RegeditLastKey,
         "Last open key: Not find !"},
        // A unit only after a real value.
        {cu, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", "32", ShellIconSize,
         "Shell icon size: 32 pixels"},
        {cu, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", nullptr, ShellIconSize,
         "Shell icon size: Not find"},
        {lm, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", "20000", WaitToKillServiceTimeout,
         "Timeout to kill services: 20000 ms"},
        {lm, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", nullptr, WaitToKillServiceTimeout,
         "Timeout to kill services: Not find"},
        // The screen saver: minutes from 60 s on; a missing flag says yes.
        {cu, kDesktop, "ScreenSaveTimeOut", "600", ScreenSaveTimeOut, "Timeout: 10 min"},
        {cu, kDesktop, "ScreenSaveTimeOut", nullptr, ScreenSaveTimeOut, "Timeout: 0 sec"},
        {cu, kDesktop, "ScreenSaveActive", "0", ScreenSaveActive, "Active: no"},
        {cu, kDesktop, "ScreenSaveActive", nullptr, ScreenSaveActive, "Active: yes"},
        {cu, kDesktop, "ScreenSaverIsSecure", "0", ScreenSaverIsSecure, "Secure: no"},
        {cu, kDesktop, "ScreenSaverIsSecure", nullptr, ScreenSaverIsSecure, "Secure: yes"},
        {cu, kDesktop, "SCRNSAVE.EXE", nullptr, ScreenSaverFile, "Current: None"},
        {cu, kDesktop, "SCRNSAVE.EXE", "C:\\ovix%s.scr", ScreenSaverFile, "Current: C:\\ovix%s.scr"},
    };
    for (const auto& step : steps) {
        SavedRegistryValue saved(step.root, step.key, step.value);
        ASSERT_TRUE(saved.SetOrRemove(step.text)) << step.value;
        EXPECT_EQ(step.probe(), step.line) << step.value;
    }
    // A multi-string shows its first string. (HARDWARE is volatile: set in the running server.)
    SavedRegistryValue version(lm, "HARDWARE\\DESCRIPTION\\System", "SystemBiosVersion");
    const char strings[] = "OVIX  - 1\0BIOS Date: 01/02/03\0";
    ASSERT_TRUE(version.SetRaw(REG_MULTI_SZ, strings, sizeof(strings)));
    EXPECT_EQ(SystemBiosVersion(), "OVIX  - 1");
}

TEST_F(ProbeRegistry, MailClientAndProgramCount) {
    SavedRegistryValue mail(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail", "");
    ASSERT_TRUE(mail.SetString("Ovix Test Mail"));
    EXPECT_EQ(DefaultMailClient(), "Default software: Ovix Test Mail");
    ASSERT_TRUE(mail.SetDword(1));  // not a string
    EXPECT_EQ(DefaultMailClient(), "Default software: not find.");
    mail.Remove();
    EXPECT_EQ(DefaultMailClient(), "Default software: not find.");
    EXPECT_EQ(DefaultMailClientAt(HKEY_CURRENT_USER, "Software\\OvixTests\\No Such Mail Key"),
              "Default software: not find!");

    SavedRegistryValue count(HKEY_CURRENT_USER, "SessionInformation", "ProgramCount");
    count.Remove();
    int number = -1;
    EXPECT_EQ(OpenProgramCount(&number), "Number of open programs: 100");
    EXPECT_EQ(number, 100);
    ASSERT_TRUE(count.SetDword(7));
    EXPECT_EQ(OpenProgramCount(&number), "Number of open programs: 7");
    EXPECT_EQ(number, 7);
    ASSERT_TRUE(count.SetString("7"));
    EXPECT_EQ(OpenProgramCount(), "Number of open programs: 100");
}

TEST_F(ProbeRegistry, SystemRestoreNeedsClientAndSettingsKeyWithoutDisableSr) {
    const HMODULE client = ::LoadLibraryA("srclient.dll");
    const bool clientLoads = client != nullptr;
    if (client) ::FreeLibrary(client);
    const std::string key = std::string(kCurrentVersion) + "\\SystemRestore";
    fw::RegKey existing;
    if (existing.Open(HKEY_LOCAL_MACHINE, key.c_str(), KEY_READ) == ERROR_SUCCESS) {
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
    EXPECT_NE(existing.Open(HKEY_LOCAL_MACHINE, key.c_str(), KEY_READ), ERROR_SUCCESS);
}

}  // namespace
