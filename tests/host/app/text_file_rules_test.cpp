#include "app/text_file_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFileRules, TxtAppendedOnlyWhenMissing) {
    EXPECT_EQ(ovix::WithTxtExtension("log"), "log.txt");
    EXPECT_EQ(ovix::WithTxtExtension("a.TXT"), "a.TXT");
    EXPECT_EQ(ovix::WithTxtExtension("a.txt.bak"), "a.txt.bak.txt");
    EXPECT_EQ(ovix::WithTxtExtension(".txt"), ".txt");
    EXPECT_EQ(ovix::WithTxtExtension("xt"), "xt.txt");
    const std::string longName(259, 'n');
    EXPECT_EQ(ovix::WithTxtExtension(longName), longName + ".txt");
}

TEST(TextFileRules, EveryLineEndBecomesCrLf) {
    EXPECT_EQ(ovix::WithCrLf("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
    EXPECT_EQ(ovix::WithCrLf("\r\n\r"), "\r\n\r\n");
    EXPECT_EQ(ovix::WithCrLf(""), "");
}

}  // namespace
