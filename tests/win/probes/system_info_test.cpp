// The system-information collector: the adapter list through a fake IP helper;
// the stack's tables, the kernel's clock and registry versions of the system
// itself; the uptime and the pairing of speeds through fakes; the versions that
// Wine gives per program and the missing SNMP agent through a second process.
// The fact lines are checked whole in fact_sheet_test.
#include "probes/system_info.h"

#include "app/app_paths.h"
#include "framework/handles.h"
#include "framework/resources.h"
#include "probes/probe_test_support.h"

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>

namespace {

using ovix::SystemInfoCollector;
using ovix::sysinfo::InterfaceRecord;
using test::SavedRegistryValue;

uint64_t g_fakeUptimeMs = 0;

struct FakeInterfaces : ovix::InterfaceSource {
    FakeInterfaces(std::vector<InterfaceRecord> list, int* reads) : list(std::move(list)), reads(reads) {}
    bool Read(std::vector<InterfaceRecord>& interfaces, std::vector<uint32_t>& addresses) override {
        ++*reads;
        interfaces = list;
        addresses = {0x0100007Fu};
        return true;
    }
    std::vector<InterfaceRecord> list;
    int* reads;
};

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
    void SetUp() override { libraries_ = ovix::LoadedLibrary::LiveCount(), keys_ = LiveKeys(); }
    void TearDown() override {
        EXPECT_EQ(ovix::LoadedLibrary::LiveCount(), libraries_);
        EXPECT_EQ(LiveKeys(), keys_);
    }
    static long LiveKeys() { return fw::LiveCount(fw::ResourceKind::RegistryKey); }
    long libraries_ = 0, keys_ = 0;
};

TEST_F(SystemInfo, AdapterListIsAskedAgainWhileItGrows) {
    g_counts = {1, 5, 5};  // sized for one, five by the first fill, then steady
    g_calls = 0;
    const auto adapters = ovix::ReadAdapterList(GrowingAdaptersInfo);
    EXPECT_EQ(g_calls, 3);
    ASSERT_EQ(adapters.size(), 5u);
    EXPECT_EQ(adapters[0].description, std::string(sizeof(IP_ADAPTER_INFO::Description), 'D'));
    EXPECT_EQ(adapters[4].name + " " + std::to_string(adapters[4].index), "{ADAPTER-4} 6");
    EXPECT_EQ(adapters[4].addresses, std::vector<std::string>{"10.0.0.5"});
    // A list that never stops growing: a few attempts, then no adapters.
    g_counts.clear();
    for (ULONG count = 1; count < 100; count += 4) g_counts.push_back(count);
    g_calls = 0;
    EXPECT_TRUE(ovix::ReadAdapterList(GrowingAdaptersInfo).empty());
    EXPECT_LE(g_calls, 6);
    g_counts = {0};  // no adapter at all
    EXPECT_TRUE(ovix::ReadAdapterList(GrowingAdaptersInfo).empty());
    EXPECT_TRUE(ovix::ReadAdapterList(nullptr).empty());
}

TEST_F(SystemInfo, StackTablesKernelClockAndSockets) {
    auto source = ovix::MakeSnmpInterfaceSource();
    std::vector<InterfaceRecord> interfaces, again;
    std::vector<uint32_t> addresses, addressesAgain;
    ASSERT_TRUE(source->Read(interfaces, addresses));
    // The loopback address is always there.
    EXPECT_NE(std::find(addresses.begin(), addresses.end(), 0x0100007Fu), addresses.end());
    // A second read gives the same tables (the agent is initialised once).
    ASSERT_TRUE(source->Read(again, addressesAgain));
    EXPECT_EQ(std::make_pair(again.size(), addressesAgain), std::make_pair(interfaces.size(), addresses));

    // The clock of Windows 2000 and XP, which have no 64-bit tick count: whole
    // milliseconds that run on. (Wine counts them from its server's start.)
    const uint64_t fromBoot = ovix::UptimeFromKernelBootTime();
    ASSERT_GT(fromBoot, 0u);
    ::Sleep(1100);
    const uint64_t elapsed = ovix::UptimeFromKernelBootTime() - fromBoot;
    EXPECT_TRUE(elapsed >= 1000 && elapsed < 5000) << elapsed;
    // Balanced start and clean-up: the test's own sockets still work after many calls.
    for (int i = 0; i < 20; ++i) ovix::IpAddress();
    char host[256] = {};
    EXPECT_EQ(::gethostname(host, sizeof(host)), 0);
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
    ASSERT_TRUE(ie.SetString("6.0.2900.5512") && full.SetString("2.81.1117.0") && version.SetString("2.80.1022.0"));
    EXPECT_EQ(lines(), "IE: Version: 6.0 Build 2900.5512|ADO: Version: 2.81 Build 1117.0");
    // Without FullInstallVer, "Version"; a text longer than 100 bytes is not read.
    full.Remove();
    ASSERT_TRUE(ie.SetString("7." + std::string(150, '1')));
    EXPECT_EQ(lines(), "IE: Version: 0.0 Build 0.0|ADO: Version: 2.80 Build 1022.0");
    // 99 bytes with no terminating zero: read whole, never past their end.
    ASSERT_TRUE(ie.SetRaw(REG_SZ, ("8.1.2.3" + std::string(92, 'x')).data(), 99));
    version.Remove();
    EXPECT_EQ(lines(), "IE: Version: 8.1 Build 2.3|ADO: Version: 0.0 Build 0.0");
}

TEST_F(SystemInfo, LoadsOnceWithEachAdaptersSpeedThenRefreshesOnlyMemoryAndClocks) {
    SystemInfoCollector real;
    real.Load();
    // After loopback, the first adapter's interface: the speed is paired by index.
    std::vector<InterfaceRecord> interfaces = {{1, 24, 10000000, ""}};
    if (real.AdapterCount()) interfaces.push_back({real.Adapters()[0].index, 6, 100000000, "\x00\x01"});
    int reads = 0;
    SystemInfoCollector collector(std::make_unique<FakeInterfaces>(interfaces, &reads),
                                  [] { return g_fakeUptimeMs; },
                                  [] { return ovix::sysinfo::LocalTime{2006, 3, 15, 12, 0, 0}; });
    collector.Refresh();  // the first loads everything
    ASSERT_EQ(collector.AdapterCount(), real.AdapterCount());
    if (real.AdapterCount()) {
        EXPECT_EQ(collector.Adapters()[0].speedBitsPerSecond, 100000000u);
    }
    EXPECT_EQ(collector.IpAddresses(), std::vector<uint32_t>{0x0100007Fu});
    const long libraries = ovix::LoadedLibrary::LiveCount();
    for (int i = 0; i < 1000; ++i) collector.Refresh();  // the memory timer's ticks: the memory alone
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(ovix::LoadedLibrary::LiveCount(), libraries);
    const int load = ovix::MemoryLoadPercent(collector);
    EXPECT_TRUE(load > 0 && load <= 100) << load;
    // The uptime and the boot time from the same 64-bit count of milliseconds.
    g_fakeUptimeMs = 45999;
    EXPECT_EQ(ovix::UptimeStatusText(collector), " Uptime: 45 seconds");
    g_fakeUptimeMs = 999;  // 0 s keeps the previous line
    EXPECT_EQ(collector.Uptime(), "Uptime: 45 seconds");
    g_fakeUptimeMs = 4294967296ull + 61000;  // past 2^32 ms it goes on
    EXPECT_EQ(collector.Uptime(), "Uptime: 49 days 17 hours 3 min 48 sec");
    EXPECT_EQ(collector.BootTime(), "Boot Time: 01/24/2006 @ 18:56:12");
}

// The second process's "key=value" lines, run with a Windows version and a disabled DLL of its own (WINEDLLOVERRIDES in
// a child's environment block is not read by Wine).
std::map<std::string, std::string> RunChild(const char* version, const char* disabledDll) {
    const std::string folder = ovix::ApplicationDirectory(fw::ModulePath());
    const std::string child = folder + "\\system_info_child.exe", output = folder + "\\system_info_child.txt";
    const std::string settings = "Software\\Wine\\AppDefaults\\system_info_child.exe";
    SavedRegistryValue setting(HKEY_CURRENT_USER, settings, "Version");
    SavedRegistryValue disabled(HKEY_CURRENT_USER, settings + "\\DllOverrides", disabledDll ? disabledDll : "inetmib1");
    EXPECT_TRUE(setting.SetOrRemove(version) && disabled.SetOrRemove(disabledDll ? "" : nullptr));
    ::DeleteFileA(output.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + child + "\" \"" + output + "\"";
    std::map<std::string, std::string> values;
    if (!::CreateProcessA(child.c_str(), command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "cannot start " << child << ": " << ::GetLastError();
        return values;
    }
    fw::UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    if (::WaitForSingleObject(processHandle.Get(), 60000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    std::ifstream file(output, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    file.close();
    ::DeleteFileA(output.c_str());
    EXPECT_EQ(values["end"], "yes") << "the child did not end well";
    return values;
}

TEST(SystemInfoVersions, CodesFactLinesAndTheSnmpAgentPerWindowsVersion) {
    SavedRegistryValue country(HKEY_CURRENT_USER, "Control Panel\\International", "sCountry");
    SavedRegistryValue language(HKEY_CURRENT_USER, "Control Panel\\International", "sLanguage");
    ASSERT_TRUE(country.SetString("Ovixland") && language.SetString("OVX"));
    SystemInfoCollector own;
    own.Load();
    std::string zeros;  // one "0" per adapter, in list order
    for (size_t i = 0; i < own.AdapterCount(); ++i) zeros += i ? ",0" : "0";
    const struct {
        const char *setting, *code, *versionLine, *modelLine, *disabledDll;
    } cases[] = {
        {"winxp", "104", "Version: 5.1 Build: 2600", "Model: Windows XP Professional Edition Service Pack 3", nullptr},
        {"win2k", "103", "Version: 5.0 Build: 2195", "Model: Windows 2000 Professional Service Pack 4", nullptr},
        {"win2003", "105", "Version: 5.2 Build: 3790", "Model: Windows 2003  Server Service Pack 2", nullptr},
        {"win98", "6", "Version: 4.10 Build: 2222", "Model: Windows 98 A ", nullptr},
        {"nt40", "102", "Version: 4.0 Build: 1381", "Model: Windows NT 4.0 Workstation Service Pack 6a", nullptr},
        // Wine's "win7" is a server (product type 3); the prefix's default is the workstation.
        {"win7", "0", "Version: 6.1 Build: 7601", "Model: Windows Server 2008 R2 Service Pack 1", "inetmib1"},
        {nullptr, "0", "Version: 6.1 Build: 7601", "Model: Windows 7 Service Pack 1", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "default");
        auto values = RunChild(c.setting, c.disabledDll);
        EXPECT_EQ(values["code"], c.code);
        EXPECT_EQ(values["version"], c.versionLine);
        EXPECT_EQ(values["model"], c.modelLine);
        // Server 2003 alone shows the language without the country.
        EXPECT_EQ(values["language"], std::string(c.code) == "105" ? "Language: OVX" : "Country: Ovixland [OVX]");
        if (c.disabledDll) {  // without the SNMP agent: no tables, and each adapter's speed is 0
            EXPECT_EQ(values["interfaces"] + " " + values["addresses"], "0 0");
            EXPECT_EQ(values["adapters"] + ":" + values["speed"], std::to_string(own.AdapterCount()) + ":" + zeros);
        } else if (!c.setting) {  // with the agent there, the stack's tables
            EXPECT_NE(values["interfaces"], "0");
            EXPECT_NE(values["addresses"], "0");
        }
    }
}

}  // namespace
