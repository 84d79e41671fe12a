#include "report/mail_rules.h"

#include "app/path_rules.h"

namespace ovix {
namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool IsPlainReportName(std::string_view name, size_t folderLength) {
    constexpr size_t kPathLimit = 259;
    if (name.empty() || folderLength + 1 + name.size() + 4 > kPathLimit) return false;
    return !HasForbiddenNameCharacter(name) && !EndsWithDotOrBlank(name) && !IsDeviceName(name);
}

std::string EffectiveRecipient(std::string_view text, std::string_view fieldDefault) {
    const std::string_view trimmed = Trimmed(text);
    return trimmed == Trimmed(fieldDefault) ? std::string() : std::string(trimmed);
}

MailRecord BuildMailRecord(const std::string& subject, const std::string& body, const std::string& recipient1,
                           const std::string& recipient2, const std::string& attachment) {
    MailRecord record{subject, body + " ", {}, attachment, body.size()};
    for (const std::string* recipient : {&recipient1, &recipient2}) {
        if (!recipient->empty()) record.recipients.push_back(*recipient);
    }
    return record;
}

}  // namespace ovix
