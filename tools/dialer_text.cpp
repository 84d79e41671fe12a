#include "tools/dialer_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ovix {
namespace {

constexpr std::size_t kCapsHeader = 44;     // the fixed part of the capabilities block
constexpr std::size_t kLocationEntry = 68;  // one location of API version 1.4
constexpr std::size_t kAccessCodeMax = 15;

std::uint32_t Dword(const std::uint8_t* at) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

// A text of the block given by its size and offset; nothing when it leaves
// the used part. The text ends at its first NUL.
std::optional<std::string> BlockText(const std::uint8_t* block, std::size_t used, std::uint32_t size,
                                     std::uint32_t offset) {
    if (size == 0) return std::string();
    if (offset > used || size > used - offset) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(block + offset);
    std::string result(text, strnlen(text, size));
    if (result.size() > kAccessCodeMax) result.resize(kAccessCodeMax);
    return result;
}

long Number(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

void AppendPart(std::string& result, const std::string& part) {
    if (!result.empty()) result += ' ';
    result += part;
}

}  // namespace

std::optional<AccessCodes> CurrentAccessCodes(const std::uint8_t* caps, std::size_t size) {
    if (caps == nullptr || size < kCapsHeader) return std::nullopt;
    const std::size_t used = std::min<std::size_t>(size, Dword(caps + 8));
    if (used < kCapsHeader) return std::nullopt;
    const std::uint32_t count = Dword(caps + 12);
    const std::uint32_t listOffset = Dword(caps + 20);
    const std::uint32_t current = Dword(caps + 24);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t at = listOffset + std::uint64_t{i} * kLocationEntry;
        if (at + kLocationEntry > used) break;
        const std::uint8_t* entry = caps + at;
        if (Dword(entry) != current) continue;
        auto local = BlockText(caps, used, Dword(entry + 28), Dword(entry + 32));
        auto longDistance = BlockText(caps, used, Dword(entry + 36), Dword(entry + 40));
        if (!local || !longDistance) return std::nullopt;
        return AccessCodes{*longDistance, *local};
    }
    return std::nullopt;
}

std::string PhoneNumber(const PhoneEntry& entry, const std::optional<TapiLocation>& location,
                        const std::vector<std::uint8_t>& caps) {
    if (entry.localNumber.empty()) return {};
    if (entry.countryId == 0) return entry.localNumber;
    const long area = Number(entry.areaCode);
    long currentCountry = 0, currentCity = 0;
    AccessCodes codes;
    if (location) {
        currentCountry = Number(location->countryCode);
        currentCity = Number(location->cityCode);
        // Unknown access codes stay empty: the location's own codes would
        // put the caller's country code in front of the number.
        if (auto found = CurrentAccessCodes(caps.data(), caps.size())) codes = *found;
    }
    const bool elsewhere = entry.countryCode != currentCountry || area != currentCity;
    std::string result = elsewhere ? codes.longDistance : codes.local;
    if (entry.countryCode != 0 && area != 0 && elsewhere) {
        char codesText[48];
        std::snprintf(codesText, sizeof(codesText), "%ld %ld", entry.countryCode, area);
        AppendPart(result, codesText);
    }
    AppendPart(result, entry.localNumber);
    return result;
}

std::string LineSpeedText(std::uint32_t bitsPerSecond) {
    const long kilo = static_cast<long>(bitsPerSecond / 1024);
    const float mega = static_cast<float>(kilo) / 1024.0f;
    char text[80];
    std::snprintf(text, sizeof(text), "Line speed: %ld KB/s -> %.2f MB/s", kilo, static_cast<double>(mega));
    return text;
}

std::vector<std::string> ConnectedDialUpLines(const DialUpDetails& details) {
    return {"Device name: " + details.deviceName, "Device type: " + details.deviceType,
            LineSpeedText(details.lineSpeed),     "Internet login: " + details.login,
            "Phone number:  " + details.phoneNumber, "ISP IP:  " + details.serverAddress};
}

}  // namespace ovix
