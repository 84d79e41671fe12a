// The facts about the running system that are neither single registry values
// nor management queries: the OS name and edition, memory, component versions,
// administrator membership, network adapters and interfaces, uptime and boot
// time, display settings and the machine's address.
//
// The collector reads everything once (libraries, the SNMP agent, the adapter
// list); the main window's memory timer then refreshes only the memory status,
// which costs a fraction of a microsecond instead of milliseconds.
#pragma once

#include "framework/library.h"
#include "framework/win.h"
#include "probes/system_info_rules.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

struct _IP_ADAPTER_INFO;  // <iphlpapi.h>

namespace ovix {

using fw::LoadedLibrary;

// Where the interface and address tables come from: the TCP/IP stack's SNMP
// agent in the program, a fake in the tests.
class InterfaceSource {
public:
    virtual ~InterfaceSource() = default;
    // Fills both tables; false (tables left empty) when the source is missing.
    virtual bool Read(std::vector<sysinfo::InterfaceRecord>& interfaces, std::vector<uint32_t>& addresses) = 0;
};

// The agent (inetmib1.dll) and its helper library (snmpapi.dll), loaded and
// initialised once, walked with GETNEXT requests.
std::unique_ptr<InterfaceSource> MakeSnmpInterfaceSource();

// The IP helper's GetAdaptersInfo, or a fake of it.
using GetAdaptersInfoFn = DWORD(WINAPI*)(::_IP_ADAPTER_INFO*, ULONG*);
// The adapters in list order; empty when the list cannot be read (the call is
// missing, there is no adapter, or the list keeps growing while it is read).
std::vector<sysinfo::AdapterRecord> ReadAdapterList(GetAdaptersInfoFn getAdaptersInfo);

// Milliseconds since the system started, from a count that does not wrap
// after 49.7 days: GetTickCount64 where the system has it, else the boot time
// kept by the kernel (Windows 2000 and XP), else the 32-bit tick count (the
// 95 family, which has neither).
using UptimeClock = uint64_t (*)();
uint64_t SystemUptimeMilliseconds();
// The fallback on its own: the kernel's current time less its boot time; 0
// when the kernel does not tell.
uint64_t UptimeFromKernelBootTime();

// The current local date and time (a seam for the boot-time tests).
using LocalClock = sysinfo::LocalTime (*)();
sysinfo::LocalTime CurrentLocalTime();

struct MemoryStatus {
    uint32_t load = 0;  // per cent
    uint64_t totalPhysical = 0;
    uint64_t availablePhysical = 0;
    uint64_t totalPageFile = 0;
    uint64_t availablePageFile = 0;
    uint64_t totalVirtual = 0;
    uint64_t availableVirtual = 0;
};

class SystemInfoCollector {
public:
    // Starts Windows Sockets 1.1 and records the platform; reads nothing yet.
    SystemInfoCollector();
    // With other sources: the tests' fakes.
    SystemInfoCollector(std::unique_ptr<InterfaceSource> interfaces, UptimeClock uptime, LocalClock localTime);
    ~SystemInfoCollector();
    SystemInfoCollector(const SystemInfoCollector&) = delete;
    SystemInfoCollector& operator=(const SystemInfoCollector&) = delete;

    // The first call gathers everything (Load); later calls refresh only the
    // memory status.
    void Refresh();
    // Gathers everything: OS name, processor description, memory, component
    // versions, adapters, the SNMP tables, administrator membership.
    void Load();
    // The memory status alone (the memory timer's work).
    void RefreshMemory();

    bool Loaded() const { return loaded_; }
    time_t CreatedAt() const { return createdAt_; }
    bool IsNt() const { return isNt_; }
    const std::string& OsName() const { return osName_; }
    unsigned OsMajor() const { return osMajor_; }
    unsigned OsMinor() const { return osMinor_; }
    unsigned OsBuild() const { return osBuild_; }
    unsigned ServicePack() const { return servicePack_; }
    // Windows Server 2003 (NT 5.2): its model and language lines differ.
    bool IsServer2003() const;
    bool IsAdmin() const { return isAdmin_; }
    unsigned ProcessorCount() const { return processorCount_; }
    const std::string& CpuIdentifier() const { return cpuIdentifier_; }
    const std::string& CpuVendorIdentifier() const { return cpuVendorIdentifier_; }
    const std::string& CpuNameString() const { return cpuNameString_; }
    uint32_t CpuRegistryMhz() const { return cpuRegistryMhz_; }
    const MemoryStatus& Memory() const { return memory_; }
    const sysinfo::VersionQuad& IeVersion() const { return ieVersion_; }
    const sysinfo::VersionQuad& DataAccessVersion() const { return dataAccessVersion_; }
    const std::vector<sysinfo::AdapterRecord>& Adapters() const { return adapters_; }
    size_t AdapterCount() const { return adapters_.size(); }
    const std::vector<sysinfo::InterfaceRecord>& Interfaces() const { return interfaces_; }
    const std::vector<uint32_t>& IpAddresses() const { return ipAddresses_; }
    const std::string& UptimeText() const { return uptimeText_; }
    const sysinfo::UptimeParts& LastUptimeParts() const { return uptimeParts_; }

    // The uptime line (kept in UptimeText; an uptime of 0 s keeps the last one).
    std::string Uptime();
    // "Boot Time: %02d/%02d/%02d @ %02d:%02d:%02d", from the same seconds.
    std::string BootTime();
    // The adapter part of the disk report block.
    std::string NetworkAdapterLines() const { return sysinfo::NetworkAdapterLines(adapters_); }

private:
    void ReadOsName();
    void ReadProcessorDescription();
    void ReadComponentVersions();
    void ReadAdapters();
    void ReadInterfaces();
    void ReadAdminMembership();

    std::unique_ptr<InterfaceSource> interfaceSource_;
    UptimeClock uptimeClock_;
    LocalClock localClock_;
    bool socketsStarted_ = false;
    bool loaded_ = false;

    time_t createdAt_ = 0;
    bool isNt_ = false;
    std::string osName_;
    unsigned osMajor_ = 0, osMinor_ = 0, osBuild_ = 0;
    unsigned servicePack_ = 0;
    bool isAdmin_ = false;
    unsigned processorCount_ = 0;
    std::string cpuIdentifier_, cpuVendorIdentifier_, cpuNameString_;
    uint32_t cpuRegistryMhz_ = 0;
    MemoryStatus memory_;
    sysinfo::VersionQuad ieVersion_, dataAccessVersion_;
    std::vector<sysinfo::AdapterRecord> adapters_;
    std::vector<sysinfo::InterfaceRecord> interfaces_;
    std::vector<uint32_t> ipAddresses_;
    std::string uptimeText_;
    sysinfo::UptimeParts uptimeParts_;
};

// Probes of their own.
std::string ProcessorCountText();  // "%d CPU."
std::string ColorDepth();          // "Color depth: %ld Bits " or the display error line
std::string RefreshFrequency();    // "Refresh frequency: %d Hz" or the display error line
// The dotted address of the machine's first host address; empty on failure.
std::string IpAddress();

// What the fact sheet takes from this unit, formatted.
struct SystemFactLines {
    std::string osModel;            // "Model: %s" / "Model: Windows 2003 %s"
    std::string osVersion;          // "Version: %i.%i Build: %d" (build's low 16 bits)
    std::string bootTime;           // "Boot Time: ..."
    std::string totalMemory;        // "Total physical: %u MB"
    std::string swapSpace;          // "Total swap space: %d MB"
    std::string browserVersion;     // "IE: Version: %i.%i Build %i.%i"
    std::string dataAccessVersion;  // "ADO: Version: %i.%i Build %i.%i"
    std::string adminRights;        // "Admin rights: yes" / "Admin rights: no"
    std::string colorDepth;         // "Color depth: %ld Bits "
    std::string refreshRate;        // "Refresh frequency: %d Hz"
    std::string localAddress;       // "IP: %s"
};
// Loads the collector when it has not been loaded yet.
SystemFactLines BuildSystemFactLines(SystemInfoCollector& collector);

// The "Active network adapter" group of the tree: the "Active: %i" section
// text and the items below it.
sysinfo::ActiveAdapterGroup ActiveNetworkAdapterGroup(const SystemInfoCollector& collector);

// Timer 200: " %s" of the uptime line, for label 487.
std::string UptimeStatusText(SystemInfoCollector& collector);
// Timer 500: refreshes the memory status and returns the load for gauge 490.
int MemoryLoadPercent(SystemInfoCollector& collector);

}  // namespace ovix
