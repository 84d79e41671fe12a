// The system-information collector against the system itself: memory, the
// machine's own adapters, the TCP/IP stack's tables, registry versions, the
// display, the address; the versions that Wine gives per program and the
// missing SNMP agent through a second process; the uptime through fake clocks
// and the pairing of speeds through a fake interface source.
#include "probes/system_info.h"

#include "framework/handles.h"
#include "framework/resources.h"
#include "app/app_paths.h"
#include "probes/probe_test_support.h"

#include <iphlpapi.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using ovix::SystemInfoCollector;
using ovix::sysinfo::AdapterRecord;
using ovix::sysinfo::InterfaceRecord;
using test::SavedRegistryValue;

// ---- sources the tests control ----

uint64_t g_fakeUptimeMs = 0;
uint64_t FakeUptime() { return g_fakeUptimeMs; }
ovix::sysinfo::LocalTime g_fakeNow{2008, 3, 1, 6, 0, 0};
ovix::sysinfo::LocalTime FakeNow() { return g_fakeNow; }

class FakeInterfaces : public ovix::InterfaceSource {
public:
    FakeInterfaces(std::vector<InterfaceRecord> interfaces, int* reads) : interfaces_(std::move(interfaces)), reads_(reads) {}
    bool Read(std::vector<InterfaceRecord>& interfaces, std::vector<uint32_t>& addresses) override {
        ++*reads_;
        interfaces = interfaces_;
        addresses = {0x0100007Fu};
        return true;
    }

private:
    std::vector<InterfaceRecord> interfaces_;
    int* reads_;
};

std::unique_ptr<SystemInfoCollector> FakeCollector(std::vector<InterfaceRecord> interfaces, int* reads) {
    return std::make_unique<SystemInfoCollector>(std::make_unique<FakeInterfaces>(std::move(interfaces), reads),
                                                 FakeUptime, FakeNow);
}

// The test's own reading of the adapters.
struct OwnAdapters {
    DWORD result = ERROR_NOT_SUPPORTED;
    std::vector<AdapterRecord> adapters;
};

OwnAdapters ReadOwnAdapters() {
    OwnAdapters own;
    HMODULE helper = ::LoadLibraryA("iphlpapi.dll");
    if (!helper) return own;
    using Fn = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);
    const auto get = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(helper, "GetAdaptersInfo")));
    ULONG size = 0;
    own.result = get(nullptr, &size);
    if (own.result == ERROR_BUFFER_OVERFLOW) {
        std::vector<BYTE> buffer(size);
        own.result = get(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size);
        for (auto* info = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()); own.result == ERROR_SUCCESS && info;
             info = info->Next) {
            AdapterRecord adapter;
            adapter.name = info->AdapterName;
            adapter.description = info->Description;
            adapter.index = info->Index;
            for (auto* address = &info->IpAddressList; address; address = address->Next) {
                adapter.addresses.push_back(address->IpAddress.String);
            }
            own.adapters.push_back(adapter);
        }
    }
    ::FreeLibrary(helper);
    return own;
}

// The process's private commit (Wine reports PrivateUsage as 0; PagefileUsage
// is the same figure and it is filled).
size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    using Fn = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    const auto get = test::Kernel32Function<Fn>("K32GetProcessMemoryInfo");
    if (!get || !get(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters))) {
        return 0;
    }
    return counters.PagefileUsage;
}

// ---- the collector on this machine ----

class SystemInfoLive : public testing::Test {
protected:
    void SetUp() override {
        libraries_ = ovix::LoadedLibrary::LiveCount();
        handles_ = fw::LiveCount(fw::ResourceKind::Kernel);
        keys_ = fw::LiveCount(fw::ResourceKind::RegistryKey);
    }
    void TearDown() override {
        EXPECT_EQ(ovix::LoadedLibrary::LiveCount(), libraries_);
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), handles_);
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), keys_);
    }
    long libraries_ = 0, handles_ = 0, keys_ = 0;
};

TEST_F(SystemInfoLive, MemoryTotalsEqualTheSystemsOwn) {
    SystemInfoCollector collector;
    collector.Load();
    MEMORYSTATUSEX own{};
    own.dwLength = sizeof(own);
    ASSERT_TRUE(::GlobalMemoryStatusEx(&own));
    const ovix::MemoryStatus& memory = collector.Memory();
    EXPECT_EQ(memory.totalPhysical, own.ullTotalPhys);
    EXPECT_EQ(memory.totalPageFile, own.ullTotalPageFile);
    EXPECT_EQ(memory.totalVirtual, own.ullTotalVirtual);
    const auto within = [](uint64_t a, uint64_t b) { return (a > b ? a - b : b - a) < (256ull << 20); };
    EXPECT_TRUE(within(memory.availablePhysical, own.ullAvailPhys));
    EXPECT_TRUE(within(memory.availablePageFile, own.ullAvailPageFile));
    EXPECT_LE(memory.load, 100u);

    const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
    EXPECT_EQ(facts.totalMemory, ovix::sysinfo::TotalMemoryLine(own.ullTotalPhys));
    EXPECT_EQ(facts.totalMemory, "Total physical: " + std::to_string(own.ullTotalPhys >> 20) + " MB");
    EXPECT_EQ(facts.swapSpace, "Total swap space: " + std::to_string(own.ullTotalPageFile >> 20) + " MB");
    const int load = ovix::MemoryLoadPercent(collector);
    EXPECT_GE(load, 0);
    EXPECT_LE(load, 100);
}

TEST_F(SystemInfoLive, AdaptersAreTheMachinesOwn) {
    const OwnAdapters own = ReadOwnAdapters();
    ASSERT_TRUE(own.result == ERROR_SUCCESS || own.result == ERROR_NO_DATA) << own.result;
    SystemInfoCollector collector;
    collector.Load();
    ASSERT_EQ(collector.AdapterCount(), own.adapters.size());
    for (size_t i = 0; i < own.adapters.size(); ++i) {
        EXPECT_EQ(collector.Adapters()[i].name, own.adapters[i].name);
        EXPECT_EQ(collector.Adapters()[i].description, own.adapters[i].description);
        EXPECT_EQ(collector.Adapters()[i].index, own.adapters[i].index);
        EXPECT_EQ(collector.Adapters()[i].addresses, own.adapters[i].addresses);
    }
    const std::string count = "Number of active network adapter(s): " + std::to_string(own.adapters.size());
    EXPECT_NE(collector.NetworkAdapterLines().find(count + "\r\n\r\n"), std::string::npos);
    EXPECT_EQ(ovix::ActiveNetworkAdapterGroup(collector).section, "Active: " + std::to_string(own.adapters.size()));
}

TEST_F(SystemInfoLive, StackTablesThroughTheSnmpAgent) {
    auto source = ovix::MakeSnmpInterfaceSource();
    std::vector<InterfaceRecord> interfaces;
    std::vector<uint32_t> addresses;
    ASSERT_TRUE(source->Read(interfaces, addresses));
    // The loopback interface and address are always there.
    bool loopback = false;
    for (const InterfaceRecord& entry : interfaces) loopback = loopback || entry.type == 24;
    EXPECT_TRUE(loopback);
    EXPECT_NE(std::find(addresses.begin(), addresses.end(), 0x0100007Fu), addresses.end());
    // Every adapter of the IP helper has its interface in the table.
    for (const AdapterRecord& adapter : ReadOwnAdapters().adapters) {
        bool found = false;
        for (const InterfaceRecord& entry : interfaces) found = found || entry.index == adapter.index;
        EXPECT_TRUE(found) << adapter.description;
    }
    // A second read gives the same tables (the agent is initialised once).
    std::vector<InterfaceRecord> again;
    std::vector<uint32_t> addressesAgain;
    ASSERT_TRUE(source->Read(again, addressesAgain));
    EXPECT_EQ(again.size(), interfaces.size());
    EXPECT_EQ(addressesAgain, addresses);
    source.reset();
}

TEST_F(SystemInfoLive, DisplayAddressAdminAndProcessors) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    ASSERT_TRUE(::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(sizeof(DEVMODEA), 156u);
    EXPECT_GT(mode.dmBitsPerPel, 0u);
    EXPECT_EQ(ovix::ColorDepth(), "Color depth: " + std::to_string(mode.dmBitsPerPel) + " Bits ");
    EXPECT_EQ(ovix::RefreshFrequency(), "Refresh frequency: " + std::to_string(mode.dmDisplayFrequency) + " Hz");

    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof(host)), 0);
    const hostent* entry = ::gethostbyname(host);
    ASSERT_NE(entry, nullptr);
    const std::string own = ::inet_ntoa(*reinterpret_cast<in_addr*>(entry->h_addr_list[0]));
    EXPECT_EQ(ovix::IpAddress(), own);
    // Balanced start and clean-up: the test's own sockets still work after many calls.
    for (int i = 0; i < 20; ++i) ovix::IpAddress();
    EXPECT_EQ(::gethostname(host, sizeof(host)), 0);

    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    EXPECT_EQ(ovix::ProcessorCountText(), std::to_string(system.dwNumberOfProcessors) + " CPU.");

    SystemInfoCollector collector;
    collector.Load();
    EXPECT_EQ(collector.ProcessorCount(), system.dwNumberOfProcessors);
    // The token's view of the Administrators group, asked another way.
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                           0, 0, &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(::CheckTokenMembership(nullptr, administrators, &member));
    ::FreeSid(administrators);
    EXPECT_EQ(collector.IsAdmin(), member != FALSE);
    const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
    EXPECT_EQ(facts.adminRights, member ? "Admin rights: yes" : "Admin rights: no");
    EXPECT_EQ(facts.localAddress, "IP: " + own);
    EXPECT_EQ(facts.colorDepth, ovix::ColorDepth());
    EXPECT_EQ(facts.refreshRate, ovix::RefreshFrequency());
}

TEST_F(SystemInfoLive, UptimeSourcesAgree) {
    using Fn = ULONGLONG(WINAPI*)();
    const auto tickCount64 = test::Kernel32Function<Fn>("GetTickCount64");
    ASSERT_NE(tickCount64, nullptr);
    const uint64_t own = tickCount64();
    const uint64_t ours = ovix::SystemUptimeMilliseconds();
    EXPECT_LE(own, ours);
    EXPECT_LT(ours - own, 1000u);
    // The fallback of Windows 2000 and XP: a running clock of whole
    // milliseconds. (Wine counts it from its server's start, not the host's.)
    const uint64_t fromBoot = ovix::UptimeFromKernelBootTime();
    ASSERT_GT(fromBoot, 0u);
    ::Sleep(1100);
    const uint64_t later = ovix::UptimeFromKernelBootTime();
    EXPECT_GE(later - fromBoot, 1000u);
    EXPECT_LT(later - fromBoot, 5000u);
}

// ---- registry values: terminated, bounded, defaulted ----

class SystemInfoRegistry : public SystemInfoLive {};

TEST_F(SystemInfoRegistry, ComponentVersionsFromTheirValues) {
    SavedRegistryValue ie(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer", "Version");
    SavedRegistryValue full(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess", "FullInstallVer");
    SavedRegistryValue version(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess", "Version");
    ASSERT_TRUE(ie.SetString("6.0.2900.5512"));
    ASSERT_TRUE(full.SetString("2.81.1117.0"));
    ASSERT_TRUE(version.SetString("2.80.1022.0"));
    {
        SystemInfoCollector collector;
        const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
        EXPECT_EQ(facts.browserVersion, "IE: Version: 6.0 Build 2900.5512");
        EXPECT_EQ(facts.dataAccessVersion, "ADO: Version: 2.81 Build 1117.0");
    }
    // Without FullInstallVer, "Version"; a text longer than 100 bytes is not read.
    full.Remove();
    ASSERT_TRUE(ie.SetString("7." + std::string(150, '1')));
    {
        SystemInfoCollector collector;
        const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
        EXPECT_EQ(facts.browserVersion, "IE: Version: 0.0 Build 0.0");
        EXPECT_EQ(facts.dataAccessVersion, "ADO: Version: 2.80 Build 1022.0");
    }
    // 99 bytes with no terminating zero: read whole, never past their end.
    const std::string unterminated = "8.1.2.3" + std::string(92, 'x');
    ASSERT_TRUE(ie.SetRaw(REG_SZ, unterminated.data(), 99));
    version.Remove();
    {
        SystemInfoCollector collector;
        const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
        EXPECT_EQ(facts.browserVersion, "IE: Version: 8.1 Build 2.3");
        EXPECT_EQ(facts.dataAccessVersion, "ADO: Version: 0.0 Build 0.0");
    }
}

TEST_F(SystemInfoRegistry, ProcessorDescriptionKeepsWhatIsMissing) {
    constexpr char kKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    SavedRegistryValue identifier(HKEY_LOCAL_MACHINE, kKey, "Identifier");
    SavedRegistryValue vendor(HKEY_LOCAL_MACHINE, kKey, "VendorIdentifier");
    SavedRegistryValue name(HKEY_LOCAL_MACHINE, kKey, "ProcessorNameString");
    SavedRegistryValue mhz(HKEY_LOCAL_MACHINE, kKey, "~MHz");
    // 99 bytes and no terminating zero (the ANSI read needs room for one:
    // 100 unterminated bytes do not fit).
    const std::string hundred(99, 'I');
    ASSERT_TRUE(identifier.SetRaw(REG_SZ, hundred.data(), 99));
    ASSERT_TRUE(vendor.SetString("OvixVendor"));
    name.Remove();
    ASSERT_TRUE(mhz.SetDword(2400));
    SystemInfoCollector collector;
    collector.Load();
    EXPECT_EQ(collector.CpuIdentifier(), hundred);
    EXPECT_EQ(collector.CpuVendorIdentifier(), "OvixVendor");
    EXPECT_EQ(collector.CpuNameString(), "");
    EXPECT_EQ(collector.CpuRegistryMhz(), 2400u);
}

// ---- fakes: speeds, uptime, the refresh that stays cheap ----

class SystemInfoFakes : public SystemInfoLive {};

TEST_F(SystemInfoFakes, SpeedsComeFromEachAdaptersOwnInterface) {
    const OwnAdapters own = ReadOwnAdapters();
    // Loopback first, then the adapters' interfaces in reverse order, the last
    // adapter without one.
    std::vector<InterfaceRecord> interfaces = {{1, 24, 10000000, ""}};
    for (size_t i = own.adapters.size(); i-- > 1;) {
        interfaces.push_back({own.adapters[i - 1].index, 6, static_cast<uint32_t>(100000000 * i), "\x00\x01"});
    }
    int reads = 0;
    auto collector = FakeCollector(interfaces, &reads);
    collector->Load();
    ASSERT_EQ(collector->AdapterCount(), own.adapters.size());
    for (size_t i = 0; i < own.adapters.size(); ++i) {
        const uint32_t expected = i + 1 < own.adapters.size() ? static_cast<uint32_t>(100000000 * (i + 1)) : 0;
        EXPECT_EQ(collector->Adapters()[i].speedBitsPerSecond, expected) << i;
    }
    if (!own.adapters.empty() && own.adapters.size() <= 3) {
        const auto group = ovix::ActiveNetworkAdapterGroup(*collector);
        ASSERT_EQ(group.items.size(), own.adapters.size() * 3);
        EXPECT_EQ(group.items[0], "Name: " + own.adapters[0].description);
        EXPECT_EQ(group.items[1], "Description: " + own.adapters[0].name);
        if (own.adapters.size() > 1) {
            EXPECT_EQ(group.items[2], "Speed: 12207 KB/s -> 11.92 MB/s");
        }
        EXPECT_EQ(group.items.back(), "Speed: 0 KB/s -> 0.00 MB/s");
    }
    EXPECT_EQ(collector->IpAddresses(), std::vector<uint32_t>{0x0100007Fu});
}

TEST_F(SystemInfoFakes, LoadsOnceThenRefreshesOnlyMemory) {
    int reads = 0;
    auto collector = FakeCollector({}, &reads);
    EXPECT_FALSE(collector->Loaded());
    collector->Refresh();
    EXPECT_TRUE(collector->Loaded());
    EXPECT_EQ(reads, 1);
    const long libraries = ovix::LoadedLibrary::LiveCount();
    const long handles = fw::LiveCount(fw::ResourceKind::Kernel);
    // Warm up, then 10,000 timer ticks.
    for (int i = 0; i < 100; ++i) collector->Refresh();
    const size_t before = PrivateBytes();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 10000; ++i) {
        collector->Refresh();
        ovix::MemoryLoadPercent(*collector);
    }
    const size_t after = PrivateBytes();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(ovix::LoadedLibrary::LiveCount(), libraries);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Kernel), handles);
    EXPECT_LT(after > before ? after - before : 0, 256u * 1024) << before << " -> " << after;
}

TEST_F(SystemInfoFakes, UptimeFromTheSixtyFourBitCount) {
    int reads = 0;
    auto collector = FakeCollector({}, &reads);
    g_fakeUptimeMs = 45999;
    EXPECT_EQ(collector->Uptime(), "Uptime: 45 seconds");
    EXPECT_EQ(ovix::UptimeStatusText(*collector), " Uptime: 45 seconds");
    // 0 s keeps the previous line.
    g_fakeUptimeMs = 999;
    EXPECT_EQ(collector->Uptime(), "Uptime: 45 seconds");
    EXPECT_EQ(collector->UptimeText(), "Uptime: 45 seconds");
    // Past 2^32 ms the uptime goes on instead of starting again.
    g_fakeUptimeMs = 4294967296ull + 61000;
    EXPECT_EQ(collector->Uptime(), "Uptime: 49 days 17 hours 3 min 48 sec");
    EXPECT_EQ(collector->LastUptimeParts().days, 49);
    // The boot time uses the same seconds.
    g_fakeNow = {2006, 3, 15, 12, 0, 0};
    g_fakeUptimeMs = (4294967ull + 61) * 1000;
    EXPECT_EQ(collector->BootTime(), "Boot Time: 01/24/2006 @ 18:56:12");
    g_fakeNow = {2008, 3, 1, 6, 0, 0};
    g_fakeUptimeMs = 7 * 3600 * 1000;
    EXPECT_EQ(collector->BootTime(), "Boot Time: 02/29/2008 @ 23:00:00");
    g_fakeUptimeMs = 90061 * 1000;
    EXPECT_EQ(collector->Uptime(), "Uptime: 1 days 1 hour 1 min 1 sec");
}

TEST_F(SystemInfoFakes, RealClockGivesTodaysBootTime) {
    SystemInfoCollector collector;
    const std::string line = collector.BootTime();
    ASSERT_EQ(line.size(), std::string("Boot Time: 01/01/2000 @ 00:00:00").size()) << line;
    EXPECT_EQ(line.rfind("Boot Time: ", 0), 0u);
    EXPECT_NE(collector.Uptime().rfind("Uptime: ", 0), std::string::npos);
}

// ---- a second process: Windows versions and the missing agent ----

constexpr char kChildName[] = "system_info_child.exe";

std::map<std::string, std::string> RunChild(const char* version, const char* disabledDll) {
    const std::string folder = ovix::ApplicationDirectory(fw::ModulePath());
    const std::string child = folder + "\\" + kChildName;
    const std::string output = folder + "\\system_info_child.txt";
    ::DeleteFileA(output.c_str());
    SavedRegistryValue setting(HKEY_CURRENT_USER, std::string("Software\\Wine\\AppDefaults\\") + kChildName, "Version");
    if (version) {
        EXPECT_TRUE(setting.SetString(version));
    } else {
        setting.Remove();
    }

    // A disabled DLL of this program only (an empty override). WINEDLLOVERRIDES
    // in the child's environment block is not read by Wine.
    SavedRegistryValue disabled(HKEY_CURRENT_USER,
                                std::string("Software\\Wine\\AppDefaults\\") + kChildName + "\\DllOverrides",
                                disabledDll ? disabledDll : "inetmib1");
    if (disabledDll) {
        EXPECT_TRUE(disabled.SetString(""));
    }

    std::map<std::string, std::string> values;
    fw::UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + child + "\" \"" + output + "\"";
    if (!::CreateProcessA(child.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED | DETACHED_PROCESS,
                          nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << child << ": " << ::GetLastError();
        return values;
    }
    fw::UniqueHandle processHandle(process.hProcess);
    fw::UniqueHandle threadHandle(process.hThread);
    ::AssignProcessToJobObject(job.Get(), processHandle.Get());
    ::ResumeThread(threadHandle.Get());
    EXPECT_EQ(::WaitForSingleObject(processHandle.Get(), 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(processHandle.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);

    std::ifstream file(output, std::ios::binary);
    std::stringstream all;
    all << file.rdbuf();
    file.close();
    ::DeleteFileA(output.c_str());
    const std::string text = all.str();
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string& value = values[line.substr(0, equals)];
            if (!value.empty()) value += ",";
            value += line.substr(equals + 1);
        }
        if (line.rfind("report=", 0) == 0) {  // the report block holds its own line ends
            const size_t endMark = text.find("\nend\n", at);
            values["report"] = text.substr(at + 7, endMark == std::string::npos ? std::string::npos : endMark - at - 7);
            at = endMark == std::string::npos ? text.size() : endMark + 1;
            continue;
        }
        at = end == std::string::npos ? text.size() : end + 1;
    }
    EXPECT_TRUE(text.find("\nend\n") != std::string::npos) << text;
    return values;
}

struct VersionCase {
    const char* setting;
    const char* name;
    const char* code;
    const char* versionLine;
    const char* modelLine;
};

TEST(SystemInfoVersions, NamesCodesAndVersionLinesPerWindowsVersion) {
    const VersionCase cases[] = {
        {"winxp", "Windows XP Professional Edition Service Pack 3", "104", "Version: 5.1 Build: 2600",
         "Model: Windows XP Professional Edition Service Pack 3"},
        {"win2k", "Windows 2000 Professional Service Pack 4", "103", "Version: 5.0 Build: 2195",
         "Model: Windows 2000 Professional Service Pack 4"},
        {"win2003", " Server Service Pack 2", "105", "Version: 5.2 Build: 3790",
         "Model: Windows 2003  Server Service Pack 2"},
        {"win98", "Windows 98 A ", "6", "Version: 4.10 Build: 2222", "Model: Windows 98 A "},
        {"nt40", "Windows NT 4.0 Workstation Service Pack 6a", "102", "Version: 4.0 Build: 1381", nullptr},
        // Wine's "win7" is a server (product type 3); the prefix's default is the workstation.
        {"win7", "Windows Server 2008 R2 Service Pack 1", "0", "Version: 6.1 Build: 7601", nullptr},
        {nullptr, "Windows 7 Service Pack 1", "0", "Version: 6.1 Build: 7601", "Model: Windows 7 Service Pack 1"},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "default");
        const auto values = RunChild(c.setting, nullptr);
        EXPECT_EQ(values.at("name"), c.name);
        EXPECT_EQ(values.at("code"), c.code);
        EXPECT_EQ(values.at("version"), c.versionLine);
        if (c.modelLine) {
            EXPECT_EQ(values.at("model"), c.modelLine);
        }
    }
    // The setting is gone again.
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\system_info_child.exe", 0, KEY_READ,
                              &key),
              ERROR_SUCCESS);
    if (key) ::RegCloseKey(key);
}

TEST(SystemInfoVersions, MissingSnmpAgentLeavesSpeedsAtZero) {
    const OwnAdapters own = ReadOwnAdapters();
    const auto values = RunChild(nullptr, "inetmib1");
    EXPECT_EQ(values.at("interfaces"), "0");
    EXPECT_EQ(values.at("addresses"), "0");
    EXPECT_EQ(values.at("adapters"), std::to_string(own.adapters.size()));
    if (!own.adapters.empty()) {
        // One "0" per adapter, in list order.
        std::string zeros = "0";
        for (size_t i = 1; i < own.adapters.size(); ++i) zeros += ",0";
        EXPECT_EQ(values.at("speed"), zeros);
    }
    const std::string count = "Number of active network adapter(s): " + std::to_string(own.adapters.size());
    EXPECT_NE(values.at("report").find(count), std::string::npos) << values.at("report");

    // With the agent there, the child reads the stack's tables.
    const auto withAgent = RunChild(nullptr, nullptr);
    EXPECT_NE(withAgent.at("interfaces"), "0");
    EXPECT_NE(withAgent.at("addresses"), "0");
}

}  // namespace
