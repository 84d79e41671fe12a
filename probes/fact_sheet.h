// The fact sheet: the ready-formatted lines gathered once before the tree is
// built, and kept for the rest of the run.
#pragma once

#include <string>
#include <vector>

namespace ovix {

struct FactSheet {
    // Operating system
    std::string osTrademark;       // "Trademark: %s"
    std::string osModel;           // "Model: %s" / "Model: Windows 2003 %s"
    std::string osVersion;         // "Version: %i.%i Build: %d"
    std::string osType;            // "Type: %s"
    std::string osSerialNumber;    // "Serial number: %s"
    std::string osLanguage;        // "Country: %s [%s]" / "Language: %s"
    std::string systemIdentifier;  // "System Identifier: %s"
    std::string bootTime;
    std::string systemStart;
    std::string systemRestore;     // "System Restore: Enable" / "System Restore: Disable"
    // Processor
    std::string cpuTrademark;
    std::string cpuName;
    std::string cpuClock;
    std::string cpuIdentifier;     // "ID: %s"
    std::string cpuFamily;         // "Family: %s"
    // Memory
    std::string totalMemory;
    std::string swapSpace;
    // Dial-up connection, in the order the "Internet connection" section shows
    // them around the local address: device name, device type, line speed,
    // login, phone number, ISP address.
    std::vector<std::string> dialUp;
    std::string localAddress;      // "IP: %s"
    std::string browserVersion;
    std::string dataAccessVersion;
    // Identity and folders
    std::string computerName;      // "Name: %s"
    std::string userName;          // "User Name: %s"
    std::string windowsDirectory;  // "Path: %s"
    std::string systemDirectory;   // "Path: %s"
    std::string adminRights;
    // Keyboard and mouse
    std::string keyboardModel;     // "Model: %s"
    std::string keyboardRepeat;    // "Repeat speed: %s ms"
    std::string mouseButtons;      // "Number of buttons: %i"
    std::string mouseSensitivity;  // "Sensitivity: %s ms"
    std::string doubleClickSpeed;  // "Double click speed: %s ms"
    std::string wheel;             // "Wheel present." / "No wheel."
    std::string scrollLines;       // "Lines per scroll: %s"
    // Settings
    std::string timeFormat;        // "Time format: %s"
    std::string internetAgent;     // "Internet User Agent: %s"
    std::string killTimeout;       // "Timeout to kill applications: %s ms"
    // BIOS
    std::string systemBiosVersion;  // "Version: %s"
    std::string systemBiosDate;     // "Date: %s"
    std::string videoBiosVersion;   // "Version: %s"
    std::string videoBiosDate;      // "Date: %s"
    // Video and screen
    std::string videoChipset;      // "Chipset: %s"
    std::string videoModel;        // "Model: %s"
    std::string screenResolution;  // "Resolution: %i x %i"
    std::string screenSize;        // "Size: %.1fcm x %.1fcm"
    std::string screenDiagonal;    // "Diagonal: %.1f''"
    std::string colorDepth;
    std::string refreshRate;
    std::string colorPlanes;       // "Color planes: %i"
    // Network adapters: the "Active: %i" section and its lines.
    std::string activeAdapters;
    std::vector<std::string> activeAdapterLines;
};

// The screen's size lines as they are now (the fact sheet keeps those of
// start-up; a report reads them again).
struct ScreenFacts {
    std::string resolution;  // "Resolution: %i x %i"
    std::string size;        // "Size: %.1fcm x %.1fcm"
    std::string diagonal;    // "Diagonal: %.1f''"
    std::string colorPlanes; // "Color planes: %i"
};
ScreenFacts ReadScreenFacts();

class SystemInfoCollector;

class CDialer;

// Fills every line whose probe exists; the others stay empty. The collector
// is loaded first when it has not been yet. The dial-up lines come from the
// dialer given, else they are the "not find." ones.
void BuildFactSheet(FactSheet& facts, SystemInfoCollector& collector, CDialer* dialer = nullptr);
// The same with a collector of its own.
void BuildFactSheet(FactSheet& facts);

// The dial-up lines shown when no connection is active.
std::vector<std::string> NotConnectedDialUpLines();

}  // namespace ovix
