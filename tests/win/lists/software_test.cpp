// The installed-software and hotfix windows over registry entries of the
// test's own (removed after): what is listed, hidden, sorted and launched.
#include "framework/registry.h"
#include "lists/inventory.h"
#include "lists/software_windows.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/menu_listing.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

namespace {

const std::string kProgramKey = std::string(ovix::kUninstallKey) + "\\OvixTest ";

void WriteKey(const std::string& path, std::initializer_list<std::pair<const char*, std::string>> values) {
    fw::RegKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS), ERROR_SUCCESS);
    for (const auto& [name, value] : values) key.SetString(name, value);
}

class Software : public testing::Test {
protected:
    void SetUp() override {
        fw::RegKey updates;
        updatesExisted = updates.Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Updates", KEY_READ) == ERROR_SUCCESS;
        WriteKey(kProgramKey + "A", {{"DisplayName", "KB999 Test"}, {"UninstallString", "a.exe /u"}});
        WriteKey(kProgramKey + "B", {{"DisplayName", "No uninstaller"}});
        WriteKey(kProgramKey + "C", {{"UninstallString", "c.exe /u"}});
        WriteKey(kProgramKey + "D", {{"DisplayName", "Tool KB helper"}, {"UninstallString", longCommand},
                                     {"InstallDate", "20060305"}, {"URLInfoAbout", "http://d.example/"}});
        fw::RegKey d;
        d.Open(HKEY_LOCAL_MACHINE, (kProgramKey + "D").c_str(), KEY_ALL_ACCESS);
        d.SetDword("EstimatedSize", 1536);
        WriteKey(std::string(ovix::kHotfixSp2Key) + "\\KB3", {{"Description", "third"}, {"UninstallCommand", "u3.exe"}});
        WriteKey(std::string(ovix::kHotfixSp2Key) + "\\KB1", {{"Description", "first"}});
        WriteKey(std::string(ovix::kHotfixSp3Key) + "\\KB2", {{"Description", "second"}, {"InstalledBy", "me"}});
    }
    void TearDown() override {
        for (const char* letter : {"A", "B", "C", "D", "E"}) ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, (kProgramKey + letter).c_str());
        for (const char* key : {"\\KB1", "\\KB3"}) ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(ovix::kHotfixSp2Key) + key).c_str());
        ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(ovix::kHotfixSp3Key) + "\\KB2").c_str());
        if (!updatesExisted) ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Updates");
    }
    static int RowNamed(const ovix::ListPane& list, int column, const std::string& text) {
        for (int row = 0; row < list.RowCount(); ++row) {
            if (list.Cell(row, column) == text) return row;
        }
        return -1;
    }
    static void Select(const ovix::ListPane& list, int row) {
        ListView_SetItemState(list.List(), row, LVIS_SELECTED, LVIS_SELECTED);
    }

    const std::string longCommand = "d.exe " + std::string(10000, 'u');
    bool updatesExisted = false;
    test::CommandFakes fakes;
};

TEST_F(Software, ProgramsListedHiddenAndLaunchedByTheirOwnEntry) {
    ovix::CSoftware window;
    ASSERT_TRUE(window.CreateModeless());
    const ovix::ListPane& list = window.List();
    EXPECT_GE(RowNamed(list, 0, "KB999 Test"), 0);
    EXPECT_EQ(RowNamed(list, 0, "No uninstaller"), -1);
    EXPECT_GE(RowNamed(list, 6, "c.exe /u"), 0) << "listed without a name";
    const int d = RowNamed(list, 0, "Tool KB helper");
    ASSERT_GE(d, 0);
    EXPECT_EQ(list.Row(d), (std::vector<std::string>{"Tool KB helper", "", "", "1.50 MB", "March 05 2006",
                                                     "http://d.example/", longCommand}));
    EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
              "Google=1079*;Check Updates=1165*;Delete=1164*;Copy to clipboard[Selected line=1128*;All=1129*];"
              "Refresh list  (F5)=1177*;Close this window=1");

    ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_AUTORUN, 0);
    EXPECT_EQ(RowNamed(list, 0, "KB999 Test"), -1);
    EXPECT_EQ(window.ItemText(IDC_AUTORUN), "Show XP Hotfix");
    char caption[64] = "";
    ::GetWindowTextA(window.Hwnd(), caption, sizeof(caption));
    EXPECT_EQ(caption, std::to_string(list.RowCount()) + " installed softwares without XP Hot-fix");
    Select(list, RowNamed(list, 0, "Tool KB helper"));
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1164, 0);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1165, 0);
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"winexec|" + longCommand + "|10",
                                                              "open|http://d.example/|||1"}));

    WriteKey(kProgramKey + "E", {{"DisplayName", "Late"}, {"UninstallString", "e.exe"}});
    ::PostMessageA(list.List(), WM_KEYDOWN, VK_F5, 0);
    test::Pump();
    EXPECT_GE(RowNamed(list, 0, "Late"), 0);
    EXPECT_TRUE(window.HidingHotfixes()) << "the mode is kept";
    window.End(IDCANCEL);
}

TEST_F(Software, HotfixesSortedWithTheirOwnCells) {
    ovix::CHotfix window;
    ASSERT_TRUE(window.CreateModeless());
    const ovix::ListPane& list = window.List();
    ASSERT_EQ(list.RowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        const char* names[] = {"KB1", "KB2", "KB3"};
        const char* descriptions[] = {"first", "second", "third"};
        EXPECT_EQ(list.Cell(row, 0) + list.Cell(row, 1), std::string(names[row]) + descriptions[row]);
    }
    EXPECT_EQ(list.Cell(1, 2), "me");
    EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
              "Google=1081*;Search informations on[Microsoft help and support=1132*];Copy to clipboard[Selected "
              "line=1105*;All=1092*];Delete=1082*;Close this window=1");
    Select(list, 0);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1082, 0);  // no command: nothing
    Select(list, 2);
    for (UINT id : {1082u, 1132u, 1105u}) ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    const char* copied = data ? static_cast<const char*>(::GlobalLock(data)) : "";
    EXPECT_EQ(std::string(copied), "Name: [KB3]\r\nDescription: [third]\r\nInstalled by: []\r\nInstalled date: []\r\n"
                                   "Type: []\r\nUninstall command: [u3.exe]") << "the selected row's own record";
    if (data) ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"open|u3.exe|||10",
                                                              "open|https://support.microsoft.com/kb/KB3|||10"}));
    const ovix::HotfixInventory inventory = ovix::ReadHotfixInventory();
    EXPECT_EQ(inventory.sp2.size() + inventory.sp3.size(), 3u);
    EXPECT_EQ(inventory.sp3[0].name, "KB2");
    window.End(IDCANCEL);
}

}  // namespace
