#include "app/path_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ovix::DoubleZeroList;
using ovix::HasWildcard;
using ovix::IsDriveOrShareRoot;
using ovix::MatchesMask;
using ovix::TrimFolderPath;

TEST(MatchesMask, StarAndQuestionMark) {
    EXPECT_TRUE(MatchesMask("a.txt", "*.txt"));
    EXPECT_TRUE(MatchesMask(".txt", "*.txt"));
    EXPECT_TRUE(MatchesMask("a.b.txt", "*.txt"));
    EXPECT_FALSE(MatchesMask("b.txtold", "*.txt")) << "the 8.3 near-miss";
    EXPECT_FALSE(MatchesMask("a.tx", "*.txt"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c")) << "? is exactly one character";
    EXPECT_FALSE(MatchesMask("abbc", "a?c"));
    EXPECT_TRUE(MatchesMask("x", "*"));
    EXPECT_TRUE(MatchesMask("abc", "a**c"));
    EXPECT_TRUE(MatchesMask("a-long-name.pf", "*-*.pf"));
    EXPECT_FALSE(MatchesMask("a-long-name.pfx", "*-*.pf"));
    EXPECT_TRUE(MatchesMask("mississippi", "*sip*"));
    EXPECT_FALSE(MatchesMask("mississippi", "*sap*"));
}

TEST(MatchesMask, CaseIsIgnoredForLettersOnly) {
    EXPECT_TRUE(MatchesMask("README.TXT", "*.txt"));
    EXPECT_TRUE(MatchesMask("readme.txt", "*.TXT"));
    EXPECT_TRUE(MatchesMask("Prefetch", "prefetch"));
    EXPECT_FALSE(MatchesMask("a[txt", "a{txt")) << "[ and { differ by the same bit as cases do";
    EXPECT_TRUE(MatchesMask("Caf\xE9.txt", "caf\xE9.*"));
    EXPECT_FALSE(MatchesMask("Caf\xE9.txt", "cafe.*"));
}

TEST(MatchesMask, StarDotStarAdmitsEveryName) {
    for (const char* name : {"a", "a.b", "no_extension", ".hidden", "a.", "x.y.z"}) {
        EXPECT_TRUE(MatchesMask(name, "*.*")) << name;
    }
    EXPECT_TRUE(MatchesMask("readme", "read*.*"));
    EXPECT_FALSE(MatchesMask("write", "read*.*"));
    EXPECT_FALSE(MatchesMask("a.b", "*.c*"));
}

TEST(MatchesMask, ExactNamesAndBadInput) {
    EXPECT_TRUE(MatchesMask("desktop.ini", "desktop.ini"));
    EXPECT_FALSE(MatchesMask("desktop.ini2", "desktop.ini"));
    EXPECT_FALSE(MatchesMask("desktop.in", "desktop.ini"));
    EXPECT_FALSE(MatchesMask("", "*"));
    EXPECT_FALSE(MatchesMask("a", ""));
    // Many stars on a long name: no blow-up, a plain answer.
    EXPECT_FALSE(MatchesMask(std::string(300, 'a'), std::string(60, '*') + "b"));
    EXPECT_TRUE(MatchesMask(std::string(300, 'a') + "b", std::string(60, '*') + "b"));
}

TEST(TrimFolderPath, BlanksThenOneSeparator) {
    EXPECT_EQ(TrimFolderPath("C:\\Temp\\ "), "C:\\Temp");
    EXPECT_EQ(TrimFolderPath("C:\\Temp\\"), "C:\\Temp");
    EXPECT_EQ(TrimFolderPath("C:\\Temp/"), "C:\\Temp");
    EXPECT_EQ(TrimFolderPath("C:\\Temp   "), "C:\\Temp");
    EXPECT_EQ(TrimFolderPath("C:\\Temp\\\\"), "C:\\Temp\\") << "only one separator goes";
    EXPECT_EQ(TrimFolderPath("C:\\Temp \\"), "C:\\Temp ") << "blanks before the separator stay";
    EXPECT_EQ(TrimFolderPath("C:\\"), "C:");
    EXPECT_EQ(TrimFolderPath("   "), "");
    EXPECT_EQ(TrimFolderPath(""), "");
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

TEST(HasWildcard, StarOrQuestionMarkAnywhere) {
    EXPECT_TRUE(HasWildcard("C:\\tmp\\*.txt"));
    EXPECT_TRUE(HasWildcard("C:\\tm?\\a"));
    EXPECT_FALSE(HasWildcard("C:\\tmp\\a.txt"));
    EXPECT_FALSE(HasWildcard(""));
}

TEST(DoubleZeroList, EachPathWithItsZeroThenOneMore) {
    using namespace std::string_literals;
    EXPECT_EQ(DoubleZeroList({"a", "bc"}), "a\0bc\0\0"s);
    EXPECT_EQ(DoubleZeroList({"C:\\x"}).size(), 6u);
    EXPECT_EQ(DoubleZeroList({}), "\0"s);
    EXPECT_EQ(DoubleZeroList({"a", "", "b"}), "") << "an empty path would end the list early";
    EXPECT_EQ(DoubleZeroList({"a\0b"s}), "") << "so would a zero inside a path";
}

}  // namespace
