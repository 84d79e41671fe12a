#include "report/mail_rules.h"

#include <array>
#include <cctype>

namespace ovix {
namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The system opens these as devices whatever extension follows.
bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    constexpr std::array kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices) {
        if (SameLetters(stem, device)) return true;
    }
    return stem.size() == 4 && (SameLetters(stem.substr(0, 3), "COM") || SameLetters(stem.substr(0, 3), "LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsPlainReportName(std::string_view name, size_t folderLength) {
    constexpr size_t kPathLimit = 259;
    constexpr std::string_view kForbidden = "\\/:*?\"<>|";
    if (name.empty() || folderLength + 1 + name.size() + 4 > kPathLimit) return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || kForbidden.find(c) != std::string_view::npos) return false;
    }
    if (name.back() == '.' || name.back() == ' ') return false;
    return !IsDeviceName(name);
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
