#include "app/update_rules.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

// A line ends at LF, at CR LF, or at a lone CR.
constexpr std::string_view kLineEnds = "\r\n";

std::string_view FirstLine(std::string_view body) {
    body = fw::StripUtf8Bom(body);
    const size_t end = body.find_first_of(kLineEnds);
    if (end != std::string_view::npos) body = body.substr(0, end);
    return fw::TrimRight(body);
}

// Groups of digits joined by single dots. An edge or doubled dot is no
// version the site would publish but a damaged or half-written file.
bool IsVersionText(std::string_view text) {
    bool groupHasDigit = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            groupHasDigit = true;
        } else if (c == '.' && groupHasDigit) {
            groupHasDigit = false;  // a dot closes a group that has digits
        } else {
            return false;
        }
    }
    return groupHasDigit;
}

}  // namespace

bool UpdateOffersNewVersion(std::string_view body, std::string_view runningVersion) {
    // The check reads no more than kUpdateReadLimit bytes: a first line that
    // does not end within them may have been cut off, and is no version.
    if (body.size() >= kUpdateReadLimit &&
        body.substr(0, kUpdateReadLimit).find_first_of(kLineEnds) == std::string_view::npos) {
        return false;
    }
    const std::string_view line = FirstLine(body);
    return IsVersionText(line) && line != runningVersion;
}

}  // namespace ovix
