// The shortcut maker driven by messages, and the four commands that put a
// link to Ovix itself in a special folder.
#include "tools/shortcut_dialog.h"

#include "app/main_window.h"
#include "framework/resources.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/fake_tray.h"
#include "support/temp_folder.h"
#include "support/window_test.h"
#include "tools/shortcut_support.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix;

class ShortcutMakerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.CreateModeless()); }
    void TearDown() override {
        if (!dialog.Ended()) dialog.End(IDCANCEL);
    }
    void Choose(int index) {
        HWND list = dialog.Item(IDC_SHORTCUT_LOCATION);
        ::SendMessageA(list, CB_SETCURSEL, index, 0);
        ::SendMessageA(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SHORTCUT_LOCATION, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }
    void Create() { ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_SHORTCUT_CREATE, 0); }

    test::CommandFakes fakes;
    test::Leftovers leftovers;
    CShortcutCreator dialog;
};

TEST_F(ShortcutMakerTest, EachLocationTheTypedTargetAndTheRecentDocuments) {
    EXPECT_EQ(fw::WindowText(dialog.Hwnd()), "Shortcut Maker");
    EXPECT_EQ(::SendMessageA(dialog.Item(IDC_SHORTCUT_LOCATION), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(dialog.ItemText(IDC_SHORTCUT_CREATE), "Create shortcut");
    // Browse fills the field; a path typed over it is the one used.
    fakes.pickers.choice = "C:\\windows\\notepad.exe";
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_SHORTCUT_BROWSE, 0);
    EXPECT_EQ(dialog.ItemText(IDC_SHORTCUT_TARGET), "C:\\windows\\notepad.exe");
    EXPECT_EQ(fakes.pickers.asked, std::vector<std::string>{"Select your target..."});
    const std::string target = fw::ModulePath();
    dialog.SetItemText(IDC_SHORTCUT_TARGET, target);

    const struct {
        int csidl;
        const char* done;
    } locations[] = {
        {CSIDL_STARTMENU, "Shortcut correctly created on Start menu."},
        {CSIDL_DESKTOP, "Shortcut correctly created on the desktop."},
        {CSIDL_PROGRAMS, "Shortcut correctly created on Programs menu."},
        {CSIDL_PERSONAL, "Shortcut correctly created on personal folder."},
    };
    for (int index = 0; index < 4; ++index) {
        fakes.boxes.shown.clear();
        Choose(index);
        Create();
        // The hints left in place name and describe the link.
        const std::string file = leftovers.Add(test::FolderPath(locations[index].csidl) + "\\" + kNameHint + ".lnk");
        EXPECT_TRUE(test::Exists(file)) << file;
        EXPECT_EQ(test::ReadLink(file).description, kDescriptionHint);
        ASSERT_EQ(fakes.boxes.shown.size(), 1u);
        EXPECT_EQ(fakes.boxes.shown[0].text, "Target's path: \"" + target + "\".\nName: " + kNameHint +
                                                 "\nDescription: " + kDescriptionHint + "\n\n" + locations[index].done);
        EXPECT_EQ(fakes.boxes.shown[0].caption, "");
        EXPECT_EQ(fakes.boxes.shown[0].icon, UINT(MB_ICONINFORMATION));
    }

    fakes.boxes.shown.clear();
    Choose(4);
    EXPECT_FALSE(::IsWindowVisible(dialog.Item(IDC_SHORTCUT_NAME)));
    EXPECT_FALSE(::IsWindowVisible(dialog.Item(IDC_SHORTCUT_DESCRIPTION)));
    const std::string recent = test::FolderPath(CSIDL_RECENT) + "\\" +
                               target.substr(target.rfind('\\') + 1) + ".lnk";
    leftovers.Add(recent);
    ::DeleteFileA(recent.c_str());
    Create();
    EXPECT_TRUE(test::Exists(recent)) << recent;
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.ends_with("\n\nShortcut correctly created on \"My recents documents\" folder."));
    Choose(1);
    EXPECT_TRUE(::IsWindowVisible(dialog.Item(IDC_SHORTCUT_NAME)));
}

// No target, the target hint, a save that fails: the error box, no link, no
// recent entry, and no word of success.
TEST_F(ShortcutMakerTest, WhatMakesNoLinkSaysSo) {
    const std::string desktop = test::FolderPath(CSIDL_DESKTOP), recent = test::FolderPath(CSIDL_RECENT);
    dialog.SetItemText(IDC_SHORTCUT_NAME, "ovix-refused");
    const std::set<std::string> desktopBefore = test::FilesIn(desktop), recentBefore = test::FilesIn(recent);
    leftovers.Add(desktop + "\\taken.lnk");
    ASSERT_TRUE(::CreateDirectoryA((desktop + "\\taken.lnk").c_str(), nullptr));
    const struct {
        int index;
        std::string target, name;
    } cases[] = {
        {1, kTargetHint, "ovix-refused"}, {1, "  ", "ovix-refused"}, {4, "", "ovix-refused"},
        {4, kTargetHint, "ovix-refused"}, {1, fw::ModulePath(), "taken"},
    };
    for (const auto& c : cases) {
        fakes.boxes.shown.clear();
        Choose(c.index);
        dialog.SetItemText(IDC_SHORTCUT_TARGET, c.target);
        dialog.SetItemText(IDC_SHORTCUT_NAME, c.name);
        Create();
        ASSERT_EQ(fakes.boxes.shown.size(), 1u) << c.target;
        EXPECT_EQ(fakes.boxes.shown[0].text, "An error has occurred, impossible to create the shortcut.");
        EXPECT_EQ(fakes.boxes.shown[0].icon, UINT(MB_ICONERROR));
    }
    std::set<std::string> desktopAfter = test::FilesIn(desktop);
    desktopAfter.erase("taken.lnk");
    EXPECT_EQ(desktopAfter, desktopBefore);
    EXPECT_EQ(test::FilesIn(recent), recentBefore);
}

TEST(ShortcutMakerResources, OpeningsGiveEverythingBack) {
    test::CommandFakes fakes;
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi), icons = fw::LiveCount(fw::ResourceKind::Icon),
               lists = fw::LiveCount(fw::ResourceKind::ImageList);
    for (int i = 0; i < 5; ++i) {
        CShortcutCreator dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        dialog.End(IDCANCEL);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Icon), icons);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::ImageList), lists);
}

// The four commands that link Ovix itself: its path, its description, the
// row's text; a folder already holding a directory of the link's name says so.
TEST(OwnShortcuts, EachFolderGetsALinkToTheProgram) {
    test::CommandFakes fakes;
    test::FakeTray tray;
    test::Leftovers leftovers;
    MainWindow window{test::QuietOptions()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    const struct {
        UINT command;
        int csidl;
        const char* text;
    } rows[] = {
        {410, CSIDL_DESKTOP, "Shortcut correctly written on Desktop."},
        {411, CSIDL_STARTMENU, "Shortcut correctly written on Start menu."},
        {412, CSIDL_PROGRAMS, "Shortcut correctly written on Programs menu."},
        {33022, CSIDL_PERSONAL, "Shortcut correctly written on My Documents folder."},
    };
    for (const auto& row : rows) {
        fakes.boxes.shown.clear();
        const std::string file = leftovers.Add(test::FolderPath(row.csidl) + "\\Ovix v1.0.6.lnk");
        ::SendMessageA(window.Hwnd(), WM_COMMAND, row.command, 0);
        const test::LinkFacts link = test::ReadLink(file);
        EXPECT_TRUE(_stricmp(link.path.c_str(), window.ExecutablePath().c_str()) == 0) << link.path;
        EXPECT_EQ(link.description, "Ovix by Talvik.");
        ASSERT_EQ(fakes.boxes.shown.size(), 1u);
        EXPECT_EQ(fakes.boxes.shown[0].text, row.text);
        EXPECT_EQ(fakes.boxes.shown[0].caption, "Ovix");
        EXPECT_EQ(fakes.boxes.shown[0].owner, window.Hwnd());
        ::DeleteFileA(file.c_str());
    }
    const std::string blocked = leftovers.Add(test::FolderPath(CSIDL_DESKTOP) + "\\Ovix v1.0.6.lnk");
    ASSERT_TRUE(::CreateDirectoryA(blocked.c_str(), nullptr));
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 410, 0);
    EXPECT_EQ(fakes.boxes.shown.back().text, "An error has occurred, impossible to create the shortcut.");
    window.End(IDCANCEL);
}

}  // namespace
