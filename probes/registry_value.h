// One registry value addressed by a full path ("Key\Sub\Value"), read as text
// or as a 32-bit number. Each read opens the key, reads with the size the
// registry reports and closes the key again.
#pragma once

#include "framework/win.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ovix::probes {

class RegistryStringValue {
public:
    // Splits the path and reads the value at once.
    RegistryStringValue(std::string_view fullPath, std::string defaultText, bool forceRead = true,
                        HKEY root = HKEY_CURRENT_USER);

    // The text: read again unless it was found before and forceRead is off.
    std::string Text();
    // The outcome of the latest read (the value or the default), without reading.
    const std::string& LastRead() const { return lastReadFound_ ? value_ : defaultValue_; }

    bool Found() const { return found_; }
    const std::string& KeyPath() const { return keyPath_; }
    const std::string& ValueName() const { return valueName_; }

private:
    std::string Read();

    HKEY root_;
    std::string valueName_;
    std::string keyPath_;
    std::string value_;
    std::string defaultValue_;
    bool found_ = false;
    bool forceRead_;
    bool lastReadFound_ = false;
};

class RegistryDwordValue {
public:
    // Splits the path and reads the value at once.
    RegistryDwordValue(std::string_view fullPath, uint32_t defaultValue, bool forceRead = true,
                       HKEY root = HKEY_CURRENT_USER);

    // The number: read again unless it was found before and forceRead is off.
    // Only REG_DWORD data (up to four bytes, a shorter one taken as the low
    // bytes) or REG_BINARY of exactly four bytes counts; anything else gives
    // the default.
    uint32_t Value();
    uint32_t LastRead() const { return lastReadFound_ ? value_ : defaultValue_; }

    // Stores the number as REG_DWORD, creating the key when it is missing.
    // False when the key or the value could not be written (found stays as it was).
    bool Write(uint32_t value);

    bool Found() const { return found_; }
    const std::string& KeyPath() const { return keyPath_; }
    const std::string& ValueName() const { return valueName_; }

private:
    uint32_t Read();

    HKEY root_;
    std::string valueName_;
    std::string keyPath_;
    uint32_t value_ = 0;
    uint32_t defaultValue_;
    bool found_ = false;
    bool forceRead_;
    bool lastReadFound_ = false;
};

}  // namespace ovix::probes
