// The link writer in the prefix's real special folders: links read back,
// replaced, and every refusal leaving no file.
#include "tools/shell_link.h"

#include "app/app_paths.h"
#include "framework/resources.h"
#include "support/temp_folder.h"
#include "tools/shortcut_support.h"

#include <gtest/gtest.h>

namespace {

using ovix::MakeShellLink;

TEST(ShellLink, LinksInEachFolderReadBackAndAreReplaced) {
    test::Leftovers leftovers;
    const std::string target = fw::ModulePath();
    for (const int folder : {CSIDL_DESKTOP, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_PERSONAL}) {
        const std::string file = leftovers.Add(test::FolderPath(folder) + "\\ovix-link-test.lnk");
        ASSERT_TRUE(MakeShellLink().Create(target, "ovix-link-test", folder, "First", "", 0)) << folder;
        ASSERT_TRUE(test::Exists(file)) << file;
        const test::LinkFacts facts = test::ReadLink(file);
        EXPECT_TRUE(_stricmp(facts.path.c_str(), target.c_str()) == 0) << facts.path;
        EXPECT_EQ(facts.description, "First");
        EXPECT_EQ(facts.arguments, "");
        EXPECT_EQ(facts.icon, "");
    }
    const std::string desktop = test::FolderPath(CSIDL_DESKTOP) + "\\ovix-link-test.lnk";
    MakeShellLink withArguments;
    withArguments.arguments = "/report x.txt";
    ASSERT_TRUE(withArguments.Create(ovix::kThisProgram, "ovix-link-test", CSIDL_DESKTOP, "Second", target, 2));
    const test::LinkFacts facts = test::ReadLink(desktop);
    EXPECT_TRUE(_stricmp(facts.path.c_str(), target.c_str()) == 0) << "\"_this\" is this executable: " << facts.path;
    EXPECT_EQ(facts.description, "Second");
    EXPECT_EQ(facts.arguments, "/report x.txt");
    EXPECT_EQ(facts.icon, target);
    EXPECT_EQ(facts.iconIndex, 2);
}

TEST(ShellLink, RefusalsWriteNothing) {
    test::Leftovers leftovers;
    const std::string desktop = test::FolderPath(CSIDL_DESKTOP);
    const std::string target = fw::ModulePath();
    const std::set<std::string> before = test::FilesIn(desktop);
    const std::string longName(260 - desktop.size() - 5, 'n');  // desktop + "\" + name + ".lnk" is 260
    leftovers.Add(desktop + "\\taken.lnk");
    ASSERT_TRUE(::CreateDirectoryA((desktop + "\\taken.lnk").c_str(), nullptr));
    const struct {
        std::string target, name;
    } refused[] = {
        {target, "NUL"}, {target, "..\\x"}, {target, "a:b"}, {target, ""}, {"", "empty"}, {"   ", "blank"},
        {target, longName}, {"C:\\" + std::string(257, 't'), "long target"}, {target, "taken"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(MakeShellLink().Create(r.target, r.name, CSIDL_DESKTOP, "d", "", 0)) << r.name;
    }
    std::set<std::string> after = test::FilesIn(desktop);
    after.erase("taken.lnk");
    EXPECT_EQ(after, before);
    EXPECT_FALSE(test::Exists(test::FolderPath(CSIDL_DESKTOP) + "\\..\\x.lnk"));
    // One character less fits.
    const std::string fits = leftovers.Add(desktop + "\\" + longName.substr(1) + ".lnk");
    EXPECT_TRUE(MakeShellLink().Create(target, longName.substr(1), CSIDL_DESKTOP, "d", "", 0));
    EXPECT_TRUE(test::Exists(fits));
}

}  // namespace
