#include "app/app_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(ApplicationDirectory, DropsTheFileNameAndTheLastBackslash) {
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Program Files\\Ovix\\Ovix.exe"), "C:\\Program Files\\Ovix");
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Ovix.exe"), "C:");
    EXPECT_EQ(ovix::ApplicationDirectory("\\\\server\\share\\Ovix.exe"), "\\\\server\\share");
}

TEST(ApplicationDirectory, WithoutBackslashIsTheWholePath) {
    EXPECT_EQ(ovix::ApplicationDirectory("Ovix.exe"), "Ovix.exe");
    EXPECT_EQ(ovix::ApplicationDirectory(""), "");
}

TEST(UsablePathLength, AFullBufferMeansUnavailable) {
    EXPECT_EQ(ovix::UsablePathLength(259, 260), 259u);
    EXPECT_EQ(ovix::UsablePathLength(260, 260), 0u);
    EXPECT_EQ(ovix::UsablePathLength(0, 260), 0u);
    EXPECT_EQ(ovix::UsablePathLength(489, 490), 489u);
    EXPECT_EQ(ovix::UsablePathLength(490, 490), 0u);
}

TEST(QuotedPath, WrapsInDoubleQuotes) {
    EXPECT_EQ(ovix::QuotedPath("C:\\Program Files\\Ovix\\Ovix.exe"), "\"C:\\Program Files\\Ovix\\Ovix.exe\"");
    EXPECT_EQ(ovix::QuotedPath(""), "\"\"");
}

TEST(IsDriveRoot, RootsAndShares) {
    for (const char* root : {"C:", "C:\\", "c:/", "", "\\\\server\\share", "\\\\server\\share\\"}) {
        EXPECT_TRUE(ovix::IsDriveRoot(root)) << root;
    }
    for (const char* folder : {"C:\\Ovix", "C:\\Program Files\\Ovix", "\\\\server\\share\\Ovix", "Ovix"}) {
        EXPECT_FALSE(ovix::IsDriveRoot(folder)) << folder;
    }
}

TEST(SamePath, IgnoresCaseAndSlashKindOnly) {
    EXPECT_TRUE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "c:/OVIX/ovix.EXE"));
    EXPECT_FALSE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "C:\\Ovix\\Ovix.exe "));
    EXPECT_FALSE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "C:\\Ovix\\Other.exe"));
    EXPECT_FALSE(ovix::SamePath("", "C:"));
}

}  // namespace
