#include "app/app_paths.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(AppPaths, FolderOfTheProgramAndWhereItMayBeMarked) {
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Program Files\\Ovix\\Ovix.exe"), "C:\\Program Files\\Ovix");
    EXPECT_EQ(ovix::ApplicationDirectory("C:\\Ovix.exe"), "C:");
    EXPECT_EQ(ovix::ApplicationDirectory("Ovix.exe"), "Ovix.exe");  // no backslash: the whole path
    // A path that filled the whole buffer may have been cut.
    EXPECT_EQ(ovix::UsablePathLength(489, 490), 489u);
    EXPECT_EQ(ovix::UsablePathLength(490, 490), 0u);
    const std::pair<const char*, bool> roots[] = {
        {"C:", true}, {"C:\\", true}, {"c:/", true}, {"", true}, {"\\\\server\\share", true},
        {"\\\\server\\share\\", true}, {"C:\\Ovix", false}, {"\\\\server\\share\\Ovix", false}, {"Ovix", false}};
    for (const auto& [path, root] : roots) EXPECT_EQ(ovix::IsDriveRoot(path), root) << path;
    EXPECT_TRUE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "c:/OVIX/ovix.EXE"));
    EXPECT_FALSE(ovix::SamePath("C:\\Ovix\\Ovix.exe", "C:\\Ovix\\Ovix.exe "));
}

}  // namespace
