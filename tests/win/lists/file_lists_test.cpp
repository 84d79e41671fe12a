// The DLL cache, executables, protected files and fonts over folders and a
// protected-file list of the test's own; every launch recorded, none run.
#include "lists/desktop_lists.h"
#include "lists/file_details.h"
#include "lists/file_lists.h"
#include "lists/wmi_lists.h"
#include "list_fakes.h"
#include "probes/system_probes.h"
#include "support/command_fakes.h"
#include "support/menu_listing.h"
#include "support/temp_folder.h"
#include "support/window_test.h"
#include "tests/host/probes/fake_row_source.h"

#include <gtest/gtest.h>

namespace {

using Cells = std::vector<std::string>;

std::string CreatedText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return ovix::probes::FileTimeText(data.ftCreationTime);
}

struct ListedFiles : ovix::ProtectedFileList {
    bool Next(std::uint32_t& entry, std::string& path) override {
        if (entry >= paths.size()) return false;
        path = paths[entry++];
        return true;
    }
    std::vector<std::string> paths;
};

int ImageOf(const ovix::ListPane& list, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ListView_GetItem(list.List(), &item);
    return item.iImage;
}

TEST(FileLists, DllCacheAndExecutablesOfTheSystemFolder) {
    test::TempFolder system("system");
    const std::string cache = system.File("dllcache");
    ::CreateDirectoryA(cache.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA((fw::SystemFolder() + "\\kernel32.dll").c_str(), (cache + "\\vers.dll").c_str(), FALSE));
    test::WriteBytes(cache + "\\plain.dll", 2048);
    test::WriteBytes(system.File("tool.exe"), 1536);
    test::FakeFolders folders;
    folders.system = system.Path();
    test::CommandFakes fakes;
    {
        ovix::CDLLCache window(&folders);
        ASSERT_TRUE(window.CreateModeless());
        const ovix::ListPane& list = window.List();
        ASSERT_EQ(list.RowCount(), 2);
        EXPECT_EQ(window.Caption(), "2 Files");
        const ovix::FileDetails vers = ovix::ReadFileDetails(cache + "\\vers.dll");
        const int versRow = test::RowWith(list, 0, "vers.dll"), plainRow = test::RowWith(list, 0, "plain.dll");
        ASSERT_FALSE(vers.version.empty());
        EXPECT_EQ(list.Row(versRow), (Cells{"vers.dll", vers.version, vers.description, list.Cell(versRow, 3),
                                            vers.created, vers.company}));
        EXPECT_EQ(list.Row(plainRow), (Cells{"plain.dll", "", "", "2.00 KB", CreatedText(cache + "\\plain.dll"), ""}))
            << "nothing carried over from the versioned file";
        EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
                  "Google=1521;Show properties=1523;Copy to clipboard[Selected line=1524;All=1525];Close this window=1");
        test::SelectRows(list, {plainRow});
        ::SendMessageA(window.Hwnd(), WM_COMMAND, 1523, 0);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, 1524, 0);
        EXPECT_EQ(test::ClipboardText(), "Name: [plain.dll]\r\nVersion: []\r\nDescription: []\r\nSize: [2.00 KB]\r\n"
                                         "Creation time: [" + CreatedText(cache + "\\plain.dll") + "]\r\nCompany: []");
        window.End(IDCANCEL);
    }
    {
        ovix::CExeList window(&folders);
        ASSERT_TRUE(window.CreateModeless());
        EXPECT_EQ(test::Rows(window.List()),
                  (std::vector<Cells>{{"tool.exe", "", "", "1.50 KB", CreatedText(system.File("tool.exe")), ""}}));
        EXPECT_EQ(window.Caption(), "1 Files");
        test::SelectRows(window.List(), {0});
        ::SendMessageA(window.Hwnd(), WM_COMMAND, 1522, 0);
        window.End(IDCANCEL);
    }
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"properties|" + cache + "\\plain.dll|||5",
                                                              "open|" + system.File("tool.exe") + "|||10"}));
    // An unreadable system folder: nothing listed, nothing started from the current folder.
    folders.system.reset();
    ovix::CExeList none(&folders);
    ASSERT_TRUE(none.CreateModeless());
    EXPECT_EQ(none.Caption(), "0 Files");
    ::SendMessageA(none.Hwnd(), WM_COMMAND, 1522, 0);
    EXPECT_EQ(fakes.launcher.calls.size(), 2u);
    none.End(IDCANCEL);
}

TEST(FileLists, ProtectedFilesIconsByExtension) {
    ListedFiles files;
    files.paths = {"C:\\x\\A.DLL", "C:\\x\\b.exe", "C:\\y z\\c.sys"};
    test::CommandFakes fakes;
    {
        ovix::CProtectedFiles window(&files);
        ASSERT_TRUE(window.CreateModeless());
        const ovix::ListPane& list = window.List();
        ASSERT_EQ(list.RowCount(), 3);
        EXPECT_EQ(list.Row(2), (Cells{"c.sys", "", "", "", "C:\\y z"}));
        EXPECT_EQ(window.Caption(), "3 Protected files");
        EXPECT_NE(ImageOf(list, 0), ImageOf(list, 1));
        EXPECT_NE(ImageOf(list, 1), ImageOf(list, 2));
        EXPECT_NE(ImageOf(list, 0), ImageOf(list, 2));
        test::SelectRows(list, {0});
        EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
                  "Google=1531;Show properties=1532;Open folder containing \"A.DLL\".=1533;"
                  "Copy to clipboard[Selected line=1534;All=1535];Close this window=1");
        ::SendMessageA(window.Hwnd(), WM_COMMAND, 1532, 0);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, 1533, 0);
        window.End(IDCANCEL);
    }
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"properties|C:\\x\\A.DLL|||5", "open|C:\\x|||10"}));
    files.paths.clear();
    ovix::CProtectedFiles empty(&files);
    ASSERT_TRUE(empty.CreateModeless());
    EXPECT_EQ(empty.Caption(), "0 Protected files");
    empty.End(IDCANCEL);
    ovix::CProtectedFiles real;  // the system's sfc.dll, whatever it answers
    ASSERT_TRUE(real.CreateModeless());
    EXPECT_EQ(real.Caption(), std::to_string(real.List().RowCount()) + " Protected files");
    real.End(IDCANCEL);
}

TEST(FileLists, FontsWithoutIniFilesInRowsOrTotal) {
    test::TempFolder fonts("fonts");
    test::WriteBytes(fonts.File("a.ttf"), 2048);
    test::WriteBytes(fonts.File("h.fon"), 10);
    ::SetFileAttributesA(fonts.File("h.fon").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::WriteBytes(fonts.File("DESKTOP.INI"), 5000);
    test::WriteBytes(fonts.File("x.ini"), 5000);
    test::FakeFolders folders;
    folders.special[CSIDL_FONTS] = fonts.Path();
    test::CommandFakes fakes;
    {
        ovix::CEnumFonts window(&folders);
        ASSERT_TRUE(window.CreateModeless());
        const ovix::ListPane& list = window.List();
        ASSERT_EQ(list.RowCount(), 2);
        const int a = test::RowWith(list, 0, "a.ttf"), h = test::RowWith(list, 0, "h.fon");
        ASSERT_GE(a, 0);
        ASSERT_GE(h, 0);
        EXPECT_EQ(list.Cell(a, 1), fonts.File("a.ttf"));
        EXPECT_EQ(list.Cell(a, 2), "2.00 KB");
        EXPECT_EQ(list.Cell(a, 3), CreatedText(fonts.File("a.ttf")));
        EXPECT_EQ(list.Cell(a, 5) + list.Cell(h, 5), "NoYes");
        EXPECT_EQ(window.Caption(), "2 Fonts installed: 2.01 KB");
        test::SelectRows(list, {a});
        for (UINT id : {1541u, 1542u, 1543u}) ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
        window.End(IDCANCEL);
    }
    EXPECT_EQ(fakes.launcher.calls,
              (std::vector<std::string>{"open|" + fonts.File("a.ttf") + "|||10", "print|" + fonts.File("a.ttf") + "|||10",
                                        "open|" + fonts.Path() + "|||10"}));
    test::TempFolder empty("fonts-empty");
    folders.special[CSIDL_FONTS] = empty.Path();
    ovix::CEnumFonts window(&folders);
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.List().RowCount(), 0);
    EXPECT_EQ(window.Caption(), "Fonts") << "not set";
    window.End(IDCANCEL);
}

// Five openings of each of the ten lists leave no object of any kind behind.
TEST(FileLists, EveryListReleasesWhatItTook) {
    test::TempFolder folder("release");
    test::WriteBytes(folder.File("f.dll"), 10);
    test::FakeFolders folders;
    folders.system = folders.windows = folder.Path();
    folders.special[CSIDL_FONTS] = folder.Path();
    test::FakeRowSource rows;
    rows.Add("Win32_Product", {{"Name", ovix::wmi::Value::OfText("p")}, {"PackageCache", ovix::wmi::Value::OfText("p.msi")}});
    ListedFiles files;
    files.paths = {folder.File("f.dll")};
    test::CommandFakes fakes;
    const auto openClose = [](ovix::SimpleList& window) {
        ASSERT_TRUE(window.CreateModeless());
        test::Pump();
        window.End(IDCANCEL);
    };
    const fw::ResourceKind kinds[] = {fw::ResourceKind::Kernel, fw::ResourceKind::Gdi, fw::ResourceKind::Icon,
                                      fw::ResourceKind::Menu, fw::ResourceKind::ImageList};
    long before[std::size(kinds)];
    for (size_t i = 0; i < std::size(kinds); ++i) before[i] = fw::LiveCount(kinds[i]);
    const long libraries = fw::LoadedLibrary::LiveCount();
    for (int round = 0; round < 5; ++round) {
        ovix::CInstallers packages(&rows);
        ovix::CComApp com(&rows);
        ovix::CCodecList codecs(&rows);
        ovix::CDLLCache cache(&folders);
        ovix::CExeList executables(&folders);
        ovix::CProtectedFiles protectedFiles(&files);
        ovix::CEnumFonts fonts(&folders);
        ovix::CEnumDesktopWindows windows;
        ovix::CDisplayModes modes;
        ovix::CShellfolder shellFolders(&folders);
        for (ovix::SimpleList* window : std::initializer_list<ovix::SimpleList*>{
                 &packages, &com, &codecs, &cache, &executables, &protectedFiles, &fonts, &windows, &modes,
                 &shellFolders}) {
            openClose(*window);
        }
    }
    for (size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(fw::LiveCount(kinds[i]), before[i]) << "kind " << static_cast<int>(kinds[i]);
    }
    EXPECT_EQ(fw::LoadedLibrary::LiveCount(), libraries);
}

}  // namespace
