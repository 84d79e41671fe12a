#include "tools/password_rules.h"

#include <utility>

namespace ovix {
namespace {

constexpr std::string_view kLowerCase = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kUpperCase = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kPunctuation = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

// Characters first .. first + count - 1.
std::string Range(unsigned char first, unsigned count) {
    std::string set;
    for (unsigned i = 0; i < count; ++i) set += static_cast<char>(first + i);
    return set;
}

// count characters drawn from set, appended to text; false when the source fails.
bool Draw(RandomSource& source, std::string_view set, int count, std::string& text) {
    for (int i = 0; i < count; ++i) {
        const auto pick = UniformBelow(source, static_cast<unsigned>(set.size()));
        if (!pick) return false;
        text += set[*pick];
    }
    return true;
}

std::optional<std::string> RandomKind(RandomSource& source) {
    // Lengths 7 to 11 weighted 5, 17, 6, 3 and 1 out of 32.
    const auto weight = UniformBelow(source, 32);
    if (!weight) return std::nullopt;
    constexpr unsigned kUpTo[] = {5, 22, 28, 31, 32};
    int length = 7;
    while (*weight >= kUpTo[length - 7]) ++length;
    const std::string printable = Range(0x21, 94);
    std::string text;
    if (!Draw(source, kUpperCase, 1, text) || !Draw(source, kLowerCase, 1, text) || !Draw(source, kDigits, 1, text) ||
        !Draw(source, kPunctuation, 1, text) || !Draw(source, printable, length - 4, text)) {
        return std::nullopt;
    }
    for (size_t i = text.size() - 1; i > 0; --i) {  // Fisher-Yates
        const auto j = UniformBelow(source, static_cast<unsigned>(i + 1));
        if (!j) return std::nullopt;
        std::swap(text[i], text[*j]);
    }
    return text;
}

}  // namespace

std::optional<unsigned> UniformBelow(RandomSource& source, unsigned size) {
    if (size < 2) return 0u;
    const unsigned limit = 256 - 256 % size;
    for (;;) {
        uint8_t byte = 0;
        if (!source.NextByte(byte)) return std::nullopt;
        if (byte < limit) return byte % size;
    }
}

std::optional<std::string> MakePassword(PasswordKind kind, int length, RandomSource& source) {
    if (kind == PasswordKind::Random) return RandomKind(source);
    std::string a, l, b;
    bool drawn = true;
    unsigned arrangement = 0;
    switch (kind) {
    case PasswordKind::Letters: drawn = Draw(source, kLowerCase, length, l); break;
    case PasswordKind::Numbers: drawn = Draw(source, kDigits, length, l); break;
    case PasswordKind::Simple: {
        const auto c = UniformBelow(source, 2);
        arrangement = c ? *c : 0;
        drawn = c && Draw(source, kDigits, 2, a) && Draw(source, kLowerCase, length - 2, l);
        break;
    }
    case PasswordKind::Intermediate:
    case PasswordKind::Complex: {
        const bool complex = kind == PasswordKind::Complex;
        const auto c = UniformBelow(source, 4);
        arrangement = c ? *c : 0;
        const std::string symbols = Range(0x21, 64);
        drawn = c && Draw(source, symbols, complex ? 2 : 1, a) && Draw(source, kLowerCase, length - (complex ? 4 : 2), l) &&
                Draw(source, complex ? Range(0xB8, 14) : symbols, complex ? 2 : 1, b);
        break;
    }
    case PasswordKind::Random: break;
    }
    std::optional<std::string> result;
    if (drawn && kind == PasswordKind::Simple) {
        result = arrangement == 0 ? a + l : l + a;
    } else if (drawn) {
        const std::string* order[4][3] = {{&a, &l, &b}, {&l, &a, &b}, {&b, &a, &l}, {&b, &l, &a}};
        result = *order[arrangement][0] + *order[arrangement][1] + *order[arrangement][2];
    }
    // The parts must not linger in freed memory.
    for (std::string* part : {&a, &l, &b}) WipeText(*part);
    return result;
}

void WipeBytes(void* bytes, size_t size) {
    volatile unsigned char* byte = static_cast<unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i) byte[i] = 0;
}

void WipeText(std::string& text) {
    WipeBytes(text.data(), text.size());
    text.clear();
}

LengthCheck CheckPasswordLength(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return {LengthCheck::Result::TooShort, 0};
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    long long value = 0;
    bool large = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1000) large = true, value = 1000;
    }
    if (negative || value < 4) return {LengthCheck::Result::TooShort, 0};
    if (large || value > 99) return {LengthCheck::Result::TooLong, 0};
    return {LengthCheck::Result::Ok, static_cast<int>(value)};
}

}  // namespace ovix
