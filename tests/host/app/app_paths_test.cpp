#include "app/app_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(AppPaths, FolderOfTheProgramAndWhereItMayBeMarked) {
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Program Files\\Ovix\\Ovix.exe"), "C:\\Program Files\\Ovix");
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Ovix.exe"), "C:");
    EXPECT_EQ(ovix::ApplicationDirectory("Ovix.exe"), "Ovix.exe");  // no backslash: the whole path
    // A path that filled the whole buffer may have been cut.
    EXPECT_EQ(ovix::UsablePathLength(489, 490), 489u);
    EXPECT_EQ(ovix::UsablePathLength(490, 490), 0u);
    for (const char* root : {"C:", "C:\\", "c:/", "", "\\\\server\\share", "\\\\server\\share\\"}) {
        EXPECT_TRUE(ovix::IsDriveRoot(root)) << root;
    }
    for (const char* folder : {"C:\\Ovix", "\\\\server\\share\\Ovix", "Ovix"}) {
        EXPECT_FALSE(ovix::IsDriveRoot(folder)) << folder;
    }
    EXPECT_TRUE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "c:/OVIX/ovix.EXE"));
    EXPECT_FALSE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "C:\\Ovix\\Ovix.exe "));
}

}  // namespace
