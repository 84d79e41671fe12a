#include "probes/system_info_rules.h"
#include "probes/version_code.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace ovix::sysinfo;

constexpr unsigned k9x = 1;
constexpr unsigned kNt = 2;

OsVersionFacts Nt(unsigned major, unsigned minor, unsigned build, const char* csd, unsigned product = 0,
                  uint32_t suites = 0) {
    OsVersionFacts facts;
    facts.platformId = kNt;
    facts.major = major;
    facts.minor = minor;
    facts.build = build;
    facts.servicePackText = csd;
    facts.extended = product != 0;
    facts.productType = product;
    facts.suiteMask = suites;
    return facts;
}

OsVersionFacts NineX(unsigned minor, unsigned build, const char* csd) {
    OsVersionFacts facts;
    facts.platformId = k9x;
    facts.major = 4;
    facts.minor = minor;
    facts.build = build;
    facts.servicePackText = csd;
    return facts;
}

struct NamingCase {
    OsVersionFacts facts;
    const char* name;
    unsigned servicePack;
    int code;
};

TEST(OsNaming, EveryRuleOfTheTable) {
    const NamingCase cases[] = {
        // The 95 family: the letter is appended as it stands, no service pack number.
        {NineX(0, 0x04000000u | 950, ""), "Windows 95", 0, 1},
        {NineX(0, 0x04000000u | 1111, " B"), "Windows 95 B", 0, 3},
        {NineX(10, 0x040A0000u | 2222, " A"), "Windows 98 A", 0, 6},
        {NineX(10, 1998, ""), "Windows 98", 0, 4},
        {NineX(90, 3000, " "), "Windows ME ", 0, 7},
        {NineX(50, 3000, " C"), " C", 0, 0},
        // NT 4.0: edition words only from the sixth service pack on (extended record).
        {Nt(4, 0, 1381, "Service Pack 6", kProductWorkstation), "Windows NT 4.0 Workstation Service Pack 6", 6, 102},
        {Nt(4, 0, 1381, "Service Pack 6a", kProductServer), "Windows NT 4.0 Server Service Pack 6a", 6, 102},
        {Nt(4, 0, 1381, "Service Pack 6", kProductDomainController),
         "Windows NT 4.0 Server Domain Controller Service Pack 6", 6, 102},
        {Nt(4, 0, 1381, "Service Pack 5", kProductWorkstation), "Windows NT 4.0 Service Pack 5", 5, 102},
        {Nt(4, 0, 1381, ""), "Windows NT 4.0", 0, 102},
        // 2000 with its suites, in their fixed order.
        {Nt(5, 0, 2195, "Service Pack 4", kProductWorkstation), "Windows 2000 Professional Service Pack 4", 4, 103},
        {Nt(5, 0, 2195, "", kProductServer, kSuiteEnterprise), "Windows 2000 Advanced Server", 0, 103},
        {Nt(5, 0, 2195, "", kProductServer, kSuiteBackOffice | kSuiteTerminal | kSuiteDataCenter | kSuiteEnterprise),
         "Windows 2000 Advanced DataCenter Terminal BackOffice Server", 0, 103},
        {Nt(5, 0, 2195, "Service Pack 3", kProductDomainController, kSuiteEnterprise),
         "Windows 2000 Advanced Server Domain Controller Service Pack 3", 3, 103},
        // XP Home and Professional.
        {Nt(5, 1, 2600, "Service Pack 2", kProductWorkstation, 0x100),
         "Windows XP Professional Edition Service Pack 2", 2, 104},
        {Nt(5, 1, 2600, "Service Pack 3", kProductWorkstation, kSuitePersonal | 0x100),
         "Windows XP Home Edition Service Pack 3", 3, 104},
        {Nt(5, 1, 2600, "", kProductWorkstation), "Windows XP Professional Edition", 0, 104},
        // Server 2003: no base name, only the edition words.
        {Nt(5, 2, 3790, "Service Pack 2", kProductServer), " Server Service Pack 2", 2, 105},
        {Nt(5, 2, 3790, "", kProductServer, kSuiteEnterprise), " Advanced Server", 0, 105},
        {Nt(5, 2, 3790, "Service Pack 1", kProductWorkstation), " Service Pack 1", 1, 105},
        {Nt(5, 3, 0, ""), "", 0, 0},
        // Later versions from the table; 0 as their code.
        {Nt(6, 0, 6002, "Service Pack 2", kProductWorkstation), "Windows Vista Service Pack 2", 2, 0},
        {Nt(6, 0, 6002, "Service Pack 2", kProductServer), "Windows Server 2008 Service Pack 2", 2, 0},
        {Nt(6, 1, 7601, "Service Pack 1"), "Windows 7 Service Pack 1", 1, 0},
        {Nt(6, 1, 7601, "Service Pack 1", kProductWorkstation), "Windows 7 Service Pack 1", 1, 0},
        {Nt(6, 1, 7601, "Service Pack 1", kProductDomainController), "Windows Server 2008 R2 Service Pack 1", 1, 0},
        {Nt(6, 2, 9200, "", kProductWorkstation), "Windows 8", 0, 0},
        {Nt(6, 2, 9200, "", kProductServer), "Windows Server 2012", 0, 0},
        {Nt(6, 3, 9600, "", kProductWorkstation), "Windows 8.1", 0, 0},
        {Nt(6, 3, 9600, "", kProductServer), "Windows Server 2012 R2", 0, 0},
        {Nt(10, 0, 19045, "", kProductWorkstation), "Windows 10", 0, 0},
        {Nt(10, 0, 21999, "", kProductWorkstation), "Windows 10", 0, 0},
        {Nt(10, 0, 22000, "", kProductWorkstation), "Windows 11", 0, 0},
        {Nt(10, 0, 26100, "", kProductWorkstation), "Windows 11", 0, 0},
        {Nt(10, 0, 14393, "", kProductServer), "Windows Server 2016", 0, 0},
        {Nt(10, 0, 17762, "", kProductServer), "Windows Server 2016", 0, 0},
        {Nt(10, 0, 17763, "", kProductServer), "Windows Server 2019", 0, 0},
        {Nt(10, 0, 20348, "", kProductDomainController), "Windows Server 2022", 0, 0},
        {Nt(10, 0, 26099, "", kProductServer), "Windows Server 2022", 0, 0},
        {Nt(10, 0, 26100, "", kProductServer), "Windows Server 2025", 0, 0},
        // Anything else by its number.
        {Nt(3, 51, 1057, ""), "Windows NT 3.51", 0, 101},
        {Nt(6, 4, 9841, "", kProductWorkstation), "Windows NT 6.4", 0, 0},
        {Nt(10, 1, 30000, ""), "Windows NT 10.1", 0, 0},
        {Nt(11, 0, 30000, "Service Pack 1"), "Windows NT 11.0 Service Pack 1", 1, 0},
    };
    for (const NamingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OsName name = BuildOsName(c.facts);
        EXPECT_EQ(name.name, c.name);
        EXPECT_EQ(name.servicePack, c.servicePack);
        EXPECT_EQ(ovix::WindowsVersionCode(c.facts.platformId, c.facts.major, c.facts.minor, c.facts.build), c.code);
    }
}

TEST(OsNaming, ServicePackIsTheFirstDigitTriedFromOne) {
    EXPECT_EQ(ServicePackNumber("Service Pack 1"), 1u);
    EXPECT_EQ(ServicePackNumber("Service Pack 3, v.3311"), 1u);  // "3" and "1": 1 is tried first
    EXPECT_EQ(ServicePackNumber("Build 31"), 1u);
    EXPECT_EQ(ServicePackNumber("Service Pack 9"), 9u);
    EXPECT_EQ(ServicePackNumber("Service Pack 0"), 0u);
    EXPECT_EQ(ServicePackNumber(""), 0u);
    EXPECT_EQ(ServicePackNumber("Service Pack"), 0u);
    // A text with only "0" is no service pack: nothing is appended.
    EXPECT_EQ(BuildOsName(Nt(5, 1, 2600, "Service Pack 0", kProductWorkstation)).name,
              "Windows XP Professional Edition");
}

TEST(OsNaming, EditionWordsNeedTheExtendedRecord) {
    // Without it (the read failed) the base name stands alone.
    EXPECT_EQ(BuildOsName(Nt(5, 1, 2600, "Service Pack 2")).name, "Windows XP Service Pack 2");
    EXPECT_TRUE(NeedsExtendedRecord(5, 0));
    EXPECT_TRUE(NeedsExtendedRecord(4, 6));
    EXPECT_FALSE(NeedsExtendedRecord(4, 5));
    EXPECT_FALSE(NeedsExtendedRecord(3, 0));
}

TEST(OsNaming, UnknownPlatformGivesNoName) {
    OsVersionFacts ce = Nt(5, 1, 2600, "Service Pack 2");
    ce.platformId = 3;
    EXPECT_EQ(BuildOsName(ce).name, "");
    EXPECT_EQ(BuildOsName(OsVersionFacts{}).name, "");
}

TEST(OsVersionFact, BuildIsItsLowSixteenBits) {
    EXPECT_EQ(OsVersionFactLine(4, 10, 67766446), "Version: 4.10 Build: 2222");
    EXPECT_EQ(OsVersionFactLine(5, 1, 2600), "Version: 5.1 Build: 2600");
    EXPECT_EQ(OsVersionFactLine(10, 0, 22631), "Version: 10.0 Build: 22631");
    EXPECT_EQ(OsVersionFactLine(0, 0, 0), "Version: 0.0 Build: 0");
}

std::string Uptime(uint64_t seconds, const std::string& previous = "previous") {
    return UptimeLine(SplitUptime(seconds), previous);
}

TEST(UptimeText, EachBranchAtItsBoundary) {
    EXPECT_EQ(Uptime(0), "previous");
    EXPECT_EQ(Uptime(0, ""), "");
    EXPECT_EQ(Uptime(1), "Uptime: 1 seconds");
    EXPECT_EQ(Uptime(45), "Uptime: 45 seconds");
    EXPECT_EQ(Uptime(59), "Uptime: 59 seconds");
    EXPECT_EQ(Uptime(60), "Uptime: 1 minutes 0 second");
    EXPECT_EQ(Uptime(61), "Uptime: 1 minutes 1 seconds");
    EXPECT_EQ(Uptime(120), "Uptime: 2 minutes 0 second");
    EXPECT_EQ(Uptime(3599), "Uptime: 59 minutes 59 seconds");
    EXPECT_EQ(Uptime(3600), "Uptime: 1 hour 0 min 0 sec");
    EXPECT_EQ(Uptime(7199), "Uptime: 1 hour 59 min 59 sec");
    EXPECT_EQ(Uptime(7200), "Uptime: 2 hours 0 min 0 sec");
    EXPECT_EQ(Uptime(86399), "Uptime: 23 hours 59 min 59 sec");
    EXPECT_EQ(Uptime(86400), "Uptime: 1 days 0 hours 0 min 0 sec");
    EXPECT_EQ(Uptime(90061), "Uptime: 1 days 1 hour 1 min 1 sec");
    EXPECT_EQ(Uptime(2 * 86400 + 2 * 3600 + 3 * 60 + 4), "Uptime: 2 days 2 hours 3 min 4 sec");
    EXPECT_EQ(Uptime(400ull * 86400 + 3600), "Uptime: 400 days 1 hour 0 min 0 sec");
}

TEST(UptimeText, NoRestartAfterTheThirtyTwoBitTickCount) {
    // 2^32 ms is 49.7 days: a 64-bit count goes on past it.
    const uint64_t wrapSeconds = 4294967296ull / 1000;  // 4294967 s = 49 d 17:02:47
    EXPECT_EQ(Uptime(wrapSeconds), "Uptime: 49 days 17 hours 2 min 47 sec");
    EXPECT_EQ(Uptime(wrapSeconds + 60), "Uptime: 49 days 17 hours 3 min 47 sec");
    const UptimeParts parts = SplitUptime(wrapSeconds + 1);
    EXPECT_EQ(parts.days, 49);
    EXPECT_EQ(parts.hours, 17);
    EXPECT_EQ(parts.minutes, 2);
    EXPECT_EQ(parts.seconds, 48);
    // Absurd counts stay within the days field.
    EXPECT_EQ(SplitUptime(UINT64_MAX).days, INT32_MAX);
}

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    return LocalTime{year, month, day, hour, minute, second};
}

TEST(BootTime, CalendarArithmetic) {
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 3, 15, 13, 30, 14), 0)), "Boot Time: 03/15/2006 @ 13:30:14");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 3, 15, 13, 30, 14), 45)), "Boot Time: 03/15/2006 @ 13:29:29");
    // Across a month end of 30 and one of 31 days.
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 5, 1, 0, 0, 10), 20)), "Boot Time: 04/30/2006 @ 23:59:50");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 4, 1, 1, 0, 0), 2 * 3600)), "Boot Time: 03/31/2006 @ 23:00:00");
    // Across a year end.
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2007, 1, 1, 0, 0, 0), 1)), "Boot Time: 12/31/2006 @ 23:59:59");
    // 29 February of a leap year, and its absence otherwise.
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2008, 3, 1, 6, 0, 0), 7 * 3600)), "Boot Time: 02/29/2008 @ 23:00:00");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2007, 3, 1, 6, 0, 0), 7 * 3600)), "Boot Time: 02/28/2007 @ 23:00:00");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2000, 3, 1, 0, 0, 0), 1)), "Boot Time: 02/29/2000 @ 23:59:59");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(1900, 3, 1, 0, 0, 0), 1)), "Boot Time: 02/28/1900 @ 23:59:59");
    // 90,061 s and more than 49.7 days back.
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 3, 2, 1, 1, 1), 90061)), "Boot Time: 03/01/2006 @ 00:00:00");
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 3, 15, 12, 0, 0), 4294967 + 60)),
              "Boot Time: 01/24/2006 @ 18:56:13");
    // A count larger than the calendar stops at its start instead of overflowing.
    EXPECT_EQ(BootTimeLine(SecondsBefore(At(2006, 3, 15, 12, 0, 0), UINT64_MAX)), "Boot Time: 01/01/01 @ 00:00:00");
}

TEST(ComponentVersions, ParsedLikeFourNumbers) {
    const VersionQuad ie = ParseVersionQuad("6.0.2900.5512");
    EXPECT_EQ(BrowserVersionLine(ie), "IE: Version: 6.0 Build 2900.5512");
    EXPECT_EQ(DataAccessVersionLine(ParseVersionQuad("2.81.1117.0")), "ADO: Version: 2.81 Build 1117.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("9.11.19041.0 extra")), "IE: Version: 9.11 Build 19041.0");
    // What does not parse stays 0.
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("8.0")), "IE: Version: 8.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("")), "IE: Version: 0.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("abc")), "IE: Version: 0.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("7.x.1.2")), "IE: Version: 7.0 Build 0.0");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad(" 7. 1.-2.3")), "IE: Version: 7.1 Build -2.3");
    EXPECT_EQ(BrowserVersionLine(ParseVersionQuad("99999999999.1.2.3")), "IE: Version: 2147483647.1 Build 2.3");
    EXPECT_EQ(DataAccessVersionLine(VersionQuad{}), "ADO: Version: 0.0 Build 0.0");
}

TEST(FactLines, MemoryIsDividedToMegabytesFirst) {
    EXPECT_EQ(TotalMemoryLine(0), "Total physical: 0 MB");
    EXPECT_EQ(TotalMemoryLine(1048575), "Total physical: 0 MB");
    EXPECT_EQ(TotalMemoryLine(1048576), "Total physical: 1 MB");
    EXPECT_EQ(TotalMemoryLine(16ull << 30), "Total physical: 16384 MB");  // beyond 32 bits of bytes
    EXPECT_EQ(SwapSpaceLine(6ull << 30), "Total swap space: 6144 MB");
    EXPECT_EQ(SwapSpaceLine((3ull << 20) - 1), "Total swap space: 2 MB");
    EXPECT_EQ(SwapSpaceLine(UINT64_MAX), "Total swap space: 2147483647 MB");
}

TEST(FactLines, SmallProbesTexts) {
    EXPECT_EQ(AdminRightsLine(true), "Admin rights: yes");
    EXPECT_EQ(AdminRightsLine(false), "Admin rights: no");
    EXPECT_EQ(ProcessorCountLine(1), "1 CPU.");
    EXPECT_EQ(ProcessorCountLine(32), "32 CPU.");
    EXPECT_EQ(ColorDepthLine(32), "Color depth: 32 Bits ");
    EXPECT_EQ(RefreshFrequencyLine(60), "Refresh frequency: 60 Hz");
    EXPECT_STREQ(kDisplaySettingsError, "Error: can not enumerate display settings.");
    EXPECT_EQ(DottedAddress(0x0100007Fu), "127.0.0.1");
    EXPECT_EQ(DottedAddress(0xFFFFFFFFu), "255.255.255.255");
}

std::vector<AdapterRecord> Adapters(size_t count) {
    std::vector<AdapterRecord> adapters;
    for (size_t i = 0; i < count; ++i) {
        AdapterRecord adapter;
        adapter.name = "{ADAPTER-" + std::to_string(i) + "}";
        adapter.description = "Card " + std::to_string(i);
        adapter.index = static_cast<uint32_t>(i + 2);
        adapters.push_back(adapter);
    }
    return adapters;
}

TEST(InterfaceSpeeds, MatchedByIndexNotByPosition) {
    // The stack lists loopback first (index 1, type 24); the IP helper leaves it out.
    const std::vector<InterfaceRecord> interfaces = {
        {1, 24, 10000000, ""},
        {3, 6, 1000000000, "\x00\x11\x22\x33\x44\x55"},
        {2, 6, 100000000, "\x00\x11\x22\x33\x44\x56"},
    };
    std::vector<AdapterRecord> adapters = Adapters(3);  // indexes 2, 3, 4
    adapters[2].speedBitsPerSecond = 12345;            // replaced, not kept
    AssignInterfaceSpeeds(adapters, interfaces);
    EXPECT_EQ(adapters[0].speedBitsPerSecond, 100000000u);
    EXPECT_EQ(adapters[1].speedBitsPerSecond, 1000000000u);
    EXPECT_EQ(adapters[2].speedBitsPerSecond, 0u);  // no interface with index 4

    // No interface table at all (the agent is missing): every speed is 0.
    AssignInterfaceSpeeds(adapters, {});
    for (const AdapterRecord& adapter : adapters) EXPECT_EQ(adapter.speedBitsPerSecond, 0u);
}

TEST(InterfaceSpeeds, BitsPerSecondBecomeKilobytes) {
    EXPECT_EQ(SpeedKilobytesPerSecond(100000000), 12207u);  // 100 Mbit/s
    EXPECT_EQ(SpeedKilobytesPerSecond(10000000), 1220u);
    EXPECT_EQ(SpeedKilobytesPerSecond(1000000000), 122070u);
    EXPECT_EQ(SpeedKilobytesPerSecond(4294967295u), 524287u);
    EXPECT_EQ(SpeedKilobytesPerSecond(8191), 0u);
    EXPECT_EQ(SpeedKilobytesPerSecond(8192), 1u);
}

TEST(AdapterReportLines, GroupsForOneToFiveAdapters) {
    EXPECT_EQ(NetworkAdapterLines({}), "Number of active network adapter(s): 0\r\n\r\n");

    std::vector<AdapterRecord> three = Adapters(3);
    three[0].speedBitsPerSecond = 100000000;
    three[1].speedBitsPerSecond = 10000000;
    EXPECT_EQ(NetworkAdapterLines(three),
              "- Name: {ADAPTER-0}\r\n- Speed: 11.92 MB\r\n- Description: Card 0\r\n"
              "- Name: {ADAPTER-1}\r\n- Speed: 1.19 MB\r\n- Description: Card 1\r\n"
              "- Name: {ADAPTER-2}\r\n- Speed: 0.00 MB\r\n- Description: Card 2\r\n"
              "Number of active network adapter(s): 3\r\n\r\n");

    const std::string five = NetworkAdapterLines(Adapters(5));
    EXPECT_NE(five.find("- Name: {ADAPTER-4}\r\n"), std::string::npos);
    EXPECT_NE(five.find("Number of active network adapter(s): 5\r\n\r\n"), std::string::npos);
    EXPECT_EQ(NetworkAdapterLines(Adapters(6)), "Number of active network adapter(s): 6\r\n\r\n");
}

TEST(ActiveAdapterGroupLines, ItemsForOneToThreeAdapters) {
    const ActiveAdapterGroup none = ActiveAdapterLines({});
    EXPECT_EQ(none.section, "Active: 0");
    EXPECT_TRUE(none.items.empty());

    std::vector<AdapterRecord> three = Adapters(3);
    three[0].speedBitsPerSecond = 100000000;
    three[2].speedBitsPerSecond = 1000000000;
    const ActiveAdapterGroup group = ActiveAdapterLines(three);
    EXPECT_EQ(group.section, "Active: 3");
    const std::vector<std::string> expected = {
        "Name: Card 0", "Description: {ADAPTER-0}", "Speed: 12207 KB/s -> 11.92 MB/s",
        "Name: Card 1", "Description: {ADAPTER-1}", "Speed: 0 KB/s -> 0.00 MB/s",
        "Name: Card 2", "Description: {ADAPTER-2}", "Speed: 122070 KB/s -> 119.21 MB/s",
    };
    EXPECT_EQ(group.items, expected);

    for (size_t count : {4u, 6u}) {
        const ActiveAdapterGroup many = ActiveAdapterLines(Adapters(count));
        EXPECT_EQ(many.section, "Active: " + std::to_string(count));
        EXPECT_TRUE(many.items.empty());
    }
}

TEST(AdapterReportLines, TextsAreCopiedWhole) {
    std::vector<AdapterRecord> one = Adapters(1);
    one[0].name = "";
    one[0].description = "100% \"odd\" %s %n card";
    EXPECT_EQ(NetworkAdapterLines(one),
              "- Name: \r\n- Speed: 0.00 MB\r\n- Description: 100% \"odd\" %s %n card\r\n"
              "Number of active network adapter(s): 1\r\n\r\n");
    EXPECT_EQ(ActiveAdapterLines(one).items[0], "Name: 100% \"odd\" %s %n card");
}

}  // namespace
