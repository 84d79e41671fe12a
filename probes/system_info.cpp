#include "probes/system_info.h"

#include "framework/handles.h"
#include "framework/registry.h"
#include "framework/text_format.h"

#include <iphlpapi.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace ovix {
namespace {

constexpr char kProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr DWORD kShortStringBytes = 100;

// A registry text of at most 100 bytes, terminated here whatever the data
// holds; nothing when the value is missing, too long or not a string.
bool ReadShortString(HKEY root, const char* keyPath, const char* name, std::string& text) {
    fw::RegKey key;
    if (key.Open(root, keyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS) return false;
    char buffer[kShortStringBytes + 1] = {};
    DWORD size = kShortStringBytes;
    DWORD type = REG_NONE;
    if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    buffer[std::min(size, kShortStringBytes)] = '\0';
    text = buffer;
    return true;
}

using GlobalMemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
using GetTickCount64Fn = ULONGLONG(WINAPI*)();

template <class Function>
Function Kernel32(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name)));
}

// The SID of the built-in Administrators group, freed by its owner.
class AdministratorsSid {
public:
    AdministratorsSid() {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        if (!::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                        0, &sid_)) {
            sid_ = nullptr;
        }
    }
    ~AdministratorsSid() {
        if (sid_) ::FreeSid(sid_);
    }
    AdministratorsSid(const AdministratorsSid&) = delete;
    AdministratorsSid& operator=(const AdministratorsSid&) = delete;
    PSID Get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

bool TokenHoldsAdministrators() {
    AdministratorsSid administrators;
    if (!administrators.Get()) return false;
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return false;
    fw::UniqueHandle token(rawToken);
    std::vector<TOKEN_GROUPS> buffer(1024 / sizeof(TOKEN_GROUPS) + 1);
    DWORD needed = 0;
    while (!::GetTokenInformation(token.Get(), TokenGroups, buffer.data(),
                                  static_cast<DWORD>(buffer.size() * sizeof(TOKEN_GROUPS)), &needed)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size() * sizeof(TOKEN_GROUPS)) {
            return false;
        }
        buffer.resize(needed / sizeof(TOKEN_GROUPS) + 1);
    }
    const TOKEN_GROUPS& groups = buffer.front();
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        if (::EqualSid(groups.Groups[i].Sid, administrators.Get())) return true;
    }
    return false;
}

// The kernel's boot time against its current time, in 100 ns units.
struct TimeOfDayInformation {
    LARGE_INTEGER bootTime;
    LARGE_INTEGER currentTime;
    LARGE_INTEGER timeZoneBias;
    ULONG timeZoneId;
    ULONG reserved;
    ULONGLONG bootTimeBias;
    ULONGLONG sleepTimeBias;
};

}  // namespace

std::vector<sysinfo::AdapterRecord> ReadAdapterList(GetAdaptersInfoFn getAdaptersInfo) {
    std::vector<sysinfo::AdapterRecord> adapters;
    if (!getAdaptersInfo) return adapters;
    std::vector<IP_ADAPTER_INFO> buffer;  // aligned for the records
    ULONG size = 0;
    DWORD result = getAdaptersInfo(nullptr, &size);
    // An adapter that appears between the call that sizes the list and the one
    // that fills it makes the second too small: ask again with the new size.
    constexpr int kFillAttempts = 4;
    for (int attempt = 0; attempt < kFillAttempts && result == ERROR_BUFFER_OVERFLOW && size != 0; ++attempt) {
        buffer.assign(size / sizeof(IP_ADAPTER_INFO) + 1, IP_ADAPTER_INFO{});
        size = static_cast<ULONG>(buffer.size() * sizeof(IP_ADAPTER_INFO));
        result = getAdaptersInfo(buffer.data(), &size);
    }
    if (result != ERROR_SUCCESS || buffer.empty()) return adapters;
    for (const IP_ADAPTER_INFO* info = buffer.data(); info; info = info->Next) {
        sysinfo::AdapterRecord adapter;
        adapter.name.assign(info->AdapterName, strnlen(info->AdapterName, sizeof(info->AdapterName)));
        adapter.description.assign(info->Description, strnlen(info->Description, sizeof(info->Description)));
        adapter.index = info->Index;
        for (const IP_ADDR_STRING* address = &info->IpAddressList; address; address = address->Next) {
            const char* text = address->IpAddress.String;
            adapter.addresses.emplace_back(text, strnlen(text, sizeof(address->IpAddress.String)));
        }
        adapters.push_back(std::move(adapter));
    }
    return adapters;
}

// The uptime from the kernel's boot time: Windows 2000 and XP have no 64-bit
// tick count, and this never wraps. 0 when it cannot be read.
uint64_t UptimeFromKernelBootTime() {
    using QueryFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    TimeOfDayInformation info{};
    ULONG returned = 0;
    constexpr ULONG kSystemTimeOfDayInformation = 3;
    // Older systems know a shorter record: ask for the three times alone.
    if (query(kSystemTimeOfDayInformation, &info, 32, &returned) < 0) return 0;
    const LONGLONG elapsed = info.currentTime.QuadPart - info.bootTime.QuadPart;
    return elapsed > 0 ? static_cast<uint64_t>(elapsed) / 10000 : 0;
}


uint64_t SystemUptimeMilliseconds() {
    static const auto tickCount64 = Kernel32<GetTickCount64Fn>("GetTickCount64");
    if (tickCount64) return tickCount64();
    if (const uint64_t fromBootTime = UptimeFromKernelBootTime()) return fromBootTime;
    return ::GetTickCount();
}

sysinfo::LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return sysinfo::LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

SystemInfoCollector::SystemInfoCollector()
    : SystemInfoCollector(MakeSnmpInterfaceSource(), SystemUptimeMilliseconds, CurrentLocalTime) {}

SystemInfoCollector::SystemInfoCollector(std::unique_ptr<InterfaceSource> interfaces, UptimeClock uptime,
                                         LocalClock localTime)
    : interfaceSource_(std::move(interfaces)), uptimeClock_(uptime), localClock_(localTime) {
    WSADATA data;
    socketsStarted_ = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
    isNt_ = (::GetVersion() & 0x80000000u) == 0;
    createdAt_ = std::time(nullptr);
}

SystemInfoCollector::~SystemInfoCollector() {
    interfaceSource_.reset();
    if (socketsStarted_) ::WSACleanup();
}

void SystemInfoCollector::Refresh() {
    if (!loaded_) {
        Load();
        return;
    }
    RefreshMemory();
}

void SystemInfoCollector::Load() {
    ReadOsName();
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    processorCount_ = system.dwNumberOfProcessors;
    ReadProcessorDescription();
    RefreshMemory();
    ReadComponentVersions();
    ReadAdapters();
    ReadInterfaces();
    ReadAdminMembership();
    loaded_ = true;
}

void SystemInfoCollector::ReadOsName() {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return;
    sysinfo::OsVersionFacts facts;
    facts.platformId = info.dwPlatformId;
    facts.major = info.dwMajorVersion;
    facts.minor = info.dwMinorVersion;
    facts.build = info.dwBuildNumber;
    facts.servicePackText.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof(info.szCSDVersion)));
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
        sysinfo::NeedsExtendedRecord(facts.major, sysinfo::ServicePackNumber(facts.servicePackText))) {
        OSVERSIONINFOEXA extended{};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
            facts.extended = true;
            facts.suiteMask = extended.wSuiteMask;
            facts.productType = extended.wProductType;
        }
    }
    const sysinfo::OsName name = sysinfo::BuildOsName(facts);
    osName_ = name.name;
    servicePack_ = name.servicePack;
    osMajor_ = facts.major;
    osMinor_ = facts.minor;
    osBuild_ = facts.build;
}

void SystemInfoCollector::ReadProcessorDescription() {
    ReadShortString(HKEY_LOCAL_MACHINE, kProcessorKey, "Identifier", cpuIdentifier_);
    ReadShortString(HKEY_LOCAL_MACHINE, kProcessorKey, "VendorIdentifier", cpuVendorIdentifier_);
    ReadShortString(HKEY_LOCAL_MACHINE, kProcessorKey, "ProcessorNameString", cpuNameString_);
    fw::RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kProcessorKey, KEY_QUERY_VALUE) == ERROR_SUCCESS) {
        if (const std::optional<DWORD> mhz = key.QueryDword("~MHz")) cpuRegistryMhz_ = *mhz;
    }
}

void SystemInfoCollector::RefreshMemory() {
    static const auto statusEx = Kernel32<GlobalMemoryStatusExFn>("GlobalMemoryStatusEx");
    if (statusEx) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof(status);
        if (!statusEx(&status)) return;
        memory_ = MemoryStatus{status.dwMemoryLoad,     status.ullTotalPhys,     status.ullAvailPhys,
                               status.ullTotalPageFile, status.ullAvailPageFile, status.ullTotalVirtual,
                               status.ullAvailVirtual};
        return;
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof(status);
    ::GlobalMemoryStatus(&status);
    memory_ = MemoryStatus{status.dwMemoryLoad,     status.dwTotalPhys,     status.dwAvailPhys,
                           status.dwTotalPageFile, status.dwAvailPageFile, status.dwTotalVirtual,
                           status.dwAvailVirtual};
}

void SystemInfoCollector::ReadComponentVersions() {
    std::string text;
    if (ReadShortString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer", "Version", text)) {
        ieVersion_ = sysinfo::ParseVersionQuad(text);
    }
    constexpr char kDataAccess[] = "SOFTWARE\\Microsoft\\DataAccess";
    if (ReadShortString(HKEY_LOCAL_MACHINE, kDataAccess, "FullInstallVer", text) ||
        ReadShortString(HKEY_LOCAL_MACHINE, kDataAccess, "Version", text)) {
        dataAccessVersion_ = sysinfo::ParseVersionQuad(text);
    }
}

void SystemInfoCollector::ReadAdapters() {
    // NT 5 or later, or 98 or later: the IP helper's first versions.
    const bool helperPresent = isNt_ ? osMajor_ >= 5 : (osMajor_ > 4 || (osMajor_ == 4 && osMinor_ >= 10));
    if (!helperPresent) return;
    LoadedLibrary helper("iphlpapi.dll");
    adapters_ = ReadAdapterList(helper.Find<GetAdaptersInfoFn>("GetAdaptersInfo"));
}

void SystemInfoCollector::ReadInterfaces() {
    std::vector<sysinfo::InterfaceRecord> interfaces;
    std::vector<uint32_t> addresses;
    if (interfaceSource_) interfaceSource_->Read(interfaces, addresses);
    if (addresses.size() > 100) addresses.resize(100);
    if (addresses != ipAddresses_) ipAddresses_ = std::move(addresses);
    interfaces_ = std::move(interfaces);
    sysinfo::AssignInterfaceSpeeds(adapters_, interfaces_);
}

bool SystemInfoCollector::IsServer2003() const { return isNt_ && osMajor_ == 5 && osMinor_ == 2; }

void SystemInfoCollector::ReadAdminMembership() { isAdmin_ = isNt_ && TokenHoldsAdministrators(); }

std::string SystemInfoCollector::Uptime() {
    uptimeParts_ = sysinfo::SplitUptime(uptimeClock_() / 1000);
    uptimeText_ = sysinfo::UptimeLine(uptimeParts_, uptimeText_);
    return uptimeText_;
}

std::string SystemInfoCollector::BootTime() {
    return sysinfo::BootTimeLine(sysinfo::SecondsBefore(localClock_(), uptimeClock_() / 1000));
}

std::string ProcessorCountText() {
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    return sysinfo::ProcessorCountLine(system.dwNumberOfProcessors);
}

namespace {
bool CurrentDisplayMode(DEVMODEA& mode) {
    mode = DEVMODEA{};
    mode.dmSize = sizeof(mode);
    return ::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
}
}  // namespace

std::string ColorDepth() {
    DEVMODEA mode;
    if (!CurrentDisplayMode(mode)) return sysinfo::kDisplaySettingsError;
    return sysinfo::ColorDepthLine(static_cast<long>(mode.dmBitsPerPel));
}

std::string RefreshFrequency() {
    DEVMODEA mode;
    if (!CurrentDisplayMode(mode)) return sysinfo::kDisplaySettingsError;
    return sysinfo::RefreshFrequencyLine(static_cast<int>(mode.dmDisplayFrequency));
}

std::string IpAddress() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 0), &data) != 0) return {};
    std::string address;
    char hostName[256] = {};
    if (::gethostname(hostName, 255) == 0) {
        const hostent* host = ::gethostbyname(hostName);
        if (host && host->h_addrtype == AF_INET && host->h_addr_list && host->h_addr_list[0]) {
            in_addr first;
            std::memcpy(&first, host->h_addr_list[0], sizeof(first));
            if (const char* dotted = ::inet_ntoa(first)) address = dotted;
        }
    }
    ::WSACleanup();
    return address;
}

SystemFactLines BuildSystemFactLines(SystemInfoCollector& collector) {
    if (!collector.Loaded()) collector.Load();
    SystemFactLines lines;
    lines.osModel = collector.IsServer2003() ? fw::Format("Model: Windows 2003 %s", collector.OsName().c_str())
                                             : fw::Format("Model: %s", collector.OsName().c_str());
    lines.osVersion = sysinfo::OsVersionFactLine(collector.OsMajor(), collector.OsMinor(), collector.OsBuild());
    lines.bootTime = collector.BootTime();
    lines.totalMemory = sysinfo::TotalMemoryLine(collector.Memory().totalPhysical);
    lines.swapSpace = sysinfo::SwapSpaceLine(collector.Memory().totalPageFile);
    lines.browserVersion = sysinfo::BrowserVersionLine(collector.IeVersion());
    lines.dataAccessVersion = sysinfo::DataAccessVersionLine(collector.DataAccessVersion());
    lines.adminRights = sysinfo::AdminRightsLine(collector.IsAdmin());
    lines.colorDepth = ColorDepth();
    lines.refreshRate = RefreshFrequency();
    lines.localAddress = fw::Format("IP: %s", IpAddress().c_str());
    return lines;
}

sysinfo::ActiveAdapterGroup ActiveNetworkAdapterGroup(const SystemInfoCollector& collector) {
    return sysinfo::ActiveAdapterLines(collector.Adapters());
}

std::string UptimeStatusText(SystemInfoCollector& collector) { return fw::Format(" %s", collector.Uptime().c_str()); }

int MemoryLoadPercent(SystemInfoCollector& collector) {
    collector.RefreshMemory();
    return static_cast<int>(collector.Memory().load);
}

}  // namespace ovix
