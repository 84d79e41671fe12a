#include "probes/wmi_text.h"

#include "fake_row_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using ovix::wmi::Definition;
using ovix::wmi::Definitions;
using ovix::wmi::Kind;
using ovix::wmi::Probe;
using ovix::wmi::RunLine;
using ovix::wmi::RunList;
using ovix::wmi::Shape;
using ovix::wmi::Value;

// The line a probe gives for one instance holding value in its property.
std::string LineOf(Probe probe, const Value& value) {
    test::FakeRowSource source;
    source.Add(Definition(probe).className, {{Definition(probe).property, value}});
    return RunLine(source, probe);
}
std::string LineOfInteger(Probe probe, std::int64_t integer) { return LineOf(probe, Value::OfInteger(integer)); }
std::string LineOfText(Probe probe, const std::string& text) { return LineOf(probe, Value::OfText(text)); }

size_t Count(const std::string& text, const char* what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

TEST(WmiProbeTable, EveryRowIsConsistentWithItsKindAndShape) {
    std::set<std::string> names;
    size_t lines = 0, lists = 0;
    for (const auto& row : Definitions()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(names.insert(row.name).second) << "names are unique";
        EXPECT_EQ(std::string(row.className).rfind("Win32_", 0), 0u);
        EXPECT_NE(std::strlen(row.property), 0u);
        (row.shape == Shape::Line ? lines : lists)++;
        const bool isList = row.shape == Shape::List;
        EXPECT_EQ(isList, std::string(row.name).ends_with("List"));
        const std::string format = row.format ? row.format : "";
        const size_t conversions = Count(format, "%");
        switch (row.kind) {
        case Kind::Text:
        case Kind::Boolean:
            EXPECT_EQ(conversions, 1u);
            EXPECT_EQ(Count(format, "%s"), 1u);
            break;
        case Kind::Number:
            EXPECT_EQ(conversions, 1u);
            EXPECT_EQ(Count(format, "%u") + Count(format, "%i"), 1u);
            break;
        case Kind::ShortNumber:
        case Kind::Megabytes:
            EXPECT_EQ(conversions, 1u);
            EXPECT_EQ(Count(format, "%u"), 1u);
            break;
        case Kind::Code:
        case Kind::ShortCode:
            EXPECT_EQ(row.format, nullptr);
            EXPECT_NE(row.codes, nullptr);
            break;
        case Kind::WeeklyHours:
            EXPECT_EQ(row.format, nullptr);
            break;
        case Kind::Date:
        case Kind::DateTime:
            EXPECT_EQ(conversions, 0u);
            EXPECT_TRUE(format.ends_with(": "));
            break;
        }
    }
    EXPECT_EQ(lines, 68u);
    EXPECT_EQ(lists, 31u);
    EXPECT_EQ(ovix::wmi::QueryText(Definition(Probe::BaseBoardDescription)), "SELECT * FROM Win32_BaseBoard");
    EXPECT_EQ(ovix::wmi::QueryText(Definition(Probe::PageFileCurrentSize)), "SELECT * FROM Win32_PageFileUsage");
}

TEST(WmiProbeKinds, TextIsPlacedIntoTheFormat) {
    EXPECT_EQ(LineOfText(Probe::BaseBoardProduct, "P5B Deluxe"), "Model: P5B Deluxe");
    EXPECT_EQ(LineOfText(Probe::VideoControllerCaption, "Radeon 9600"), "Radeon 9600");
    EXPECT_EQ(LineOfText(Probe::VideoDacType, "Integrated RAMDAC"), "D.A.C chip: Integrated RAMDAC");
    EXPECT_EQ(LineOfText(Probe::VideoInfFilename, "display.inf"), ".inf file name: display.inf");
    // A percent sign in a value is text, never a conversion.
    EXPECT_EQ(LineOfText(Probe::OsStatus, "100%s %n"), "Status: 100%s %n");
    EXPECT_EQ(LineOfText(Probe::PrimaryOwnerName, "M\xFCller"), "Registered owner: M\xFCller");
}

TEST(WmiProbeKinds, NumbersFollowTheirFormatsSign) {
    EXPECT_EQ(LineOfInteger(Probe::ProcessorExtClock, 200), "External Clock: 200 MHz");
    EXPECT_EQ(LineOfInteger(Probe::MonitorPixelsPerXInch, 96), "PixelsPerXLogicalInch: 96");
    // Unsigned 32-bit properties arrive signed: "%u" shows the unsigned value.
    EXPECT_EQ(LineOfInteger(Probe::RegistryMaximumSize, -1), "Maximum size: 4294967295 MB");
    EXPECT_EQ(LineOfInteger(Probe::OsEncryptionLevel, 128), "Encryption: 128-bit");
    EXPECT_EQ(LineOfInteger(Probe::OsEncryptionLevel, 0xFFFFFFFFll), "Encryption: -1-bit");
    // Only the low 32 bits are read.
    EXPECT_EQ(LineOfInteger(Probe::IconTitleSize, 0x100000009ll), "Font size: 9");
    std::vector<std::string> resolution;
    test::FakeRowSource source;
    source.Add("Win32_Printer", {{"VerticalResolution", Value::OfInteger(-600)}});
    RunList(source, Probe::PrinterVerticalResolutionList, resolution);
    EXPECT_EQ(resolution, std::vector<std::string>{"-600"});
}

TEST(WmiProbeKinds, ShortNumbersAndShortCodesReadTheLowWord) {
    EXPECT_EQ(LineOfInteger(Probe::ProcessorRevision, 0x0F02), "Revision: 3842");
    EXPECT_EQ(LineOfInteger(Probe::ProcessorRevision, 0x12345), "Revision: 9029");
    EXPECT_EQ(LineOfInteger(Probe::ProcessorAddressWidth, -1), "Address Width: 65535 bit");
    EXPECT_EQ(LineOfInteger(Probe::ProcessorDataWidth, 0x10020), "Data Width: 32 bit");
    EXPECT_EQ(LineOfInteger(Probe::KeyboardFunctionKeys, 12), "Number of function keys: 12");
    EXPECT_EQ(LineOfInteger(Probe::ProcessorFamily, 0x10000 + 251), "i960");
    EXPECT_EQ(LineOfInteger(Probe::VideoScanMode, 0x70004), "Scan mode: Non Interlaced");
    // 32-bit codes compare all 32 bits.
    EXPECT_EQ(LineOfInteger(Probe::OsProductType, 0x10001), "");
}

TEST(WmiProbeKinds, AdapterRamInWholeMegabytesUnsigned) {
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, 134217728), "Size: 128 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, 100000000), "Size: 95 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, 1048575), "Size: 0 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, 1048576), "Size: 1 MB");
    // 2 and 3 GiB come as negative 32-bit values.
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, -2147483647ll - 1), "Size: 2048 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, -1073741824), "Size: 3072 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, 3221225472ll), "Size: 3072 MB");
    EXPECT_EQ(LineOfInteger(Probe::VideoAdapterRam, -1), "Size: 4095 MB");
}

TEST(WmiProbeKinds, BooleansAreYesOrNo) {
    test::FakeRowSource source;
    source.Add("Win32_Printer", {{"Default", Value::OfBoolean(false)}, {"Local", Value::OfBoolean(true)}})
        .Add("Win32_Printer", {{"Default", Value::OfBoolean(true)}, {"Local", Value::OfInteger(1)}})
        .Add("Win32_Printer", {{"Default", Value::OfBoolean(false)}, {"Local", Value::OfNull()}});
    std::vector<std::string> defaults, locals, networks;
    RunList(source, Probe::PrinterDefaultList, defaults);
    RunList(source, Probe::PrinterLocalList, locals);
    RunList(source, Probe::PrinterNetworkList, networks);
    EXPECT_EQ(defaults, (std::vector<std::string>{"no", "yes", "no"}));
    // A number or null is no boolean: the value stays empty, the entry stays.
    EXPECT_EQ(locals, (std::vector<std::string>{"yes", "", ""}));
    EXPECT_EQ(networks, (std::vector<std::string>{"", "", ""}));
}

TEST(WmiProbeKinds, WeeklyHoursTellLimitedAccess) {
    test::FakeRowSource source;
    source.Add("Win32_NetworkLoginProfile", {{"UnitsPerWeek", Value::OfInteger(168)}})
        .Add("Win32_NetworkLoginProfile", {{"UnitsPerWeek", Value::OfInteger(40)}})
        .Add("Win32_NetworkLoginProfile", {{"UnitsPerWeek", Value::OfInteger(167)}})
        .Add("Win32_NetworkLoginProfile", {{"UnitsPerWeek", Value::OfInteger(169)}})
        .Add("Win32_NetworkLoginProfile", {});
    std::vector<std::string> lines;
    RunList(source, Probe::LoginProfileAccessList, lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"Limited Access: No (168h/week)", "Limited Access: Yes (40h/week)",
                                               "Limited Access: Yes (167h/week)", "Limited Access: Yes (169h/week)",
                                               "Limited Access: Yes (0h/week)"}));
}

// Every listed code of a table, then codes just outside it.
void ExpectCodes(Probe probe, const std::vector<std::pair<std::int64_t, std::string>>& expected,
                 const std::vector<std::int64_t>& unlisted, const std::string& unlistedLine = "") {
    SCOPED_TRACE(Definition(probe).name);
    for (const auto& [code, line] : expected) EXPECT_EQ(LineOfInteger(probe, code), line) << code;
    for (std::int64_t code : unlisted) EXPECT_EQ(LineOfInteger(probe, code), unlistedLine) << code;
}

TEST(WmiCodeTables, EveryEntryAndItsNeighbours) {
    ExpectCodes(Probe::WakeUpType,
                {{0, "WakeUp type: Reserved"}, {1, "WakeUp type: Other"}, {2, "WakeUp type: Unknown"},
                 {3, "WakeUp type: APM Timer"}, {4, "WakeUp type: Modem Ring"}, {5, "WakeUp type: LAN Remote"},
                 {6, "WakeUp type: Power Switch"}, {7, "WakeUp type: PCI PME#"},
                 {8, "WakeUp type: AC Power Restored"}},
                {9, 65535, -1});
    ExpectCodes(Probe::ProcessorType,
                {{1, "Type: Other"}, {2, "Type: Unknown"}, {3, "Type: Central Processor"}, {4, "Type: Math Processor"},
                 {5, "Type: DSP Processor"}, {6, "Type: Video Processor"}},
                {0, 7});
    ExpectCodes(Probe::ProcessorArchitecture,
                {{0, "Architecture: x86"}, {1, "Architecture: MIPS"}, {2, "Architecture: Alpha"},
                 {3, "Architecture: PowerPC"}, {6, "Architecture: Intel Itanium Processor Family (IPF)"}},
                {4, 5, 7, 9});
    ExpectCodes(Probe::ProcessorUpgradeMethod,
                {{1, "Upgrade method: Other"}, {2, "Upgrade method: Unknown"}, {3, "Upgrade method: Daughter Board"},
                 {4, "Upgrade method: ZIF Socket"}, {5, "Upgrade method: Replacement/Piggy Back"},
                 {6, "Upgrade method: None"}, {7, "Upgrade method: LIF Socket"}, {8, "Upgrade method: Slot 1"},
                 {9, "Upgrade method: Slot 2"}, {10, "Upgrade method: 370 Pin Socket"}, {11, "Upgrade method: Slot A"},
                 {12, "Upgrade method: Slot M"}, {13, "Upgrade method: Socket 423"},
                 {14, "Upgrade method: Socket A (Socket 462)"}, {15, "Upgrade method: Socket 478"},
                 {16, "Upgrade method: Socket 754"}, {17, "Upgrade method: Socket 940"},
                 {18, "Upgrade method: Socket 939"}},
                {0, 19});
    ExpectCodes(Probe::VideoMemoryType,
                {{1, "Type: Other"}, {2, "Type: Unknown"}, {3, "Type: VRAM"}, {4, "Type: DRAM"}, {5, "Type: SRAM"},
                 {6, "Type: WRAM"}, {7, "Type: EDO RAM"}, {8, "Type: Burst Synchronous DRAM"},
                 {9, "Type: Pipelined Burst SRAM"}, {10, "Type: CDRAM"}, {11, "Type: 3DRAM"}, {12, "Type: SDRAM"},
                 {13, "Type: SGRAM"}},
                {0, 14});
    ExpectCodes(Probe::VideoArchitecture,
                {{1, "Architecture: Other"}, {2, "Architecture: Unknown"}, {3, "Architecture: CGA"},
                 {4, "Architecture: EGA"}, {5, "Architecture: VGA"}, {6, "Architecture: SVGA"},
                 {7, "Architecture: MDA"}, {8, "Architecture: HGC"}, {9, "Architecture: MCGA"},
                 {10, "Architecture: 8514A"}, {11, "Architecture: XGA"}, {12, "Architecture: Linear Frame Buffer"},
                 {160, "Architecture: PC-98"}},
                {0, 13, 106, 159, 161});
    ExpectCodes(Probe::VideoScanMode,
                {{1, "Scan mode: Other"}, {2, "Scan mode: Unknown"}, {3, "Scan mode: Interlaced"},
                 {4, "Scan mode: Non Interlaced"}},
                {0, 5});
    ExpectCodes(Probe::OsLargeSystemCache,
                {{0, "Memory optimized for: applications"}, {1, "Memory optimized for: system performance"}}, {2, -1});
    ExpectCodes(Probe::OsProductType,
                {{1, "Product type: Work Station"}, {2, "Product type: Domain Controller"}, {3, "Product type: Server"}},
                {0, 4});
    ExpectCodes(Probe::ActivationRequired, {{0, "Activation required: no"}, {1, "Activation required: yes"}}, {2});
}

TEST(WmiCodeTables, FamilyHasSixtyThreeNamesAndUnknownForTheRest) {
    ExpectCodes(Probe::ProcessorFamily,
                {{1, "Other"}, {3, "8086"}, {11, "Pentium brand"}, {14, "Pentium processor with MMX technology"},
                 {19, "M2 Family"}, {24, "K5 Family"}, {28, "AMD Athlon Processor Family"},
                 {29, "AMD\xAE Duron Processor"}, {31, "K6-2+"}, {38, "Power PC X704"}, {39, "Power PC 750"},
                 {48, "Alpha Family"}, {55, "Alpha 21364"}, {130, "Itanium\x99 Processor"}, {131, "AMD Athlon\x99"},
                 {132, "AMD Opteron\x99 Family"}, {176, "Pentium III Xeon"},
                 {177, "Pentium III Processor with Intel SpeedStep Technology"}, {185, "Intel Pentium M Processor"},
                 {190, "K7"}, {200, "IBM390 Family"}, {204, "z/Architecture base"}, {250, "i860"}, {251, "i960"}},
                {0, 2, 20, 23, 40, 47, 56, 129, 133, 175, 186, 189, 191, 199, 205, 249, 252, 65535}, "Unknown");
    size_t named = 0;
    for (std::int64_t code = 0; code <= 0xFFFF; ++code) {
        if (LineOfInteger(Probe::ProcessorFamily, code) != "Unknown") ++named;
    }
    EXPECT_EQ(named, 63u);
}

TEST(WmiProbeKinds, MissingNullOrWronglyTypedValuesKeepTheLabel) {
    const Value unreadable[] = {Value{}, Value::OfNull(), Value::OfOther()};
    for (const Value& value : unreadable) {
        SCOPED_TRACE(static_cast<int>(value.type));
        EXPECT_EQ(LineOf(Probe::BaseBoardProduct, value), "Model: ");
        EXPECT_EQ(LineOf(Probe::VideoControllerCaption, value), "");
        EXPECT_EQ(LineOf(Probe::ProcessorExtClock, value), "External Clock: 0 MHz");
        EXPECT_EQ(LineOf(Probe::ProcessorRevision, value), "Revision: 0");
        EXPECT_EQ(LineOf(Probe::VideoAdapterRam, value), "Size: 0 MB");
        EXPECT_EQ(LineOf(Probe::OsEncryptionLevel, value), "Encryption: 0-bit");
        EXPECT_EQ(LineOf(Probe::WakeUpType, value), "WakeUp type: ") << "never the text of code 0";
        EXPECT_EQ(LineOf(Probe::OsLargeSystemCache, value), "Memory optimized for: ");
        EXPECT_EQ(LineOf(Probe::ProcessorFamily, value), "Unknown");
        EXPECT_EQ(LineOf(Probe::VideoDriverDate, value), "Date: ");
        EXPECT_EQ(LineOf(Probe::OsInstallDate, value), "Installation date: ");
    }
    // A text where a number is read, and a number where a text is read.
    EXPECT_EQ(LineOfText(Probe::MonitorPixelsPerYInch, "96"), "PixelsPerYLogicalInch: 0");
    EXPECT_EQ(LineOfText(Probe::ProcessorArchitecture, "0"), "Architecture: ");
    EXPECT_EQ(LineOfInteger(Probe::BiosName, 7), "Model: ");
    EXPECT_EQ(LineOf(Probe::OsStatus, Value::OfBoolean(true)), "Status: ");
}

TEST(WmiProbeKinds, DatesOfEveryLength) {
    const std::string cim = "20060315133014.000000+060";
    ASSERT_EQ(cim.size(), 25u);
    for (size_t length = 0; length <= cim.size(); ++length) {
        SCOPED_TRACE(length);
        const std::string date = cim.substr(0, length);
        if (length < 14) {
            EXPECT_EQ(LineOfText(Probe::VideoDriverDate, date), "Date: ");
            EXPECT_EQ(LineOfText(Probe::OsInstallDate, date), "Installation date: ");
        } else {
            EXPECT_EQ(LineOfText(Probe::VideoDriverDate, date), "Date: 03/15/2006");
            EXPECT_EQ(LineOfText(Probe::OsInstallDate, date), "Installation date: 03/15/2006  @ 13:30:14");
        }
    }
    // Cut by position, nothing converted.
    EXPECT_EQ(ovix::wmi::CimDateTimeLine("X: ", "19991231235959"), "X: 12/31/1999  @ 23:59:59");
    EXPECT_EQ(ovix::wmi::CimDateLine("", "abcdefghijklmn"), "ef/gh/abcd");
}

TEST(WmiLineProbes, FirstInstanceOnlyEmptyWithoutInstance) {
    test::FakeRowSource source;
    EXPECT_EQ(RunLine(source, Probe::BiosManufacturer), "");
    EXPECT_TRUE(source.lastFirstOnly);
    source.Add("Win32_BIOS", {{"Manufacturer", Value::OfText("First")}})
        .Add("Win32_BIOS", {{"Manufacturer", Value::OfText("Second")}});
    EXPECT_EQ(RunLine(source, Probe::BiosManufacturer), "Manufacturer: First");
    // The first instance lacks the property: its label, not the second's value.
    test::FakeRowSource gap;
    gap.Add("Win32_BIOS", {}).Add("Win32_BIOS", {{"Status", Value::OfText("OK")}});
    EXPECT_EQ(RunLine(gap, Probe::BiosStatus), "Status: ");
}

TEST(WmiListProbes, OneLinePerInstanceInOrderAppendedNeverCleared) {
    test::FakeRowSource source;
    source.Add("Win32_SoundDevice", {{"Manufacturer", Value::OfText("A")}, {"Status", Value::OfText("OK")}})
        .Add("Win32_SoundDevice", {{"Status", Value::OfNull()}})
        .Add("Win32_SoundDevice", {{"Manufacturer", Value::OfText("C")}, {"Status", Value::OfText("Error")}});
    std::vector<std::string> lines = {"kept"};
    RunList(source, Probe::SoundDeviceManufacturerList, lines);
    EXPECT_FALSE(source.lastFirstOnly);
    EXPECT_EQ(lines, (std::vector<std::string>{"kept", "Manufacturer: A", "Manufacturer: ", "Manufacturer: C"}));
    std::vector<std::string> models, statuses;
    RunList(source, Probe::SoundDeviceModelList, models);
    RunList(source, Probe::SoundDeviceStatusList, statuses);
    EXPECT_EQ(models, (std::vector<std::string>{"Model: ", "Model: ", "Model: "}));
    EXPECT_EQ(statuses, (std::vector<std::string>{"Status: OK", "Status: ", "Status: Error"}));

    // Codes outside the table still take their place in the list.
    test::FakeRowSource profiles;
    for (int code : {2, 7, 0, 1}) profiles.Add("Win32_NetworkLoginProfile", {{"Privileges", Value::OfInteger(code)}});
    std::vector<std::string> privileges;
    RunList(profiles, Probe::LoginProfilePrivilegesList, privileges);
    EXPECT_EQ(privileges, (std::vector<std::string>{"Privileges: Administrator", "", "Privileges: Guest",
                                                    "Privileges: User"}));

    // No instance (or no such class): the caller's list is left as it was.
    std::vector<std::string> printers = {"left"};
    RunList(source, Probe::PrinterNameList, printers);
    EXPECT_EQ(printers, std::vector<std::string>{"left"});
}

TEST(WmiListProbes, DiskListsKeepOneEntryPerInstance) {
    test::FakeRowSource source;
    source.Add("Win32_DiskDrive", {{"InterfaceType", Value::OfText("IDE")}, {"MediaType", Value::OfText("Fixed")}})
        .Add("Win32_DiskDrive", {{"InterfaceType", Value::OfText("SCSI")}, {"Partitions", Value::OfInteger(3)}});
    std::vector<std::string> captions, interfaces, partitions, media;
    RunList(source, Probe::DiskDriveCaptionList, captions);
    RunList(source, Probe::DiskDriveInterfaceList, interfaces);
    RunList(source, Probe::DiskDrivePartitionsList, partitions);
    RunList(source, Probe::DiskDriveMediaTypeList, media);
    EXPECT_EQ(captions, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(interfaces, (std::vector<std::string>{"IDE", "SCSI"}));
    EXPECT_EQ(partitions, (std::vector<std::string>{"0", "3"}));
    EXPECT_EQ(media, (std::vector<std::string>{"Fixed", ""}));
}

}  // namespace
