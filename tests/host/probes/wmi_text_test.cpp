#include "probes/wmi_text.h"

#include "fake_row_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ovix::wmi;
using Lines = std::vector<std::string>;
using P = Probe;

Value T(const char* text) { return Value::OfText(text); }
Value I(std::int64_t integer) { return Value::OfInteger(integer); }
Value B(bool boolean) { return Value::OfBoolean(boolean); }

// The line a line probe gives for one instance holding value in its property.
std::string LineOf(Probe probe, const Value& value) {
    test::FakeRowSource source;
    source.Add(Definition(probe).className, {{Definition(probe).property, value}});
    return RunLine(source, probe);
}

struct Expected {
    Probe probe;
    const char* className;
    const char* property;
    Value value;
    const char* line;
};

const char* const BB = "Win32_BaseBoard";
const char* const CS = "Win32_ComputerSystem";
const char* const CPU = "Win32_Processor";
const char* const VC = "Win32_VideoController";
const char* const DM = "Win32_DesktopMonitor";
const char* const OS = "Win32_OperatingSystem";
const char* const PR = "Win32_Printer";
const char* const NLP = "Win32_NetworkLoginProfile";
const char* const kCim = "20060315133014.000000+060";

// Every probe with one value, class, property and line written out as the
// probes are defined, independently of the product's table.
const Expected kEveryProbe[] = {
    {P::BaseBoardDescription, BB, "Description", T("Base Board"), "Type: Base Board"},
    {P::BaseBoardManufacturer, BB, "Manufacturer", T("Board Maker"), "Manufacturer: Board Maker"},
    {P::BaseBoardProduct, BB, "Product", T("D865"), "Model: D865"},
    {P::BaseBoardVersion, BB, "Version", T("AAC-206"), "Version: AAC-206"},
    {P::BiosManufacturer, "Win32_BIOS", "Manufacturer", T("Bios Maker"), "Manufacturer: Bios Maker"},
    {P::BiosName, "Win32_BIOS", "Name", T("Default System BIOS"), "Model: Default System BIOS"},
    {P::BiosStatus, "Win32_BIOS", "Status", T("OK"), "Status: OK"},
    {P::ComputerSystemManufacturer, CS, "Manufacturer", T("PC Maker"), "Manufacturer: PC Maker"},
    {P::ComputerSystemModel, CS, "Model", T("Tower 300"), "Model: Tower 300"},
    {P::ComputerSystemType, CS, "SystemType", T("X86-based PC"), "Type: X86-based PC"},
    {P::PrimaryOwnerName, CS, "PrimaryOwnerName", T("M\xFCller"), "Registered owner: M\xFCller"},
    {P::Workgroup, CS, "Domain", T("WORKGROUP"), "Workgroup: WORKGROUP"},
    {P::WakeUpType, CS, "WakeUpType", I(6), "WakeUp type: Power Switch"},
    {P::ProcessorL2CacheSpeed, CPU, "L2CacheSpeed", I(1600), "L2 Speed: 1600 MHz"},
    {P::ProcessorExtClock, CPU, "ExtClock", I(200), "External Clock: 200 MHz"},
    {P::ProcessorSocket, CPU, "SocketDesignation", T("Socket 478"), "Socket: Socket 478"},
    {P::ProcessorStatus, CPU, "Status", T("OK"), "Status: OK"},
    {P::ProcessorRevision, CPU, "Revision", I(527), "Revision: 527"},
    {P::ProcessorAddressWidth, CPU, "AddressWidth", I(32), "Address Width: 32 bit"},
    {P::ProcessorDataWidth, CPU, "DataWidth", I(64), "Data Width: 64 bit"},
    {P::ProcessorType, CPU, "ProcessorType", I(3), "Type: Central Processor"},
    {P::ProcessorArchitecture, CPU, "Architecture", I(6), "Architecture: Intel Itanium Processor Family (IPF)"},
    {P::ProcessorFamily, CPU, "Family", I(29), "AMD\xAE Duron Processor"},
    {P::ProcessorUpgradeMethod, CPU, "UpgradeMethod", I(14), "Upgrade method: Socket A (Socket 462)"},
    {P::VideoControllerCaption, VC, "Caption", T("Display 9600"), "Display 9600"},
    {P::VideoAdapterCompatibility, VC, "AdapterCompatibility", T("Chips Ltd"), "Chips Ltd"},
    {P::VideoDriverVersion, VC, "DriverVersion", T("6.14.10.6462"), "Version: 6.14.10.6462"},
    {P::VideoProcessor, VC, "VideoProcessor", T("RV350"), "Processor: RV350"},
    {P::VideoAdapterRam, VC, "AdapterRAM", I(134217728), "Size: 128 MB"},
    {P::VideoMinRefreshRate, VC, "MinRefreshRate", I(56), "Min: 56 Hz"},
    {P::VideoMaxRefreshRate, VC, "MaxRefreshRate", I(85), "Max: 85 Hz"},
    {P::VideoMemoryType, VC, "VideoMemoryType", I(13), "Type: SGRAM"},
    {P::VideoArchitecture, VC, "VideoArchitecture", I(5), "Architecture: VGA"},
    {P::VideoScanMode, VC, "CurrentScanMode", I(4), "Scan mode: Non Interlaced"},
    {P::VideoControllerStatus, VC, "Status", T("OK"), "Status: OK"},
    {P::VideoDacType, VC, "AdapterDACType", T("Internal DAC"), "D.A.C chip: Internal DAC"},
    {P::VideoDriverDate, VC, "DriverDate", T(kCim), "Date: 03/15/2006"},
    {P::VideoDisplayDrivers, VC, "InstalledDisplayDrivers", T("disp.dll"), "Name: disp.dll"},
    {P::VideoInfFilename, VC, "InfFilename", T("oem1.inf"), ".inf file name: oem1.inf"},
    {P::MonitorType, DM, "MonitorType", T("Plug and Play Monitor"), "Type: Plug and Play Monitor"},
    {P::MonitorManufacturer, DM, "MonitorManufacturer", T("(Standard)"), "Manufacturer: (Standard)"},
    {P::MonitorDeviceId, DM, "DeviceID", T("DesktopMonitor1"), "DeviceID: DesktopMonitor1"},
    {P::MonitorPnpDeviceId, DM, "PNPDeviceID", T("DISPLAY\\DEFAULT\\1"), "PNP DeviceID: DISPLAY\\DEFAULT\\1"},
    {P::MonitorStatus, DM, "Status", T("OK"), "Status: OK"},
    {P::MonitorPixelsPerXInch, DM, "PixelsPerXLogicalInch", I(96), "PixelsPerXLogicalInch: 96"},
    {P::MonitorPixelsPerYInch, DM, "PixelsPerYLogicalInch", I(120), "PixelsPerYLogicalInch: 120"},
    {P::OsManufacturer, OS, "Manufacturer", T("OS Maker"), "Manufacturer: OS Maker"},
    {P::OsSystemDrive, OS, "SystemDrive", T("C:"), "System drive: C:"},
    {P::OsSystemDevice, OS, "SystemDevice", T("\\Device\\Harddisk0"), "System device: \\Device\\Harddisk0"},
    {P::OsEncryptionLevel, OS, "EncryptionLevel", I(128), "Encryption: 128-bit"},
    {P::OsStatus, OS, "Status", T("OK"), "Status: OK"},
    {P::OsInstallDate, OS, "InstallDate", T(kCim), "Installation date: 03/15/2006  @ 13:30:14"},
    {P::OsLargeSystemCache, OS, "LargeSystemCache", I(1), "Memory optimized for: system performance"},
    {P::OsProductType, OS, "ProductType", I(2), "Product type: Domain Controller"},
    {P::ActivationRequired, "Win32_WindowsProductActivation", "ActivationRequired", I(1), "Activation required: yes"},
    {P::RegistryCurrentSize, "Win32_Registry", "CurrentSize", I(22), "Current size: 22 MB"},
    {P::RegistryMaximumSize, "Win32_Registry", "MaximumSize", I(88), "Maximum size: 88 MB"},
    {P::RegistryStatus, "Win32_Registry", "Status", T("OK"), "Status: OK"},
    {P::PageFilePath, "Win32_PageFile", "Name", T("C:\\pagefile.sys"), "Path: C:\\pagefile.sys"},
    {P::PageFileMaximumSize, "Win32_PageFile", "MaximumSize", I(3072), "Maximum size: 3072 MB"},
    {P::PageFileCurrentSize, "Win32_PageFileUsage", "AllocatedBaseSize", I(1536), "Current size: 1536 MB"},
    {P::IconTitleFont, "Win32_Desktop", "IconTitleFaceName", T("Sans"), "Font: Sans"},
    {P::IconTitleSize, "Win32_Desktop", "IconTitleSize", I(8), "Font size: 8"},
    {P::KeyboardDeviceId, "Win32_Keyboard", "DeviceID", T("PNP0303"), "ID: PNP0303"},
    {P::KeyboardFunctionKeys, "Win32_Keyboard", "NumberOfFunctionKeys", I(12), "Number of function keys: 12"},
    {P::PointingDeviceCaption, "Win32_PointingDevice", "Caption", T("PS/2 Mouse"), "Model: PS/2 Mouse"},
    {P::PointingDeviceManufacturer, "Win32_PointingDevice", "Manufacturer", T("(Std)"), "Manufacturer: (Std)"},
    {P::PointingDeviceInfFileName, "Win32_PointingDevice", "InfFileName", T("m.inf"), "InfFileName: m.inf"},
    {P::SoundDeviceManufacturerList, "Win32_SoundDevice", "Manufacturer", T("Sound Co"), "Manufacturer: Sound Co"},
    {P::SoundDeviceModelList, "Win32_SoundDevice", "Description", T("AC97 Audio"), "Model: AC97 Audio"},
    {P::SoundDeviceStatusList, "Win32_SoundDevice", "Status", T("OK"), "Status: OK"},
    {P::DiskDriveCaptionList, "Win32_DiskDrive", "Caption", T("ST3160 ATA"), "ST3160 ATA"},
    {P::DiskDriveMediaTypeList, "Win32_DiskDrive", "MediaType", T("Fixed hard disk"), "Fixed hard disk"},
    {P::DiskDriveInterfaceList, "Win32_DiskDrive", "InterfaceType", T("IDE"), "IDE"},
    {P::DiskDrivePartitionsList, "Win32_DiskDrive", "Partitions", I(2), "2"},
    {P::CdromCaptionList, "Win32_CDROMDrive", "Caption", T("DVD-ROM"), "DVD-ROM"},
    {P::CdromDriveList, "Win32_CDROMDrive", "Drive", T("D:"), "D:"},
    {P::CdromDeviceIdList, "Win32_CDROMDrive", "DeviceID", T("IDE\\CDROM1"), "IDE\\CDROM1"},
    {P::IdeControllerList, "Win32_IDEController", "Caption", T("Primary IDE"), "Primary IDE"},
    {P::SerialPortCaptionList, "Win32_SerialPort", "Caption", T("COM1"), "COM1"},
    {P::CacheMemoryPurposeList, "Win32_CacheMemory", "Purpose", T("L2 Cache"), "L2 Cache"},
    {P::CacheMemorySizeList, "Win32_CacheMemory", "InstalledSize", I(512), "512"},
    {P::PrinterNameList, PR, "Name", T("Laser"), "Laser"},
    {P::PrinterPortList, PR, "PortName", T("LPT1:"), "LPT1:"},
    {P::PrinterDriverList, PR, "DriverName", T("PCL5"), "PCL5"},
    {P::PrinterVerticalResolutionList, PR, "VerticalResolution", I(600), "600"},
    {P::PrinterHorizontalResolutionList, PR, "HorizontalResolution", I(1200), "1200"},
    {P::PrinterProcessorList, PR, "PrintProcessor", T("WinPrint"), "WinPrint"},
    {P::PrinterDataTypeList, PR, "PrintJobDataType", T("RAW"), "RAW"},
    {P::PrinterStatusList, PR, "Status", T("Unknown"), "Unknown"},
    {P::PrinterDefaultList, PR, "Default", B(true), "yes"},
    {P::PrinterLocalList, PR, "Local", B(false), "no"},
    {P::PrinterNetworkList, PR, "Network", B(true), "yes"},
    {P::LoginProfileCaptionList, NLP, "Caption", T("alice"), "alice"},
    {P::LoginProfileLogonsList, NLP, "NumberOfLogons", I(12), "Number of Logon: 12"},
    {P::LoginProfileDescriptionList, NLP, "Description", T("Admin"), "Description: Admin"},
    {P::LoginProfilePrivilegesList, NLP, "Privileges", I(2), "Privileges: Administrator"},
    {P::LoginProfileAccessList, NLP, "UnitsPerWeek", I(40), "Limited Access: Yes (40h/week)"},
    {P::LoginProfileUserIdList, NLP, "UserId", I(1003), "ID: 1003"},
};

TEST(WmiProbes, EveryProbesLineForOneValue) {
    ASSERT_EQ(std::size(kEveryProbe), static_cast<size_t>(Probe::Count));
    for (const Expected& row : kEveryProbe) {
        SCOPED_TRACE(Definition(row.probe).name);
        test::FakeRowSource source;
        source.Add(row.className, {{row.property, row.value}});
        if (Definition(row.probe).shape == Shape::Line) {
            // A second instance is never read by a line probe.
            source.Add(row.className, {{row.property, T("second")}});
            EXPECT_EQ(RunLine(source, row.probe), row.line);
        } else {
            Lines lines = {"kept"};
            RunList(source, row.probe, lines);
            EXPECT_EQ(lines, (Lines{"kept", row.line})) << "appended, never cleared";
        }
    }
}

TEST(WmiProbes, ThirtyTwoBitRawValues) {
    // The service hands unsigned 32-bit properties over as signed: "%u" shows
    // the unsigned value, "%i" the signed one, and only the low 32 bits count.
    EXPECT_EQ(LineOf(P::RegistryMaximumSize, I(-1)), "Maximum size: 4294967295 MB");
    EXPECT_EQ(LineOf(P::OsEncryptionLevel, I(0xFFFFFFFFll)), "Encryption: -1-bit");
    EXPECT_EQ(LineOf(P::IconTitleSize, I(0x100000009ll)), "Font size: 9");
    EXPECT_EQ(LineOf(P::VideoAdapterRam, I(100000000)), "Size: 95 MB");
    EXPECT_EQ(LineOf(P::VideoAdapterRam, I(1048575)), "Size: 0 MB");
    EXPECT_EQ(LineOf(P::VideoAdapterRam, I(-2147483647ll - 1)), "Size: 2048 MB");
    EXPECT_EQ(LineOf(P::VideoAdapterRam, I(-1)), "Size: 4095 MB");
    // 16-bit properties read their low word, unsigned; 32-bit codes all 32 bits.
    EXPECT_EQ(LineOf(P::ProcessorRevision, I(0x12345)), "Revision: 9029");
    EXPECT_EQ(LineOf(P::ProcessorAddressWidth, I(-1)), "Address Width: 65535 bit");
    EXPECT_EQ(LineOf(P::ProcessorFamily, I(0x10000 + 251)), "i960");
    EXPECT_EQ(LineOf(P::OsProductType, I(0x10001)), "");
}

TEST(WmiProbes, CodesOutsideTheirTables) {
    for (std::int64_t code : {9, 65535, -1}) EXPECT_EQ(LineOf(P::WakeUpType, I(code)), "") << code;
    // Codes 4 and 5 lie inside the range yet are not listed; 9 is a 64-bit processor.
    for (std::int64_t code : {4, 5, 7, 9}) EXPECT_EQ(LineOf(P::ProcessorArchitecture, I(code)), "") << code;
    for (std::int64_t code : {0, 13, 106, 159}) EXPECT_EQ(LineOf(P::VideoArchitecture, I(code)), "") << code;
    EXPECT_EQ(LineOf(P::VideoArchitecture, I(160)), "Architecture: PC-98") << "the service's PC-98 code";
    // Family: code 2 and every code not listed read "Unknown".
    for (std::int64_t code : {0, 2, 20, 56, 129, 205, 252, 65535}) {
        EXPECT_EQ(LineOf(P::ProcessorFamily, I(code)), "Unknown") << code;
    }
    EXPECT_EQ(LineOf(P::ProcessorFamily, I(131)), "AMD Athlon\x99");
    // Only 168 hours a week is unlimited; a code outside its table still
    // takes its place in a list.
    test::FakeRowSource source;
    for (int hours : {167, 168, 169}) source.Add(NLP, {{"UnitsPerWeek", I(hours)}, {"Privileges", I(hours - 166)}});
    Lines access, privileges;
    RunList(source, P::LoginProfileAccessList, access);
    RunList(source, P::LoginProfilePrivilegesList, privileges);
    EXPECT_EQ(access, (Lines{"Limited Access: Yes (167h/week)", "Limited Access: No (168h/week)",
                             "Limited Access: Yes (169h/week)"}));
    EXPECT_EQ(privileges, (Lines{"Privileges: User", "Privileges: Administrator", ""}));
}

TEST(WmiProbes, MissingNullOrWronglyTypedValuesKeepTheLabel) {
    for (const Value& value : {Value{}, Value::OfNull(), Value::OfOther(), T("96")}) {
        SCOPED_TRACE(static_cast<int>(value.type));
        EXPECT_EQ(LineOf(P::ProcessorExtClock, value), "External Clock: 0 MHz");
        EXPECT_EQ(LineOf(P::ProcessorRevision, value), "Revision: 0");
        EXPECT_EQ(LineOf(P::VideoAdapterRam, value), "Size: 0 MB");
        EXPECT_EQ(LineOf(P::WakeUpType, value), "WakeUp type: ") << "never the text of code 0";
        EXPECT_EQ(LineOf(P::ProcessorFamily, value), "Unknown");
    }
    for (const Value& value : {Value{}, Value::OfNull(), Value::OfOther(), I(7)}) {
        EXPECT_EQ(LineOf(P::BaseBoardProduct, value), "Model: ");
        EXPECT_EQ(LineOf(P::VideoControllerCaption, value), "");
        EXPECT_EQ(LineOf(P::VideoDriverDate, value), "Date: ");
    }
    // A percent sign in a value is text, never a conversion.
    EXPECT_EQ(LineOf(P::OsStatus, T("100%s %n")), "Status: 100%s %n");
    test::FakeRowSource source;
    source.Add(PR, {{"Default", B(true)}, {"Local", I(1)}}).Add(PR, {{"Default", B(false)}, {"Local", Value::OfNull()}});
    Lines defaults, locals;
    RunList(source, P::PrinterDefaultList, defaults);
    RunList(source, P::PrinterLocalList, locals);
    EXPECT_EQ(defaults, (Lines{"yes", "no"}));
    EXPECT_EQ(locals, (Lines{"", ""})) << "no boolean: an empty value, the entry kept";
}

TEST(WmiProbes, DatesShorterThanTheirFields) {
    for (size_t length : {0u, 8u, 13u, 14u, 15u}) {
        const std::string date = std::string(kCim).substr(0, length);
        EXPECT_EQ(LineOf(P::VideoDriverDate, T(date.c_str())), length < 14 ? "Date: " : "Date: 03/15/2006") << length;
        EXPECT_EQ(LineOf(P::OsInstallDate, T(date.c_str())),
                  length < 14 ? "Installation date: " : "Installation date: 03/15/2006  @ 13:30:14");
    }
    // Cut by position, nothing converted.
    EXPECT_EQ(CimDateLine("", "abcdefghijklmn"), "ef/gh/abcd");
}

TEST(WmiProbes, WithoutInstanceNothingAndAFirstInstanceWithoutTheProperty) {
    test::FakeRowSource source;
    EXPECT_EQ(RunLine(source, P::BiosStatus), "");
    Lines lines = {"kept"};
    RunList(source, P::PrinterNameList, lines);
    EXPECT_EQ(lines, Lines{"kept"}) << "no instance: the caller's list as it was";
    // The first instance lacks the property: its label, not the second's value.
    source.Add("Win32_BIOS", {}).Add("Win32_BIOS", {{"Status", T("OK")}});
    EXPECT_EQ(RunLine(source, P::BiosStatus), "Status: ");
}

}  // namespace
