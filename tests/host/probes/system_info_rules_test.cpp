#include "probes/system_info_rules.h"
#include "probes/version_code.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace ovix::sysinfo;

// A version record; product 0 stands for an extended record that was not read.
OsVersionFacts Os(unsigned platform, unsigned major, unsigned minor, unsigned build, const char* csd,
                  unsigned product = 0, uint32_t suites = 0) {
    return {platform, major, minor, build, csd, product != 0, suites, product};
}
OsVersionFacts Nt(unsigned major, unsigned minor, unsigned build, const char* csd, unsigned product = 0,
                  uint32_t suites = 0) { return Os(2, major, minor, build, csd, product, suites); }

TEST(OsNaming, EveryRuleOfTheTable) {
    constexpr unsigned kWork = kProductWorkstation, kServer = kProductServer, kDc = kProductDomainController;
    const struct { OsVersionFacts facts; const char* name; unsigned servicePack; int code; } cases[] = {
        // The 95 family: the letter is appended as it stands, no service pack number.
        {Os(1, 4, 0, 0x04000000u | 950, ""), "Windows 95", 0, 1},
        {Os(1, 4, 10, 0x040A0000u | 2222, " A"), "Windows 98 A", 0, 6},
        {Os(1, 4, 90, 3000, " "), "Windows ME ", 0, 7}, {Os(1, 4, 50, 3000, " C"), " C", 0, 0},
        // NT 4.0: edition words only from the sixth service pack on (extended record).
        {Nt(4, 0, 1381, "Service Pack 6a", kServer), "Windows NT 4.0 Server Service Pack 6a", 6, 102},
        {Nt(4, 0, 1381, "Service Pack 6", kDc), "Windows NT 4.0 Server Domain Controller Service Pack 6", 6, 102},
        {Nt(4, 0, 1381, "Service Pack 5", kWork), "Windows NT 4.0 Service Pack 5", 5, 102},
        // 2000 with its suites, in their fixed order.
        {Nt(5, 0, 2195, "Service Pack 4", kWork), "Windows 2000 Professional Service Pack 4", 4, 103},
        {Nt(5, 0, 2195, "", kServer, kSuiteBackOffice | kSuiteTerminal | kSuiteDataCenter | kSuiteEnterprise),
         "Windows 2000 Advanced DataCenter Terminal BackOffice Server", 0, 103},
        {Nt(5, 0, 2195, "Service Pack 3", kDc, kSuiteEnterprise),
         "Windows 2000 Advanced Server Domain Controller Service Pack 3", 3, 103},
        {Nt(5, 1, 2600, "Service Pack 3", kWork, kSuitePersonal | 0x100), "Windows XP Home Edition Service Pack 3", 3,
         104},
        // Without the extended record the base name stands alone; "0" is no service pack.
        {Nt(5, 1, 2600, "Service Pack 2"), "Windows XP Service Pack 2", 2, 104},
        {Nt(5, 1, 2600, "Service Pack 0", kWork), "Windows XP Professional Edition", 0, 104},
        // Server 2003: no base name, only the edition words.
        {Nt(5, 2, 3790, "Service Pack 2", kServer), " Server Service Pack 2", 2, 105},
        {Nt(5, 2, 3790, "Service Pack 1", kWork), " Service Pack 1", 1, 105}, {Nt(5, 3, 0, ""), "", 0, 0},
        // Later versions from their table, at the builds that part them; 0 as their code.
        {Nt(6, 1, 7601, "Service Pack 1"), "Windows 7 Service Pack 1", 1, 0},
        {Nt(6, 1, 7601, "Service Pack 1", kDc), "Windows Server 2008 R2 Service Pack 1", 1, 0},
        {Nt(10, 0, 21999, "", kWork), "Windows 10", 0, 0}, {Nt(10, 0, 22000, "", kWork), "Windows 11", 0, 0},
        // Anything else by its number; an unknown platform has no name.
        {Nt(3, 51, 1057, ""), "Windows NT 3.51", 0, 101},
        {Nt(11, 0, 30000, "Service Pack 1"), "Windows NT 11.0 Service Pack 1", 1, 0},
        {Os(3, 5, 1, 2600, "Service Pack 2"), "", 0, 201},
        {OsVersionFacts{}, "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const OsName name = BuildOsName(c.facts);
        EXPECT_EQ(name.name, c.name);
        EXPECT_EQ(name.servicePack, c.servicePack);
        EXPECT_EQ(ovix::WindowsVersionCode(c.facts.platformId, c.facts.major, c.facts.minor, c.facts.build), c.code);
    }
}

TEST(UptimeAndBootTime, EachBranchAtItsBoundaryAndTheCalendar) {
    // At 0 there is nothing to say: the last line stays. 2^32 ms (49.7 days) and on: a 64-bit count goes on.
    const struct { uint64_t seconds; const char* line; } cases[] = {{0, "previous"}, {1, "Uptime: 1 seconds"},
        {59, "Uptime: 59 seconds"}, {60, "Uptime: 1 minutes 0 second"}, {3599, "Uptime: 59 minutes 59 seconds"},
        {3600, "Uptime: 1 hour 0 min 0 sec"}, {7199, "Uptime: 1 hour 59 min 59 sec"},
        {7200, "Uptime: 2 hours 0 min 0 sec"}, {86399, "Uptime: 23 hours 59 min 59 sec"},
        {86400, "Uptime: 1 days 0 hours 0 min 0 sec"}, {90061, "Uptime: 1 days 1 hour 1 min 1 sec"},
        {4294967 + 60, "Uptime: 49 days 17 hours 3 min 47 sec"}};
    for (const auto& c : cases) EXPECT_EQ(UptimeLine(SplitUptime(c.seconds), "previous"), c.line) << c.seconds;
    // Absurd counts stay within the days field.
    EXPECT_EQ(SplitUptime(UINT64_MAX).days, INT32_MAX);

    // Boot time: months of 30 and 31 days, a year end, leap years; more than the calendar holds gives its start.
    const struct { LocalTime now; uint64_t seconds; const char* line; } boots[] = {
        {{2006, 3, 15, 13, 30, 14}, 45, "Boot Time: 03/15/2006 @ 13:29:29"},
        {{2006, 5, 1, 0, 0, 10}, 20, "Boot Time: 04/30/2006 @ 23:59:50"},
        {{2006, 4, 1, 1, 0, 0}, 7200, "Boot Time: 03/31/2006 @ 23:00:00"},
        {{2007, 1, 1, 0, 0, 0}, 1, "Boot Time: 12/31/2006 @ 23:59:59"},
        {{2008, 3, 1, 6, 0, 0}, 25200, "Boot Time: 02/29/2008 @ 23:00:00"},
        {{2007, 3, 1, 6, 0, 0}, 25200, "Boot Time: 02/28/2007 @ 23:00:00"},
        {{2000, 3, 1, 0, 0, 0}, 1, "Boot Time: 02/29/2000 @ 23:59:59"},
        {{1900, 3, 1, 0, 0, 0}, 1, "Boot Time: 02/28/1900 @ 23:59:59"},
        {{2006, 3, 15, 12, 0, 0}, UINT64_MAX, "Boot Time: 01/01/01 @ 00:00:00"}};
    for (const auto& c : boots) EXPECT_EQ(BootTimeLine(SecondsBefore(c.now, c.seconds)), c.line) << c.seconds;
}

TEST(FactLines, VersionsMemoryAndAddresses) {
    EXPECT_EQ(ServicePackNumber("Service Pack 3, v.3311"), 1u);  // "3" and "1": 1 is tried first
    // The 95 family keeps its version in the build's high word.
    EXPECT_EQ(OsVersionFactLine(4, 10, 67766446), "Version: 4.10 Build: 2222");
    EXPECT_EQ(DataAccessVersionLine(ParseVersionQuad("2.81.1117.0 extra")), "ADO: Version: 2.81 Build 1117.0");
    // What does not parse stays 0.
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("8.0")), "IE: Version: 8.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("7.x.1.2")), "IE: Version: 7.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad(" 7. 1.-2.3")), "IE: Version: 7.1 Build -2.3");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("99999999999.1.2.3")), "IE: Version: 2147483647.1 Build 2.3");
    // Bytes are divided to whole megabytes before they are printed.
    EXPECT_EQ(TotalMemoryLine(16ull << 30), "Total physical: 16384 MB");  // past 32 bits of bytes
    EXPECT_EQ(SwapSpaceLine((3ull << 20) - 1), "Total swap space: 2 MB");
    EXPECT_EQ(SwapSpaceLine(UINT64_MAX), "Total swap space: 2147483647 MB");
}

std::vector<AdapterRecord> Adapters(size_t count) {
    std::vector<AdapterRecord> adapters;
    for (size_t i = 0; i < count; ++i) {
        adapters.push_back({"{ADAPTER-" + std::to_string(i) + "}", "Card " + std::to_string(i),
                            static_cast<uint32_t>(i + 2), {}, 0});
    }
    return adapters;
}

TEST(NetworkAdapters, SpeedsMatchedByIndexAndTheLinesOfOneToFiveOrThree) {
    // The stack lists loopback first (index 1, type 24); the IP helper leaves it out.
    const std::vector<InterfaceRecord> interfaces = {
        {1, 24, 10000000, ""}, {3, 6, 1000000000, "\x00\x11\x22"}, {2, 6, 100000000, "\x00\x11\x23"}};
    std::vector<AdapterRecord> adapters = Adapters(3);  // indexes 2, 3, 4
    adapters[2].speedBitsPerSecond = 12345;            // replaced, not kept
    AssignInterfaceSpeeds(adapters, interfaces);
    EXPECT_EQ(adapters[0].speedBitsPerSecond, 100000000u);
    EXPECT_EQ(adapters[1].speedBitsPerSecond, 1000000000u);
    EXPECT_EQ(adapters[2].speedBitsPerSecond, 0u);  // no interface with index 4
    AssignInterfaceSpeeds(adapters, {});            // no table at all (the agent is missing)
    EXPECT_EQ(adapters[1].speedBitsPerSecond, 0u);

    // The report lists one to five adapters, the tree one to three.
    std::vector<AdapterRecord> three = Adapters(3);
    three[0].speedBitsPerSecond = 100000000;
    three[2].speedBitsPerSecond = 1000000000;
    three[1].description = "100% \"odd\" %s %n card";  // copied whole, never a format
    EXPECT_EQ(NetworkAdapterLines(three),
              "- Name: {ADAPTER-0}\r\n- Speed: 11.92 MB\r\n- Description: Card 0\r\n"
              "- Name: {ADAPTER-1}\r\n- Speed: 0.00 MB\r\n- Description: 100% \"odd\" %s %n card\r\n"
              "- Name: {ADAPTER-2}\r\n- Speed: 119.21 MB\r\n- Description: Card 2\r\n"
              "Number of active network adapter(s): 3\r\n\r\n");
    const ActiveAdapterGroup group = ActiveAdapterLines(three);
    EXPECT_EQ(group.section, "Active: 3");
    EXPECT_EQ(group.items, (std::vector<std::string>{"Name: Card 0", "Description: {ADAPTER-0}",
        "Speed: 12207 KB/s -> 11.92 MB/s", "Name: 100% \"odd\" %s %n card", "Description: {ADAPTER-1}",
        "Speed: 0 KB/s -> 0.00 MB/s", "Name: Card 2", "Description: {ADAPTER-2}",
        "Speed: 122070 KB/s -> 119.21 MB/s"}));
    EXPECT_EQ(NetworkAdapterLines({}), "Number of active network adapter(s): 0\r\n\r\n");
    EXPECT_NE(NetworkAdapterLines(Adapters(5)).find("- Name: {ADAPTER-4}\r\n"), std::string::npos);
    EXPECT_EQ(NetworkAdapterLines(Adapters(6)), "Number of active network adapter(s): 6\r\n\r\n");
    for (size_t count : {0, 4}) {  // the tree lists no adapter outside one to three
        const ActiveAdapterGroup lines = ActiveAdapterLines(Adapters(count));
        EXPECT_EQ(lines.section + " " + std::to_string(lines.items.size()), "Active: " + std::to_string(count) + " 0");
    }
}

}  // namespace
