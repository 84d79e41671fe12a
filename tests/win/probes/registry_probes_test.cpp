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

// The probe's line with the value set to `text` (nullptr: removed); the value is put back after.
std::string LineWith(HKEY root, const char* key, const char* value, const char* text, std::string (*probe)()) {
    SavedRegistryValue saved(root, key, value);
    EXPECT_TRUE(saved.SetOrRemove(text)) << value;
    return probe();
}

TEST_F(ProbeRegistry, EachProbeGivesItsValueOrFallbackInItsShape) {
    // (The value-only probes are read through the fact sheet's lines; probes that
    // only put a label to a value are not repeated here.)
    HKEY const cu = HKEY_CURRENT_USER;
    EXPECT_EQ(LineWith(cu, "Control Panel\\International", "sCountry", "\xC9tats-Unis", Country), "\xC9tats-Unis");
    // The screen saver: a missing flag says yes.
    EXPECT_EQ(LineWith(cu, kDesktop, "ScreenSaveActive", "0", ScreenSaveActive), "Active: no");
    EXPECT_EQ(LineWith(cu, kDesktop, "ScreenSaverIsSecure", nullptr, ScreenSaverIsSecure), "Secure: yes");
    EXPECT_EQ(LineWith(cu, kDesktop, "SCRNSAVE.EXE", nullptr, ScreenSaverFile), "Current: None");
    EXPECT_EQ(LineWith(cu, kDesktop, "SCRNSAVE.EXE", "C:\\ovix%s.scr", ScreenSaverFile), "Current: C:\\ovix%s.scr");
    // A multi-string shows its first string. (HARDWARE is volatile: set in the running server.)
    SavedRegistryValue version(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System", "SystemBiosVersion");
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
    SavedRegistryValue disable(HKEY_LOCAL_MACHINE, key, "DisableSR");  // removes the key it creates
    ASSERT_TRUE(disable.SetDword(0));
    EXPECT_EQ(SystemRestoreCheck(), clientLoads);
    ASSERT_TRUE(disable.SetDword(1));
    EXPECT_FALSE(SystemRestoreCheck());
    ASSERT_TRUE(disable.SetString("0"));  // not a number: not known to be off
    EXPECT_FALSE(SystemRestoreCheck());
}

}  // namespace
