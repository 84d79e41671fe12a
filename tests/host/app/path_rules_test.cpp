#include "app/path_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ovix::DoubleZeroList;
using ovix::IsDriveOrShareRoot;
using ovix::IsUnsafeDeletePath;
using ovix::MatchesMask;

TEST(MatchesMask, StarsQuestionMarksCaseAndTheShortNameNearMiss) {
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Case cases[] = {
        {"a.txt", "*.txt", true},          {".txt", "*.txt", true},
        {"b.txtold", "*.txt", false},      {"abc", "a?c", true},
        {"ac", "a?c", false},              {"abbc", "a?c", false},
        {"a-long-name.pf", "*-*.pf", true}, {"a-long-name.pfx", "*-*.pf", false},
        {"mississippi", "*sip*", true},    {"README.TXT", "*.txt", true},
        {"a[txt", "a{txt", false},         {"Caf\xE9.txt", "caf\xE9.*", true},
        {"no_extension", "*.*", true},     {"a.", "*.*", true},
        {"readme", "read*.*", true},       {"a.b", "*.c*", false},
        {"desktop.ini2", "desktop.ini", false}, {"", "*", false},
        {"a", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " / " << c.mask;
    // Many stars on a long name: no blow-up, a plain answer.
    EXPECT_FALSE(MatchesMask(std::string(300, 'a'), std::string(60, '*') + "b"));
    EXPECT_TRUE(MatchesMask(std::string(300, 'a') + "b", std::string(60, '*') + "b"));
}

TEST(IsDriveOrShareRoot, RootsAndWhatLiesBelowThem) {
    for (const char* root : {"C:\\", "C:", "c:/", "Z:\\\\", "\\\\server", "\\\\server\\share", "\\\\server\\share\\",
                             "\\\\?\\C:\\", "\\\\.\\D:", "\\\\?\\UNC\\server\\share\\", "\\\\"}) {
        EXPECT_TRUE(IsDriveOrShareRoot(root)) << root;
    }
    for (const char* below : {"C:\\Temp", "C:\\a\\", "\\\\server\\share\\dir", "\\\\?\\C:\\x", "\\\\?\\UNC\\s\\h\\d",
                              "", "1:\\", "CC:\\"}) {
        EXPECT_FALSE(IsDriveOrShareRoot(below)) << below;
    }
}

TEST(IsUnsafeDeletePath, PathsTheSystemWouldResolveToAnotherTarget) {
    for (const char* unsafe : {"", " ", "   ", ".", "..", "...", "C:", "z:", "C:name", "C:name\\x.txt", "\\", "/",
                               "C:\\windows\\.", "C:\\a\\..", "report.", "report ", "dir\\sub.", "dir\\sub. ",
                               "C:\\*", "a?.txt", "C:\\a\\b.\\", "C:\\a\\b \\"}) {
        EXPECT_TRUE(IsUnsafeDeletePath(unsafe)) << "[" << unsafe << "]";
    }
    for (const char* safe : {"C:\\Temp\\a.txt", "C:\\Temp\\dir\\", "relative.txt", ".\\relative.txt",
                             "..\\sibling\\x", "\\\\server\\share\\dir", "C:/a/b", ".hidden", "a.b.c"}) {
        EXPECT_FALSE(IsUnsafeDeletePath(safe)) << safe;
    }
    EXPECT_EQ(ovix::LastPathPart("C:\\a\\b\\"), "b");
    EXPECT_EQ(ovix::LastPathPart("C:name"), "name");
}

TEST(DoubleZeroList, EachPathWithItsZeroThenOneMore) {
    using namespace std::string_literals;
    EXPECT_EQ(DoubleZeroList({"a", "bc"}), "a\0bc\0\0"s);
    EXPECT_EQ(DoubleZeroList({}), "\0"s);
    EXPECT_EQ(DoubleZeroList({"a", "", "b"}), "") << "an empty path would end the list early";
    EXPECT_EQ(DoubleZeroList({"a\0b"s}), "") << "so would a zero inside a path";
}

}  // namespace
