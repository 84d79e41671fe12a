#include "framework/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Format, FormatsLiterallyWithoutAFixedBuffer) {
    EXPECT_EQ(fw::Format(" Running processes: %i", 42), " Running processes: 42");
    EXPECT_EQ(fw::Format("%d%%", 100), "100%");
    const std::string longText(5000, 'x');
    EXPECT_EQ(fw::Format("[%s]", longText.c_str()).size(), 5002u);
}

TEST(Format, EmptyResult) { EXPECT_EQ(fw::Format("%s", ""), ""); }

TEST(TrimRight, RemovesBlanksAndLineEndsOnlyAtTheEnd) {
    EXPECT_EQ(fw::TrimRight(" 1.0.7 \t\r\n"), " 1.0.7");
    EXPECT_EQ(fw::TrimRight("\r\n"), "");
    EXPECT_EQ(fw::TrimRight(""), "");
}

TEST(StripUtf8Bom, OnlyALeadingCompleteMark) {
    EXPECT_EQ(fw::StripUtf8Bom("\xEF\xBB\xBF" "1.0.7"), "1.0.7");
    EXPECT_EQ(fw::StripUtf8Bom("\xEF\xBB" "1.0.7"), "\xEF\xBB" "1.0.7");
    EXPECT_EQ(fw::StripUtf8Bom("1.0.7\xEF\xBB\xBF"), "1.0.7\xEF\xBB\xBF");
}

}  // namespace
