// The report dialog driven by messages, with fake sources, pickers, boxes
// and launcher: what it writes, what it shows while it collects, and every
// way a file can fail to be written.
#include "report/report_dialog.h"

#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/temp_folder.h"
#include "support/fake_report_sources.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace ovix;

struct FailingWrites : FileWriteCall {
    bool Write(HANDLE file, const void* bytes, DWORD size) override {
        // Half of the first write lands, then the disk is full.
        DWORD written = 0;
        ::WriteFile(file, bytes, size / 2, &written, nullptr);
        return false;
    }
};

class ReportDialogTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog.CreateModeless()); }
    void TearDown() override {
        if (!dialog.Ended()) dialog.End(IDCANCEL);
    }
    void Browse(std::optional<std::string> choice) {
        fakes.pickers.choice = std::move(choice);
        ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_REPORT_BROWSE, 0);
    }
    std::string Direct(const std::string& name) {
        test::FakeReportSources direct;
        EXPECT_EQ(SaveReport(root.File(name), direct), SaveResult::Done);
        return test::FileBytes(root.File(name));
    }

    test::CommandFakes fakes;
    test::TempFolder root{"report-dialog"};
    std::unique_ptr<test::FakeReportSources> owned = std::make_unique<test::FakeReportSources>();
    test::FakeReportSources& sources = *owned;
    ReportDialog dialog{std::move(owned)};
};

TEST_F(ReportDialogTest, BrowseWritesTheFileAsksAndOpensItOnYes) {
    EXPECT_EQ(fw::WindowText(dialog.Hwnd()), "Report");
    EXPECT_EQ(dialog.ItemText(IDC_REPORT_STATUS), "-> Select a path and create a file with \"Browse\" button.");
    // What the collection sees: the busy text, the dialog disabled under the cover.
    std::vector<std::string> during;
    sources.onCollect = [&] {
        during.push_back(dialog.ItemText(IDC_REPORT_STATUS));
        during.push_back(::IsWindowEnabled(dialog.Hwnd()) ? "enabled" : "disabled");
        const HWND cover = dialog.Overlay().Hwnd();
        during.push_back(cover && ::IsWindowVisible(cover) ? "covered" : "bare");
    };
    Browse(std::nullopt);
    EXPECT_EQ(sources.collects, 0);
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_TRUE(::IsWindowVisible(dialog.Hwnd()));

    // Twice, answered No: the dialog stays, and the second file is no longer.
    fakes.boxes.answer = IDNO;
    Browse(root.File("first"));
    Browse(root.File("second.txt"));
    EXPECT_EQ(sources.collects, 2);
    EXPECT_EQ(during, (std::vector<std::string>{kReportBusyText, "disabled", "covered", kReportBusyText, "disabled",
                                                "covered"}));
    const std::string expected = Direct("direct.txt");
    EXPECT_EQ(test::FileBytes(root.File("first.txt")), expected);
    EXPECT_EQ(test::FileBytes(root.File("second.txt")), expected);
    EXPECT_EQ(test::FilesIn(root.Path()), (std::set<std::string>{"direct.txt", "first.txt", "second.txt"}));
    EXPECT_EQ(fakes.pickers.asked, std::vector<std::string>(3, "Save Ovix's report as..."));
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[0].text, "File correctly written.\nDo you want to open it ?");
    EXPECT_EQ(fakes.boxes.shown[0].caption, root.File("first.txt"));
    EXPECT_EQ(fakes.boxes.shown[0].buttons, UINT(MB_YESNO));
    // Afterwards: no cover, the dialog usable, no mouse button left down, the rest text.
    EXPECT_EQ(dialog.Overlay().Hwnd(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(dialog.Hwnd()));
    EXPECT_FALSE(::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
    EXPECT_EQ(dialog.ItemText(IDC_REPORT_STATUS), kReportRestText);
    EXPECT_TRUE(fakes.launcher.calls.empty());
    EXPECT_FALSE(dialog.Ended());

    fakes.boxes.answer = IDYES;
    Browse(root.File("third"));
    EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>{"open|" + root.File("third.txt") + "|||10"});
    EXPECT_TRUE(dialog.Ended());
}

// A missing folder, a directory of the target's name, a target held open by
// another, a disk that fills midway: the error box, no question, the old
// file as it was and no temporary file left.
TEST_F(ReportDialogTest, AFileThatCannotBeWrittenIsSaidAndLeftAlone) {
    const std::string held = root.File("held.txt"), old = root.File("old.txt");
    ::CreateDirectoryA(root.File("dir.txt").c_str(), nullptr);
    ASSERT_EQ(SaveTextFile(held, "held before"), SaveResult::Done);
    ASSERT_EQ(SaveTextFile(old, "old before"), SaveResult::Done);
    const fw::UniqueHandle holder(
        ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    FailingWrites failing;

    const struct {
        std::string chosen, target;
        int collects;
    } cases[] = {
        {root.File("missing\\report"), root.File("missing\\report.txt"), 0},
        {root.File("dir"), root.File("dir.txt"), 1},
        {root.File("held"), held, 2},
        {root.File("old"), old, 3},
    };
    for (const auto& c : cases) {
        if (c.target == old) dialog.SetFileWrites(&failing);
        fakes.boxes.shown.clear();
        Browse(c.chosen);
        EXPECT_EQ(sources.collects, c.collects) << c.target;
        ASSERT_EQ(fakes.boxes.shown.size(), 1u) << c.target;
        EXPECT_EQ(fakes.boxes.shown[0].text, "Error !\nThe report can't be written to \"" + c.target + "\".");
        EXPECT_EQ(fakes.boxes.shown[0].caption, "Ovix");
        EXPECT_EQ(fakes.boxes.shown[0].icon, UINT(MB_ICONEXCLAMATION));
        EXPECT_TRUE(::IsWindowEnabled(dialog.Hwnd()));
        EXPECT_EQ(dialog.ItemText(IDC_REPORT_STATUS), kReportRestText);
    }
    EXPECT_EQ(test::FileBytes(old), "old before");
    EXPECT_EQ(test::FilesIn(root.Path()), (std::set<std::string>{"dir.txt", "held.txt", "old.txt"}));
    EXPECT_TRUE(fakes.launcher.calls.empty());
}

// The longest name the save dialog gives keeps every character: written
// whole, or refused like any path the system cannot take.
TEST_F(ReportDialogTest, ALongestNameIsKeptWhole) {
    std::string name = root.Path() + "\\";
    name += std::string(259 - name.size(), 'n');
    Browse(name);
    EXPECT_EQ(dialog.Path(), name + ".txt");
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    if (fakes.boxes.shown[0].text.starts_with("Error !")) {
        EXPECT_TRUE(test::FilesIn(root.Path()).empty());
    } else {
        EXPECT_EQ(test::FileBytes(name + ".txt"), Direct("direct.txt"));
        // Past the path limit the plain calls cannot delete it: the long form can.
        const std::string file = name + ".txt";
        EXPECT_TRUE(::DeleteFileW((L"\\\\?\\" + std::wstring(file.begin(), file.end())).c_str()));
    }
}

}  // namespace
