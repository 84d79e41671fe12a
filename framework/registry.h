// One registry key, closed by its owner; values read with their real type and
// size, so an odd value (wrong type, no terminating zero) never overruns.
#pragma once

#include "framework/win.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    RegKey& operator=(RegKey&& other) noexcept;

    LONG Open(HKEY root, const char* path, REGSAM access);
    LONG Create(HKEY root, const char* path, REGSAM access);
    void Close();

    HKEY Get() const { return key_; }
    bool IsOpen() const { return key_ != nullptr; }

    // The value's type, or nothing when it does not exist.
    std::optional<DWORD> ValueType(const char* name) const;
    // A REG_SZ or REG_EXPAND_SZ value (not expanded); nothing for other types.
    std::optional<std::string> QueryString(const char* name) const;
    std::optional<DWORD> QueryDword(const char* name) const;
    LONG SetString(const char* name, const std::string& value) const;
    LONG SetDword(const char* name, DWORD value) const;
    LONG DeleteValue(const char* name) const;
    // Any value as stored, its type and bytes untouched (a snapshot that can
    // be put back exactly). ERROR_FILE_NOT_FOUND when there is no such value.
    struct RawValue {
        DWORD type = REG_NONE;
        std::string bytes;
    };
    LONG QueryRaw(const char* name, RawValue& value) const;
    LONG SetRaw(const char* name, DWORD type, std::string_view bytes) const;
    // Names of the direct sub-keys, in enumeration order.
    std::vector<std::string> SubkeyNames() const;

private:
    HKEY key_ = nullptr;
};

}  // namespace fw
