// Folder and file facts on folders the tests build under build/.
#include "probes/system_probes.h"

#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/probe_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

void MakeFile(const std::string& path, uint64_t size) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    // Set by its end only: a large file stays sparse on the disk.
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file)) << path;
    ::CloseHandle(file);
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path; }

FILETIME UtcTime(WORD year, WORD month, WORD day) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = 6;
    time.wMinute = 7;
    time.wSecond = 8;
    FILETIME result{};
    ::SystemTimeToFileTime(&time, &result);
    return result;
}

// The runtime's "%c" in the C locale: month/day/two-digit year and the time.
std::string CText(const FILETIME& time) {
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    ::FileTimeToSystemTime(&time, &utc);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return fw::Format("%02d/%02d/%02d %02d:%02d:%02d", local.wMonth, local.wDay, local.wYear % 100, local.wHour,
                      local.wMinute, local.wSecond);
}

void SetTimes(const std::string& path, const FILETIME* access, const FILETIME* write) {
    const HANDLE handle = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
    EXPECT_TRUE(::SetFileTime(handle, nullptr, access, write));
    ::CloseHandle(handle);
}

FILETIME CreationTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftCreationTime;
}

class ProbeFolderFacts : public testing::Test {
protected:
    void SetUp() override { handlesBefore_ = fw::LiveCount(fw::ResourceKind::Kernel); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), handlesBefore_); }
    long handlesBefore_ = 0;
};

TEST_F(ProbeFolderFacts, CountsSizesAndTimesOfATree) {
    test::TempFolder folder("probe-walk");
    const std::string tree = folder.File("tree");
    MakeFolder(tree);
    MakeFile(tree + "\\a.bin", 1048576 - 100);
    MakeFolder(tree + "\\sub1");
    MakeFile(tree + "\\sub1\\b.bin", 60);
    MakeFolder(tree + "\\sub1\\sub2");
    MakeFile(tree + "\\sub1\\sub2\\c.bin", 40);
    MakeFolder(tree + "\\empty");
    // A link back up to the tree itself: entered, it would never end.
    const test::FolderLink up(tree + "\\sub1\\up", "..");
    ASSERT_TRUE(up.IsLink()) << "no folder link could be made";
    const FILETIME written = UtcTime(2003, 4, 5);
    SetTimes(tree, nullptr, &written);

    FolderFacts facts = ReadFolderFacts(tree);
    EXPECT_EQ(facts.root, "Root: " + folder.Path());
    EXPECT_EQ(facts.created, "Creation: " + CText(CreationTimeOf(tree)));
    EXPECT_EQ(facts.modified, "Last Modified: " + CText(written));
    TIME_ZONE_INFORMATION zone{};
    if (::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN && zone.Bias == 0) {
        // In UTC (as here) the text is known to the second.
        EXPECT_EQ(facts.modified, "Last Modified: 04/05/03 06:07:08");
    }
    EXPECT_EQ(facts.folderCount, "Number of Folders: 4");  // sub1, sub2, empty and the link
    EXPECT_EQ(facts.fileCount, "Number of Files: 3");
    EXPECT_EQ(facts.size, "");  // exactly 1 MiB

    MakeFile(tree + "\\sub1\\sub2\\d.bin", 1);
    facts = ReadFolderFacts(tree);
    EXPECT_EQ(facts.fileCount, "Number of Files: 4");
    EXPECT_EQ(facts.size, "Size: 1.00 MB");

    // Beyond 32 bits.
    MakeFile(tree + "\\a.bin", 5ull * 1024 * 1024 * 1024);
    facts = ReadFolderFacts(tree);
    EXPECT_EQ(facts.size, "Size: 5.00 GB");
    EXPECT_EQ(facts.folderCount, "Number of Folders: 4");

    // A trailing backslash names the same folder.
    const FolderFacts again = ReadFolderFacts(tree + "\\");
    EXPECT_EQ(again.root, facts.root);
    EXPECT_EQ(again.fileCount, facts.fileCount);
    EXPECT_EQ(again.size, facts.size);
    ::DeleteFileA((tree + "\\a.bin").c_str());
}

TEST_F(ProbeFolderFacts, MissingFolderGivesNotFindLines) {
    test::TempFolder folder("probe-missing");
    const FolderFacts facts = ReadFolderFacts(folder.File("no such folder"));
    EXPECT_EQ(facts.root, "");
    EXPECT_EQ(facts.created, "");
    EXPECT_EQ(facts.modified, "");
    EXPECT_EQ(facts.folderCount, "Number of Folders: Not find");
    EXPECT_EQ(facts.fileCount, "Number of Files: Not find");
    EXPECT_EQ(facts.size, "Size: Not find");

    // A file is not a folder to walk.
    MakeFile(folder.File("plain.txt"), 5);
    const FolderFacts file = ReadFolderFacts(folder.File("plain.txt"));
    EXPECT_EQ(file.fileCount, "Number of Files: Not find");

    const FolderFacts empty = ReadFolderFacts(folder.Path());
    EXPECT_EQ(empty.folderCount, "Number of Folders: 0");
    EXPECT_EQ(empty.fileCount, "Number of Files: 1");
    EXPECT_EQ(empty.size, "");
}

// Paths the ANSI calls cannot take (MAX_PATH with its NUL) are skipped.
TEST_F(ProbeFolderFacts, PathsBeyondMaxPathAreSkipped) {
    test::TempFolder folder("probe-long");
    const std::string base = folder.Path();
    ASSERT_LT(base.size(), 140u);
    const std::string a = base + "\\" + std::string(150 - base.size() - 1, 'a');  // 150 characters
    const std::string b = a + "\\" + std::string(99, 'b');                         // 250
    const std::string c = b + "\\cc";                                               // 253
    const std::string d = b + "\\" + std::string(20, 'd');                          // 271
    std::vector<std::string> folders{a, b, c, d};
    std::vector<std::pair<std::string, uint64_t>> files{
        {b + "\\12345678", 10},    // 259: counted
        {b + "\\123456789", 1000}, // 260: one too long
        {c + "\\x.bin", 20},       // 259: counted
        {c + "\\xy.bin", 3000},    // 260
        {d + "\\z", 2000},         // below a skipped folder
    };
    const auto wide = [](const std::string& path) { return L"\\\\?\\" + test::Widen(path); };
    for (const auto& path : folders) ASSERT_TRUE(::CreateDirectoryW(wide(path).c_str(), nullptr)) << path.size();
    for (const auto& [path, size] : files) {
        const HANDLE file =
            ::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path.size();
        std::string data(size, 'x');
        DWORD written = 0;
        ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
        ::CloseHandle(file);
    }

    const FolderFacts facts = ReadFolderFacts(base);
    EXPECT_EQ(facts.folderCount, "Number of Folders: 3");
    EXPECT_EQ(facts.fileCount, "Number of Files: 2");

    // The shell's delete takes no such paths: remove them here.
    for (auto it = files.rbegin(); it != files.rend(); ++it) ::DeleteFileW(wide(it->first).c_str());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) ::RemoveDirectoryW(wide(*it).c_str());
    EXPECT_EQ(::GetFileAttributesA(a.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProbeFolderFacts, WindowsAndSystemFolderProbes) {
    const std::string windows = WindowsDirectory();
    const std::string system = SystemDirectory();
    ASSERT_NE(windows, "Not find");
    ASSERT_NE(system, "Not find");
    EXPECT_EQ(WindowsFolderRoot(), "Root: " + windows.substr(0, 3));  // "C:\"
    EXPECT_EQ(SystemFolderRoot(), "Root: " + windows);
    EXPECT_EQ(WindowsFolderCreated(), "Creation: " + CText(CreationTimeOf(windows)));
    EXPECT_EQ(SystemFolderCreated(), "Creation: " + CText(CreationTimeOf(system)));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExA(system.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(SystemFolderModified(), "Last Modified: " + CText(data.ftLastWriteTime));

    const FolderFacts facts = ReadFolderFacts(system);
    EXPECT_EQ(SystemFolderFileCount(), facts.fileCount);
    EXPECT_EQ(SystemFolderFolderCount(), facts.folderCount);
    EXPECT_EQ(SystemFolderSize(), facts.size);
    EXPECT_EQ(facts.size.rfind("Size: ", 0), 0u) << facts.size;  // the system folder holds more than 1 MiB
    EXPECT_GT(std::atoi(facts.fileCount.c_str() + std::strlen("Number of Files: ")), 100);

    // The system folder lies inside the Windows folder: more of everything there.
    const auto number = [](const std::string& line) { return std::atoll(line.c_str() + line.find(':') + 2); };
    EXPECT_GT(number(WindowsFolderFileCount()), number(facts.fileCount));
    EXPECT_GT(number(WindowsFolderFolderCount()), number(facts.folderCount));
    EXPECT_EQ(WindowsFolderSize().rfind("Size: ", 0), 0u);
    EXPECT_EQ(WindowsFolderModified().rfind("Last Modified: ", 0), 0u);
}

TEST(ProbeFolderPaths, SystemFoldersAndNames) {
    char buffer[MAX_PATH + 1] = "";
    ::GetWindowsDirectoryA(buffer, sizeof(buffer));
    EXPECT_EQ(WindowsDirectory(), buffer);
    ::GetSystemDirectoryA(buffer, sizeof(buffer));
    EXPECT_EQ(SystemDirectory(), buffer);
    DWORD size = sizeof(buffer);
    ::GetComputerNameA(buffer, &size);
    EXPECT_EQ(ComputerName(), buffer);
    EXPECT_FALSE(ComputerName().empty());
    size = sizeof(buffer);
    ::GetUserNameA(buffer, &size);
    EXPECT_EQ(UserName(), buffer);
    EXPECT_EQ(SpecialFolderPath(CSIDL_WINDOWS), WindowsDirectory());
    EXPECT_EQ(SpecialFolderPath(0x7E), "Folder not found.");
}

TEST_F(ProbeFolderFacts, FileTimeLinesOfAFileAndOfNone) {
    test::TempFolder folder("probe-times");
    const std::string file = folder.File("pagefile.sys");
    MakeFile(file, 10);
    const FILETIME accessed = UtcTime(2002, 3, 4);
    const FILETIME written = UtcTime(2003, 4, 5);
    SetTimes(file, &accessed, &written);
    const FileTimeLines lines = ReadFileTimeLines(file);
    EXPECT_EQ(lines.created, "Creation: " + CText(CreationTimeOf(file)));
    EXPECT_EQ(lines.lastAccess, "Last access: " + CText(accessed));
    EXPECT_EQ(lines.modified, "Last Modified: " + CText(written));

    const FileTimeLines none = ReadFileTimeLines(folder.File("missing.sys"));
    EXPECT_EQ(none.created, "Creation: Not find");
    EXPECT_EQ(none.lastAccess, "Last access: Not find");
    EXPECT_EQ(none.modified, "Last Modified: Not find");

    if (::GetFileAttributesA("C:\\pagefile.sys") == INVALID_FILE_ATTRIBUTES) {  // Wine has none
        EXPECT_EQ(PageFileCreated(), "Creation: Not find");
        EXPECT_EQ(PageFileLastAccess(), "Last access: Not find");
        EXPECT_EQ(PageFileModified(), "Last Modified: Not find");
    } else {
        EXPECT_EQ(PageFileModified(), ReadFileTimeLines("C:\\pagefile.sys").modified);
    }
}

TEST_F(ProbeFolderFacts, ItemCountInItsThreeForms) {
    test::TempFolder folder("probe-items");
    for (const char* name : {"one.txt", "two.lnk", "three.url"}) MakeFile(folder.File(name), 1);
    MakeFolder(folder.File("first"));
    MakeFolder(folder.File("second"));
    MakeFile(folder.File("first\\inside.txt"), 1);  // not counted: the count is not recursive
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 5 (including 2 folders)");
    ASSERT_TRUE(::RemoveDirectoryA(folder.File("second").c_str()));
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 4 (including 1 folder)");
    ASSERT_TRUE(::DeleteFileA(folder.File("first\\inside.txt").c_str()));
    ASSERT_TRUE(::RemoveDirectoryA(folder.File("first").c_str()));
    ASSERT_TRUE(::DeleteFileA(folder.File("three.url").c_str()));
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 2");
    EXPECT_EQ(FolderItemCountLine(folder.File("no such folder")), "Number of Items: Not find");

    // The user's desktop cannot be controlled: its line has one of the forms.
    const std::string desktop = DesktopItemCount();
    EXPECT_EQ(desktop.rfind("Number of Items: ", 0), 0u) << desktop;
    EXPECT_EQ(desktop, FolderItemCountLine(SpecialFolderPath(CSIDL_DESKTOP)));
}

TEST_F(ProbeFolderFacts, ScreenSaverFilesByTheirExtension) {
    test::TempFolder folder("probe-savers");
    MakeFile(folder.File("stars.scr"), 1);
    MakeFile(folder.File("BLANK.SCR"), 1);
    MakeFile(folder.File("notes.scrap"), 1);  // its short name ends in .SCR
    MakeFile(folder.File("readme.txt"), 1);
    MakeFolder(folder.File("folder.scr"));
    std::vector<std::string> lines{"kept"};
    ScreenSaverFilesIn(folder.Path(), lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "kept");
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines[1], folder.File("BLANK.SCR"));
    EXPECT_EQ(lines[2], folder.File("stars.scr"));

    lines.clear();
    ScreenSaverFilesIn(folder.File("missing"), lines);
    EXPECT_TRUE(lines.empty());

    ScreenSaverFiles(lines);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(SystemDirectory() + "\\", 0), 0u) << line;
        EXPECT_EQ(::lstrcmpiA(line.c_str() + line.size() - 4, ".scr"), 0) << line;
    }
}

}  // namespace
