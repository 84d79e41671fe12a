// The management-service probes as data: one table of (class, property, kind,
// format, shape), the code tables, and the rules that turn one property's
// value into its line. Values arrive as plain VARIANT-free records through a
// row source, so every rule is tested natively; the service itself is reached
// by the row source of probes/wmi_probes.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovix::wmi {

// One property of one instance, as the service handed it over.
struct Value {
    enum class Type {
        Missing,  // the property could not be read (Get failed)
        Null,     // the property exists but holds nothing
        Text,     // a string, already in the ANSI code page
        Integer,  // any integer type, sign-extended as the service typed it
        Boolean,
        Other,    // a type no probe reads (arrays, objects, reals...)
    };
    Type type = Type::Missing;
    std::string text;
    std::int64_t integer = 0;
    bool boolean = false;

    static Value OfText(std::string text) { return {Type::Text, std::move(text), 0, false}; }
    static Value OfInteger(std::int64_t integer) { return {Type::Integer, {}, integer, false}; }
    static Value OfBoolean(bool boolean) { return {Type::Boolean, {}, 0, boolean}; }
    static Value OfNull() { return {Type::Null, {}, 0, false}; }
    static Value OfOther() { return {Type::Other, {}, 0, false}; }
};

// How a property's value is read and becomes text.
enum class Kind {
    Text,         // string into "%s"
    Number,       // 32-bit integer into "%u" (unsigned) or "%i" (signed)
    ShortNumber,  // low 16 bits, unsigned, into "%u"
    Megabytes,    // 32-bit byte count, unsigned, shifted right by 20, into "%u"
    WeeklyHours,  // 32-bit hours per week: the limited-access line
    Boolean,      // "yes" / "no" into "%s"
    Code,         // 32-bit code looked up in the probe's code table
    ShortCode,    // low 16 bits looked up in the probe's code table
    Date,         // CIM date-time: label + mm/dd/yyyy
    DateTime,     // CIM date-time: label + mm/dd/yyyy  @ HH:MM:SS
};

enum class Shape { Line, List };

struct CodeText {
    std::uint32_t code;
    const char* text;  // what follows the label
};

struct CodeTable {
    const char* label;               // "WakeUp type: "; empty for value-only tables
    std::span<const CodeText> codes;
    const char* unlisted = nullptr;  // a code not listed; null gives the empty line
};

// Every probe, in the order of the definition table.
enum class Probe {
    // Line probes.
    BaseBoardDescription, BaseBoardManufacturer, BaseBoardProduct, BaseBoardVersion,
    BiosManufacturer, BiosName, BiosStatus,
    ComputerSystemManufacturer, ComputerSystemModel, ComputerSystemType, PrimaryOwnerName, Workgroup, WakeUpType,
    ProcessorL2CacheSpeed, ProcessorExtClock, ProcessorSocket, ProcessorStatus, ProcessorRevision,
    ProcessorAddressWidth, ProcessorDataWidth, ProcessorType, ProcessorArchitecture, ProcessorFamily,
    ProcessorUpgradeMethod,
    VideoControllerCaption, VideoAdapterCompatibility, VideoDriverVersion, VideoProcessor, VideoAdapterRam,
    VideoMinRefreshRate, VideoMaxRefreshRate, VideoMemoryType, VideoArchitecture, VideoScanMode,
    VideoControllerStatus, VideoDacType, VideoDriverDate, VideoDisplayDrivers, VideoInfFilename,
    MonitorType, MonitorManufacturer, MonitorDeviceId, MonitorPnpDeviceId, MonitorStatus, MonitorPixelsPerXInch,
    MonitorPixelsPerYInch,
    OsManufacturer, OsSystemDrive, OsSystemDevice, OsEncryptionLevel, OsStatus, OsInstallDate, OsLargeSystemCache,
    OsProductType, ActivationRequired,
    RegistryCurrentSize, RegistryMaximumSize, RegistryStatus,
    PageFilePath, PageFileMaximumSize, PageFileCurrentSize,
    IconTitleFont, IconTitleSize,
    KeyboardDeviceId, KeyboardFunctionKeys,
    PointingDeviceCaption, PointingDeviceManufacturer, PointingDeviceInfFileName,
    // List probes.
    SoundDeviceManufacturerList, SoundDeviceModelList, SoundDeviceStatusList,
    DiskDriveCaptionList, DiskDriveMediaTypeList, DiskDriveInterfaceList, DiskDrivePartitionsList,
    CdromCaptionList, CdromDriveList, CdromDeviceIdList,
    IdeControllerList, SerialPortCaptionList,
    CacheMemoryPurposeList, CacheMemorySizeList,
    PrinterNameList, PrinterPortList, PrinterDriverList, PrinterVerticalResolutionList,
    PrinterHorizontalResolutionList, PrinterProcessorList, PrinterDataTypeList, PrinterStatusList,
    PrinterDefaultList, PrinterLocalList, PrinterNetworkList,
    LoginProfileCaptionList, LoginProfileLogonsList, LoginProfileDescriptionList, LoginProfilePrivilegesList,
    LoginProfileAccessList, LoginProfileUserIdList,
    Count
};

struct ProbeDef {
    Probe id;
    const char* name;
    const char* className;
    const char* property;
    Kind kind;
    const char* format;  // printf format; the label for dates; null for code and weekly-hours kinds
    Shape shape;
    const CodeTable* codes = nullptr;  // code kinds only
};

std::span<const ProbeDef> Definitions();
const ProbeDef& Definition(Probe probe);

// The line one instance's value gives. A missing, null or unreadable value
// gives the label with an empty value: texts "Model: ", numbers 0, booleans
// an empty value, codes their table's label (or its unlisted text).
std::string FormatValue(const ProbeDef& probe, const Value& value);

// The line of a code, or of a value that holds none (missing).
std::string CodeLine(const CodeTable& table, std::uint32_t code);
std::string CodeLineWithoutValue(const CodeTable& table);

// A CIM date-time "yyyymmddHHMMSS.ffffff+zzz" cut by position. Shorter than
// 14 characters: the label alone.
std::string CimDateLine(std::string_view label, std::string_view cim);
std::string CimDateTimeLine(std::string_view label, std::string_view cim);

// The management service as rows of values: the named property of each
// instance of a class, in the order the service returns them.
class RowSource {
public:
    virtual ~RowSource() = default;
    // Empty when the service cannot be reached, the query fails or no
    // instance exists; otherwise one value per instance (at most one when
    // firstOnly), a property that cannot be read counted as Missing.
    virtual std::vector<Value> Read(std::string_view className, std::string_view property, bool firstOnly) = 0;
};

// A line probe: the first instance's line, empty without an instance.
std::string RunLine(RowSource& source, Probe probe);
// A list probe: appends one line per instance; never clears the list.
void RunList(RowSource& source, Probe probe, std::vector<std::string>& lines);

}  // namespace ovix::wmi
