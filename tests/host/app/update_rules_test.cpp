#include "app/update_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using ovix::IsVersionText;
using ovix::kUpdateReadLimit;
using ovix::UpdateFirstLine;
using ovix::UpdateOffersNewVersion;

constexpr char kBom[] = "\xEF\xBB\xBF";

TEST(UpdateFirstLine, PlainLineIsReturnedAsIs) {
    EXPECT_EQ(UpdateFirstLine("1.0.7"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("<html>"), "<html>");
}

TEST(UpdateFirstLine, StopsAtTheFirstLineEnd) {
    EXPECT_EQ(UpdateFirstLine("1.0.7\r\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0.7\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0.7\r\n1.0.8\r\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0.7\n1.0.8\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("\n1.0.7"), "");
    EXPECT_EQ(UpdateFirstLine("\r\n1.0.7\r\n"), "");
}

TEST(UpdateFirstLine, CarriageReturnAloneEndsALine) {
    EXPECT_EQ(UpdateFirstLine("1.0.7\r"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0.7\r1.0.8\r"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("\r1.0.7\r"), "");
}

TEST(UpdateFirstLine, TrailingBlanksGoLeadingBlanksStay) {
    EXPECT_EQ(UpdateFirstLine("1.0.7 \t \r\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0.7   "), "1.0.7");
    EXPECT_EQ(UpdateFirstLine(" 1.0.7"), " 1.0.7");
    EXPECT_EQ(UpdateFirstLine("\t1.0.7\n"), "\t1.0.7");
    EXPECT_EQ(UpdateFirstLine("1.0 beta\n"), "1.0 beta");
}

TEST(UpdateFirstLine, EmptyAndBlankBodies) {
    EXPECT_EQ(UpdateFirstLine(""), "");
    EXPECT_EQ(UpdateFirstLine("\r\n"), "");
    EXPECT_EQ(UpdateFirstLine("\n"), "");
    EXPECT_EQ(UpdateFirstLine("   "), "");
}

TEST(UpdateFirstLine, OneLeadingCompleteByteOrderMarkIsRemoved) {
    EXPECT_EQ(UpdateFirstLine(std::string(kBom) + "1.0.7"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine(std::string(kBom) + "1.0.7\r\n"), "1.0.7");
    EXPECT_EQ(UpdateFirstLine(kBom), "");
    EXPECT_EQ(UpdateFirstLine(std::string(kBom) + "\r\n"), "");
    // Only one mark, only at the start, only when complete.
    EXPECT_EQ(UpdateFirstLine(std::string(kBom) + kBom + "1.0.7"), std::string(kBom) + "1.0.7");
    EXPECT_EQ(UpdateFirstLine("\xEF\xBB" "1.0.7"), "\xEF\xBB" "1.0.7");
    EXPECT_EQ(UpdateFirstLine(" " + std::string(kBom) + "1.0.7"), " " + std::string(kBom) + "1.0.7");
    EXPECT_EQ(UpdateFirstLine("\n" + std::string(kBom) + "1.0.7"), "");
}

TEST(UpdateFirstLine, ResultPointsIntoTheBody) {
    const std::string body = std::string(kBom) + "1.0.7\r\nrest";
    const std::string_view line = UpdateFirstLine(body);
    ASSERT_EQ(line, "1.0.7");
    EXPECT_EQ(line.data(), body.data() + 3);
}

TEST(UpdateFirstLine, NulByteIsNotALineEnd) {
    const std::string body("1.0.7\0\n", 7);
    EXPECT_EQ(UpdateFirstLine(body), std::string_view("1.0.7\0", 6));
}

TEST(UpdateFirstLine, VeryLongLineIsReturnedWhole) {
    const std::string digits(10000, '7');
    EXPECT_EQ(UpdateFirstLine(digits), digits);
    EXPECT_EQ(UpdateFirstLine(digits + "\r\n1.0.7"), digits);
}

TEST(IsVersionText, WellFormedVersions) {
    for (const char* text : {"1.0.6", "1.0.7", "1.0.5", "0", "7", "10.20.30.40", "2024", "0.0.0.1"}) {
        EXPECT_TRUE(IsVersionText(text)) << text;
    }
}

TEST(IsVersionText, EmptyAndDotsOnly) {
    EXPECT_FALSE(IsVersionText(""));
    EXPECT_FALSE(IsVersionText("."));
    EXPECT_FALSE(IsVersionText(".."));
    EXPECT_FALSE(IsVersionText("..."));
}

TEST(IsVersionText, DotsAtTheEdgesOrDoubled) {
    EXPECT_FALSE(IsVersionText("1..0"));
    EXPECT_FALSE(IsVersionText("1.0..7"));
    EXPECT_FALSE(IsVersionText("1.0."));
    EXPECT_FALSE(IsVersionText(".1.0"));
    EXPECT_FALSE(IsVersionText(".1"));
    EXPECT_FALSE(IsVersionText("1."));
}

TEST(IsVersionText, AnythingButDigitsAndDots) {
    for (const char* text : {"v1.0.7", "1.0.7 beta", "<html>", "1.0.7b", "1,0,7", "1-0-7", "-1.0", "+1",
                             " 1.0.7", "1.0.7 ", "1.0.7\r", "1.0.7\n", "\t1", "1 0", "1e3", "0x10"}) {
        EXPECT_FALSE(IsVersionText(text)) << text;
    }
}

TEST(IsVersionText, CharactersNextToTheDigitRange) {
    // '/' and ':' sit just below and above '0'..'9'.
    EXPECT_FALSE(IsVersionText("1/0"));
    EXPECT_FALSE(IsVersionText("1:0"));
    EXPECT_FALSE(IsVersionText("/"));
    EXPECT_FALSE(IsVersionText(":"));
    EXPECT_TRUE(IsVersionText("0.9"));
}

TEST(IsVersionText, BytesAboveAsciiAndNul) {
    EXPECT_FALSE(IsVersionText("\xD9\xA1"));            // an Arabic-Indic digit in UTF-8
    EXPECT_FALSE(IsVersionText("\xEF\xBB\xBF" "1.0"));  // a mark that was not stripped
    EXPECT_FALSE(IsVersionText("1\xB2"));               // superscript two in 1252
    EXPECT_FALSE(IsVersionText(std::string_view("1.0\0", 4)));
    EXPECT_FALSE(IsVersionText(std::string_view("\0", 1)));
}

TEST(IsVersionText, LongDigitRunsAreStillText) {
    EXPECT_TRUE(IsVersionText(std::string(10000, '9')));
    EXPECT_FALSE(IsVersionText(std::string(10000, '9') + "."));
}

TEST(UpdateOffersNewVersion, RunningVersionAsksNothing) {
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6\r\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6  \r\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kBom) + "1.0.6"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kBom) + "1.0.6\r\n"));
    EXPECT_EQ(ovix::kRunningVersion, "1.0.6");
}

TEST(UpdateOffersNewVersion, NewerVersionIsOffered) {
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\r\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, std::string(kBom) + "1.0.7"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, std::string(kBom) + "1.0.7\r\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "2"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.6.1"));
}

TEST(UpdateOffersNewVersion, OlderVersionIsOfferedToo) {
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.5"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.5\r\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "0.9"));
}

TEST(UpdateOffersNewVersion, OnlyTheFirstLineCounts) {
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\r\n1.0.6\r\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6\r\n1.0.7\r\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "\r\n1.0.7\r\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\n<html><body>whatever</body></html>"));
}

TEST(UpdateOffersNewVersion, CarriageReturnOnlyLineEnds) {
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\r"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7\r1.0.6\r"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6\r1.0.7\r"));
}

TEST(UpdateOffersNewVersion, StatusOtherThan200IsSilent) {
    for (unsigned status : {0u, 199u, 201u, 204u, 206u, 301u, 302u, 304u, 403u, 404u, 500u, 503u, 2000u}) {
        EXPECT_FALSE(UpdateOffersNewVersion(status, "1.0.7")) << status;
        EXPECT_FALSE(UpdateOffersNewVersion(status, "1.0.7\r\n")) << status;
    }
}

TEST(UpdateOffersNewVersion, MalformedFirstLineIsSilent) {
    for (const char* body : {"", "\r\n", "\n", " ", ".", "..", "1..0", "1.0.", ".1.0", "v1.0.7", "1.0.7 beta",
                             "<html>", "<html>\r\n<body>1.0.7</body>\r\n", " 1.0.7", "1,0,7"}) {
        EXPECT_FALSE(UpdateOffersNewVersion(200, body)) << '"' << body << '"';
    }
    EXPECT_FALSE(UpdateOffersNewVersion(200, kBom));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kBom) + "\r\n"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kBom) + kBom + "1.0.7"));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string_view("1.0.7\0", 6)));
}

TEST(UpdateOffersNewVersion, ComparesWithTheGivenRunningVersion) {
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.7", "1.0.7"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.6", "1.0.7"));
    // The comparison is of the text: no numeric equivalence is invented.
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.06", "1.0.6"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.6.0", "1.0.6"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0", "1.0.6"));
}

// The check reads at most kUpdateReadLimit bytes: a first line that does not
// end within them was cut off and is never taken for a version.
TEST(UpdateOffersNewVersion, LineOfTenThousandDigitsIsSilent) {
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(10000, '1')));
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(10000, '1') + "\r\n"));
}

TEST(UpdateOffersNewVersion, FirstLineMustEndWithinTheReadLimit) {
    ASSERT_EQ(kUpdateReadLimit, 4096u);
    // What the check hands over from an endless "111..." file.
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kUpdateReadLimit, '1')));
    // The line end is the last byte that is read: complete.
    EXPECT_TRUE(UpdateOffersNewVersion(200, std::string(kUpdateReadLimit - 1, '1') + "\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(200, std::string(kUpdateReadLimit - 1, '1') + "\r"));
    // The line end is the first byte beyond the limit: cut off.
    EXPECT_FALSE(UpdateOffersNewVersion(200, std::string(kUpdateReadLimit, '1') + "\n"));
    // A short file without a line end is complete.
    EXPECT_TRUE(UpdateOffersNewVersion(200, std::string(kUpdateReadLimit - 1, '1')));
    // Trailing blanks that fill the limit leave the line's end unknown.
    EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.7" + std::string(kUpdateReadLimit - 5, ' ')));
    EXPECT_TRUE(UpdateOffersNewVersion(200, "1.0.7" + std::string(kUpdateReadLimit - 6, ' ') + "\n"));
}

TEST(UpdateOffersNewVersion, RepeatedCallsGiveTheSameAnswer) {
    const std::string body = std::string(kBom) + "1.0.7\r\n";
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(UpdateOffersNewVersion(200, body));
        EXPECT_FALSE(UpdateOffersNewVersion(404, body));
        EXPECT_FALSE(UpdateOffersNewVersion(200, "1.0.6\r\n"));
    }
}

}  // namespace
