#include "tools/cleaner_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(CleanerLines, TemporaryFilesAtEachThreshold) {
    EXPECT_EQ(ovix::TempFilesLine(0, 0), " -> No temporary files to delete.");
    EXPECT_EQ(ovix::TempFilesLine(1, 0), " -> 1 temporary file deleted. Released: 0 Bytes.");
    EXPECT_EQ(ovix::TempFilesLine(2, 1024), " -> 2 temporary files deleted. Released: 1024 Bytes.");
    EXPECT_EQ(ovix::TempFilesLine(2, 1025), "-> 2 temporary files deleted. Released: 1 Kb.");
    EXPECT_EQ(ovix::TempFilesLine(1, 3000), " -> 1 temporary file deleted. Released: 2 Kb.");
    EXPECT_EQ(ovix::TempFilesLine(3, 5000000000ull), "-> 3 temporary files deleted. Released: 4882812 Kb.");
    EXPECT_EQ(ovix::PrefetchLine(1, 3000 / 1024.0f), " -> Prefetch folder: Deleted: 1 files. Released: 2.93 Kb");
    EXPECT_EQ(ovix::CookiesLine(1), " -> 1 cookie deleted.");
    EXPECT_EQ(ovix::CookiesLine(0), " -> No cookies to delete.");
    EXPECT_EQ(ovix::InternetFilesLine(2), " -> 2 temporary Internet files deleted.");
}

TEST(CleanerLines, RecycleBinBySize) {
    EXPECT_EQ(ovix::RecycleBinLine(3, 0), " -> Recycle Bin is empty.") << "items of size 0";
    EXPECT_EQ(ovix::RecycleBinLine(1, 1024), " -> Recycle Bin: Deleted: 1 element. Released: 1024 Bytes.");
    EXPECT_EQ(ovix::RecycleBinLine(2, 1025), " -> Recycle Bin: Deleted: 2 elements. Released: 1 Kb.");
    EXPECT_EQ(ovix::RecycleBinLine(0, 1048576), " -> Recycle Bin: Deleted: 0 elements. Released: 1024 Kb.");
    EXPECT_EQ(ovix::RecycleBinLine(1, 1048577), " -> Recycle Bin: Deleted: 1 element. Released about: 1 MB.");
    EXPECT_EQ(ovix::RecycleBinLine(5, 1073741824), " -> Recycle Bin: Deleted: 5 elements. Released about: 1024 MB.");
    EXPECT_EQ(ovix::RecycleBinLine(5, 1073741825), " -> Recycle Bin: Deleted: 5 elements. Released about: 1 GB.");
}

TEST(CleanerTempFolders, OnlyTempFoldersHoldingNothingOfTheSystem) {
    const std::vector<std::string> kept = {"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\Documents and Settings\\ann",
                                           "C:\\Documents and Settings\\ann\\Desktop"};
    for (const char* folder : {"C:\\WINDOWS\\Temp", "D:\\TMP\\", "c:\\documents and settings\\ann\\Local Settings\\temp",
                               "\\\\server\\share\\Temp"}) {
        EXPECT_TRUE(ovix::IsCleanableTempFolder(folder, kept)) << folder;
    }
    for (const char* folder : {"C:\\", "C:", "", "Temp", "C:Temp", "C:\\Documents and Settings\\ann",
                               "C:\\Documents and Settings\\ann\\Desktop", "C:\\Documents and Settings",
                               "C:\\Temp*", "C:\\Temp2", "\\\\server\\Temp"}) {
        EXPECT_FALSE(ovix::IsCleanableTempFolder(folder, kept)) << folder;
    }
    // A "Temp" that holds the profile (a profile kept below it).
    EXPECT_FALSE(ovix::IsCleanableTempFolder("D:\\Temp", {"D:\\Temp\\Profiles\\ann"}));
    EXPECT_TRUE(ovix::IsCleanableTempFolder("D:\\Temp", {"D:\\Temp2\\ann", "D:\\"}));
}

}  // namespace
