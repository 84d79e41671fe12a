#include "app/update_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ovix::kUpdateReadLimit;
using ovix::UpdateOffersNewVersion;

constexpr char kBom[] = "\xEF\xBB\xBF";

TEST(UpdateOffersNewVersion, AnyOtherVersionTextAsksAndNothingElseDoes) {
    const struct {
        std::string body;
        bool asks;
    } cases[] = {
        // Other versions, older ones and text-only differences included.
        {"1.0.7", true}, {"1.0.5\r\n", true}, {"2", true}, {"1.0.6.1", true}, {"1.0.06", true},
        // Only the first line counts, whatever ends it; trailing blanks go.
        {"1.0.7\r\n1.0.6\r\n", true}, {"1.0.7\r1.0.6\r", true}, {"1.0.7\n<html>notes</html>", true},
        {"1.0.7 \t\r\n", true}, {"1.0.6\r1.0.7", false}, {"\r\n1.0.7\r\n", false}, {"1.0.6  \r\n", false},
        // One complete leading byte-order mark is not part of the line.
        {std::string(kBom) + "1.0.7\r\n", true}, {std::string(kBom) + "1.0.6", false},
        {std::string(kBom) + kBom + "1.0.7", false}, {"\xEF\xBB" "1.0.7", false}, {kBom, false},
        // No version text: silent.
        {"1.0.6", false}, {"", false}, {"\r\n", false}, {" ", false}, {".", false}, {"1.0.7.", false},
        {".5", false}, {"1..0", false}, {" 1.0.7", false}, {"v1.0.7", false}, {"1.0.7 beta", false},
        {"1,0,7", false}, {"1/0", false}, {"1:0", false}, {"<html>\r\n1.0.7", false},
        {"\xD9\xA1", false}, {std::string("1.0.7\0\n", 7), false},
    };
    for (const auto& c : cases) EXPECT_EQ(UpdateOffersNewVersion(c.body), c.asks) << '"' << c.body << '"';
    EXPECT_FALSE(UpdateOffersNewVersion("1.0.7", "1.0.7"));
    EXPECT_TRUE(UpdateOffersNewVersion("1.0.6", "1.0.7"));
}

// The check reads at most kUpdateReadLimit bytes: a first line that does not
// end within them was cut off and is never taken for a version.
TEST(UpdateOffersNewVersion, FirstLineMustEndWithinTheReadLimit) {
    const std::string full(kUpdateReadLimit, '1'), oneShort(kUpdateReadLimit - 1, '1');
    EXPECT_FALSE(UpdateOffersNewVersion(full));  // what an endless "111..." file hands over
    EXPECT_FALSE(UpdateOffersNewVersion(full + "\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(oneShort + "\n"));
    EXPECT_TRUE(UpdateOffersNewVersion(oneShort));  // a short file without a line end is whole
    // Trailing blanks that fill the limit leave the line's end unknown.
    EXPECT_FALSE(UpdateOffersNewVersion("1.0.7" + std::string(kUpdateReadLimit - 5, ' ')));
    EXPECT_TRUE(UpdateOffersNewVersion("1.0.7" + std::string(kUpdateReadLimit - 6, ' ') + "\n"));
}

}  // namespace
