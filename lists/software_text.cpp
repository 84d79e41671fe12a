#include "lists/software_text.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// In the Windows-1252 code page: "\xE0" is "a" with a grave accent, "\xE9" "e" with an acute one.
constexpr std::string_view kHotfixPrefixes[] = {
    "Correctif Windows XP",
    "Mise \xE0 jour de s\xE9" "curit\xE9 pour Windows XP",
    "KB",
    "Mise \xE0 jour pour Windows XP",
    "Mise \xE0 jour de s\xE9" "curit\xE9 pour",
    "Microsoft Security Patch",
};

}  // namespace

std::string SoftwareSizeText(std::optional<uint32_t> kilobytes) {
    if (!kilobytes) return {};
    return fw::Format("%.2f MB", *kilobytes / 1024.0);
}

std::string InstallDateText(std::string_view stored) {
    if (stored.size() < 8) return std::string(stored);
    const std::string_view month = stored.substr(4, 2);
    std::string name;
    if (month.size() == 2 && month[0] >= '0' && month[0] <= '1' && month[1] >= '0' && month[1] <= '9') {
        const int index = (month[0] - '0') * 10 + (month[1] - '0');
        if (index >= 1 && index <= 12) name = kMonths[index - 1];
    }
    return name + " " + std::string(stored.substr(6, 2)) + " " + std::string(stored.substr(0, 4));
}

bool IsHotfixLike(std::string_view name) {
    for (std::string_view prefix : kHotfixPrefixes) {
        if (name.substr(0, prefix.size()) == prefix) return true;
    }
    return false;
}

}  // namespace ovix
