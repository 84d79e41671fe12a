// The start-with-Windows switch: the string value "Ovix Autorun" under the
// current user's Run key, holding the executable's path in double quotes.
#pragma once

#include <string>

namespace ovix {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutorunValueName[] = "Ovix Autorun";

inline constexpr char kAutorunEnableTip[] = "Enable Autorun and Ovix will start on each Windows startup.";
inline constexpr char kAutorunDisableTip[] = "Disable Autorun...";
inline constexpr char kRunKeyUnavailable[] =
    "Impossible to open HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// True when the value exists as a string or expandable string; any other type
// counts as absent.
bool AutorunEnabled();

enum class AutorunToggle {
    KeyUnavailable,  // the Run key could not be opened: nothing changed
    Disabled,        // the value was deleted
    Enabled,         // the value was written
    NotWritten,      // no executable path, or the write failed: still disabled
};

// One press of the switch.
AutorunToggle ToggleAutorun(const std::string& executablePath);

}  // namespace ovix
