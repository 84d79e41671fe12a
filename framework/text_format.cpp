#include "framework/text_format.h"

#include <cstdio>

namespace fw {

std::string FormatV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(needed), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty()) {
        const char last = text.back();
        if (last != ' ' && last != '\t' && last != '\r' && last != '\n') {
            break;
        }
        text.remove_suffix(1);
    }
    return text;
}

std::string_view StripUtf8Bom(std::string_view text) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (text.substr(0, bom.size()) == bom) {
        text.remove_prefix(bom.size());
    }
    return text;
}

}  // namespace fw
