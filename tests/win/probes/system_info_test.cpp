// The system-information collector against the system itself: memory, the
// machine's own adapters, the TCP/IP stack's tables, registry versions, the
// display, the address; the adapter list through a fake IP helper; the
// versions that Wine gives per program and the missing SNMP agent through a
// second process; the uptime through fake clocks and the pairing of speeds
// through a fake interface source.
#include "probes/system_info.h"

#include "app/app_paths.h"
#include "framework/handles.h"
#include "framework/registry.h"
#include "framework/resources.h"
#include "probes/probe_test_support.h"

#include <iphlpapi.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>

namespace {

using ovix::SystemInfoCollector;
using ovix::sysinfo::AdapterRecord;
using ovix::sysinfo::InterfaceRecord;
using test::SavedRegistryValue;

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
std::vector<AdapterRecord> OwnAdapters() {
    std::vector<AdapterRecord> own;
    HMODULE helper = ::LoadLibraryA("iphlpapi.dll");
    const auto get = reinterpret_cast<ovix::GetAdaptersInfoFn>(
        reinterpret_cast<void*>(::GetProcAddress(helper, "GetAdaptersInfo")));
    ULONG size = 0;
    std::vector<BYTE> buffer;
    if (get && get(nullptr, &size) == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size);
        if (get(reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()), &size) != ERROR_SUCCESS) buffer.clear();
    }
    for (auto* info = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data()); !buffer.empty() && info; info = info->Next) {
        own.push_back({info->AdapterName, info->Description, info->Index, {}, 0});
        for (auto* address = &info->IpAddressList; address; address = address->Next) {
            own.back().addresses.push_back(address->IpAddress.String);
        }
    }
    ::FreeLibrary(helper);
    return own;
}

// An IP helper whose list holds counts[call] adapters at each call (the last
// count repeats): adapters that appear while the list is read.
std::vector<ULONG> g_counts;
int g_calls = 0;

DWORD WINAPI GrowingAdaptersInfo(IP_ADAPTER_INFO* buffer, ULONG* size) {
    const ULONG count = g_counts[std::min<size_t>(g_calls++, g_counts.size() - 1)];
    if (count == 0) return ERROR_NO_DATA;
    if (!buffer || *size < count * sizeof(IP_ADAPTER_INFO)) {
        *size = count * sizeof(IP_ADAPTER_INFO);
        return ERROR_BUFFER_OVERFLOW;
    }
    for (ULONG i = 0; i < count; ++i) {
        buffer[i] = IP_ADAPTER_INFO{};
        std::snprintf(buffer[i].AdapterName, sizeof(buffer[i].AdapterName), "{ADAPTER-%lu}", i);
        std::snprintf(buffer[i].IpAddressList.IpAddress.String, 16, "10.0.0.%lu", i + 1);
        buffer[i].Index = i + 2;
        buffer[i].Next = i + 1 < count ? &buffer[i + 1] : nullptr;
    }
    // A description that fills its field without a terminating zero.
    std::fill(std::begin(buffer[0].Description), std::end(buffer[0].Description), 'D');
    return ERROR_SUCCESS;
}

class SystemInfo : public testing::Test {
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

TEST_F(SystemInfo, AdapterListIsAskedAgainWhileItGrows) {
    // Sized for one, five by the first fill, then steady: the third call fills.
    g_counts = {1, 5, 5};
    g_calls = 0;
    const std::vector<AdapterRecord> adapters = ovix::ReadAdapterList(GrowingAdaptersInfo);
    EXPECT_EQ(g_calls, 3);
    ASSERT_EQ(adapters.size(), 5u);
    EXPECT_EQ(adapters[0].description, std::string(sizeof(IP_ADAPTER_INFO::Description), 'D'));
    EXPECT_EQ(adapters[4].name, "{ADAPTER-4}");
    EXPECT_EQ(adapters[4].index, 6u);
    EXPECT_EQ(adapters[4].addresses, std::vector<std::string>{"10.0.0.5"});
    // A list that never stops growing: a few attempts, then no adapters.
    g_counts.clear();
    for (ULONG count = 1; count < 100; count += 4) g_counts.push_back(count);
    g_calls = 0;
    EXPECT_TRUE(ovix::ReadAdapterList(GrowingAdaptersInfo).empty());
    EXPECT_LE(g_calls, 6);
    // No adapter at all, and no IP helper.
    g_counts = {0};
    EXPECT_TRUE(ovix::ReadAdapterList(GrowingAdaptersInfo).empty());
    EXPECT_TRUE(ovix::ReadAdapterList(nullptr).empty());
}

TEST_F(SystemInfo, AdaptersAndStackTablesAreTheMachinesOwn) {
    SystemInfoCollector collector;
    collector.Load();
    const std::vector<AdapterRecord> adapters = OwnAdapters();
    ASSERT_EQ(collector.AdapterCount(), adapters.size());
    for (size_t i = 0; i < adapters.size(); ++i) {
        EXPECT_EQ(collector.Adapters()[i].name, adapters[i].name);
        EXPECT_EQ(collector.Adapters()[i].description, adapters[i].description);
        EXPECT_EQ(collector.Adapters()[i].index, adapters[i].index);
        EXPECT_EQ(collector.Adapters()[i].addresses, adapters[i].addresses);
    }
    auto source = ovix::MakeSnmpInterfaceSource();
    std::vector<InterfaceRecord> interfaces, again;
    std::vector<uint32_t> addresses, addressesAgain;
    ASSERT_TRUE(source->Read(interfaces, addresses));
    // The loopback interface and address are always there, and every adapter's interface.
    EXPECT_TRUE(std::any_of(interfaces.begin(), interfaces.end(), [](const auto& entry) { return entry.type == 24; }));
    EXPECT_NE(std::find(addresses.begin(), addresses.end(), 0x0100007Fu), addresses.end());
    for (const AdapterRecord& adapter : adapters) {
        EXPECT_TRUE(std::any_of(interfaces.begin(), interfaces.end(),
                                [&](const auto& entry) { return entry.index == adapter.index; }))
            << adapter.description;
    }
    // A second read gives the same tables (the agent is initialised once).
    ASSERT_TRUE(source->Read(again, addressesAgain));
    EXPECT_EQ(again.size(), interfaces.size());
    EXPECT_EQ(addressesAgain, addresses);
}

TEST_F(SystemInfo, ClocksSocketsAndProcessors) {
    using Fn = ULONGLONG(WINAPI*)();
    const auto tickCount64 = test::Kernel32Function<Fn>("GetTickCount64");
    ASSERT_NE(tickCount64, nullptr);
    const uint64_t own = tickCount64();
    const uint64_t ours = ovix::SystemUptimeMilliseconds();
    EXPECT_TRUE(own <= ours && ours - own < 1000) << own << " " << ours;
    // The fallback of Windows 2000 and XP: a running clock of whole
    // milliseconds. (Wine counts it from its server's start, not the host's.)
    const uint64_t fromBoot = ovix::UptimeFromKernelBootTime();
    ASSERT_GT(fromBoot, 0u);
    ::Sleep(1100);
    const uint64_t elapsed = ovix::UptimeFromKernelBootTime() - fromBoot;
    EXPECT_TRUE(elapsed >= 1000 && elapsed < 5000) << elapsed;
    // Balanced start and clean-up: the test's own sockets still work after many calls.
    for (int i = 0; i < 20; ++i) ovix::IpAddress();
    char host[256] = {};
    EXPECT_EQ(::gethostname(host, sizeof(host)), 0);
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    EXPECT_EQ(ovix::ProcessorCountText(), std::to_string(system.dwNumberOfProcessors) + " CPU.");
}

TEST_F(SystemInfo, RegistryTextsAreBoundedAndDefaulted) {
    SavedRegistryValue ie(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer", "Version");
    SavedRegistryValue full(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess", "FullInstallVer");
    SavedRegistryValue version(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DataAccess", "Version");
    const auto lines = [] {
        SystemInfoCollector collector;
        const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);
        return facts.browserVersion + "|" + facts.dataAccessVersion;
    };
    ASSERT_TRUE(ie.SetString("6.0.2900.5512"));
    ASSERT_TRUE(full.SetString("2.81.1117.0"));
    ASSERT_TRUE(version.SetString("2.80.1022.0"));
    EXPECT_EQ(lines(), "IE: Version: 6.0 Build 2900.5512|ADO: Version: 2.81 Build 1117.0");
    // Without FullInstallVer, "Version"; a text longer than 100 bytes is not read.
    full.Remove();
    ASSERT_TRUE(ie.SetString("7." + std::string(150, '1')));
    EXPECT_EQ(lines(), "IE: Version: 0.0 Build 0.0|ADO: Version: 2.80 Build 1022.0");
    // 99 bytes with no terminating zero: read whole, never past their end.
    const std::string unterminated = "8.1.2.3" + std::string(92, 'x');
    ASSERT_TRUE(ie.SetRaw(REG_SZ, unterminated.data(), 99));
    version.Remove();
    EXPECT_EQ(lines(), "IE: Version: 8.1 Build 2.3|ADO: Version: 0.0 Build 0.0");
}

// The process's private commit (Wine reports PrivateUsage as 0; PagefileUsage
// is the same figure and it is filled).
size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    using Fn = BOOL(WINAPI*)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
    const auto get = test::Kernel32Function<Fn>("K32GetProcessMemoryInfo");
    return get && get(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.PagefileUsage : 0;
}

TEST_F(SystemInfo, LoadsOnceWithEachAdaptersSpeedThenRefreshesOnlyMemoryAndClocks) {
    const std::vector<AdapterRecord> own = OwnAdapters();
    // Loopback first, then the adapters' interfaces in reverse order, the last
    // adapter without one.
    std::vector<InterfaceRecord> interfaces = {{1, 24, 10000000, ""}};
    for (size_t i = own.size(); i-- > 1;) {
        interfaces.push_back({own[i - 1].index, 6, static_cast<uint32_t>(100000000 * i), "\x00\x01"});
    }
    int reads = 0;
    auto collector = FakeCollector(interfaces, &reads);
    EXPECT_FALSE(collector->Loaded());
    for (int i = 0; i < 100; ++i) collector->Refresh();  // the first loads; then warm up
    ASSERT_EQ(collector->AdapterCount(), own.size());
    for (size_t i = 0; i < own.size(); ++i) {
        const uint32_t expected = i + 1 < own.size() ? static_cast<uint32_t>(100000000 * (i + 1)) : 0;
        EXPECT_EQ(collector->Adapters()[i].speedBitsPerSecond, expected) << i;
    }
    EXPECT_EQ(collector->IpAddresses(), std::vector<uint32_t>{0x0100007Fu});
    const long libraries = ovix::LoadedLibrary::LiveCount();
    const size_t before = PrivateBytes();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 10000; ++i) {  // 10,000 timer ticks
        collector->Refresh();
        ovix::MemoryLoadPercent(*collector);
    }
    const size_t after = PrivateBytes();
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(ovix::LoadedLibrary::LiveCount(), libraries);
    EXPECT_LT(after > before ? after - before : 0, 256u * 1024) << before << " -> " << after;
    // The uptime and the boot time from the same 64-bit count of milliseconds.
    g_fakeUptimeMs = 45999;
    EXPECT_EQ(ovix::UptimeStatusText(*collector), " Uptime: 45 seconds");
    g_fakeUptimeMs = 999;  // 0 s keeps the previous line
    EXPECT_EQ(collector->Uptime(), "Uptime: 45 seconds");
    g_fakeUptimeMs = 4294967296ull + 61000;  // past 2^32 ms it goes on
    EXPECT_EQ(collector->Uptime(), "Uptime: 49 days 17 hours 3 min 48 sec");
    g_fakeNow = {2006, 3, 15, 12, 0, 0};
    EXPECT_EQ(collector->BootTime(), "Boot Time: 01/24/2006 @ 18:56:12");
}

// ---- a second process: Windows versions and the missing agent ----

constexpr char kChildName[] = "system_info_child.exe";

// The child's "key=value" lines; keys that repeat are joined with commas.
std::map<std::string, std::string> RunChild(const char* version, const char* disabledDll) {
    const std::string folder = ovix::ApplicationDirectory(fw::ModulePath());
    const std::string child = folder + "\\" + kChildName;
    const std::string output = folder + "\\system_info_child.txt";
    ::DeleteFileA(output.c_str());
    const std::string settings = std::string("Software\\Wine\\AppDefaults\\") + kChildName;
    SavedRegistryValue setting(HKEY_CURRENT_USER, settings, "Version");
    EXPECT_TRUE(setting.SetOrRemove(version));
    // A disabled DLL of this program only (an empty override). WINEDLLOVERRIDES
    // in the child's environment block is not read by Wine.
    SavedRegistryValue disabled(HKEY_CURRENT_USER, settings + "\\DllOverrides", disabledDll ? disabledDll : "inetmib1");
    EXPECT_TRUE(disabled.SetOrRemove(disabledDll ? "" : nullptr));

    fw::UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + child + "\" \"" + output + "\"";
    std::map<std::string, std::string> values;
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
    std::string line;
    while (std::getline(file, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string& value = values[line.substr(0, equals)];
        value += (value.empty() ? "" : ",") + line.substr(equals + 1);
    }
    file.close();
    ::DeleteFileA(output.c_str());
    EXPECT_EQ(values["end"], "yes");
    return values;
}

TEST(SystemInfoVersions, NamesCodesAndFactLinesPerWindowsVersion) {
    SavedRegistryValue country(HKEY_CURRENT_USER, "Control Panel\\International", "sCountry");
    SavedRegistryValue language(HKEY_CURRENT_USER, "Control Panel\\International", "sLanguage");
    ASSERT_TRUE(country.SetString("Ovixland"));
    ASSERT_TRUE(language.SetString("OVX"));
    const struct {
        const char* setting;
        const char* name;
        const char* code;
        const char* versionLine;
        const char* modelLine;
    } cases[] = {
        {"winxp", "Windows XP Professional Edition Service Pack 3", "104", "Version: 5.1 Build: 2600",
         "Model: Windows XP Professional Edition Service Pack 3"},
        {"win2k", "Windows 2000 Professional Service Pack 4", "103", "Version: 5.0 Build: 2195",
         "Model: Windows 2000 Professional Service Pack 4"},
        {"win2003", " Server Service Pack 2", "105", "Version: 5.2 Build: 3790",
         "Model: Windows 2003  Server Service Pack 2"},
        {"win98", "Windows 98 A ", "6", "Version: 4.10 Build: 2222", "Model: Windows 98 A "},
        {"nt40", "Windows NT 4.0 Workstation Service Pack 6a", "102", "Version: 4.0 Build: 1381",
         "Model: Windows NT 4.0 Workstation Service Pack 6a"},
        // Wine's "win7" is a server (product type 3); the prefix's default is the workstation.
        {"win7", "Windows Server 2008 R2 Service Pack 1", "0", "Version: 6.1 Build: 7601",
         "Model: Windows Server 2008 R2 Service Pack 1"},
        {nullptr, "Windows 7 Service Pack 1", "0", "Version: 6.1 Build: 7601", "Model: Windows 7 Service Pack 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "default");
        auto values = RunChild(c.setting, nullptr);
        EXPECT_EQ(values["name"], c.name);
        EXPECT_EQ(values["code"], c.code);
        EXPECT_EQ(values["version"], c.versionLine);
        EXPECT_EQ(values["model"], c.modelLine);
        // Server 2003 alone shows the language without the country.
        EXPECT_EQ(values["language"], std::string(c.code) == "105" ? "Language: OVX" : "Country: Ovixland [OVX]");
    }
    // The setting is gone again.
    fw::RegKey key;
    EXPECT_NE(key.Open(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\system_info_child.exe", KEY_READ),
              ERROR_SUCCESS);
}

TEST(SystemInfoVersions, MissingSnmpAgentLeavesSpeedsAtZero) {
    const size_t adapters = OwnAdapters().size();
    auto values = RunChild(nullptr, "inetmib1");
    EXPECT_EQ(values["interfaces"], "0");
    EXPECT_EQ(values["addresses"], "0");
    EXPECT_EQ(values["adapters"], std::to_string(adapters));
    std::string zeros;  // one "0" per adapter, in list order
    for (size_t i = 0; i < adapters; ++i) zeros += i ? ",0" : "0";
    EXPECT_EQ(values["speed"], zeros);
    const std::string count = "Number of active network adapter(s): " + std::to_string(adapters);
    EXPECT_NE(values["report"].find(count), std::string::npos) << values["report"];
    // With the agent there, the child reads the stack's tables.
    values = RunChild(nullptr, nullptr);
    EXPECT_NE(values["interfaces"], "0");
    EXPECT_NE(values["addresses"], "0");
}

}  // namespace
