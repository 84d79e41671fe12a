#include "app/update_rules.h"

#include "framework/text_format.h"

namespace ovix {

std::string_view UpdateFirstLine(std::string_view body) {
    body = fw::StripUtf8Bom(body);
    const size_t end = body.find('\n');
    if (end != std::string_view::npos) body = body.substr(0, end);
    return fw::TrimRight(body);
}

bool IsVersionText(std::string_view text) {
    if (text.empty() || text.front() == '.' || text.back() == '.') return false;
    bool digit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '.') {
            return false;
        }
    }
    return digit && text.find("..") == std::string_view::npos;
}

bool UpdateOffersNewVersion(unsigned httpStatus, std::string_view body, std::string_view runningVersion) {
    if (httpStatus != 200) return false;
    const std::string_view line = UpdateFirstLine(body);
    return IsVersionText(line) && line != runningVersion;
}

}  // namespace ovix
