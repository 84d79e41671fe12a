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
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

void MakeFile(const std::string& path, uint64_t size) {
    fw::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << path;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    // Set by its end only: a large file stays sparse on the disk.
    EXPECT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get())) << path;
}

void MakeFolder(const std::string& path) { ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path; }

FILETIME UtcTime(WORD year, WORD month, WORD day) {
    const SYSTEMTIME time{year, month, 0, day, 6, 7, 8, 0};
    FILETIME result{};
    ::SystemTimeToFileTime(&time, &result);
    return result;
}

// The runtime's "%c" in the C locale: month/day/two-digit year and the time.
std::string CText(const FILETIME& time) {
    SYSTEMTIME utc{}, local{};
    ::FileTimeToSystemTime(&time, &utc);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return fw::Format("%02d/%02d/%02d %02d:%02d:%02d", local.wMonth, local.wDay, local.wYear % 100, local.wHour,
                      local.wMinute, local.wSecond);
}

void SetTimes(const std::string& path, const FILETIME* access, const FILETIME* write) {
    fw::UniqueHandle handle(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(handle) << path;
    EXPECT_TRUE(::SetFileTime(handle.Get(), nullptr, access, write));
}

WIN32_FILE_ATTRIBUTE_DATA Attributes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data;
}

class ProbeFolderFacts : public testing::Test {
protected:
    void SetUp() override { handlesBefore_ = fw::LiveCount(fw::ResourceKind::Kernel); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), handlesBefore_); }
    long handlesBefore_ = 0;
};

TEST_F(ProbeFolderFacts, CountsSizesAndTimesOfATreeWithALinkBackUp) {
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
    EXPECT_EQ(facts.created, "Creation: " + CText(Attributes(tree).ftCreationTime));
    EXPECT_EQ(facts.modified, "Last Modified: " + CText(written));
    TIME_ZONE_INFORMATION zone{};
    if (::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN && zone.Bias == 0) {
        EXPECT_EQ(facts.modified, "Last Modified: 04/05/03 06:07:08");  // in UTC, as here
    }
    EXPECT_EQ(facts.folderCount, "Number of Folders: 4");  // sub1, sub2, empty and the link
    EXPECT_EQ(facts.fileCount, "Number of Files: 3");
    EXPECT_EQ(facts.size, "");  // exactly 1 MiB

    MakeFile(tree + "\\sub1\\sub2\\d.bin", 1);
    facts = ReadFolderFacts(tree);
    EXPECT_EQ(facts.fileCount, "Number of Files: 4");
    EXPECT_EQ(facts.size, "Size: 1.00 MB");
    MakeFile(tree + "\\a.bin", 5ull << 30);  // beyond 32 bits
    // A trailing backslash names the same folder.
    facts = ReadFolderFacts(tree + "\\");
    EXPECT_EQ(facts.root, "Root: " + folder.Path());
    EXPECT_EQ(facts.size, "Size: 5.00 GB");
    EXPECT_EQ(facts.folderCount, "Number of Folders: 4");
    ::DeleteFileA((tree + "\\a.bin").c_str());
}

TEST_F(ProbeFolderFacts, MissingFolderOrAFileGivesNotFindLines) {
    test::TempFolder folder("probe-missing");
    MakeFile(folder.File("plain.txt"), 5);
    for (const std::string& path : {folder.File("no such folder"), folder.File("plain.txt")}) {
        const FolderFacts facts = ReadFolderFacts(path);
        EXPECT_EQ(facts.folderCount, "Number of Folders: Not find");
        EXPECT_EQ(facts.fileCount, "Number of Files: Not find");
        EXPECT_EQ(facts.size, "Size: Not find");
    }
    EXPECT_EQ(ReadFolderFacts(folder.File("no such folder")).root, "");
    EXPECT_EQ(ReadFolderFacts(folder.File("no such folder")).created, "");
    const FolderFacts one = ReadFolderFacts(folder.Path());
    EXPECT_EQ(one.folderCount, "Number of Folders: 0");
    EXPECT_EQ(one.fileCount, "Number of Files: 1");
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
    const std::vector<std::string> folders{a, b, c, d};
    const std::vector<std::pair<std::string, uint64_t>> files{
        {b + "\\12345678", 10},    // 259: counted
        {b + "\\123456789", 1000}, // 260: one too long
        {c + "\\x.bin", 20},       // 259: counted
        {c + "\\xy.bin", 3000},    // 260
        {d + "\\z", 2000},         // below a skipped folder
    };
    const auto wide = [](const std::string& path) { return L"\\\\?\\" + test::Widen(path); };
    for (const auto& path : folders) ASSERT_TRUE(::CreateDirectoryW(wide(path).c_str(), nullptr)) << path.size();
    for (const auto& [path, size] : files) {
        fw::UniqueHandle file(::CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file) << path.size();
        const std::string data(size, 'x');
        DWORD written = 0;
        ::WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    }
    const FolderFacts facts = ReadFolderFacts(base);
    EXPECT_EQ(facts.folderCount, "Number of Folders: 3");
    EXPECT_EQ(facts.fileCount, "Number of Files: 2");
    // The shell's delete takes no such paths: remove them here.
    for (auto it = files.rbegin(); it != files.rend(); ++it) ::DeleteFileW(wide(it->first).c_str());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) ::RemoveDirectoryW(wide(*it).c_str());
    EXPECT_EQ(::GetFileAttributesA(a.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProbeFolderFacts, WindowsAndSystemFolders) {
    char buffer[MAX_PATH + 1] = "";
    ::GetWindowsDirectoryA(buffer, sizeof(buffer));
    const std::string windows = buffer;
    ::GetSystemDirectoryA(buffer, sizeof(buffer));
    const std::string system = buffer;
    EXPECT_EQ(WindowsFolderRoot(), "Root: " + windows.substr(0, 3));  // "C:\"
    EXPECT_EQ(SystemFolderRoot(), "Root: " + windows);
    EXPECT_EQ(WindowsFolderCreated(), "Creation: " + CText(Attributes(windows).ftCreationTime));
    EXPECT_EQ(SystemFolderModified(), "Last Modified: " + CText(Attributes(system).ftLastWriteTime));
    const FolderFacts facts = ReadFolderFacts(system);
    EXPECT_EQ(SystemFolderFileCount(), facts.fileCount);
    EXPECT_EQ(facts.size.rfind("Size: ", 0), 0u) << facts.size;  // the system folder holds more than 1 MiB
    // The system folder lies inside the Windows folder: more of everything there.
    const auto number = [](const std::string& line) { return std::atoll(line.c_str() + line.find(':') + 2); };
    EXPECT_GT(number(facts.fileCount), 100);
    EXPECT_GT(number(WindowsFolderFileCount()), number(facts.fileCount));
    EXPECT_GT(number(WindowsFolderFolderCount()), number(facts.folderCount));
    EXPECT_EQ(SpecialFolderPath(CSIDL_WINDOWS), windows);
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
    EXPECT_EQ(lines.created, "Creation: " + CText(Attributes(file).ftCreationTime));
    EXPECT_EQ(lines.lastAccess, "Last access: " + CText(accessed));
    EXPECT_EQ(lines.modified, "Last Modified: " + CText(written));
    const FileTimeLines none = ReadFileTimeLines(folder.File("missing.sys"));
    EXPECT_EQ(none.created, "Creation: Not find");
    EXPECT_EQ(none.lastAccess, "Last access: Not find");
    EXPECT_EQ(none.modified, "Last Modified: Not find");
    if (::GetFileAttributesA("C:\\pagefile.sys") == INVALID_FILE_ATTRIBUTES) {  // Wine has none
        EXPECT_EQ(PageFileCreated(), "Creation: Not find");
        EXPECT_EQ(PageFileLastAccess(), "Last access: Not find");
    } else {
        EXPECT_EQ(PageFileModified(), ReadFileTimeLines("C:\\pagefile.sys").modified);
    }
}

TEST_F(ProbeFolderFacts, ItemCountsAndScreenSavers) {
    test::TempFolder folder("probe-items");
    for (const char* name : {"one.txt", "two.lnk", "three.url"}) MakeFile(folder.File(name), 1);
    MakeFolder(folder.File("first"));
    MakeFolder(folder.File("second"));
    MakeFile(folder.File("first\\inside.txt"), 1);  // not counted: the count is not recursive
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 5 (including 2 folders)");
    ASSERT_TRUE(::RemoveDirectoryA(folder.File("second").c_str()));
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 4 (including 1 folder)");
    EXPECT_EQ(FolderItemCountLine(folder.File("no such folder")), "Number of Items: Not find");
    EXPECT_EQ(DesktopItemCount(), FolderItemCountLine(SpecialFolderPath(CSIDL_DESKTOP)));

    test::TempFolder savers("probe-savers");
    MakeFile(savers.File("stars.scr"), 1);
    MakeFile(savers.File("BLANK.SCR"), 1);
    MakeFile(savers.File("notes.scrap"), 1);  // its short name ends in .SCR
    MakeFile(savers.File("readme.txt"), 1);
    MakeFolder(savers.File("folder.scr"));
    std::vector<std::string> lines{"kept"};
    ScreenSaverFilesIn(savers.Path(), lines);
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", savers.File("BLANK.SCR"), savers.File("stars.scr")}));
    lines.clear();
    ScreenSaverFilesIn(savers.File("missing"), lines);
    EXPECT_TRUE(lines.empty());
    ScreenSaverFiles(lines);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.rfind(SystemDirectory() + "\\", 0), 0u) << line;
        EXPECT_EQ(::lstrcmpiA(line.c_str() + line.size() - 4, ".scr"), 0) << line;
    }
}

}  // namespace
