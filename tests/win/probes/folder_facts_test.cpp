// Folder and file facts on folders the tests build under build/.
#include "probes/system_probes.h"

#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/probe_test_support.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

// Through "\\?\" paths, which may be longer than MAX_PATH.
std::wstring Long(const std::string& path) { return L"\\\\?\\" + test::Widen(path); }

// A path ending in '\' makes a folder, any other a file of the given size.
void Make(const std::string& path, uint64_t size = 1) {
    if (path.back() == '\\') {
        ASSERT_TRUE(::CreateDirectoryW(Long(path.substr(0, path.size() - 1)).c_str(), nullptr)) << path.size();
        return;
    }
    fw::UniqueHandle file(::CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << path.size();
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    // Set by its end only: a large file stays sparse on the disk.
    EXPECT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get())) << path;
}

// The runtime's "%c" in the C locale: month/day/two-digit year and the time.
std::string CText(const FILETIME& time) {
    SYSTEMTIME utc{}, local{};
    ::FileTimeToSystemTime(&time, &utc);
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return fw::Format("%02d/%02d/%02d %02d:%02d:%02d", local.wMonth, local.wDay, local.wYear % 100, local.wHour,
                      local.wMinute, local.wSecond);
}

// Gives the file or folder the times of 4 March 2002 (access) and 5 April 2003 (write), 06:07:08 UTC.
void SetTimes(const std::string& path, FILETIME& access, FILETIME& write) {
    const SYSTEMTIME accessed{2002, 3, 0, 4, 6, 7, 8, 0}, written{2003, 4, 0, 5, 6, 7, 8, 0};
    ::SystemTimeToFileTime(&accessed, &access);
    ::SystemTimeToFileTime(&written, &write);
    fw::UniqueHandle handle(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(handle) << path;
    EXPECT_TRUE(::SetFileTime(handle.Get(), nullptr, &access, &write));
}

FILETIME Created(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftCreationTime;
}

std::string Walked(const FolderFacts& facts) { return facts.folderCount + "|" + facts.fileCount + "|" + facts.size; }

class ProbeFolderFacts : public testing::Test {
protected:
    void SetUp() override { handlesBefore_ = fw::LiveCount(fw::ResourceKind::Kernel); }
    void TearDown() override { EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), handlesBefore_); }
    long handlesBefore_ = 0;
};

TEST_F(ProbeFolderFacts, CountsSizesAndTimesOfATreeWithALinkBackUp) {
    test::TempFolder folder("probe-walk");
    const std::string tree = folder.File("tree");
    for (const auto& [name, size] : {std::pair<const char*, uint64_t>{"\\", 0}, {"\\a.bin", 1048576 - 100},
                                     {"\\sub1\\", 0}, {"\\sub1\\b.bin", 60}, {"\\sub1\\sub2\\", 0},
                                     {"\\sub1\\sub2\\c.bin", 40}, {"\\empty\\", 0}}) {
        Make(tree + name, size);
    }
    // A link back up to the tree itself: entered, it would never end.
    const test::FolderLink up(tree + "\\sub1\\up", "..");
    ASSERT_TRUE(up.IsLink()) << "no folder link could be made";
    FILETIME accessed{}, written{};
    SetTimes(tree, accessed, written);

    FolderFacts facts = ReadFolderFacts(tree);
    EXPECT_EQ(facts.root, "Root: " + folder.Path());
    EXPECT_EQ(facts.created, "Creation: " + CText(Created(tree)));
    EXPECT_EQ(facts.modified, "Last Modified: " + CText(written));
    TIME_ZONE_INFORMATION zone{};
    if (::GetTimeZoneInformation(&zone) == TIME_ZONE_ID_UNKNOWN && zone.Bias == 0) {
        EXPECT_EQ(facts.modified, "Last Modified: 04/05/03 06:07:08");  // in UTC, as here
    }
    // sub1, sub2, empty and the link; exactly 1 MiB has no size line.
    EXPECT_EQ(Walked(facts), "Number of Folders: 4|Number of Files: 3|");
    EXPECT_EQ(Walked(ReadFolderFacts(tree + "\\sub1\\sub2")), "Number of Folders: 0|Number of Files: 1|");
    // A missing folder and a file have no counts; the missing folder has no entry lines either.
    for (const std::string& path : {tree + "\\a.bin", folder.File("no such folder")}) {
        facts = ReadFolderFacts(path);
        EXPECT_EQ(Walked(facts), "Number of Folders: Not find|Number of Files: Not find|Size: Not find") << path;
    }
    EXPECT_EQ(facts.root + facts.created, "");
    // Sizes beyond 32 bits add up; a trailing backslash names the same folder.
    Make(tree + "\\sub1\\sub2\\d.bin", (5ull << 30) - 1048576);
    facts = ReadFolderFacts(tree + "\\");
    EXPECT_EQ(facts.root, "Root: " + folder.Path());
    EXPECT_EQ(Walked(facts), "Number of Folders: 4|Number of Files: 4|Size: 5.00 GB");
}

// Paths the ANSI calls cannot take (MAX_PATH with its NUL) are skipped.
TEST_F(ProbeFolderFacts, PathsBeyondMaxPathAreSkipped) {
    test::TempFolder folder("probe-long");
    const std::string base = folder.Path();
    ASSERT_LT(base.size(), 140u);
    const std::string a = base + "\\" + std::string(150 - base.size() - 1, 'a');  // 150 characters
    const std::string b = a + "\\" + std::string(99, 'b');                         // 250
    const std::string c = b + "\\cc", d = b + "\\" + std::string(20, 'd');    // 253 and 271
    // Files of 259 characters are counted, of 260 one too long; z lies below a skipped folder.
    const std::vector<std::string> paths{a + "\\",          b + "\\",         c + "\\",        d + "\\",
                                         b + "\\12345678",  b + "\\123456789", c + "\\x.bin", c + "\\xy.bin",
                                         d + "\\z"};
    for (const auto& path : paths) Make(path, 10);
    EXPECT_EQ(Walked(ReadFolderFacts(base)), "Number of Folders: 3|Number of Files: 2|");
    // The shell's delete takes no such paths: remove them here.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        if (it->back() != '\\') ::DeleteFileW(Long(*it).c_str());
        else ::RemoveDirectoryW(Long(it->substr(0, it->size() - 1)).c_str());
    }
    EXPECT_EQ(::GetFileAttributesA(a.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProbeFolderFacts, FileTimesItemCountsAndScreenSavers) {
    test::TempFolder folder("probe-items");
    // first\inside.txt is not counted: the count is not recursive.
    for (const char* name : {"one.txt", "two.lnk", "three.url", "first\\", "second\\", "first\\inside.txt"}) {
        Make(folder.File(name));
    }
    EXPECT_EQ(FolderItemCountLine(folder.Path()), "Number of Items: 5 (including 2 folders)");
    EXPECT_EQ(FolderItemCountLine(folder.File("no such folder")), "Number of Items: Not find");

    test::TempFolder savers("probe-savers");
    // The short name of notes.scrap ends in .SCR; folder.scr is a folder.
    for (const char* name : {"stars.scr", "BLANK.SCR", "readme.txt", "notes.scrap", "folder.scr\\"}) {
        Make(savers.File(name));
    }
    const std::string file = savers.File("stars.scr");
    FILETIME accessed{}, written{};
    SetTimes(file, accessed, written);
    const auto joined = [](const FileTimeLines& l) { return l.created + "|" + l.lastAccess + "|" + l.modified; };
    EXPECT_EQ(joined(ReadFileTimeLines(file)), "Creation: " + CText(Created(file)) + "|Last access: " +
                                                   CText(accessed) + "|Last Modified: " + CText(written));
    EXPECT_EQ(joined(ReadFileTimeLines(savers.File("missing.sys"))),
              "Creation: Not find|Last access: Not find|Last Modified: Not find");

    std::vector<std::string> lines{"kept"};
    ScreenSaverFilesIn(savers.Path(), lines);
    std::sort(lines.begin() + 1, lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", savers.File("BLANK.SCR"), savers.File("stars.scr")}));
    lines.clear();
    ScreenSaverFilesIn(savers.File("missing"), lines);
    EXPECT_TRUE(lines.empty());
}

}  // namespace
