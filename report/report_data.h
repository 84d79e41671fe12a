// What a report holds: one ready-made line per fact, the lists of the
// multi-instance classes, and the inventories the dialog reads when it opens.
// Plain texts only, so the writer and its tests need no system headers.
#pragma once

#include "lists/inventory.h"
#include "probes/wmi_groups.h"

#include <string>
#include <vector>

namespace ovix {

// The report saved to a file, or the copy attached to an e-mail: the same
// facts, written with two small differences.
enum class ReportFlavour { File, Mail };

struct ReportData {
    // Header.
    std::string date;  // "%c" at collection time
    std::string userName, computerName;
    bool adminRights = false;
    // Windows XP: the screen-saver lines of the desktop and the hotfix section.
    bool windowsXp = false;

    // Operating system.
    std::string osTrademark, osModel, osVersion, bootTime, installDate, osType, productType, workgroup,
        systemRestore, machineGuid, wakeUpType, osSerialNumber, windowsDirectorySize, systemDirectorySize,
        activation, osLanguage, osStatus;
    // CPU.
    std::string cpuTrademark, cpuName, cpuClock, extClock, multiplier, processorType, architecture, family,
        revision, upgradeMethod, cpuId, addressWidth, dataWidth, cpuStatus;
    // Motherboard.
    std::string boardType, boardManufacturer, boardModel, boardVersion, socket;
    std::vector<std::string> ideControllers;
    std::vector<std::string> serialPorts;  // friendly names
    // Video card.
    std::string videoChipset, videoArchitecture, videoModel, videoProcessor, directX, driverVersion, driverDate,
        videoMemory, videoMemoryType, scanMode, minRefreshRate, maxRefreshRate, videoStatus;
    // BIOS.
    std::string biosManufacturer, biosModel, systemBios, videoBios, biosStatus;
    // Memory.
    std::string totalPhysical, memoryInUse, availablePhysical, swapSpace, largeSystemCache;
    std::vector<std::string> cacheMemories;  // "%s (%s Kb)"
    std::string pageFileCurrent, pageFileMaximum, pageFilePath, pageFileCreated, pageFileLastAccess,
        pageFileModified;
    // Disks: one "Model: ..." line per drive, then the physical-disk detail
    // (its lines may end in CR LF).
    std::vector<std::string> diskDrives;
    std::string diskDetail;
    std::vector<std::string> cdDrives;  // "(%s) %s"
    // Screen.
    std::string resolution, screenSize, diagonal, rasterTechnology, colorDepth, refreshRate;
    // Printers: listed only when the system has a default printer.
    bool hasDefaultPrinter = false;
    std::vector<wmi::Group> printers;
    // Miscellaneous.
    std::string uptime, ipAddress, computerModel, systemIdentifier, winsockVersion, startMode, registryCurrentSize,
        registryMaximumSize, regeditLastKey, ieVersion, adoVersion, killAppTimeout, killServiceTimeout, userAgent,
        timeFormat, shortDateFormat;
    std::vector<std::string> mailAccounts;
    std::vector<std::string> soundDevices;  // "(%i)%s - %s - %s"
    // Mouse.
    std::string mouseModel, mouseManufacturer, mouseButtons, mouseSpeed, doubleClickHeight, doubleClickWidth,
        mouseSensitivity, doubleClickSpeed, wheel, wheelScrollLines, mouseThreshold, mouseDriver;
    // Keyboard.
    std::string keyboardModel, keyboardRepeat, keyboardDelay, functionKeys, keyboardId;
    // Desktop. The four screen-saver lines are read on Windows XP only.
    std::string desktopPath, desktopItems, wallpaper, menuShowDelay, iconTitleWrap, shellIconSize, fontSmoothing;
    std::string screenSaverCurrent, screenSaverActive, screenSaverSecure, screenSaverTimeout;
    // Processes: the names of one snapshot, the count of another.
    std::vector<std::string> processes;
    int processCount = 0;
};

// Read once when a report dialog opens; every report it writes lists them.
struct ReportInventories {
    std::vector<SoftwareEntry> software;
    HotfixInventory hotfixes;  // read on Windows XP only
};

}  // namespace ovix
