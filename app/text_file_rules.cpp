#include "app/text_file_rules.h"

#include <cctype>

namespace ovix {

std::string WithTxtExtension(std::string_view name) {
    constexpr std::string_view kTxt = ".txt";
    bool ends = name.size() >= kTxt.size();
    for (size_t i = 0; ends && i < kTxt.size(); ++i) {
        ends = std::tolower(static_cast<unsigned char>(name[name.size() - kTxt.size() + i])) == kTxt[i];
    }
    return ends ? std::string(name) : std::string(name) + std::string(kTxt);
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace ovix
