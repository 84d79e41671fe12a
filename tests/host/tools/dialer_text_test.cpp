#include "tools/dialer_text.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& block, size_t at, std::uint32_t value) { std::memcpy(block.data() + at, &value, 4); }

// A capabilities block with one location per id, each with its own texts
// after the list; the current location is `current`.
Bytes Caps(std::uint32_t current, const std::vector<std::uint32_t>& ids, const char* local = "0",
           const char* longDistance = "00") {
    const size_t list = 44, texts = list + 68 * ids.size();
    Bytes block(texts + 16, 0);
    Put(block, 8, static_cast<std::uint32_t>(block.size()));
    Put(block, 12, static_cast<std::uint32_t>(ids.size()));
    Put(block, 20, list);
    Put(block, 24, current);
    std::memcpy(&block[texts], local, std::strlen(local));
    std::memcpy(&block[texts + 8], longDistance, std::strlen(longDistance));
    for (size_t i = 0; i < ids.size(); ++i) {
        const size_t at = list + 68 * i;
        Put(block, at, ids[i]);
        Put(block, at + 28, static_cast<std::uint32_t>(std::strlen(local) + 1));
        Put(block, at + 32, static_cast<std::uint32_t>(texts));
        Put(block, at + 36, static_cast<std::uint32_t>(std::strlen(longDistance) + 1));
        Put(block, at + 40, static_cast<std::uint32_t>(texts + 8));
    }
    return block;
}

TEST(DialerText, PhoneNumberFromEntryLocationAndCaps) {
    const std::optional<ovix::TapiLocation> here = ovix::TapiLocation{"33", "1"};
    const Bytes caps = Caps(7, {3, 7});
    struct Case {
        ovix::PhoneEntry entry;
        std::optional<ovix::TapiLocation> location;
        Bytes caps;
        const char* expected;
    } cases[] = {
        {{33, 33, "1", ""}, here, caps, ""},                      // no local number
        {{0, 0, "", "5551234"}, here, caps, "5551234"},           // no codes
        {{33, 33, "1", "5551234"}, here, caps, "0 5551234"},      // same country and city
        {{33, 33, "1", "5551234"}, here, Caps(7, {7}, ""), "5551234"},  // empty local access code
        {{33, 33, "2", "5551234"}, here, caps, "00 33 2 5551234"},      // other city
        {{49, 49, "44", "1234567"}, here, caps, "00 49 44 1234567"},    // other country
        {{49, 49, "44", "1234567"}, std::nullopt, caps, "49 44 1234567"},  // no telephony
        {{49, 49, "44", "1234567"}, here, {}, "49 44 1234567"},            // caps unreadable: no own codes
        {{49, 49, "44", "1234567"}, here, Caps(9, {3, 7}), "49 44 1234567"},  // location not listed
        {{49, 49, "0", "1234567"}, here, caps, "00 1234567"},                  // area "0"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ovix::PhoneNumber(c.entry, c.location, c.caps), c.expected) << c.expected;
    }
}

TEST(DialerText, CapsParserStaysInsideTheUsedSize) {
    const Bytes caps = Caps(7, {3, 7}, "9", "0011");
    ASSERT_TRUE(ovix::CurrentAccessCodes(caps.data(), caps.size()));
    EXPECT_EQ(ovix::CurrentAccessCodes(caps.data(), caps.size())->longDistance, "0011");
    // Every truncation of the buffer (copied so that ASan sees its end):
    // the second location or its texts fall outside and nothing is found.
    // The long-distance text of the second location ends at byte 193.
    for (size_t size = 0; size <= 193; ++size) {
        const Bytes cut(caps.begin(), caps.begin() + static_cast<long>(size));
        EXPECT_EQ(ovix::CurrentAccessCodes(cut.data(), cut.size()).has_value(), size == 193) << size;
    }
    // A used size smaller than the buffer hides what lies after it.
    Bytes shortUsed = caps;
    Put(shortUsed, 8, 44 + 68 * 2);
    EXPECT_FALSE(ovix::CurrentAccessCodes(shortUsed.data(), shortUsed.size()));
    // Offsets and sizes past the used size, and a list offset that wraps.
    Bytes far = caps;
    Put(far, 44 + 68 + 32, 0xFFFFFFF0);
    EXPECT_FALSE(ovix::CurrentAccessCodes(far.data(), far.size()));
    Bytes wide = caps;
    Put(wide, 44 + 68 + 36, 0xFFFFFFFF);
    EXPECT_FALSE(ovix::CurrentAccessCodes(wide.data(), wide.size()));
    Bytes list = caps;
    Put(list, 20, 0xFFFFFFFF);
    EXPECT_FALSE(ovix::CurrentAccessCodes(list.data(), list.size()));
}

TEST(DialerText, LineSpeedTruncatesToWholeKilobytes) {
    EXPECT_EQ(ovix::LineSpeedText(0), "Line speed: 0 KB/s -> 0.00 MB/s");
    EXPECT_EQ(ovix::LineSpeedText(1023), "Line speed: 0 KB/s -> 0.00 MB/s");
    EXPECT_EQ(ovix::LineSpeedText(1024), "Line speed: 1 KB/s -> 0.00 MB/s");
    EXPECT_EQ(ovix::LineSpeedText(115200), "Line speed: 112 KB/s -> 0.11 MB/s");
    EXPECT_EQ(ovix::LineSpeedText(1048576), "Line speed: 1024 KB/s -> 1.00 MB/s");
}

}  // namespace
