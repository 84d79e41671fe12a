// The texts of the dial-up monitor that need no system call: the dialled
// number as the telephony location turns it, the line-speed line, and the
// reading of the telephony translate-capabilities block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovix {

struct PhoneEntry {
    long countryId = 0;  // 0: the entry does not use country and area codes
    long countryCode = 0;
    std::string areaCode;
    std::string localNumber;
};

// The caller's telephony location: its country and city code texts.
struct TapiLocation {
    std::string countryCode;
    std::string cityCode;
};

struct AccessCodes {
    std::string longDistance;
    std::string local;
};

// The access codes of the current location in a translate-capabilities block.
// Only the used part of the block (never more than its bytes) is read; a
// location or text that lies outside it counts as missing.
std::optional<AccessCodes> CurrentAccessCodes(const std::uint8_t* caps, std::size_t size);

// The number as dialled from here. `location` is missing without telephony;
// `caps` is the translate-capabilities block, empty when it cannot be read.
// Access codes that cannot be found are empty.
std::string PhoneNumber(const PhoneEntry& entry, const std::optional<TapiLocation>& location,
                        const std::vector<std::uint8_t>& caps);

// "Line speed: %ld KB/s -> %.2f MB/s" of a speed in bits per second.
std::string LineSpeedText(std::uint32_t bitsPerSecond);

struct DialUpDetails {
    std::string deviceName, deviceType, login, phoneNumber, serverAddress;
    std::uint32_t lineSpeed = 0;
};

// The six lines of an active connection, in the order the fact sheet keeps.
std::vector<std::string> ConnectedDialUpLines(const DialUpDetails& details);

}  // namespace ovix
