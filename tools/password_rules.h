// The password generator apart from the system: each kind's composition and
// arrangement, uniform draws from a source of random bytes, and the length
// field's rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ovix {

enum class PasswordKind { Letters, Numbers, Simple, Intermediate, Complex, Random };

// Random bytes; false when none can be had (then no password is made).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual bool NextByte(uint8_t& byte) = 0;
};

// A number below size (2..256), each equally likely: a byte at or above the
// largest multiple of size not above 256 is drawn again.
std::optional<unsigned> UniformBelow(RandomSource& source, unsigned size);

// A password of the kind: exactly length characters, except Random, which
// picks its own length of 7 to 11. Nothing when the source fails.
std::optional<std::string> MakePassword(PasswordKind kind, int length, RandomSource& source);

// Overwrites bytes that held a password before they are let go; the writes
// are not optimised away.
void WipeBytes(void* bytes, size_t size);
void WipeText(std::string& text);  // then empty

// The length field: 4 to 99 characters.
struct LengthCheck {
    enum class Result { Ok, TooShort, TooLong } result;
    int length = 0;
};
// Blanks, a sign and digits as a number; anything else reads 0. A number too
// large for the field never wraps round to a small one.
LengthCheck CheckPasswordLength(std::string_view text);

}  // namespace ovix
