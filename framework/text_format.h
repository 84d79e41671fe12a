// printf-style formatting into a std::string of the right size, so that the
// program's fixed formats can be used literally without a fixed buffer.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace fw {

#if defined(__GNUC__)
#define OVIX_PRINTF(fmt_index, args_index) __attribute__((format(printf, fmt_index, args_index)))
#else
#define OVIX_PRINTF(fmt_index, args_index)
#endif

std::string Format(const char* format, ...) OVIX_PRINTF(1, 2);
std::string FormatV(const char* format, va_list args);

// Blanks, tabs, CR and LF removed from the end.
std::string_view TrimRight(std::string_view text);

// The text without a leading UTF-8 byte-order mark.
std::string_view StripUtf8Bom(std::string_view text);

}  // namespace fw
