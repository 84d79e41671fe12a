// A whole machine's report data as the collector would make it: an XP machine
// with two disks, no CD drive, one printer, two sound devices and no mail
// account. Shared by the writer's tests and the writer's benchmark.
#pragma once

#include "report/report_data.h"

namespace test {

inline ovix::ReportData FakeXpMachine() {
    ovix::ReportData d;
    d.date = "12/07/26 10:30:00";
    d.userName = "alice";
    d.computerName = "WORKSTATION";
    d.adminRights = true;
    d.windowsXp = true;
    d.osTrademark = "Trademark: Microsoft Windows XP";
    d.osModel = "Model: Microsoft Windows XP Professional Service Pack 3";
    d.osVersion = "Version: 5.1 Build: 2600";
    d.bootTime = "Boot Time: 12/07/2026 @ 08:01:02";
    d.installDate = "Installation date: 03/14/2006";
    d.osType = "Type: Uniprocessor Free";
    d.productType = "Product type: Work Station";
    d.workgroup = "Workgroup: WORKGROUP";
    d.systemRestore = "System Restore: Enable";
    d.machineGuid = "Machine GUID: 0f1e2d3c";
    d.wakeUpType = "Wake-up type: Power Switch";
    d.osSerialNumber = "Serial number: 55274-640-1234567-23456";
    d.windowsDirectorySize = "Size: 1.25 GB";
    d.systemDirectorySize = "Size: 512.40 MB";
    d.activation = "Activation required: no";
    d.osLanguage = "Country: France [FRA]";
    d.osStatus = "Status: OK";
    d.cpuTrademark = "Trademark: GenuineIntel";
    d.cpuName = "Name: Intel(R) Pentium(R) 4 CPU 3.00GHz";
    d.cpuClock = "Clock speed: 3000 MHz";
    d.extClock = "External clock: 200 MHz";
    d.multiplier = "Multiplier: 15.00x";
    d.processorType = "Processor type: Central Processor";
    d.architecture = "Architecture: x86";
    d.family = "Family: Pentium 4";
    d.revision = "Revision: 1027";
    d.upgradeMethod = "Upgrade method: ZIF Socket";
    d.cpuId = "ID: x86 Family 15 Model 4 Stepping 3";
    d.addressWidth = "Address width: 32 bits";
    d.dataWidth = "Data width: 32 bits";
    d.cpuStatus = "Status: OK";
    d.boardType = "Type: Base Board";
    d.boardManufacturer = "Manufacturer: ASUSTeK";
    d.boardModel = "Model: P5GD1";
    d.boardVersion = "Version: Rev 1.xx";
    d.socket = "Socket: Socket 775";
    d.ideControllers = {"Primary IDE Channel", "Secondary IDE Channel"};
    d.serialPorts = {"Communications Port (COM1)"};
    d.videoChipset = "Chipset: NVIDIA";
    d.videoArchitecture = "Architecture: VGA";
    d.videoModel = "Model: GeForce 6600";
    d.videoProcessor = "Processor: GeForce 6600";
    d.directX = "DirectX version: 4.09.00.0904";
    d.driverVersion = "Driver Version: 6.14.10.9371";
    d.driverDate = "Driver Date: 10/20/2006";
    d.videoMemory = "Memory Size: 128 MB";
    d.videoMemoryType = "Memory Type: Unknown";
    d.scanMode = "Scan mode: Non Interlaced";
    d.minRefreshRate = "Refresh rate Min: 60 Hz";
    d.maxRefreshRate = "Refresh rate Max: 85 Hz";
    d.videoStatus = "Status: OK";
    d.biosManufacturer = "Manufacturer: Award Software";
    d.biosModel = "Model: Phoenix - AwardBIOS v6.00PG";
    d.systemBios = "System Bios: Version: ASUS P5GD1 -> Date: 05/10/05";
    d.videoBios = "Video Bios: Version 5.43 -> Date: 09/01/05";
    d.biosStatus = "Status: OK";
    d.totalPhysical = "Total physical: 512 MB";
    d.memoryInUse = "In use: 41% (Free: 59%)";
    d.availablePhysical = "Available physical: 302 MB";
    d.swapSpace = "Total swap space: 1247 MB";
    d.largeSystemCache = "Memory optimisation: Programs";
    d.cacheMemories = {"L1 Cache (16 Kb)", "L2 Cache (1024 Kb)"};
    d.pageFileCurrent = "Current size: 768 MB";
    d.pageFileMaximum = "Maximum size: 1536 MB";
    d.pageFilePath = "Path: C:\\pagefile.sys";
    d.pageFileCreated = "Creation: 03/14/06 12:00:00";
    d.pageFileLastAccess = "Last access: 12/07/26 08:01:00";
    d.pageFileModified = "Last Modified: 12/07/26 08:01:00";
    d.diskDrives = {"Model: ST3160 (Interface type: IDE) (Media type: Fixed hard disk) (Number of partition(s): 2)",
                    "Model: WD800 (Interface type: IDE) (Media type: Fixed hard disk) (Number of partition(s): 1)"};
    d.diskDetail = "Disk 0: 149 GB\r\nDisk 1: 74 GB\r\nC:\\ NTFS\r\n";
    d.resolution = "Resolution: 1280 x 1024";
    d.screenSize = "Size: 37.6cm x 30.1cm";
    d.diagonal = "Diagonal: 19.0''";
    d.rasterTechnology = "Raster technology: yes";
    d.colorDepth = "Color depth: 32 Bits ";
    d.refreshRate = "Refresh frequency: 75 Hz";
    d.hasDefaultPrinter = true;
    d.printers = {{"1. LaserJet",
                   {"Port: LPT1:", "Driver: HP LaserJet 4", "Resolution: 600 x 600", "Spooler name: WinPrint",
                    "Data type: RAW", "Status: Idle", "Default: TRUE", "Local: TRUE", "Network: FALSE"}}};
    d.uptime = "Uptime: 2 hours 29 min 0 sec";
    d.ipAddress = "IP: 192.168.1.20";
    d.computerModel = "Model: P5GD1";
    d.systemIdentifier = "System Identifier: AT/AT COMPATIBLE";
    d.winsockVersion = "Winsock version: 2.0";
    d.startMode = "Start mode: Normal";
    d.registryCurrentSize = "Registry Current size: 24 MB";
    d.registryMaximumSize = "Registry Maximum size: 88 MB";
    d.regeditLastKey = "Last open key: My Computer";
    d.ieVersion = "IE: Version: 6.0 Build 2900.2180";
    d.adoVersion = "ADO: Version: 2.81 Build 1117.0";
    d.killAppTimeout = "Timeout to kill applications: 20000 ms";
    d.killServiceTimeout = "Timeout to kill services: 20000 ms";
    d.userAgent = "Internet User Agent: Mozilla/4.0 (compatible; MSIE 6.0)";
    d.timeFormat = "Time format: HH:mm:ss";
    d.shortDateFormat = "Short date format: dd/MM/yyyy";
    d.soundDevices = {"(1)Realtek - AC'97 Audio - OK", "(2)Creative - SB Live! - OK"};
    d.mouseModel = "Model: PS/2 Compatible Mouse";
    d.mouseManufacturer = "Manufacturer: (Standard mouse types)";
    d.mouseButtons = "Number of buttons: 3";
    d.mouseSpeed = "Speed: 10";
    d.doubleClickHeight = "Double click height: 4 pixels";
    d.doubleClickWidth = "Double click width: 4 pixels";
    d.mouseSensitivity = "Sensitivity: 10 ms";
    d.doubleClickSpeed = "Double click speed: 500 ms";
    d.wheel = "Wheel present.";
    d.wheelScrollLines = "Wheel scroll lines: 3";
    d.mouseThreshold = "Threshold: 6 x 10";
    d.mouseDriver = "Driver: msmouse.inf";
    d.keyboardModel = "Model: IBM enhanced (101- or 102-key) keyboard";
    d.keyboardRepeat = "Repeat speed: 31 ms";
    d.keyboardDelay = "Repeat delay: 1";
    d.functionKeys = "Function keys: 12";
    d.keyboardId = "Keyboard ID: PCI\\1";
    d.desktopPath = "Path: C:\\Documents and Settings\\alice\\Desktop";
    d.desktopItems = "Number of Items: 12 (including 2 folders)";
    d.wallpaper = "Wallpaper path: C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp";
    d.menuShowDelay = "Menu show delay: 400 ms";
    d.iconTitleWrap = "Icon title wrap: yes";
    d.shellIconSize = "Shell icon size: 32 pixels";
    d.fontSmoothing = "Font smoothing: yes";
    d.screenSaverCurrent = "Current: logon.scr";
    d.screenSaverActive = "Active: yes";
    d.screenSaverSecure = "Secure: no";
    d.screenSaverTimeout = "Timeout: 10 min";
    d.processes = {"[System Process]", "System", "explorer.exe"};
    d.processCount = 3;
    return d;
}

inline ovix::ReportInventories FakeXpInventories() {
    ovix::ReportInventories inventories;
    inventories.software = {{"7-Zip 4.42", "4.42", "Igor", "2.80 MB", "01/02/2006", "", "uninstall.exe", ""},
                            {"Notepad Plus", "3.9", "", "", "", "", "np.exe /u", ""}};
    inventories.hotfixes.sp3 = {{"KB925902", "Security Update for Windows XP (KB925902)", "alice", "20070403", "Update",
                                 "C:\\WINDOWS\\$NtUninstallKB925902$\\spuninst\\spuninst.exe"}};
    return inventories;
}

}  // namespace test
