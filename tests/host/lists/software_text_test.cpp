#include "lists/software_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SoftwareTexts, SizesDatesAndHotfixNames) {
    EXPECT_EQ(ovix::SoftwareSizeText(1536), "1.50 MB");
    EXPECT_EQ(ovix::SoftwareSizeText(0), "0.00 MB");
    EXPECT_EQ(ovix::SoftwareSizeText(0xFFFFFFFFu), "4194304.00 MB");
    EXPECT_EQ(ovix::SoftwareSizeText(std::nullopt), "");
    EXPECT_EQ(ovix::InstallDateText("20060305"), "March 05 2006");
    EXPECT_EQ(ovix::InstallDateText("20061205"), "December 05 2006");
    EXPECT_EQ(ovix::InstallDateText("20061305"), " 05 2006");
    EXPECT_EQ(ovix::InstallDateText("20060005"), " 05 2006");
    EXPECT_EQ(ovix::InstallDateText(""), "");
    EXPECT_EQ(ovix::InstallDateText("2006"), "2006");
    EXPECT_EQ(ovix::InstallDateText("200603"), "200603");
    EXPECT_TRUE(ovix::IsHotfixLike("KB123456"));
    EXPECT_TRUE(ovix::IsHotfixLike("Mise \xE0 jour de s\xE9" "curit\xE9 pour Windows Media"));
    EXPECT_TRUE(ovix::IsHotfixLike("Correctif Windows XP - KB1"));
    EXPECT_FALSE(ovix::IsHotfixLike("Tool KB helper")) << "KB mid-name";
    EXPECT_FALSE(ovix::IsHotfixLike("kb lowercase"));
    EXPECT_FALSE(ovix::IsHotfixLike("Mise a jour pour Windows XP")) << "without the accent";
}

}  // namespace
