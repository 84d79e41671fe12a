// The processor decoder over register dumps of real processors, one per path through detection.
#include "probes/cpu_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ovix::cpu;

struct Leaf {
    uint32_t function;
    CpuidRegs regs;
    uint32_t subleaf = 0;
};

// CPUID as a dump answers it: repeated answers of a function (CPUID 2) in turn; a function absent from
// the dump answers `unknown` (zeros, or on older Intel processors the data of another function).
struct Dump : CpuidSource {
    Dump(const char* vendor, uint32_t highestBasic, std::vector<Leaf> leaves, const std::string& brand = "") {
        uint32_t v[3], b[12] = {};
        std::memcpy(v, vendor, 12);
        std::memcpy(b, brand.data(), std::min<size_t>(brand.size(), 48));
        leaves.push_back({0, {highestBasic, v[0], v[2], v[1]}});  // EBX, EDX, ECX
        for (uint32_t i = 0; !brand.empty() && i < 3; ++i) {
            leaves.push_back({0x80000002u + i, {b[4 * i], b[4 * i + 1], b[4 * i + 2], b[4 * i + 3]}});
        }
        for (const Leaf& leaf : leaves) answers[{leaf.function, leaf.subleaf}].push_back(leaf.regs);
    }
    bool Supported() const override { return supported; }
    CpuidRegs Query(uint32_t function, uint32_t subleaf) const override {
        asked.insert(function);
        const auto found = answers.find({function, subleaf});
        if (found == answers.end()) return unknown;
        return found->second[std::min(next[{function, subleaf}]++, found->second.size() - 1)];
    }
    std::map<std::pair<uint32_t, uint32_t>, std::vector<CpuidRegs>> answers;
    mutable std::map<std::pair<uint32_t, uint32_t>, size_t> next;
    mutable std::set<uint32_t> asked;
    CpuidRegs unknown{};
    bool supported = true;
};

struct CountingClock : CpuClock {
    uint32_t tscMhz = 0, legacyMhz = 0, busMhz = 0, lastFamily = 0;
    int tscCalls = 0, legacyCalls = 0, busCalls = 0;
    uint32_t TscMhz() override { return ++tscCalls, tscMhz; }
    uint32_t LegacyMhz(uint32_t family) override { return ++legacyCalls, lastFamily = family, legacyMhz; }
    uint32_t BusMhz() override { return ++busCalls, busMhz; }
};

CpuInfo Detected(const Dump& source) {
    CountingClock clock;
    CpuInfo info;
    info.Detect(source, clock);
    return info;
}

// "L1/L2/L3" in KB, -1 where undetermined.
std::string Caches(const CpuInfo& i) {
    return std::to_string(i.l1CacheKb) + "/" + std::to_string(i.l2CacheKb) + "/" + std::to_string(i.l3CacheKb);
}

// The masks HasFeature answers true for, one bit at a time.
uint32_t Features(const CpuInfo& info) {
    uint32_t seen = 0;
    for (uint32_t mask = 1; mask <= 0x400000; mask <<= 1) seen |= info.HasFeature(mask) ? mask : 0;
    return seen;
}

CpuInfo Model(CpuVendor vendor, uint32_t family, uint32_t model, uint32_t extFamily = 0) {
    CpuInfo info;
    info.vendor = vendor, info.family = family, info.model = model, info.extFamily = extFamily, info.name = "as it was";
    return info;
}

constexpr char kIntel[13] = "GenuineIntel";
constexpr char kAmd[13] = "AuthenticAMD";
const Leaf kExtendedTo8{0x80000000u, {0x80000008u, 0, 0, 0}};

// Leaf 4 of an i7-2600, (ways + 1) x (partitions + 1) x (line + 1) x (sets + 1): L1 data and instructions
// 8 x 1 x 64 x 64 = 32 KB each, L2 8 x 1 x 64 x 512 = 256 KB, L3 16 x 1 x 64 x 8192 = 8 MB; then type 0.
const std::vector<Leaf> kSandyBridgeLeaf4 = {
    {4, {0x1C004121, 0x01C0003F, 0x3F, 0}, 0}, {4, {0x1C004122, 0x01C0003F, 0x3F, 0}, 1},
    {4, {0x1C004143, 0x01C0003F, 0x1FF, 0}, 2}, {4, {0x1C03C163, 0x03C0003F, 0x1FFF, 0}, 3}};

// Pentium III (Coppermine), serial number on; functions above its range answer with function 2's data.
Dump PentiumIII(uint32_t highestBasic = 3) {
    Dump cpu(kIntel, highestBasic, {{1, {0x683, 2, 0, 0x0387F9FF}}, {2, {0x03020101, 0, 0, 0x0C040882}},
                                    {3, {0, 0, 0x9ABCDEF0, 0x12345678}}});
    cpu.unknown = {0x03020101, 0, 0, 0x0C040882};
    return cpu;
}

// Athlon XP (Thoroughbred), family 6 model 8; CPUID 1 EDX bit 28 set.
Dump AthlonXp(uint32_t highestExtended = 0x80000008u, uint32_t extendedEdx = 0xC1C3FBFF) {
    return Dump(kAmd, 1,
                {{1, {0x681, 0, 0, 0x1383FBFF}}, {0x80000000u, {highestExtended, 0, 0, 0}},
                 {0x80000001u, {0x781, 0, 0, extendedEdx}},
                 {0x80000005u, {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140}},
                 {0x80000006u, {0, 0x41004100, 0x01008140, 0}}},
                "AMD Athlon(tm) XP 2400+");
}

TEST(CpuDetect, VendorAndSignature) {
    EXPECT_EQ(VendorOf("UMC UMC UMC"), CpuVendor::Other);  // exact bytes: the trailing blank counts
    // Type 2, extended family 0x12, extended model 0xA, family 0xF, model 0x3, stepping 0x7.
    const CpuInfo info = Detected(Dump("SomeNewMaker", 1, {{1, {0xF12A2F37, 0, 0, 0}}}));
    EXPECT_EQ((std::vector<uint32_t>{info.type, info.extFamily, info.extModel, info.family, info.model, info.stepping}),
              (std::vector<uint32_t>{2, 0x12, 0xA, 0xF, 3, 7}));
    EXPECT_EQ(info.vendorString + "|" + info.name, "SomeNewMaker|Unknown family");
}

// One record detects them all in turn, each time from the initial values.
TEST(CpuProcessors, OneDumpPerPathThroughDetection) {
    using namespace feature;
    constexpr uint32_t kBasic = kMmx | kSse | kSseFp | kCmov | kMtrr | kL1Cache | kL2Cache;
    constexpr uint32_t kNetBurst = kBasic | kSse2 | kHyperThreading | kApic | kAcpi | kThermalMonitor;
    std::vector<Leaf> sandyBridge = kSandyBridgeLeaf4;  // 0xFF after bytes the table lacks (0x5A, 0xB2, 0xF0, 0xCA)
    sandyBridge.insert(sandyBridge.end(), {{1, {0x206A7, 0x00100800, 0x1FBAE3FF, 0xBFEBFBFF}}, kExtendedTo8,
                                           {2, {0x76035A01, 0x00F0B2FF, 0, 0x00CA0000}},
                                           {0x80000006u, {0, 0, 0x01006040, 0}}});
    Dump noCpuid = PentiumIII();
    noCpuid.supported = false;
    const struct {
        Dump cpu;
        const char* summary;  // name|caches|serial number|logical processors/APIC id|clock/estimate/bus
        uint32_t features, notAsked;  // a function never asked (0x80000001: Intel has no extended features)
    } rows[] = {
        // Named by the table; L1 16 KB instructions + 16 KB data; 0x80000000 answers with function 2's data.
        {PentiumIII(),
         "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache |32/256/-1|0000-0683-1234-5678-9abc-def0|1/0|"
         "2800/0/133", kBasic | kSerialNumber, 0x80000002u},
        // Pentium 4: L1 data 8 KB by descriptors 0x66 0x70 (the trace cache is not added), L2 0x80000006's.
        {Dump(kIntel, 2, {{1, {0xF29, 0x01020800, 0x4400, 0xBFEBFBFF}}, {2, {0x665B5001, 0, 0, 0x007A7040}},
                          kExtendedTo8, {0x80000006u, {0, 0, 0x02008040, 0}}},
              "              Intel(R) Pentium(R) 4 CPU 2.80GHz"),
         "Intel(R) Pentium(R) 4 CPU 2.80GHz|8/512/-1||2/1|2800/0/133", kNetBurst, 0x80000001u},
        {Dump(kIntel, 0xD, sandyBridge, "        Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz"),
         "Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz|64/256/8192||16/0|2800/0/133", kNetBurst | kL3Cache, 0x80000001u},
        // The extended method is enough; MMX+ and SSE MMX from bit 22; not MP; Hyper-Threading is Intel's.
        {AthlonXp(), "AMD Athlon(tm) XP 2400+|128/256/-1||0/0|2800/0/133",
         kBasic | kMmxExt | k3DNow | k3DNowExt | kApic | kSseMmx, 2},
        {noCpuid, "|-1/-1/-1||0/0|0/0/0", 0, 0},
        // No time-stamp counter (a 486): the estimate, without trying the counter.
        {Dump(kIntel, 1, {{1, {0x435, 0, 0, 0x1}}}), "i80486DX2|-1/-1/-1||1/0|0/99/133", 0, 2},
        // MMX+ from bit 24 on Cyrix; no descriptors below function 2.
        {Dump("CyrixInstead", 1, {{1, {0x540, 0, 0, 0x00808131}}, {0x80000000u, {0x80000001u, 0, 0, 0}},
                                  {0x80000001u, {0, 0, 0, 0x81000000}}}),
         "MediaGX GXm|-1/-1/-1||0/0|2800/0/133", kMmx | kMmxExt | k3DNow | kCmov, 2},
        // A K5 is never asked the extended functions, though they would answer.
        {Dump(kAmd, 1, {{1, {0x511, 0, 0, 0x3BF}}, {0x80000000u, {0x80000005u, 0, 0, 0}}}, "Should not be read"),
         "5k86 (PR120, PR133)|-1/-1/-1||0/0|2800/0/133", kApic, 0x80000000u},
    };
    CountingClock clock;
    clock.tscMhz = 2800;
    clock.legacyMhz = 99;
    clock.busMhz = 133;
    CpuInfo info;
    for (const auto& row : rows) {
        info.Detect(row.cpu, clock);
        const auto n = [](uint32_t value) { return std::to_string(value); };
        EXPECT_EQ(info.name + "|" + Caches(info) + "|" + info.serialNumber + "|" + n(info.logicalProcessors) + "/" +
                      n(info.apicId) + "|" + n(info.clockMhz) + "/" + n(info.legacyClockMhz) + "/" + n(info.busMhz),
                  row.summary);
        EXPECT_EQ(Features(info), row.features) << row.summary;
        EXPECT_FALSE(row.cpu.asked.count(row.notAsked)) << row.summary;
    }
    clock.tscMhz = 0;  // a zero result leads to the estimate
    info.Detect(AthlonXp(), clock);
    EXPECT_EQ(std::pair(info.legacyClockMhz, clock.lastFamily), std::pair(99u, 6u));
    EXPECT_EQ(Detected(PentiumIII(2)).serialNumber, "");  // function 3 out of range: no serial number
    EXPECT_EQ(Detected(Dump(kIntel, 1, {{1, {0xF29, 0x07030000, 0, 1u << 28}}})).apicId, 0u);  // HT, no APIC
    EXPECT_FALSE(Detected(AthlonXp(0x80000008u, 0x01000000)).hasMmxExt);  // bit 24 is Cyrix's
    EXPECT_EQ(Detected(AthlonXp(0x00000006u)).name, "AMD Athlon(tm) XP 2400+");  // bit 31 masked off both sides
    // Without a brand string the table names it: MP-capable by 0x80000001, the highest function.
    EXPECT_EQ(Detected(AthlonXp(0x80000001u, 0xC1CBFBFF)).name, "Athlon\x99 MP (Thoroughbred core)");
    // Leading blanks and NULs go for Intel only: for AMD the same brand is blank up
    // to its NUL, which leaves the name to the table. 48 bytes without a NUL stay whole.
    const auto named = [](const char* vendor, uint32_t signature, const std::string& brand) {
        return Detected(Dump(vendor, 1, {{1, {signature, 0, 0, 0}}, kExtendedTo8}, brand)).name;
    };
    EXPECT_EQ(named(kIntel, 0xF29, std::string(" \0 Name", 8)), "Name");
    EXPECT_EQ(named(kAmd, 0x681, std::string(" \0 Name", 8)), "Athlon\x99 XP (Thoroughbred core)");
    EXPECT_EQ(named(kIntel, 0xF29, std::string(48, 'x')), std::string(48, 'x'));
}

// An Intel processor without the extended functions; leaf 4 is the i7-2600's.
TEST(CpuDescriptors, WalkLeaf4AndTheirResults) {
    const struct {
        const char* what;
        uint32_t highest;
        std::vector<CpuidRegs> leaf2;
        const char* caches;
    } rows[] = {
        {"instructions only", 2, {{0x00000601, 0, 0, 0}}, "8/-1/-1"},
        {"trace only; 0x40 no L2", 2, {{0x00007201, 0x40, 0, 0}}, "32/0/-1"},
        {"L3, 0x8D 3 MB", 2, {{0x00000001, 0x00008D44, 0, 0}}, "-1/1024/3072"},
        {"sizes only rise; 0x40 after an L2", 2, {{0x00404401, 0x41, 0, 0}}, "-1/1024/-1"},
        {"an L2 after 0x40", 2, {{0x00414001, 0, 0, 0}}, "-1/128/-1"},
        {"unknown 0x2A, no leaf 4", 3, {{0x00000001, 0x0C088244, 0x2A, 0x22}}, "-1/-1/-1"},
        {"unknown 0x2A, leaf 4", 4, {{0x00000001, 0x0C088244, 0x2A, 0x22}}, "64/256/8192"},
        {"ECX bit 31: no descriptors", 2, {{0x00000001, 0x43, 0x8000002A, 0x0C080000}}, "32/512/-1"},
        {"EAX bit 31: no descriptors", 2, {{0x802A2A01, 0x43, 0, 0}}, "-1/512/-1"},
        {"two calls", 2, {{0x00000C02, 0, 0, 0}, {0x00004402, 0, 0, 0}}, "16/1024/-1"},
        {"0xFF after a known byte", 4, {{0x00FF4401, 0, 0, 0}}, "64/256/8192"},
        {"0xFF in the second call", 4, {{0x00004402, 0, 0, 0}, {0x00000002, 0xFF, 0, 0}}, "64/256/8192"},
        {"0xFF without leaf 4 (a firmware limit)", 3, {{0x00FF4401, 0, 0, 0}}, "-1/-1/-1"},
    };
    for (const auto& row : rows) {
        std::vector<Leaf> leaves = kSandyBridgeLeaf4;
        for (const CpuidRegs& regs : row.leaf2) leaves.push_back({2, regs});
        const CpuInfo info = Detected(Dump(kIntel, row.highest, leaves));
        EXPECT_EQ(Caches(info), row.caches) << row.what;
        EXPECT_EQ(info.HasFeature(0x10000), info.l2CacheKb >= 0) << row.what;  // known, even when 0
    }
}

// By vendor, family and model (and, for Intel below family 15, a real range from 0x80000000): whether the
// extended functions may be asked, and the name from the table at the edges of each branch and its fallback.
TEST(CpuModelTables, ExtendedGuardAndName) {
    using V = CpuVendor;
    constexpr uint32_t k8 = 0x80000008u;
    const struct {
        CpuVendor vendor;
        uint32_t family, model;
        bool allowed;
        const char* name;
        uint32_t highest = 0x80000008u, extFamily = 0;
    } rows[] = {
        {V::AMD, 4, 15, false, "5x86WB"},           {V::AMD, 5, 5, false, "Unknown 80586 family"},
        {V::AMD, 5, 6, true, "K6 (0.30 \xB5m)"},    {V::AMD, 6, 9, true, "Unknown K7 family"},
        {V::AMD, 15, 4, true, "Unknown AMD family"}, {V::Cyrix, 4, 9, false, "5x86"},
        {V::Cyrix, 5, 3, false, "Unknown Cx6x86 family"}, {V::Cyrix, 5, 4, true, "MediaGX GXm"},
        {V::Cyrix, 6, 4, false, "Unknown 6x86MX\\Cyrix III family"}, {V::Cyrix, 6, 5, true, "Cyrix M2 Core"},
        {V::Cyrix, 7, 0, true, "Unknown Cyrix family"}, {V::Centaur, 5, 7, false, "Unknown IDT\\Centaur family"},
        {V::Centaur, 5, 8, true, "C2"},             {V::Transmeta, 4, 0, false, "Unknown Transmeta family"},
        {V::Transmeta, 5, 0, true, "Unknown Crusoe family"}, {V::Other, 4, 0, true, "Unknown family"},
        {V::NSC, 5, 4, true, "Cx486SLC \\ DLC \\ Cx486S A-Step"}, {V::UMC, 5, 1, true, "Unknown UMC family"},
        {V::NexGen, 5, 1, true, "Unknown NexGen family"}, {V::Rise, 6, 0, true, "Unknown Rise family"},
        {V::Intel, 3, 0, true, "Newer i80386 family"}, {V::Intel, 4, 10, true, "Unknown 80486 family"},
        {V::Intel, 5, 8, true, "P55C (0.25\xB5m)"},
        {V::Intel, 6, 12, false, "Unknown P6 family", 0x80000003u},
        {V::Intel, 7, 3, true, "Intel Merced (IA-64)", 0x80000004u},
        {V::Intel, 8, 0, true, "Unknown Intel family", 0x800000FFu},
        {V::Intel, 5, 9, false, "Unknown Pentium\xAE family", 0x80000100u},
        {V::Intel, 15, 1, true, "Pentium\xAE IV (0.18 \xB5m)", 0x80000001u},
        {V::Intel, 15, 3, true, "Unknown Pentium 4 family"}, {V::Intel, 15, 0, true, "Intel McKinley (IA-64)", k8, 1},
        {V::Intel, 15, 0, true, "as it was", k8, 2},
    };
    for (const auto& row : rows) {
        const CpuInfo info = Model(row.vendor, row.family, row.model, row.extFamily);
        EXPECT_EQ(ExtendedFunctionsAllowed(info, row.highest), row.allowed) << row.name << " " << row.highest;
        EXPECT_EQ(TableName(info), row.name) << static_cast<int>(row.vendor) << " " << row.family << "/" << row.model;
    }
}

TEST(CpuClock, Arithmetic) {
    EXPECT_EQ(TscClockMhz(120000000 + 5000, 5000), 2400u);
    EXPECT_EQ(TscClockMhz(0, UINT64_MAX), 0u);  // b not below a: 0, never a wrapped value
    EXPECT_EQ(LegacyClockMhz(5, 1000, 1000), 410u);   // 430e6 / 1 s / 2^20 = 410.08
    EXPECT_EQ(LegacyClockMhz(4, 500, 1000), 896u);    // 470e6 / 0.5 / 2^20 = 896.45
    EXPECT_EQ(LegacyClockMhz(3, 10000, 1000), 109u);  // 1150e6 / 10 / 2^20 = 109.67
    EXPECT_EQ(LegacyClockMhz(6, 1000, 1000) + LegacyClockMhz(5, 0, 1000) + LegacyClockMhz(5, 1000, 0), 0u);
}

TEST(CpuClock, FreshClockMeasuresOncePerStartUp) {
    CountingClock inner;
    inner.tscMhz = 3000;
    inner.busMhz = 100;
    uint32_t now = 0xFFFFF000u;  // just before the tick count wraps
    FreshClock clock(inner, [&now] { return now; }, 10000);
    EXPECT_EQ(std::pair(clock.TscMhz(), clock.BusMhz()), std::pair(3000u, 100u));
    now += 6000;  // wraps; still fresh
    inner.tscMhz = 2999;
    inner.busMhz = 0;
    EXPECT_EQ(std::pair(clock.TscMhz(), clock.BusMhz()), std::pair(3000u, 100u));
    now += 4001;  // older than 10 s: measured again
    EXPECT_EQ(std::pair(clock.TscMhz(), clock.BusMhz()), std::pair(2999u, 0u));
    inner.busMhz = 133;  // a bus clock of 0 was not kept
    EXPECT_EQ(clock.BusMhz(), 133u);
    EXPECT_EQ(std::pair(inner.tscCalls, inner.busCalls), std::pair(2, 3));
    inner.legacyMhz = 75;  // the legacy estimate is kept per family
    EXPECT_EQ(clock.LegacyMhz(5) + clock.LegacyMhz(5) + clock.LegacyMhz(4), 225u);
    EXPECT_EQ(inner.legacyCalls, 2);
}

}  // namespace
