#include "framework/registry.h"

#include "framework/handles.h"

#include <algorithm>

namespace fw {

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

LONG RegKey::Open(HKEY root, const char* path, REGSAM access) {
    Close();
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExA(root, path, 0, access, &key);
    if (status == ERROR_SUCCESS) {
        key_ = key;
        NoteAcquired(ResourceKind::RegistryKey);
    }
    return status;
}

LONG RegKey::Create(HKEY root, const char* path, REGSAM access) {
    Close();
    HKEY key = nullptr;
    const LONG status =
        ::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        key_ = key;
        NoteAcquired(ResourceKind::RegistryKey);
    }
    return status;
}

void RegKey::Close() {
    if (key_) {
        ::RegCloseKey(key_);
        NoteReleased(ResourceKind::RegistryKey);
        key_ = nullptr;
    }
}

std::optional<DWORD> RegKey::ValueType(const char* name) const {
    DWORD type = 0;
    if (!key_ || ::RegQueryValueExA(key_, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return type;
}

std::optional<std::string> RegKey::QueryString(const char* name) const {
    if (!key_) return std::nullopt;
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
        std::string data(size + 1, '\0');
        DWORD got = size;
        const LONG status =
            ::RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_MORE_DATA) continue;  // grew between the two calls
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
        data.resize(got);
        // The stored data need not end in a zero, and may hold one early.
        const size_t end = data.find('\0');
        if (end != std::string::npos) data.resize(end);
        return data;
    }
    return std::nullopt;
}

std::optional<DWORD> RegKey::QueryDword(const char* name) const {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (!key_ ||
        ::RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

LONG RegKey::SetString(const char* name, const std::string& value) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    return ::RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1));
}

LONG RegKey::SetDword(const char* name, DWORD value) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    return ::RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG RegKey::DeleteValue(const char* name) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    return ::RegDeleteValueA(key_, name);
}

LONG RegKey::QueryRaw(const char* name, RawValue& value) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    // Most values fit the first buffer: one call. A larger one is read again
    // with the size the registry gave (and again if it grew meanwhile).
    value.bytes.assign(256, '\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(value.bytes.size());
        const LONG status = ::RegQueryValueExA(key_, name, nullptr, &value.type,
                                               reinterpret_cast<BYTE*>(value.bytes.data()), &size);
        if (status == ERROR_MORE_DATA) {
            value.bytes.assign(std::max<size_t>(size, value.bytes.size() * 2), '\0');
            continue;
        }
        if (status == ERROR_SUCCESS) value.bytes.resize(size);
        return status;
    }
}

LONG RegKey::SetRaw(const char* name, DWORD type, std::string_view bytes) const {
    if (!key_) return ERROR_INVALID_HANDLE;
    // A text whose last byte is not NUL but is followed by one in memory is
    // taken as missing its terminator and stored one byte longer: a byte that
    // is not NUL after the data keeps the size exact.
    std::string data(bytes);
    data.push_back('\x01');
    return ::RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(bytes.size()));
}

std::vector<std::string> RegKey::SubkeyNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    std::string name(256, '\0');
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status = ::RegEnumKeyExA(key_, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA && name.size() < 32768) {
            name.resize(name.size() * 2);  // the same index again, with room
            continue;
        }
        // Any other error ends the list: a key deleted while it is listed
        // answers the same error at every index.
        if (status != ERROR_SUCCESS) break;
        names.emplace_back(name.data(), length);
        ++index;
    }
    return names;
}

}  // namespace fw
