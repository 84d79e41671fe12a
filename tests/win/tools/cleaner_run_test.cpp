// A whole run of the cleaner dialog over folders of the test's own: the exact
// log, what is deleted and what must stay.
#include "framework/registry.h"
#include "probes/system_probes.h"
#include "resources/resource_ids.h"
#include "support/fake_cleaner.h"
#include "support/window_test.h"
#include "tools/cleaner_dialog.h"
#include "../probes/probe_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs of "Deleted: " lines sorted: the file system decides their order.
std::vector<std::string> Sorted(std::vector<std::string> lines) {
    for (auto run = lines.begin(); run != lines.end();) {
        auto end = std::find_if(run, lines.end(), [](const std::string& l) { return l.rfind("Deleted: ", 0) != 0; });
        std::sort(run, end);
        run = end == run ? run + 1 : end;
    }
    return lines;
}

class CleanerRun : public testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"Windows", "Windows\\Temp", "Windows\\Temp\\sub", "Windows\\Prefetch", "Profile",
                                   "Profile\\TMP", "Cookies", "Cookies\\sub", "Cache", "Elsewhere", "NotTemp"}) {
            ::CreateDirectoryA(root.File(folder).c_str(), nullptr);
        }
        for (const char* file : {"Windows\\Temp\\a.tmp", "Windows\\Temp\\sub\\b.tmp", "Profile\\TMP\\c.tmp",
                                 "Windows\\sentinel.txt", "Elsewhere\\sentinel.txt", "NotTemp\\kept.tmp",
                                 "Cookies\\a.txt", "Cookies\\b.txtold", "Cookies\\sub\\c.txt", "Cache\\page.htm",
                                 "Cache\\Desktop.ini", "Windows\\Prefetch\\one.pf"}) {
            test::WriteFile(root.File(file), 1000);
        }
        test::WriteFile(root.File("Windows\\Prefetch\\one.pf"), 3000);
        test::WriteFile(root.File("Profile\\TMP\\locked.tmp"), 10);
        test::WriteFile(root.File("Profile\\TMP\\readonly.tmp"), 10);
        ::SetFileAttributesA(root.File("Profile\\TMP\\readonly.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
        system.temp = {root.File("Windows\\Temp"), root.File("Profile\\TMP"), root.File("windows\\TEMP\\"),
                       root.File("NotTemp")};
        fw::RegKey typed;
        typed.Create(HKEY_CURRENT_USER, "Software\\OvixTest\\Internet Explorer\\TypedURLs", KEY_ALL_ACCESS);
        typed.SetString("url1", "http://example.org/");
        dialog.SetCleanerSystem(&system);
        dialog.SetShell(&deletes);
        ASSERT_TRUE(dialog.CreateModeless());
    }
    void TearDown() override {
        dialog.End(IDCANCEL);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\OvixTest");
        ::SetFileAttributesA(root.File("Profile\\TMP\\readonly.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    void Clean() { ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_CLEAN, 0); }

    test::TempFolder root{"cleaner-run"};
    test::FakeCleanerSystem system{root};
    test::RecordingDeletes deletes;
    ovix::CCleanerDlg dialog;
};

TEST_F(CleanerRun, AllEightStepsLogWhatWentAndKeepWhatMustStay) {
    test::FolderLink link(root.File("Windows\\Temp\\link"), "../../Elsewhere");
    ASSERT_TRUE(link.IsLink());
    // Held without delete sharing: it cannot go, the files after it still do.
    fw::UniqueHandle locked(::CreateFileA(root.File("Profile\\TMP\\locked.tmp").c_str(), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    bool posted = false;
    deletes.during = [&] {  // a Clean pressed while the shell works
        if (!posted) ::PostMessageA(dialog.Hwnd(), WM_COMMAND, IDC_CLEAN, 0), posted = true;
        test::Pump();
    };
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_SELECT_ALL, 0);
    Clean();

    const bool readOnlyGone = !Exists(root.File("Profile\\TMP\\readonly.tmp"));
    std::vector<std::string> expected = {
        " -> Recents documents: Cleaned.",
        " -> Typed URLs from the Address bar of IE: Cleaned.",
        "Skipped (not a temporary folder): " + root.File("NotTemp"),
        "Deleted: " + root.File("Profile\\TMP\\c.tmp"),
        "Deleted: " + root.File("Windows\\Temp\\a.tmp"),
        "Deleted: " + root.File("Windows\\Temp\\sub\\b.tmp")};
    if (readOnlyGone) expected.push_back("Deleted: " + root.File("Profile\\TMP\\readonly.tmp"));
    std::sort(expected.begin() + 3, expected.end());
    const std::vector<std::string> rest = {
        readOnlyGone ? "-> 4 temporary files deleted. Released: 2 Kb." : "-> 3 temporary files deleted. Released: 2 Kb.",
        "", "Deleted: " + root.File("Cookies\\a.txt"), " -> 1 cookie deleted.", "",
        "Deleted: " + root.File("Cache\\page.htm"), " -> 1 temporary Internet file deleted.", "",
        " -> Internet History: Cleaned.", "",
        " -> Prefetch folder: Deleted: 1 files. Released: 2.93 Kb", "",
        " -> Recycle Bin: Deleted: 2 elements. Released: 2 Kb.", "",
        "Clean-up generated by \"" + ovix::probes::UserName() + "\" on computer \"" + ovix::probes::ComputerName() +
            "\"."};
    expected.insert(expected.end(), rest.begin(), rest.end());
    std::vector<std::string> log = Sorted(dialog.LogLines());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("Date: ", 0), 0u);
    log.pop_back();
    EXPECT_EQ(log, expected);

    for (const char* kept : {"Windows\\sentinel.txt", "Elsewhere\\sentinel.txt", "NotTemp\\kept.tmp",
                             "Cookies\\b.txtold", "Cookies\\sub\\c.txt", "Cache\\Desktop.ini", "Profile\\TMP\\locked.tmp"}) {
        EXPECT_TRUE(Exists(root.File(kept))) << kept;
    }
    EXPECT_TRUE(link.IsLink());
    EXPECT_EQ(system.calls, (std::vector<std::string>{"recent", "history", "empty bin"})) << "one run only";
    const std::vector<FILEOP_FLAGS> flags = deletes.flags;
    EXPECT_EQ(std::count(flags.begin(), flags.end(), 0x414), 6) << "5 temporary files and one .pf";
    EXPECT_EQ(std::count(flags.begin(), flags.end(), 0x614), 1);
    EXPECT_EQ(std::count(flags.begin(), flags.end(), 0x654), 1);
    fw::RegKey typed;
    EXPECT_NE(typed.Open(HKEY_CURRENT_USER, "Software\\OvixTest\\Internet Explorer\\TypedURLs", KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(dialog.Overlay().Hwnd(), nullptr);
    EXPECT_FALSE(::GetAsyncKeyState(VK_LBUTTON) & 0x8000) << "no button left pressed";
    EXPECT_TRUE(::IsWindowEnabled(dialog.Hwnd()));
    EXPECT_FALSE(dialog.Running());
}

TEST_F(CleanerRun, SecondRunCountsOnlyWhatItFindsAndFailuresAreSaid) {
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_SELECT_ALL, 0);
    Clean();
    system.historyCleaned = false;
    system.bin = ovix::RecycleBinState{0, 0};
    Clean();
    std::vector<std::string> log = dialog.LogLines();
    log.resize(log.size() - 2);  // the signature
    EXPECT_EQ(log, (std::vector<std::string>{
                       " -> Recents documents: Cleaned.", " -> Typed URLs from the Address bar of IE: Cleaned.",
                       "Skipped (not a temporary folder): " + root.File("NotTemp"),
                       " -> No temporary files to delete.", "", " -> No cookies to delete.", "",
                       " -> No temporary Internet files to delete.", "", " -> Internet History: Not cleaned.", "",
                       " -> No files to delete in \"Prefetch\" folder.", "", " -> Recycle Bin is empty.", ""}));
    EXPECT_EQ(std::count(system.calls.begin(), system.calls.end(), "empty bin"), 1) << "an empty bin is left alone";
    system.bin.reset();
    system.binEmptied = false;
    for (int i = 0; i < 7; ++i) ::CheckDlgButton(dialog.Hwnd(), IDC_CLEAN_CHECK_FIRST + i, BST_UNCHECKED);
    Clean();
    EXPECT_EQ(dialog.LogLines()[0], " -> Recycle Bin: Not emptied.");
}

}  // namespace
