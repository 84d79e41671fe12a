// The cleaner dialog itself: its choices, the empty selection, Save Log As,
// and what twenty openings with a run leave behind.
#include "framework/handles.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/fake_cleaner.h"
#include "tools/cleaner_dialog.h"

#include <gtest/gtest.h>


namespace {


class CleanerDialog : public testing::Test {
protected:
    void SetUp() override {
        dialog.SetCleanerSystem(&system);
        dialog.SetShell(&deletes);
        ASSERT_TRUE(dialog.CreateModeless());
    }
    void TearDown() override { dialog.End(IDCANCEL); }
    void Command(UINT id) { ::SendMessageA(dialog.Hwnd(), WM_COMMAND, id, 0); }
    bool Ticked(int choice) { return ::IsDlgButtonChecked(dialog.Hwnd(), IDC_CLEAN_CHECK_FIRST + choice) != 0; }

    test::CommandFakes fakes;
    test::TempFolder root{"cleaner-dialog"};
    test::FakeCleanerSystem system{root};
    test::RecordingDeletes deletes;
    ovix::CCleanerDlg dialog;
};

TEST_F(CleanerDialog, ChoicesAtOpeningSelectAllAndAnEmptySelection) {
    char caption[32] = "";
    ::GetWindowTextA(dialog.Hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "OvixCleaner");
    EXPECT_EQ(dialog.ItemText(IDC_CLEAN_LABEL_FIRST + 1), "Delete typed URLs from the Address bar of IE.");
    EXPECT_EQ(dialog.ItemText(IDC_CLEAN_LABEL_FIRST + 7), "Empty recycle bin.");
    for (int choice = 0; choice < 8; ++choice) {
        EXPECT_EQ(Ticked(choice), choice == 0 || choice == 3 || choice == 7) << choice;
    }
    Command(IDC_SELECT_ALL);
    for (int choice = 0; choice < 8; ++choice) EXPECT_TRUE(Ticked(choice)) << choice;

    Command(IDC_CLEAN);
    const size_t lines = dialog.LogLines().size();
    for (int choice = 0; choice < 8; ++choice) ::CheckDlgButton(dialog.Hwnd(), IDC_CLEAN_CHECK_FIRST + choice, 0);
    Command(IDC_CLEAN);
    EXPECT_EQ(dialog.LogLines().size(), lines) << "the log stays";
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text, "Please select at least one element to clean.");
    EXPECT_EQ(fakes.boxes.shown[0].caption, "OvixCleaner");
}

TEST_F(CleanerDialog, SaveLogAsWritesCrLfLinesUnderATxtName) {
    Command(IDC_CLEAN);
    const std::vector<std::string> lines = dialog.LogLines();
    fakes.boxes.answer = IDYES;
    for (const char* name : {"log", "twice.txt"}) {
        fakes.pickers.choice = root.File(name);
        Command(ID_SAVE_LOG_AS);
    }
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(test::FileBytes(root.File("log.txt")), expected);
    EXPECT_EQ(test::FileBytes(root.File("twice.txt")), expected);
    EXPECT_EQ(fakes.pickers.asked, std::vector<std::string>(2, "Save OvixCleaner Report As..."));
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"open|" + root.File("log.txt") + "|||10",
                                                              "open|" + root.File("twice.txt") + "|||10"}));
    ::CreateDirectoryA(root.File("taken.txt").c_str(), nullptr);
    fakes.pickers.choice = root.File("taken");
    Command(ID_SAVE_LOG_AS);
    EXPECT_EQ(fakes.boxes.shown.back().text, "Error !\r\nThe log can't be written to \"" + root.File("taken.txt") + "\".");
    EXPECT_EQ(fakes.boxes.shown.back().icon, UINT(MB_ICONEXCLAMATION));
    EXPECT_TRUE(::IsWindowVisible(dialog.Hwnd()));
}

TEST(CleanerDialogResources, TwentyOpeningsWithARunGiveEverythingBack) {
    test::CommandFakes fakes;
    test::TempFolder root{"cleaner-openings"};
    test::FakeCleanerSystem system{root};
    const fw::ResourceKind kinds[] = {fw::ResourceKind::Gdi, fw::ResourceKind::Icon, fw::ResourceKind::Menu,
                                      fw::ResourceKind::DeviceContext, fw::ResourceKind::Kernel};
    long before[std::size(kinds)];
    for (size_t i = 0; i < std::size(kinds); ++i) before[i] = fw::LiveCount(kinds[i]);
    std::vector<HWND> overlays;
    for (int opening = 0; opening < 20; ++opening) {
        ovix::CCleanerDlg dialog;
        dialog.SetCleanerSystem(&system);
        system.duringRun = [&] { overlays.push_back(dialog.Overlay().Hwnd()); };
        ASSERT_TRUE(dialog.CreateModeless());
        ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_CLEAN, 0);
        dialog.End(IDCANCEL);
    }
    for (size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(fw::LiveCount(kinds[i]), before[i]) << "kind " << static_cast<int>(kinds[i]);
    }
    ASSERT_EQ(overlays.size(), 20u);
    for (HWND overlay : overlays) EXPECT_TRUE(overlay && !::IsWindow(overlay)) << "shown during the run, gone after";
}

}  // namespace
