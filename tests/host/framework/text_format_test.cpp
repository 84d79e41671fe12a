#include "framework/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Format, FormatsLiterallyWithoutAFixedBuffer) {
    EXPECT_EQ(fw::Format(" Running processes: %i", 42), " Running processes: 42");
    EXPECT_EQ(fw::Format("%d%%", 100), "100%");
    EXPECT_EQ(fw::Format("%s", ""), "");
    const std::string longText(5000, 'x');
    EXPECT_EQ(fw::Format("[%s]", longText.c_str()), "[" + longText + "]");
}

}  // namespace
