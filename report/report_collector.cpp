#include "report/report_collector.h"

#include "framework/text_format.h"
#include "probes/cpu_probe.h"
#include "probes/cpu_text.h"
#include "probes/disk_probes.h"
#include "probes/fact_sheet.h"
#include "probes/fact_text.h"
#include "probes/os_version.h"
#include "probes/process_count.h"
#include "probes/serial_ports.h"
#include "probes/system_info.h"
#include "probes/system_probes.h"
#include "probes/version_code.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_groups.h"
#include "probes/wmi_probes.h"
#include "report/report_text.h"

#include <shlobj.h>

namespace ovix {
namespace {

using namespace probes;

std::string Labelled(const char* format, const std::string& value) { return fw::Format(format, value.c_str()); }

void CollectOperatingSystem(ReportData& d, SystemInfoCollector& system) {
    d.osTrademark = Labelled("Trademark: %s", ProductName());
    // Server 2003 names its service pack where the others have their edition.
    d.osModel = system.IsServer2003() ? Labelled("Model: Windows 2003 %s", OsVersion().info.szCSDVersion)
                                      : Labelled("Model: %s", system.OsName());
    d.osVersion = sysinfo::OsVersionFactLine(system.OsMajor(), system.OsMinor(), system.OsBuild());
    d.bootTime = system.BootTime();
    d.installDate = OsInstallDate();
    d.osType = Labelled("Type: %s", CurrentType());
    d.productType = OsProductType();
    d.workgroup = Workgroup();
    d.systemRestore = SystemRestoreCheck() ? "System Restore: Enable" : "System Restore: Disable";
    d.machineGuid = MachineGuid();
    d.wakeUpType = WakeUpType();
    d.osSerialNumber = Labelled("Serial number: %s", ProductId());
    d.windowsDirectorySize = ReadFolderFacts(WindowsFolderPath()).size;
    d.systemDirectorySize = ReadFolderFacts(SystemFolderPath()).size;
    d.activation = ActivationRequired();
    d.osLanguage = OsLanguageLine(system.IsServer2003(), Language(), Country());
    d.osStatus = OsStatus();
}

void CollectProcessor(ReportData& d, cpu::CpuProbe& processor) {
    const cpu::CpuInfo& info = processor.Detect();
    d.cpuTrademark = cpu::TrademarkLine(info);
    d.cpuName = cpu::NameLine(info);
    d.cpuClock = fw::Format("Clock speed: %u MHz", static_cast<unsigned>(cpu::EffectiveClockMhz(info)));
    d.extClock = ProcessorExtClock();
    d.multiplier = cpu::MultiplierLine(info);
    d.processorType = ProcessorType();
    d.architecture = ProcessorArchitecture();
    d.family = Labelled("Family: %s", ProcessorFamily());
    d.revision = ProcessorRevision();
    d.upgradeMethod = ProcessorUpgradeMethod();
    d.cpuId = Labelled("ID: %s", CpuIdentifier());
    d.addressWidth = ProcessorAddressWidth();
    d.dataWidth = ProcessorDataWidth();
    d.cpuStatus = ProcessorStatus();
}

void CollectBoardAndVideo(ReportData& d) {
    d.boardType = BaseBoardDescription();
    d.boardManufacturer = BaseBoardManufacturer();
    d.boardModel = BaseBoardProduct();
    d.boardVersion = BaseBoardVersion();
    d.socket = ProcessorSocket();
    IdeControllerList(d.ideControllers);
    std::vector<SerialPortInfo> ports;
    EnumSerialPorts(ports, false);
    for (const SerialPortInfo& port : ports) d.serialPorts.push_back(port.friendlyName);

    d.videoChipset = Labelled("Chipset: %s", VideoAdapterCompatibility());
    d.videoArchitecture = VideoArchitecture();
    d.videoModel = Labelled("Model: %s", VideoControllerCaption());
    d.videoProcessor = VideoProcessor();
    d.directX = DirectXVersion();
    d.driverVersion = Labelled("Driver %s", VideoDriverVersion());
    d.driverDate = Labelled("Driver %s", VideoDriverDate());
    d.videoMemory = Labelled("Memory %s", VideoAdapterRam());
    d.videoMemoryType = Labelled("Memory %s", VideoMemoryType());
    d.scanMode = VideoScanMode();
    d.minRefreshRate = Labelled("Refresh rate %s", VideoMinRefreshRate());
    d.maxRefreshRate = Labelled("Refresh rate %s", VideoMaxRefreshRate());
    d.videoStatus = VideoControllerStatus();

    d.biosManufacturer = BiosManufacturer();
    d.biosModel = BiosName();
    d.systemBios = fw::Format("System Bios: Version: %s -> Date: %s", SystemBiosVersion().c_str(),
                              SystemBiosDate().c_str());
    d.videoBios = fw::Format("Video Bios: %s -> Date: %s", VideoBiosVersion().c_str(), VideoBiosDate().c_str());
    d.biosStatus = BiosStatus();
}

void CollectMemoryAndDisks(ReportData& d, SystemInfoCollector& system) {
    system.RefreshMemory();
    const MemoryStatus& memory = system.Memory();
    d.totalPhysical = fw::Format("Total physical: %u MB", static_cast<unsigned>(MebibytesRoundedUp(memory.totalPhysical)));
    d.memoryInUse = fw::Format("In use: %d%% (Free: %d%%)", static_cast<int>(memory.load),
                               100 - static_cast<int>(memory.load));
    d.availablePhysical =
        fw::Format("Available physical: %u MB", static_cast<unsigned>(MebibytesRoundedUp(memory.availablePhysical)));
    d.swapSpace = sysinfo::SwapSpaceLine(memory.totalPageFile);
    d.largeSystemCache = OsLargeSystemCache();
    std::vector<std::string> purposes, sizes;
    CacheMemoryPurposeList(purposes);
    CacheMemorySizeList(sizes);
    d.cacheMemories = wmi::CacheMemoryLines(purposes, sizes);
    d.pageFileCurrent = PageFileCurrentSize();
    d.pageFileMaximum = PageFileMaximumSize();
    d.pageFilePath = PageFilePath();
    FileTimeLines pageFile = ReadFileTimeLines("C:\\pagefile.sys");
    d.pageFileCreated = std::move(pageFile.created);
    d.pageFileLastAccess = std::move(pageFile.lastAccess);
    d.pageFileModified = std::move(pageFile.modified);

    std::vector<std::string> captions, interfaces, mediaTypes, partitions;
    DiskDriveCaptionList(captions);
    DiskDriveInterfaceList(interfaces);
    DiskDriveMediaTypeList(mediaTypes);
    DiskDrivePartitionsList(partitions);
    d.diskDrives = DiskDriveReportLines(captions, interfaces, mediaTypes, partitions);
    d.diskDetail = DiskBlockText(ReadDiskFacts()) + system.NetworkAdapterLines();
    std::vector<std::string> drives, cdCaptions;
    CdromDriveList(drives);
    CdromCaptionList(cdCaptions);
    d.cdDrives = CdDriveReportLines(drives, cdCaptions);
}

void CollectScreenAndPrinters(ReportData& d) {
    ScreenFacts screen = ReadScreenFacts();
    d.resolution = std::move(screen.resolution);
    d.screenSize = std::move(screen.size);
    d.diagonal = std::move(screen.diagonal);
    d.rasterTechnology = RasterTechnology();
    d.colorDepth = ColorDepth();
    d.refreshRate = RefreshFrequency();

    d.hasDefaultPrinter = HasDefaultPrinter();
    if (!d.hasDefaultPrinter) return;
    wmi::PrinterLists lists;
    PrinterNameList(lists.names);
    PrinterPortList(lists.ports);
    PrinterDriverList(lists.drivers);
    PrinterVerticalResolutionList(lists.verticalResolutions);
    PrinterHorizontalResolutionList(lists.horizontalResolutions);
    PrinterProcessorList(lists.processors);
    PrinterDataTypeList(lists.dataTypes);
    PrinterStatusList(lists.statuses);
    PrinterDefaultList(lists.defaults);
    PrinterLocalList(lists.locals);
    PrinterNetworkList(lists.networks);
    d.printers = wmi::PrinterGroups(lists);
}

void CollectMiscellaneous(ReportData& d, SystemInfoCollector& system, const std::vector<std::string>& accounts) {
    d.uptime = system.Uptime();
    d.ipAddress = Labelled("IP: %s", IpAddress());
    d.computerModel = ComputerSystemModel();
    d.systemIdentifier = Labelled("System Identifier: %s", SystemIdentifier());
    d.winsockVersion = WinsockVersion();
    d.startMode = BootMode();
    d.registryCurrentSize = Labelled("Registry %s", RegistryCurrentSize());
    d.registryMaximumSize = Labelled("Registry %s", RegistryMaximumSize());
    d.regeditLastKey = RegeditLastKey();
    d.ieVersion = sysinfo::BrowserVersionLine(system.IeVersion());
    d.adoVersion = sysinfo::DataAccessVersionLine(system.DataAccessVersion());
    d.killAppTimeout = Labelled("Timeout to kill applications: %s ms", WaitToKillAppTimeout());
    d.killServiceTimeout = WaitToKillServiceTimeout();
    d.userAgent = Labelled("Internet User Agent: %s", UserAgent());
    d.timeFormat = Labelled("Time format: %s", TimeFormat());
    d.shortDateFormat = ShortDateFormat();
    d.mailAccounts = accounts;
    std::vector<std::string> manufacturers, descriptions, statuses;
    SoundDeviceManufacturerList(manufacturers);
    SoundDeviceModelList(descriptions);
    SoundDeviceStatusList(statuses);
    d.soundDevices = SoundDeviceReportLines(manufacturers, descriptions, statuses);
}

void CollectInput(ReportData& d) {
    d.mouseModel = PointingDeviceCaption();
    d.mouseManufacturer = PointingDeviceManufacturer();
    d.mouseButtons = fw::Format("Number of buttons: %i", ::GetSystemMetrics(SM_CMOUSEBUTTONS));
    d.mouseSpeed = MouseSpeed();
    d.doubleClickHeight = DoubleClickHeight();
    d.doubleClickWidth = DoubleClickWidth();
    d.mouseSensitivity = Labelled("Sensitivity: %s ms", MouseSensitivity());
    d.doubleClickSpeed = Labelled("Double click speed: %s ms", DoubleClickSpeed());
    d.wheel = MouseWheel();
    d.wheelScrollLines = Labelled("Wheel scroll lines: %s", WheelScrollLines());
    d.mouseThreshold = MouseThreshold();
    d.mouseDriver = PointingDeviceInfFileName();

    d.keyboardModel = Labelled("Model: %s", KeyboardType());
    d.keyboardRepeat = Labelled("Repeat speed: %s ms", KeyboardSpeed());
    d.keyboardDelay = KeyboardDelay();
    d.functionKeys = KeyboardFunctionKeys();
    d.keyboardId = KeyboardDeviceId();
}

void CollectDesktop(ReportData& d) {
    d.desktopPath = Labelled("Path: %s", SpecialFolderPath(CSIDL_DESKTOP));
    d.desktopItems = DesktopItemCount();
    d.wallpaper = WallpaperPath();
    d.menuShowDelay = MenuShowDelay();
    d.iconTitleWrap = IconTitleWrap();
    d.shellIconSize = ShellIconSize();
    d.fontSmoothing = FontSmoothing();
    // The screen-saver settings are reported for Windows XP only.
    if (!d.windowsXp) return;
    d.screenSaverCurrent = ScreenSaverFile();
    d.screenSaverActive = ScreenSaveActive();
    d.screenSaverSecure = ScreenSaverIsSecure();
    d.screenSaverTimeout = ScreenSaveTimeOut();
}

}  // namespace

std::string ReportDateText(time_t moment) {
    const tm* local = std::localtime(&moment);
    char text[128] = "";
    if (!local || std::strftime(text, sizeof(text), "%c", local) == 0) return {};
    return text;
}

ReportData CollectReport(SystemInfoCollector& system, cpu::CpuProbe& processor,
                         const std::vector<std::string>& mailAccounts, time_t now) {
    // One read per management class; the lists of a class are in step.
    const wmi::ClassReadScope classReads;
    if (!system.Loaded()) system.Load();
    ReportData d;
    d.date = ReportDateText(now);
    d.userName = UserName();
    d.computerName = ComputerName();
    d.adminRights = system.IsAdmin();
    d.windowsXp = WindowsVersionCode() == kWindowsXpCode;
    CollectOperatingSystem(d, system);
    CollectProcessor(d, processor);
    CollectBoardAndVideo(d);
    CollectMemoryAndDisks(d, system);
    CollectScreenAndPrinters(d);
    CollectMiscellaneous(d, system, mailAccounts);
    CollectInput(d);
    CollectDesktop(d);
    d.processes = RunningProcessNames();
    d.processCount = RunningProcessCount();
    return d;
}

ReportInventories ReadReportInventories() {
    ReportInventories inventories;
    inventories.software = ReadSoftwareInventory();
    if (WindowsVersionCode() == kWindowsXpCode) inventories.hotfixes = ReadHotfixInventory();
    return inventories;
}

}  // namespace ovix
