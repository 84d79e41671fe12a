#include "app/autorun.h"

#include "app/app_paths.h"
#include "framework/registry.h"

namespace ovix {
namespace {
bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }
}  // namespace

bool AutorunEnabled() {
    fw::RegKey key;
    if (key.Open(HKEY_CURRENT_USER, kRunKeyPath, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) return false;
    const auto type = key.ValueType(kAutorunValueName);
    return type && IsStringType(*type);
}

AutorunToggle ToggleAutorun(const std::string& executablePath) {
    fw::RegKey key;
    if (key.Open(HKEY_CURRENT_USER, kRunKeyPath, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) {
        return AutorunToggle::KeyUnavailable;
    }
    const auto type = key.ValueType(kAutorunValueName);
    if (type && IsStringType(*type)) {
        return key.DeleteValue(kAutorunValueName) == ERROR_SUCCESS ? AutorunToggle::Disabled
                                                                     : AutorunToggle::Enabled;
    }
    if (executablePath.empty()) return AutorunToggle::NotWritten;
    // Quoted, so that a path with blanks starts the program and not a prefix of it.
    return key.SetString(kAutorunValueName, QuotedPath(executablePath)) == ERROR_SUCCESS
               ? AutorunToggle::Enabled
               : AutorunToggle::NotWritten;
}

}  // namespace ovix
