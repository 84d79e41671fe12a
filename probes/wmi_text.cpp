#include "probes/wmi_text.h"

#include "framework/text_format.h"

#include <array>
#include <cstring>

namespace ovix::wmi {
namespace {

// --- Code tables -------------------------------------------------------------

constexpr CodeText kWakeUpTypeCodes[] = {
    {0, "Reserved"},  {1, "Other"},       {2, "Unknown"}, {3, "APM Timer"},        {4, "Modem Ring"},
    {5, "LAN Remote"}, {6, "Power Switch"}, {7, "PCI PME#"}, {8, "AC Power Restored"},
};
constexpr CodeTable kWakeUpType{"WakeUp type: ", kWakeUpTypeCodes};

constexpr CodeText kProcessorTypeCodes[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "Central Processor"}, {4, "Math Processor"}, {5, "DSP Processor"},
    {6, "Video Processor"},
};
constexpr CodeTable kProcessorType{"Type: ", kProcessorTypeCodes};

constexpr CodeText kArchitectureCodes[] = {
    {0, "x86"}, {1, "MIPS"}, {2, "Alpha"}, {3, "PowerPC"}, {6, "Intel Itanium Processor Family (IPF)"},
};
constexpr CodeTable kArchitecture{"Architecture: ", kArchitectureCodes};

constexpr CodeText kUpgradeMethodCodes[] = {
    {1, "Other"},
    {2, "Unknown"},
    {3, "Daughter Board"},
    {4, "ZIF Socket"},
    {5, "Replacement/Piggy Back"},
    {6, "None"},
    {7, "LIF Socket"},
    {8, "Slot 1"},
    {9, "Slot 2"},
    {10, "370 Pin Socket"},
    {11, "Slot A"},
    {12, "Slot M"},
    {13, "Socket 423"},
    {14, "Socket A (Socket 462)"},
    {15, "Socket 478"},
    {16, "Socket 754"},
    {17, "Socket 940"},
    {18, "Socket 939"},
};
constexpr CodeTable kUpgradeMethod{"Upgrade method: ", kUpgradeMethodCodes};

constexpr CodeText kVideoMemoryTypeCodes[] = {
    {1, "Other"}, {2, "Unknown"},     {3, "VRAM"},   {4, "DRAM"},   {5, "SRAM"},
    {6, "WRAM"},  {7, "EDO RAM"},     {8, "Burst Synchronous DRAM"}, {9, "Pipelined Burst SRAM"},
    {10, "CDRAM"}, {11, "3DRAM"},     {12, "SDRAM"}, {13, "SGRAM"},
};
constexpr CodeTable kVideoMemoryType{"Type: ", kVideoMemoryTypeCodes};

// 160 is the service's code for the PC-98 architecture.
constexpr CodeText kVideoArchitectureCodes[] = {
    {1, "Other"}, {2, "Unknown"}, {3, "CGA"},   {4, "EGA"},    {5, "VGA"},  {6, "SVGA"},
    {7, "MDA"},   {8, "HGC"},     {9, "MCGA"},  {10, "8514A"}, {11, "XGA"}, {12, "Linear Frame Buffer"},
    {160, "PC-98"},
};
constexpr CodeTable kVideoArchitecture{"Architecture: ", kVideoArchitectureCodes};

constexpr CodeText kScanModeCodes[] = {{1, "Other"}, {2, "Unknown"}, {3, "Interlaced"}, {4, "Non Interlaced"}};
constexpr CodeTable kScanMode{"Scan mode: ", kScanModeCodes};

// The name alone; code 2 is not listed and, like every code missing here,
// reads "Unknown".
constexpr CodeText kFamilyCodes[] = {
    {1, "Other"},
    {3, "8086"},
    {4, "80286"},
    {5, "80386"},
    {6, "80486"},
    {7, "8087"},
    {8, "80287"},
    {9, "80387"},
    {10, "80487"},
    {11, "Pentium brand"},
    {12, "Pentium Pro"},
    {13, "Pentium II"},
    {14, "Pentium processor with MMX technology"},
    {15, "Celeron"},
    {16, "Pentium II Xeon"},
    {17, "Pentium III"},
    {18, "M1 Family"},
    {19, "M2 Family"},
    {24, "K5 Family"},
    {25, "K6 Family"},
    {26, "K6-2"},
    {27, "K6-3"},
    {28, "AMD Athlon Processor Family"},
    {29, "AMD\xAE Duron Processor"},
    {30, "AMD29000 Family"},
    {31, "K6-2+"},
    {32, "Power PC Family"},
    {33, "Power PC 601"},
    {34, "Power PC 603"},
    {35, "Power PC 603+"},
    {36, "Power PC 604"},
    {37, "Power PC 620"},
    {38, "Power PC X704"},
    {39, "Power PC 750"},
    {48, "Alpha Family"},
    {49, "Alpha 21064"},
    {50, "Alpha 21066"},
    {51, "Alpha 21164"},
    {52, "Alpha 21164PC"},
    {53, "Alpha 21164a"},
    {54, "Alpha 21264"},
    {55, "Alpha 21364"},
    {130, "Itanium\x99 Processor"},
    {131, "AMD Athlon\x99"},
    {132, "AMD Opteron\x99 Family"},
    {176, "Pentium III Xeon"},
    {177, "Pentium III Processor with Intel SpeedStep Technology"},
    {178, "Pentium 4"},
    {179, "Intel Xeon"},
    {180, "AS400 Family"},
    {181, "Intel Xeon processor MP"},
    {182, "AMD AthlonXP Family"},
    {183, "AMD AthlonMP Family"},
    {184, "Intel Itanium 2"},
    {185, "Intel Pentium M Processor"},
    {190, "K7"},
    {200, "IBM390 Family"},
    {201, "G4"},
    {202, "G5"},
    {203, "G6"},
    {204, "z/Architecture base"},
    {250, "i860"},
    {251, "i960"},
};
constexpr CodeTable kFamily{"", kFamilyCodes, "Unknown"};

constexpr CodeText kLargeSystemCacheCodes[] = {{0, "applications"}, {1, "system performance"}};
constexpr CodeTable kLargeSystemCache{"Memory optimized for: ", kLargeSystemCacheCodes};

constexpr CodeText kProductTypeCodes[] = {{1, "Work Station"}, {2, "Domain Controller"}, {3, "Server"}};
constexpr CodeTable kProductType{"Product type: ", kProductTypeCodes};

constexpr CodeText kActivationCodes[] = {{0, "no"}, {1, "yes"}};
constexpr CodeTable kActivation{"Activation required: ", kActivationCodes};

constexpr CodeText kPrivilegesCodes[] = {{0, "Guest"}, {1, "User"}, {2, "Administrator"}};
constexpr CodeTable kPrivileges{"Privileges: ", kPrivilegesCodes};

// --- The probes --------------------------------------------------------------

using P = Probe;
using K = Kind;
constexpr Shape L = Shape::Line;
constexpr Shape N = Shape::List;

constexpr ProbeDef kProbes[] = {
    {P::BaseBoardDescription, "BaseBoardDescription", "Win32_BaseBoard", "Description", K::Text, "Type: %s", L},
    {P::BaseBoardManufacturer, "BaseBoardManufacturer", "Win32_BaseBoard", "Manufacturer", K::Text, "Manufacturer: %s", L},
    {P::BaseBoardProduct, "BaseBoardProduct", "Win32_BaseBoard", "Product", K::Text, "Model: %s", L},
    {P::BaseBoardVersion, "BaseBoardVersion", "Win32_BaseBoard", "Version", K::Text, "Version: %s", L},
    {P::BiosManufacturer, "BiosManufacturer", "Win32_BIOS", "Manufacturer", K::Text, "Manufacturer: %s", L},
    {P::BiosName, "BiosName", "Win32_BIOS", "Name", K::Text, "Model: %s", L},
    {P::BiosStatus, "BiosStatus", "Win32_BIOS", "Status", K::Text, "Status: %s", L},
    {P::ComputerSystemManufacturer, "ComputerSystemManufacturer", "Win32_ComputerSystem", "Manufacturer", K::Text, "Manufacturer: %s", L},
    {P::ComputerSystemModel, "ComputerSystemModel", "Win32_ComputerSystem", "Model", K::Text, "Model: %s", L},
    {P::ComputerSystemType, "ComputerSystemType", "Win32_ComputerSystem", "SystemType", K::Text, "Type: %s", L},
    {P::PrimaryOwnerName, "PrimaryOwnerName", "Win32_ComputerSystem", "PrimaryOwnerName", K::Text, "Registered owner: %s", L},
    {P::Workgroup, "Workgroup", "Win32_ComputerSystem", "Domain", K::Text, "Workgroup: %s", L},
    {P::WakeUpType, "WakeUpType", "Win32_ComputerSystem", "WakeUpType", K::ShortCode, nullptr, L, &kWakeUpType},
    {P::ProcessorL2CacheSpeed, "ProcessorL2CacheSpeed", "Win32_Processor", "L2CacheSpeed", K::Number, "L2 Speed: %u MHz", L},
    {P::ProcessorExtClock, "ProcessorExtClock", "Win32_Processor", "ExtClock", K::Number, "External Clock: %u MHz", L},
    {P::ProcessorSocket, "ProcessorSocket", "Win32_Processor", "SocketDesignation", K::Text, "Socket: %s", L},
    {P::ProcessorStatus, "ProcessorStatus", "Win32_Processor", "Status", K::Text, "Status: %s", L},
    {P::ProcessorRevision, "ProcessorRevision", "Win32_Processor", "Revision", K::ShortNumber, "Revision: %u", L},
    {P::ProcessorAddressWidth, "ProcessorAddressWidth", "Win32_Processor", "AddressWidth", K::ShortNumber, "Address Width: %u bit", L},
    {P::ProcessorDataWidth, "ProcessorDataWidth", "Win32_Processor", "DataWidth", K::ShortNumber, "Data Width: %u bit", L},
    {P::ProcessorType, "ProcessorType", "Win32_Processor", "ProcessorType", K::ShortCode, nullptr, L, &kProcessorType},
    {P::ProcessorArchitecture, "ProcessorArchitecture", "Win32_Processor", "Architecture", K::ShortCode, nullptr, L, &kArchitecture},
    {P::ProcessorFamily, "ProcessorFamily", "Win32_Processor", "Family", K::ShortCode, nullptr, L, &kFamily},
    {P::ProcessorUpgradeMethod, "ProcessorUpgradeMethod", "Win32_Processor", "UpgradeMethod", K::ShortCode, nullptr, L, &kUpgradeMethod},
    {P::VideoControllerCaption, "VideoControllerCaption", "Win32_VideoController", "Caption", K::Text, "%s", L},
    {P::VideoAdapterCompatibility, "VideoAdapterCompatibility", "Win32_VideoController", "AdapterCompatibility", K::Text, "%s", L},
    {P::VideoDriverVersion, "VideoDriverVersion", "Win32_VideoController", "DriverVersion", K::Text, "Version: %s", L},
    {P::VideoProcessor, "VideoProcessor", "Win32_VideoController", "VideoProcessor", K::Text, "Processor: %s", L},
    {P::VideoAdapterRam, "VideoAdapterRam", "Win32_VideoController", "AdapterRAM", K::Megabytes, "Size: %u MB", L},
    {P::VideoMinRefreshRate, "VideoMinRefreshRate", "Win32_VideoController", "MinRefreshRate", K::Number, "Min: %u Hz", L},
    {P::VideoMaxRefreshRate, "VideoMaxRefreshRate", "Win32_VideoController", "MaxRefreshRate", K::Number, "Max: %u Hz", L},
    {P::VideoMemoryType, "VideoMemoryType", "Win32_VideoController", "VideoMemoryType", K::ShortCode, nullptr, L, &kVideoMemoryType},
    {P::VideoArchitecture, "VideoArchitecture", "Win32_VideoController", "VideoArchitecture", K::ShortCode, nullptr, L, &kVideoArchitecture},
    {P::VideoScanMode, "VideoScanMode", "Win32_VideoController", "CurrentScanMode", K::ShortCode, nullptr, L, &kScanMode},
    {P::VideoControllerStatus, "VideoControllerStatus", "Win32_VideoController", "Status", K::Text, "Status: %s", L},
    {P::VideoDacType, "VideoDacType", "Win32_VideoController", "AdapterDACType", K::Text, "D.A.C chip: %s", L},
    {P::VideoDriverDate, "VideoDriverDate", "Win32_VideoController", "DriverDate", K::Date, "Date: ", L},
    {P::VideoDisplayDrivers, "VideoDisplayDrivers", "Win32_VideoController", "InstalledDisplayDrivers", K::Text, "Name: %s", L},
    {P::VideoInfFilename, "VideoInfFilename", "Win32_VideoController", "InfFilename", K::Text, ".inf file name: %s", L},
    {P::MonitorType, "MonitorType", "Win32_DesktopMonitor", "MonitorType", K::Text, "Type: %s", L},
    {P::MonitorManufacturer, "MonitorManufacturer", "Win32_DesktopMonitor", "MonitorManufacturer", K::Text, "Manufacturer: %s", L},
    {P::MonitorDeviceId, "MonitorDeviceId", "Win32_DesktopMonitor", "DeviceID", K::Text, "DeviceID: %s", L},
    {P::MonitorPnpDeviceId, "MonitorPnpDeviceId", "Win32_DesktopMonitor", "PNPDeviceID", K::Text, "PNP DeviceID: %s", L},
    {P::MonitorStatus, "MonitorStatus", "Win32_DesktopMonitor", "Status", K::Text, "Status: %s", L},
    {P::MonitorPixelsPerXInch, "MonitorPixelsPerXInch", "Win32_DesktopMonitor", "PixelsPerXLogicalInch", K::Number, "PixelsPerXLogicalInch: %u", L},
    {P::MonitorPixelsPerYInch, "MonitorPixelsPerYInch", "Win32_DesktopMonitor", "PixelsPerYLogicalInch", K::Number, "PixelsPerYLogicalInch: %u", L},
    {P::OsManufacturer, "OsManufacturer", "Win32_OperatingSystem", "Manufacturer", K::Text, "Manufacturer: %s", L},
    {P::OsSystemDrive, "OsSystemDrive", "Win32_OperatingSystem", "SystemDrive", K::Text, "System drive: %s", L},
    {P::OsSystemDevice, "OsSystemDevice", "Win32_OperatingSystem", "SystemDevice", K::Text, "System device: %s", L},
    {P::OsEncryptionLevel, "OsEncryptionLevel", "Win32_OperatingSystem", "EncryptionLevel", K::Number, "Encryption: %i-bit", L},
    {P::OsStatus, "OsStatus", "Win32_OperatingSystem", "Status", K::Text, "Status: %s", L},
    {P::OsInstallDate, "OsInstallDate", "Win32_OperatingSystem", "InstallDate", K::DateTime, "Installation date: ", L},
    {P::OsLargeSystemCache, "OsLargeSystemCache", "Win32_OperatingSystem", "LargeSystemCache", K::Code, nullptr, L, &kLargeSystemCache},
    {P::OsProductType, "OsProductType", "Win32_OperatingSystem", "ProductType", K::Code, nullptr, L, &kProductType},
    {P::ActivationRequired, "ActivationRequired", "Win32_WindowsProductActivation", "ActivationRequired", K::Code, nullptr, L, &kActivation},
    {P::RegistryCurrentSize, "RegistryCurrentSize", "Win32_Registry", "CurrentSize", K::Number, "Current size: %u MB", L},
    {P::RegistryMaximumSize, "RegistryMaximumSize", "Win32_Registry", "MaximumSize", K::Number, "Maximum size: %u MB", L},
    {P::RegistryStatus, "RegistryStatus", "Win32_Registry", "Status", K::Text, "Status: %s", L},
    {P::PageFilePath, "PageFilePath", "Win32_PageFile", "Name", K::Text, "Path: %s", L},
    {P::PageFileMaximumSize, "PageFileMaximumSize", "Win32_PageFile", "MaximumSize", K::Number, "Maximum size: %u MB", L},
    {P::PageFileCurrentSize, "PageFileCurrentSize", "Win32_PageFileUsage", "AllocatedBaseSize", K::Number, "Current size: %u MB", L},
    {P::IconTitleFont, "IconTitleFont", "Win32_Desktop", "IconTitleFaceName", K::Text, "Font: %s", L},
    {P::IconTitleSize, "IconTitleSize", "Win32_Desktop", "IconTitleSize", K::Number, "Font size: %u", L},
    {P::KeyboardDeviceId, "KeyboardDeviceId", "Win32_Keyboard", "DeviceID", K::Text, "ID: %s", L},
    {P::KeyboardFunctionKeys, "KeyboardFunctionKeys", "Win32_Keyboard", "NumberOfFunctionKeys", K::ShortNumber, "Number of function keys: %u", L},
    {P::PointingDeviceCaption, "PointingDeviceCaption", "Win32_PointingDevice", "Caption", K::Text, "Model: %s", L},
    {P::PointingDeviceManufacturer, "PointingDeviceManufacturer", "Win32_PointingDevice", "Manufacturer", K::Text, "Manufacturer: %s", L},
    {P::PointingDeviceInfFileName, "PointingDeviceInfFileName", "Win32_PointingDevice", "InfFileName", K::Text, "InfFileName: %s", L},

    {P::SoundDeviceManufacturerList, "SoundDeviceManufacturerList", "Win32_SoundDevice", "Manufacturer", K::Text, "Manufacturer: %s", N},
    {P::SoundDeviceModelList, "SoundDeviceModelList", "Win32_SoundDevice", "Description", K::Text, "Model: %s", N},
    {P::SoundDeviceStatusList, "SoundDeviceStatusList", "Win32_SoundDevice", "Status", K::Text, "Status: %s", N},
    {P::DiskDriveCaptionList, "DiskDriveCaptionList", "Win32_DiskDrive", "Caption", K::Text, "%s", N},
    {P::DiskDriveMediaTypeList, "DiskDriveMediaTypeList", "Win32_DiskDrive", "MediaType", K::Text, "%s", N},
    {P::DiskDriveInterfaceList, "DiskDriveInterfaceList", "Win32_DiskDrive", "InterfaceType", K::Text, "%s", N},
    {P::DiskDrivePartitionsList, "DiskDrivePartitionsList", "Win32_DiskDrive", "Partitions", K::Number, "%u", N},
    {P::CdromCaptionList, "CdromCaptionList", "Win32_CDROMDrive", "Caption", K::Text, "%s", N},
    {P::CdromDriveList, "CdromDriveList", "Win32_CDROMDrive", "Drive", K::Text, "%s", N},
    {P::CdromDeviceIdList, "CdromDeviceIdList", "Win32_CDROMDrive", "DeviceID", K::Text, "%s", N},
    {P::IdeControllerList, "IdeControllerList", "Win32_IDEController", "Caption", K::Text, "%s", N},
    {P::SerialPortCaptionList, "SerialPortCaptionList", "Win32_SerialPort", "Caption", K::Text, "%s", N},
    {P::CacheMemoryPurposeList, "CacheMemoryPurposeList", "Win32_CacheMemory", "Purpose", K::Text, "%s", N},
    {P::CacheMemorySizeList, "CacheMemorySizeList", "Win32_CacheMemory", "InstalledSize", K::Number, "%u", N},
    {P::PrinterNameList, "PrinterNameList", "Win32_Printer", "Name", K::Text, "%s", N},
    {P::PrinterPortList, "PrinterPortList", "Win32_Printer", "PortName", K::Text, "%s", N},
    {P::PrinterDriverList, "PrinterDriverList", "Win32_Printer", "DriverName", K::Text, "%s", N},
    {P::PrinterVerticalResolutionList, "PrinterVerticalResolutionList", "Win32_Printer", "VerticalResolution", K::Number, "%i", N},
    {P::PrinterHorizontalResolutionList, "PrinterHorizontalResolutionList", "Win32_Printer", "HorizontalResolution", K::Number, "%i", N},
    {P::PrinterProcessorList, "PrinterProcessorList", "Win32_Printer", "PrintProcessor", K::Text, "%s", N},
    {P::PrinterDataTypeList, "PrinterDataTypeList", "Win32_Printer", "PrintJobDataType", K::Text, "%s", N},
    {P::PrinterStatusList, "PrinterStatusList", "Win32_Printer", "Status", K::Text, "%s", N},
    {P::PrinterDefaultList, "PrinterDefaultList", "Win32_Printer", "Default", K::Boolean, "%s", N},
    {P::PrinterLocalList, "PrinterLocalList", "Win32_Printer", "Local", K::Boolean, "%s", N},
    {P::PrinterNetworkList, "PrinterNetworkList", "Win32_Printer", "Network", K::Boolean, "%s", N},
    {P::LoginProfileCaptionList, "LoginProfileCaptionList", "Win32_NetworkLoginProfile", "Caption", K::Text, "%s", N},
    {P::LoginProfileLogonsList, "LoginProfileLogonsList", "Win32_NetworkLoginProfile", "NumberOfLogons", K::Number, "Number of Logon: %u", N},
    {P::LoginProfileDescriptionList, "LoginProfileDescriptionList", "Win32_NetworkLoginProfile", "Description", K::Text, "Description: %s", N},
    {P::LoginProfilePrivilegesList, "LoginProfilePrivilegesList", "Win32_NetworkLoginProfile", "Privileges", K::Code, nullptr, N, &kPrivileges},
    {P::LoginProfileAccessList, "LoginProfileAccessList", "Win32_NetworkLoginProfile", "UnitsPerWeek", K::WeeklyHours, nullptr, N},
    {P::LoginProfileUserIdList, "LoginProfileUserIdList", "Win32_NetworkLoginProfile", "UserId", K::Number, "ID: %u", N},
};

// The table is indexed by the probe's number: each row must stand at its place.
constexpr bool RowsInProbeOrder() {
    if (std::size(kProbes) != static_cast<size_t>(Probe::Count)) return false;
    for (size_t i = 0; i < std::size(kProbes); ++i) {
        if (static_cast<size_t>(kProbes[i].id) != i) return false;
    }
    return true;
}
static_assert(RowsInProbeOrder(), "kProbes must list every probe once, in the order of enum Probe");

// The 32 bits a number kind reads; the service hands unsigned 32-bit
// properties over as signed ones, so the bits are kept as they are.
std::uint32_t Low32(const Value& value) {
    return value.type == Value::Type::Integer ? static_cast<std::uint32_t>(value.integer) : 0u;
}

std::string TextOf(const Value& value) { return value.type == Value::Type::Text ? value.text : std::string(); }

bool IsSigned(const char* format) { return std::strstr(format, "%i") != nullptr || std::strstr(format, "%d") != nullptr; }

std::string FormatNumber(const char* format, std::uint32_t bits) {
    if (IsSigned(format)) return fw::Format(format, static_cast<int>(static_cast<std::int32_t>(bits)));
    return fw::Format(format, static_cast<unsigned>(bits));
}

std::string Slice(std::string_view cim, size_t first, size_t count) { return std::string(cim.substr(first, count)); }

}  // namespace

std::span<const ProbeDef> Definitions() { return kProbes; }

const ProbeDef& Definition(Probe probe) { return kProbes[static_cast<size_t>(probe)]; }

std::string CodeLine(const CodeTable& table, std::uint32_t code) {
    for (const CodeText& entry : table.codes) {
        if (entry.code == code) return std::string(table.label) + entry.text;
    }
    return table.unlisted ? table.unlisted : "";
}

std::string CodeLineWithoutValue(const CodeTable& table) { return table.unlisted ? table.unlisted : table.label; }

std::string CimDateLine(std::string_view label, std::string_view cim) {
    std::string line(label);
    if (cim.size() < 14) return line;
    return line + Slice(cim, 4, 2) + "/" + Slice(cim, 6, 2) + "/" + Slice(cim, 0, 4);
}

std::string CimDateTimeLine(std::string_view label, std::string_view cim) {
    if (cim.size() < 14) return std::string(label);
    return CimDateLine(label, cim) + "  @ " + Slice(cim, 8, 2) + ":" + Slice(cim, 10, 2) + ":" + Slice(cim, 12, 2);
}

std::string FormatValue(const ProbeDef& probe, const Value& value) {
    const bool isInteger = value.type == Value::Type::Integer;
    switch (probe.kind) {
    case Kind::Text:
        return fw::Format(probe.format, TextOf(value).c_str());
    case Kind::Number:
        return FormatNumber(probe.format, Low32(value));
    case Kind::ShortNumber:
        return fw::Format(probe.format, static_cast<unsigned>(Low32(value) & 0xFFFFu));
    case Kind::Megabytes:
        return fw::Format(probe.format, static_cast<unsigned>(Low32(value) >> 20));
    case Kind::WeeklyHours: {
        const std::uint32_t hours = Low32(value);
        return fw::Format(hours == 168 ? "Limited Access: No (%uh/week)" : "Limited Access: Yes (%uh/week)",
                          static_cast<unsigned>(hours));
    }
    case Kind::Boolean:
        return fw::Format(probe.format, value.type != Value::Type::Boolean ? "" : value.boolean ? "yes" : "no");
    case Kind::Code:
        return isInteger ? CodeLine(*probe.codes, Low32(value)) : CodeLineWithoutValue(*probe.codes);
    case Kind::ShortCode:
        return isInteger ? CodeLine(*probe.codes, Low32(value) & 0xFFFFu) : CodeLineWithoutValue(*probe.codes);
    case Kind::Date:
        return CimDateLine(probe.format, TextOf(value));
    case Kind::DateTime:
        return CimDateTimeLine(probe.format, TextOf(value));
    }
    return {};
}

std::string RunLine(RowSource& source, Probe probe) {
    const ProbeDef& definition = Definition(probe);
    const std::vector<Value> values = source.Read(definition.className, definition.property, true);
    return values.empty() ? std::string() : FormatValue(definition, values.front());
}

void RunList(RowSource& source, Probe probe, std::vector<std::string>& lines) {
    const ProbeDef& definition = Definition(probe);
    for (const Value& value : source.Read(definition.className, definition.property, false)) {
        lines.push_back(FormatValue(definition, value));
    }
}

}  // namespace ovix::wmi
