#include "app/folder_icon.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string IniValue(const std::string& ini, const char* key) {
    char value[MAX_PATH] = "";
    ::GetPrivateProfileStringA(".ShellClassInfo", key, "", value, sizeof(value), ini.c_str());
    return value;
}

TEST(FolderIcon, WritesAHiddenIniAndRewritesItsOwnOnTheNextStart) {
    test::TempFolder folder("folder-icon-new");
    const std::string exe = folder.File("Ovix.exe"), ini = folder.File("Desktop.ini");
    ASSERT_EQ(ovix::MarkFolderWithIcon(folder.Path(), exe), ovix::FolderMark::Written);
    EXPECT_EQ(IniValue(ini, "IconFile") + "," + IniValue(ini, "IconIndex"), exe + ",0");
    const DWORD attributes = ::GetFileAttributesA(ini.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(attributes & hiddenSystem, hiddenSystem);
    // The same program under another letter case is still us.
    std::string upper = exe;
    for (char& c : upper) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(ovix::MarkFolderWithIcon(folder.Path(), upper), ovix::FolderMark::Written);
    EXPECT_EQ(IniValue(ini, "IconFile"), upper);
}

TEST(FolderIcon, AForeignIniIsLeftAlone) {
    for (const std::string foreign :
         {"[.ShellClassInfo]\r\nIconFile=C:\\Other\\tool.exe\r\nIconIndex=3\r\n[Extra]\r\nx=1\r\n",
          "[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21798\r\n"}) {  // no icon: not ours either
        test::TempFolder folder("folder-icon-foreign");
        const std::string ini = folder.File("Desktop.ini");
        std::ofstream(ini, std::ios::binary) << foreign;
        EXPECT_EQ(ovix::MarkFolderWithIcon(folder.Path(), folder.File("Ovix.exe")), ovix::FolderMark::Foreign);
        EXPECT_EQ(test::FileBytes(ini), foreign);
    }
}

TEST(FolderIcon, NeverOnADriveRootAndAnUnwritableIniFails) {
    for (const char* root : {"C:", "C:\\"}) {
        EXPECT_EQ(ovix::MarkFolderWithIcon(root, "C:\\Ovix.exe"), ovix::FolderMark::DriveRoot) << root;
    }
    EXPECT_EQ(::GetFileAttributesA("C:\\Desktop.ini"), INVALID_FILE_ATTRIBUTES);
    test::TempFolder folder("folder-icon-blocked");
    // A directory in the file's place: nothing can be written there.
    ASSERT_TRUE(::CreateDirectoryA(folder.File("Desktop.ini").c_str(), nullptr));
    EXPECT_NE(ovix::MarkFolderWithIcon(folder.Path(), folder.File("Ovix.exe")), ovix::FolderMark::Written);
}

}  // namespace
