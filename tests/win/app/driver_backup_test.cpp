// "Backup NT Drivers" on a real main window: the folder picker answers with a
// folder of the test's own, the copy is the shell's real one.
#include "app/driver_backup.h"
#include "app/main_window.h"
#include "framework/library.h"
#include "support/command_fakes.h"
#include "support/fake_tray.h"
#include "support/temp_folder.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

namespace {

struct FakeFolders : ovix::FolderLocator {
    std::optional<std::string> SystemFolder() override { return system; }
    std::optional<std::string> system;
};

// A shell that reports the user's abort.
struct AbortingShell : ovix::ShellFileCall {
    int Run(SHFILEOPSTRUCTA& operation) override {
        operation.fAnyOperationsAborted = TRUE;
        return 0;
    }
};

// The .sys files of a folder: count and bytes.
std::pair<int, uint64_t> Drivers(const std::string& folder) {
    ovix::FileSearch search;
    search.AddFolder(folder, false);
    search.Search("*.sys", true, false);
    uint64_t bytes = 0;
    for (const auto& file : search.Results()) bytes += file.size;
    return {static_cast<int>(search.Results().size()), bytes};
}

class DriverBackup : public testing::Test {
protected:
    void SetUp() override {
        fakes.boxes.answer = IDNO;
        folders.system = fw::SystemFolder();
        window.SetTrayShell(&tray);
        window.SetCommandSeams({.folders = &folders, .fileShell = shell});
        ASSERT_TRUE(window.CreateModeless());
    }
    void TearDown() override { window.End(IDOK); }
    void Backup() { ::SendMessageA(window.Hwnd(), WM_COMMAND, 33060, 0); }

    test::CommandFakes fakes;  // answers No until told
    test::FakeTray tray;
    test::TempFolder target{"driver-backup"};
    FakeFolders folders;
    ovix::ShellFileCall* shell = nullptr;
    ovix::MainWindow window{test::QuietOptions()};
};

TEST_F(DriverBackup, CopiesEveryDriverAfterAsking) {
    const auto [count, bytes] = Drivers(*folders.system + "\\drivers");
    ASSERT_GT(count, 0);
    fakes.pickers.choice = target.Path();
    fakes.boxes.answer = IDYES;
    Backup();
    EXPECT_EQ(Drivers(target.Path()), std::make_pair(count, bytes));
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.pickers.asked, std::vector<std::string>{"Select a destination folder to backup System's drivers."});
    EXPECT_EQ(fakes.boxes.shown[0].text,
              std::to_string(count) + " files are ready to backup.\r\nDo you want to continue ?");
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Backup NT Drivers");
    EXPECT_EQ(fakes.boxes.shown[0].userIcon, 101u);
    EXPECT_EQ(fakes.boxes.shown[1].text, "Operation succeeded.\r\n" + std::to_string(count) +
                                             " files have been copied in " + target.Path() + "\\");
    EXPECT_EQ(fakes.boxes.shown[1].userIcon, 353u);
}

// Cancel (or a folder without a path) and No copy nothing; an empty list and
// an aborted copy say so.
TEST_F(DriverBackup, NothingCopiedOnCancelNoOrEmptyListAndAnAbortIsAnError) {
    Backup();
    fakes.pickers.choice = target.Path();
    Backup();  // answered No
    folders.system.reset();
    Backup();
    folders.system = target.Path();  // a folder without drivers
    Backup();
    EXPECT_EQ(Drivers(target.Path()).first, 0);
    AbortingShell aborting;
    window.SetCommandSeams({.folders = &folders, .fileShell = &aborting});
    folders.system = fw::SystemFolder();
    fakes.pickers.choice = "E:\\";
    fakes.boxes.answer = IDYES;
    Backup();
    ASSERT_EQ(fakes.boxes.shown.size(), 5u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Backup NT Drivers") << "the No";
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(fakes.boxes.shown[i].text, "There are no files to backup or Driver's folder was not found.");
        EXPECT_EQ(fakes.boxes.shown[i].icon, UINT(MB_ICONWARNING));
    }
    EXPECT_NE(fakes.boxes.shown[3].text.find("ready to backup"), std::string::npos);
    EXPECT_EQ(fakes.boxes.shown[4].text, "An error has occurred, impossible to backup NT drivers.");
    EXPECT_EQ(fakes.boxes.shown[4].icon, UINT(MB_ICONERROR));
    EXPECT_EQ(ovix::BackupDestination("E:\\"), "E:\\");
}

}  // namespace
