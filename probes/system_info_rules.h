// The rules that turn the raw operating-system, memory, network and uptime
// values into Ovix's lines. Plain values in, text out: no <windows.h>, so every
// name, threshold and layout is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ovix::sysinfo {

// The version record as the system reports it, in plain values.
struct OsVersionFacts {
    unsigned platformId = 0;  // 1: 95/98/ME, 2: NT, 3: CE
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
    std::string servicePackText;  // the CSD text: " A", "Service Pack 2", ...
    // Set when the extended record was read: the fields below are valid.
    bool extended = false;
    uint32_t suiteMask = 0;
    unsigned productType = 0;  // 1 workstation, 2 domain controller, 3 server
};

inline constexpr unsigned kProductWorkstation = 1;
inline constexpr unsigned kProductDomainController = 2;
inline constexpr unsigned kProductServer = 3;
inline constexpr uint32_t kSuiteEnterprise = 0x2;
inline constexpr uint32_t kSuiteBackOffice = 0x4;
inline constexpr uint32_t kSuiteTerminal = 0x10;
inline constexpr uint32_t kSuiteDataCenter = 0x80;
inline constexpr uint32_t kSuitePersonal = 0x200;

// The first of the digits 1 to 9, tried in that order, found anywhere in the
// text; 0 when none is.
unsigned ServicePackNumber(std::string_view servicePackText);

// True when the naming needs the extended record: NT 5, or an older NT with
// the sixth service pack or later (the first to offer that record).
bool NeedsExtendedRecord(unsigned major, unsigned servicePack);

struct OsName {
    std::string name;
    unsigned servicePack = 0;  // NT only; 0 on the 95 family
};

// The operating-system name with its edition words and service pack.
OsName BuildOsName(const OsVersionFacts& facts);

// "Version: %i.%i Build: %d" with the build's low 16 bits (the 95 family keeps
// its version in the high ones).
std::string OsVersionFactLine(unsigned major, unsigned minor, unsigned build);

// The parts of an uptime in whole seconds.
struct UptimeParts {
    int days = 0;
    int hours = 0;    // 0 to 23
    int minutes = 0;  // 0 to 59
    int seconds = 0;  // 0 to 59
};
UptimeParts SplitUptime(uint64_t seconds);

// The uptime sentence; with all parts zero, `previous` is returned unchanged.
std::string UptimeLine(const UptimeParts& parts, const std::string& previous);

// A local calendar date and time.
struct LocalTime {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local time `seconds` before `now`, across month, year and leap days.
LocalTime SecondsBefore(const LocalTime& now, uint64_t seconds);

// "Boot Time: %02d/%02d/%02d @ %02d:%02d:%02d": month, day, year, time.
std::string BootTimeLine(const LocalTime& bootTime);

// Four numbers read from a dotted version text by "%d.%d.%d.%d": what does
// not parse stays 0.
struct VersionQuad {
    int major = 0;
    int minor = 0;
    int build = 0;
    int subBuild = 0;
};
VersionQuad ParseVersionQuad(std::string_view text);

std::string BrowserVersionLine(const VersionQuad& version);     // "IE: Version: %i.%i Build %i.%i"
std::string DataAccessVersionLine(const VersionQuad& version);  // "ADO: Version: %i.%i Build %i.%i"
std::string AdminRightsLine(bool isAdmin);                       // "Admin rights: yes" / "Admin rights: no"

// Memory facts: bytes are divided to whole megabytes before they are printed.
std::string TotalMemoryLine(uint64_t totalPhysicalBytes);  // "Total physical: %u MB"
std::string SwapSpaceLine(uint64_t totalPageFileBytes);    // "Total swap space: %d MB"

std::string ProcessorCountLine(unsigned processors);  // "%d CPU."
std::string ColorDepthLine(long bitsPerPixel);        // "Color depth: %ld Bits "
std::string RefreshFrequencyLine(int hertz);          // "Refresh frequency: %d Hz"
inline constexpr char kDisplaySettingsError[] = "Error: can not enumerate display settings.";

// One network interface of the TCP/IP stack's interface table.
struct InterfaceRecord {
    uint32_t index = 0;  // ifIndex: the adapter's Index names the same interface
    uint32_t type = 0;   // 6 Ethernet, 24 loopback, ...
    uint32_t speedBitsPerSecond = 0;
    std::string physicalAddress;  // raw bytes
};

// One adapter as the IP helper lists it, with the speed of its own interface.
struct AdapterRecord {
    std::string name;         // the identifier string
    std::string description;
    uint32_t index = 0;
    std::vector<std::string> addresses;  // dotted IPv4 texts
    uint32_t speedBitsPerSecond = 0;
};

// Gives every adapter the speed of the interface with its index; an adapter
// without one gets 0 (the interface table may be empty or shorter).
void AssignInterfaceSpeeds(std::vector<AdapterRecord>& adapters, const std::vector<InterfaceRecord>& interfaces);

// A speed in bits per second as whole kilobytes per second.
uint32_t SpeedKilobytesPerSecond(uint32_t bitsPerSecond);

// The adapter part of the disk report block: one group per adapter for one to
// five adapters, then the count line.
std::string NetworkAdapterLines(const std::vector<AdapterRecord>& adapters);

// The tree's "Active network adapter" content: the "Active: %i" section and,
// for one to three adapters, three items per adapter.
struct ActiveAdapterGroup {
    std::string section;
    std::vector<std::string> items;
};
ActiveAdapterGroup ActiveAdapterLines(const std::vector<AdapterRecord>& adapters);

// A 32-bit address in network byte order, as "a.b.c.d".
std::string DottedAddress(uint32_t networkOrder);

}  // namespace ovix::sysinfo
