#include "app/folder_icon.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string IniValue(const std::string& ini, const char* key) {
    char value[MAX_PATH] = "";
    ::GetPrivateProfileStringA(".ShellClassInfo", key, "", value, sizeof(value), ini.c_str());
    return value;
}

TEST(FolderIcon, WritesIconFileAndHidesTheIni) {
    test::TempFolder folder("folder-icon-new");
    const std::string exe = folder.File("Ovix.exe");
    ASSERT_EQ(ovix::MarkFolderWithIcon(folder.Path(), exe), ovix::FolderMark::Written);
    const std::string ini = folder.File("Desktop.ini");
    EXPECT_EQ(IniValue(ini, "IconFile"), exe);
    EXPECT_EQ(IniValue(ini, "IconIndex"), "0");
    const DWORD attributes = ::GetFileAttributesA(ini.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
}

TEST(FolderIcon, OursIsRewrittenOnTheNextStart) {
    test::TempFolder folder("folder-icon-again");
    const std::string exe = folder.File("Ovix.exe");
    ASSERT_EQ(ovix::MarkFolderWithIcon(folder.Path(), exe), ovix::FolderMark::Written);
    // The same program under another letter case is still us.
    std::string upper = exe;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ovix::MarkFolderWithIcon(folder.Path(), upper), ovix::FolderMark::Written);
    EXPECT_EQ(IniValue(folder.File("Desktop.ini"), "IconFile"), upper);
}

TEST(FolderIcon, AForeignIniIsLeftAlone) {
    for (const std::string foreign :
         {"[.ShellClassInfo]\r\nIconFile=C:\\Other\\tool.exe\r\nIconIndex=3\r\n[Extra]\r\nx=1\r\n",
          "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21798\r\n"}) {  // no icon: not ours either
        test::TempFolder folder("folder-icon-foreign");
        const std::string ini = folder.File("Desktop.ini");
        std::ofstream(ini, std::ios::binary) << foreign;
        EXPECT_EQ(ovix::MarkFolderWithIcon(folder.Path(), folder.File("Ovix.exe")), ovix::FolderMark::Foreign);
        EXPECT_EQ(ReadAll(ini), foreign);
    }
}

TEST(FolderIcon, NeverOnADriveRoot) {
    EXPECT_EQ(ovix::MarkFolderWithIcon("C:", "C:\\Ovix.exe"), ovix::FolderMark::DriveRoot);
    EXPECT_EQ(ovix::MarkFolderWithIcon("C:\\", "C:\\Ovix.exe"), ovix::FolderMark::DriveRoot);
    EXPECT_EQ(::GetFileAttributesA("C:\\Desktop.ini"), INVALID_FILE_ATTRIBUTES);
}

TEST(FolderIcon, AnUnwritableIniIsReportedAsFailed) {
    test::TempFolder folder("folder-icon-blocked");
    // A directory in the file's place: nothing can be written there.
    ASSERT_TRUE(::CreateDirectoryA(folder.File("Desktop.ini").c_str(), nullptr));
    EXPECT_NE(ovix::MarkFolderWithIcon(folder.Path(), folder.File("Ovix.exe")), ovix::FolderMark::Written);
}

}  // namespace
