#include "app/update_rules.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

// A line ends at LF, at CR LF, or at a lone CR.
constexpr std::string_view kLineEnds = "\r\n";

}  // namespace

std::string_view UpdateFirstLine(std::string_view body) {
    body = fw::StripUtf8Bom(body);
    const size_t end = body.find_first_of(kLineEnds);
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
    // The check reads no more than kUpdateReadLimit bytes: a first line that
    // does not end within them may have been cut off, and is no version.
    if (body.size() >= kUpdateReadLimit &&
        body.substr(0, kUpdateReadLimit).find_first_of(kLineEnds) == std::string_view::npos) {
        return false;
    }
    const std::string_view line = UpdateFirstLine(body);
    return IsVersionText(line) && line != runningVersion;
}

}  // namespace ovix
