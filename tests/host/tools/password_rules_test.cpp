// The password generator with scripted bytes, the length field, and the
// colours manager's tables.
#include "tools/colour_tables.h"
#include "tools/password_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <vector>

namespace {

using namespace ovix;

// Bytes from a list, then from a counter; fails when told.
struct ScriptedBytes : RandomSource {
    bool NextByte(uint8_t& byte) override {
        if (fail) return false;
        byte = next < script.size() ? script[next] : static_cast<uint8_t>(next * 37);
        ++next;
        return true;
    }
    std::vector<uint8_t> script;
    size_t next = 0;
    bool fail = false;
};

bool Letters(const std::string& s) { return std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; }); }

TEST(PasswordRules, EachKindsCompositionAndArrangement) {
    for (const int n : {4, 8, 99}) {
        for (uint8_t c = 0; c < 4; ++c) {
            ScriptedBytes bytes;
            bytes.script = {c};
            const std::string complex = *MakePassword(PasswordKind::Complex, n, bytes);
            ASSERT_EQ(complex.size(), size_t(n));
            const auto isExtended = [](char ch) { return uint8_t(ch) >= 0xB8 && uint8_t(ch) <= 0xC5; };
            const auto isSymbol = [](char ch) { return ch >= 0x21 && ch <= 0x60; };
            // A = 2 symbols, L = letters, B = 2 extended: c picks A L B, L A B, B A L or B L A.
            const size_t l = n - 4;
            const size_t aAt[] = {0, l, 2, 2 + l}, lAt[] = {2, 0, 4, 2}, bAt[] = {2 + l, l + 2, 0, 0};
            EXPECT_TRUE(isSymbol(complex[aAt[c]]) && isSymbol(complex[aAt[c] + 1])) << complex;
            EXPECT_TRUE(Letters(complex.substr(lAt[c], l))) << complex;
            EXPECT_TRUE(isExtended(complex[bAt[c]]) && isExtended(complex[bAt[c] + 1])) << complex;

            bytes = ScriptedBytes{};
            bytes.script = {c};
            const std::string middle = *MakePassword(PasswordKind::Intermediate, n, bytes);
            ASSERT_EQ(middle.size(), size_t(n));
            const size_t letterAt[] = {1, 0, 2, 1};
            EXPECT_TRUE(Letters(middle.substr(letterAt[c], n - 2))) << middle;
        }
        for (uint8_t c = 0; c < 2; ++c) {
            ScriptedBytes bytes;
            bytes.script = {c};
            const std::string simple = *MakePassword(PasswordKind::Simple, n, bytes);
            const std::string digits = c == 0 ? simple.substr(0, 2) : simple.substr(n - 2);
            EXPECT_TRUE(std::isdigit(uint8_t(digits[0])) && std::isdigit(uint8_t(digits[1]))) << simple;
            EXPECT_TRUE(Letters(c == 0 ? simple.substr(2) : simple.substr(0, n - 2))) << simple;
        }
        ScriptedBytes bytes;
        EXPECT_TRUE(Letters(*MakePassword(PasswordKind::Letters, n, bytes)));
        const std::string numbers = *MakePassword(PasswordKind::Numbers, n, bytes);
        EXPECT_EQ(numbers.size(), size_t(n));
        EXPECT_TRUE(std::all_of(numbers.begin(), numbers.end(), [](char ch) { return std::isdigit(uint8_t(ch)); }));
    }
    ScriptedBytes failing;
    failing.fail = true;
    EXPECT_FALSE(MakePassword(PasswordKind::Intermediate, 8, failing));
    EXPECT_FALSE(MakePassword(PasswordKind::Random, 8, failing));
}

// Every byte once: each result of a set equally often, the bytes above the
// last whole multiple drawn again.
TEST(PasswordRules, UniformDrawsAndTheRandomKind) {
    for (const unsigned size : {10u, 14u, 26u, 32u, 64u, 94u}) {
        std::map<unsigned, int> seen;
        ScriptedBytes bytes;
        for (int b = 0; b < 256; ++b) bytes.script.push_back(uint8_t(b));
        const unsigned accepted = 256 - 256 % size;
        for (unsigned i = 0; i < accepted; ++i) ++seen[*UniformBelow(bytes, size)];
        EXPECT_EQ(seen.size(), size);
        for (const auto& [value, count] : seen) EXPECT_EQ(count, int(256 / size)) << size << ":" << value;
        EXPECT_EQ(bytes.next, size_t(accepted));
    }
    ScriptedBytes rejected;
    rejected.script = {250, 255, 3};  // 250 and up lie past the last multiple of 10
    EXPECT_EQ(*UniformBelow(rejected, 10), 3u);
    EXPECT_EQ(rejected.next, 3u);
    ScriptedBytes z;
    z.script = {25};
    EXPECT_EQ(*MakePassword(PasswordKind::Letters, 1, z), "z");

    std::map<size_t, int> lengths;
    for (uint8_t w = 0; w < 32; ++w) {
        ScriptedBytes bytes;
        bytes.script = {w};
        const std::string password = *MakePassword(PasswordKind::Random, 0, bytes);
        ++lengths[password.size()];
        const auto has = [&](int (*test)(int)) {
            return std::any_of(password.begin(), password.end(), [&](char c) { return test(uint8_t(c)) != 0; });
        };
        EXPECT_TRUE(has(std::isupper) && has(std::islower) && has(std::isdigit) && has(std::ispunct)) << password;
    }
    EXPECT_EQ(lengths, (std::map<size_t, int>{{7, 5}, {8, 17}, {9, 6}, {10, 3}, {11, 1}}));
}

TEST(PasswordRules, LengthField) {
    using R = LengthCheck::Result;
    for (const char* text : {"", "abc", "3", "-5", " "}) EXPECT_EQ(CheckPasswordLength(text).result, R::TooShort) << text;
    for (const char* text : {"100", "99999999999", "184467440737095516170"}) {
        EXPECT_EQ(CheckPasswordLength(text).result, R::TooLong) << text;
    }
    EXPECT_EQ(CheckPasswordLength("4").length, 4);
    EXPECT_EQ(CheckPasswordLength(" 99").length, 99);
}

TEST(ColourTables, FortyNamedColoursAndFifteenElements) {
    std::set<std::string> names;
    for (const NamedColour& colour : NamedColours()) names.insert(colour.name);
    EXPECT_EQ(names.size(), 40u);
    EXPECT_EQ(NamedColours().size(), 40u);
    const NamedColour& violet = NamedColours()[31];
    EXPECT_STREQ(violet.name, "Violet Red");
    EXPECT_EQ(SavedColourText(violet), "208 32 144");
    EXPECT_EQ(ColourRef(violet), 0x009020D0u);
    EXPECT_EQ(SavedColourText(NamedColours()[0]), "0 255 255");
    EXPECT_STREQ(NamedColours().back().name, "Dark Turquoise");
    ASSERT_EQ(ScreenElements().size(), 15u);
    EXPECT_EQ(ScreenElements()[8].colorIndex, 15);
    EXPECT_STREQ(ScreenElements()[8].valueName, "ButtonAlternateFace");
    EXPECT_STREQ(ScreenElements()[10].confirmation, "Tootlips background have now a %s color.");
}

}  // namespace
