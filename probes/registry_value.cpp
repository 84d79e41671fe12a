#include "probes/registry_value.h"

#include "framework/registry.h"
#include "probes/probe_text.h"

#include <utility>

namespace ovix::probes {
namespace {

// A value may change size between asking its size and reading it: ask again
// a few times before giving up.
constexpr int kReadAttempts = 4;

}  // namespace

RegistryStringValue::RegistryStringValue(std::string_view fullPath, std::string defaultText, bool forceRead,
                                         HKEY root)
    : root_(root), defaultValue_(std::move(defaultText)), forceRead_(forceRead) {
    RegistryPath path = SplitRegistryPath(fullPath);
    keyPath_ = std::move(path.keyPath);
    valueName_ = std::move(path.valueName);
    Read();
}

std::string RegistryStringValue::Text() {
    if (found_ && !forceRead_) return value_;
    return Read();
}

std::string RegistryStringValue::Read() {
    lastReadFound_ = false;
    fw::RegKey key;
    if (key.Open(root_, keyPath_.c_str(), KEY_READ) != ERROR_SUCCESS) return defaultValue_;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key.Get(), valueName_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return defaultValue_;
        }
        std::string data(size, '\0');
        DWORD got = size;
        const LONG status = ::RegQueryValueExA(key.Get(), valueName_.c_str(), nullptr, &type,
                                               reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return defaultValue_;
        // Whatever the type, the text ends at the first NUL or at the data's end.
        value_ = TextUpToNul(std::string_view(data.data(), got < size ? got : size));
        found_ = true;
        lastReadFound_ = true;
        return value_;
    }
    return defaultValue_;
}

RegistryDwordValue::RegistryDwordValue(std::string_view fullPath, uint32_t defaultValue, bool forceRead, HKEY root)
    : root_(root), defaultValue_(defaultValue), forceRead_(forceRead) {
    RegistryPath path = SplitRegistryPath(fullPath);
    keyPath_ = std::move(path.keyPath);
    valueName_ = std::move(path.valueName);
    Read();
}

uint32_t RegistryDwordValue::Value() {
    if (found_ && !forceRead_) return value_;
    return Read();
}

uint32_t RegistryDwordValue::Read() {
    lastReadFound_ = false;
    fw::RegKey key;
    if (key.Open(root_, keyPath_.c_str(), KEY_READ) != ERROR_SUCCESS) return defaultValue_;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), valueName_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return defaultValue_;
    }
    const bool dword = type == REG_DWORD && size <= sizeof(DWORD);
    const bool fourBinaryBytes = type == REG_BINARY && size == sizeof(DWORD);
    if (!dword && !fourBinaryBytes) return defaultValue_;
    // Starts from 0, so a shorter REG_DWORD fills only the low bytes.
    DWORD number = 0;
    DWORD got = sizeof(number);
    if (::RegQueryValueExA(key.Get(), valueName_.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number), &got) !=
            ERROR_SUCCESS ||
        !(type == REG_DWORD || (type == REG_BINARY && got == sizeof(DWORD)))) {
        return defaultValue_;
    }
    value_ = number;
    found_ = true;
    lastReadFound_ = true;
    return value_;
}

bool RegistryDwordValue::Write(uint32_t value) {
    value_ = value;
    fw::RegKey key;
    if (key.Create(root_, keyPath_.c_str(), KEY_WRITE) != ERROR_SUCCESS) return false;
    if (key.SetDword(valueName_.c_str(), value) != ERROR_SUCCESS) return false;
    found_ = true;
    return true;
}

}  // namespace ovix::probes
