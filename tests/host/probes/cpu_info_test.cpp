// The processor decoder over register dumps of real processors: one per kind
// of processor that takes another path through detection.
#include "probes/cpu_info.h"

#include <gtest/gtest.h>

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

// The answers of CPUID, as a dump gives them. Repeated answers of a function
// (CPUID 2) come in turn; a function absent from the dump answers `unknown`
// (zeros, or on older Intel processors the data of another function).
class DumpSource : public CpuidSource {
public:
    DumpSource(const char (&vendor)[13], uint32_t highestBasic, const std::vector<Leaf>& leaves,
               const std::string& brand = "") {
        uint32_t v[3], b[12] = {};
        std::memcpy(v, vendor, 12);
        Set({0, {highestBasic, v[0], v[2], v[1]}});  // EBX, EDX, ECX
        for (const Leaf& leaf : leaves) Set(leaf, leaf.function == 2 && answers_.count({2, 0}));
        std::memcpy(b, brand.data(), std::min<size_t>(brand.size(), 48));
        for (uint32_t i = 0; !brand.empty() && i < 3; ++i) {
            Set({0x80000002u + i, {b[4 * i], b[4 * i + 1], b[4 * i + 2], b[4 * i + 3]}});
        }
    }
    DumpSource& Set(const Leaf& leaf, bool append = false) {
        auto& answers = answers_[{leaf.function, leaf.subleaf}];
        if (!append) answers.clear();
        answers.push_back(leaf.regs);
        return *this;
    }
    bool Supported() const override { return supported; }
    CpuidRegs Query(uint32_t function, uint32_t subleaf = 0) const override {
        asked.insert(function);
        const auto found = answers_.find({function, subleaf});
        if (found == answers_.end()) return unknown;
        return found->second[std::min(next_[{function, subleaf}]++, found->second.size() - 1)];
    }
    bool supported = true;
    CpuidRegs unknown{};
    mutable std::set<uint32_t> asked;

private:
    std::map<std::pair<uint32_t, uint32_t>, std::vector<CpuidRegs>> answers_;
    mutable std::map<std::pair<uint32_t, uint32_t>, size_t> next_;
};

class CountingClock : public CpuClock {
public:
    uint32_t tscMhz = 0, legacyMhz = 0, busMhz = 0, lastFamily = 0;
    int tscCalls = 0, legacyCalls = 0, busCalls = 0;
    uint32_t TscMhz() override { return ++tscCalls, tscMhz; }
    uint32_t LegacyMhz(uint32_t family) override { return ++legacyCalls, lastFamily = family, legacyMhz; }
    uint32_t BusMhz() override { return ++busCalls, busMhz; }
};

CpuInfo Detected(const DumpSource& source) {
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
    info.vendor = vendor;
    info.family = family;
    info.model = model;
    info.extFamily = extFamily;
    info.name = "as it was";
    return info;
}

constexpr char kIntel[13] = "GenuineIntel";
constexpr char kAmd[13] = "AuthenticAMD";
const Leaf kExtendedTo8{0x80000000u, {0x80000008u, 0, 0, 0}};

// Leaf 4 of an i7-2600, (ways + 1) x (partitions + 1) x (line + 1) x (sets + 1):
// L1 data and instructions 8 x 1 x 64 x 64 = 32 KB each, L2 8 x 1 x 64 x 512 =
// 256 KB, L3 16 x 1 x 64 x 8192 = 8 MB; then type 0.
const std::vector<Leaf> kSandyBridgeLeaf4 = {
    {4, {0x1C004121, 0x01C0003F, 0x3F, 0}, 0}, {4, {0x1C004122, 0x01C0003F, 0x3F, 0}, 1},
    {4, {0x1C004143, 0x01C0003F, 0x1FF, 0}, 2}, {4, {0x1C03C163, 0x03C0003F, 0x1FFF, 0}, 3}};

std::vector<Leaf> With(std::vector<Leaf> leaves, const std::vector<Leaf>& more) {
    leaves.insert(leaves.end(), more.begin(), more.end());
    return leaves;
}

// Pentium III (Coppermine), serial number on; CPUID answers the functions above
// its range with the data of function 2.
DumpSource PentiumIII(uint32_t highestBasic = 3) {
    DumpSource cpu(kIntel, highestBasic, {{1, {0x683, 2, 0, 0x0387F9FF}}, {2, {0x03020101, 0, 0, 0x0C040882}},
                                          {3, {0, 0, 0x9ABCDEF0, 0x12345678}}});
    cpu.unknown = {0x03020101, 0, 0, 0x0C040882};
    return cpu;
}

// Pentium 4 (Northwood). Descriptors 0x50 0x5B 0x66 | 0x40 0x70 0x7A: data 8 KB,
// trace 12K, L2 256 KB; 0x80000006 says 512 KB.
DumpSource Pentium4() {
    return DumpSource(kIntel, 2, {{1, {0xF29, 0x01020800, 0x4400, 0xBFEBFBFF}}, {2, {0x665B5001, 0, 0, 0x007A7040}},
                                  kExtendedTo8, {0x80000006u, {0, 0, 0x02008040, 0}}},
                      "              Intel(R) Pentium(R) 4 CPU 2.80GHz");
}

// Core i7-2600 (Sandy Bridge): descriptor 0xFF after bytes the table lacks.
DumpSource SandyBridge(CpuidRegs leaf2 = {0x76035A01, 0x00F0B2FF, 0, 0x00CA0000}) {
    return DumpSource(kIntel, 0xD,
                      With({{1, {0x206A7, 0x00100800, 0x1FBAE3FF, 0xBFEBFBFF}}, {2, leaf2}, kExtendedTo8,
                            {0x80000006u, {0, 0, 0x01006040, 0}}},
                           kSandyBridgeLeaf4),
                      "        Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz");
}

// Athlon XP (Thoroughbred), family 6 model 8; CPUID 1 EDX bit 28 set.
DumpSource AthlonXp(uint32_t highestExtended = 0x80000008u, uint32_t extendedEdx = 0xC1C3FBFF) {
    return DumpSource(kAmd, 1,
                      {{1, {0x681, 0, 0, 0x1383FBFF}}, {0x80000000u, {highestExtended, 0, 0, 0}},
                       {0x80000001u, {0x781, 0, 0, extendedEdx}},
                       {0x80000005u, {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140}},
                       {0x80000006u, {0, 0x41004100, 0x01008140, 0}}},
                      "AMD Athlon(tm) XP 2400+");
}

TEST(CpuDetect, VendorSignatureAndNoCpuid) {
    EXPECT_EQ(VendorOf("UMC UMC UMC"), CpuVendor::Other);  // exact bytes: the trailing blank counts
    EXPECT_EQ(VendorOf(std::string_view("GenuineIntel\0", 13)), CpuVendor::Other);
    const CpuInfo umc = Detected(DumpSource("UMC UMC UMC ", 1, {{1, {0x410, 0, 0, 0}}}));
    EXPECT_EQ(umc.vendorString + "|" + umc.name, "UMC UMC UMC |U5D");
    // Type 2, extended family 0x12, extended model 0xA, family 0xF, model 0x3, stepping 0x7.
    const CpuInfo info = Detected(DumpSource("SomeNewMaker", 1, {{1, {0xF12A2F37, 0, 0, 0}}}));
    EXPECT_EQ((std::vector<uint32_t>{info.type, info.extFamily, info.extModel, info.family, info.model, info.stepping}),
              (std::vector<uint32_t>{2, 0x12, 0xA, 0xF, 3, 7}));
    EXPECT_EQ(info.name, "Unknown family");
    // Without CPUID a second detection leaves every initial value.
    CountingClock clock;
    CpuInfo none;
    none.Detect(AthlonXp(), clock);
    DumpSource old = PentiumIII();
    old.supported = false;
    none.Detect(old, clock);
    EXPECT_EQ(none.vendor, CpuVendor::Other);
    EXPECT_EQ(none.vendorString + none.name + none.serialNumber + Caches(none), "-1/-1/-1");
    EXPECT_EQ(Features(none), 0u);
    EXPECT_EQ(clock.tscCalls, 1);
    EXPECT_TRUE(old.asked.empty());
}

TEST(CpuProcessors, PentiumIIINamedByTheTable) {
    const DumpSource p3 = PentiumIII();
    const CpuInfo info = Detected(p3);
    EXPECT_EQ(info.name, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ");
    EXPECT_EQ(info.serialNumber, "0000-0683-1234-5678-9abc-def0");
    EXPECT_EQ(Caches(info), "32/256/-1");  // L1: 16 KB instructions + 16 KB data
    // MMX, SSE, SSE FP, serial number, CMOV, MTRR, L1, L2.
    EXPECT_EQ(Features(info), 0x1u | 0x4 | 0x800 | 0x200 | 0x2000 | 0x4000 | 0x8000 | 0x10000);
    EXPECT_FALSE(p3.asked.count(0x80000002u));  // 0x80000000 answered with function 2's data
    const DumpSource noLeaf3 = PentiumIII(2);   // function 3 out of range: no serial number
    EXPECT_EQ(Detected(noLeaf3).serialNumber, "");
    EXPECT_FALSE(noLeaf3.asked.count(3));
}

TEST(CpuProcessors, Pentium4) {
    const CpuInfo info = Detected(Pentium4());
    EXPECT_EQ(info.name, "Intel(R) Pentium(R) 4 CPU 2.80GHz");
    EXPECT_EQ(Caches(info), "8/512/-1");  // the trace cache is not added; L2 from 0x80000006
    EXPECT_EQ(std::pair(info.logicalProcessors, info.apicId), std::pair(2u, 1u));
    // MMX, SSE, SSE2, Hyper-Threading, APIC, SSE FP, CMOV, MTRR, L1, L2, ACPI, thermal monitor.
    EXPECT_EQ(Features(info), 0x1u | 0x4 | 0x8 | 0x100 | 0x400 | 0x800 | 0x2000 | 0x4000 | 0x8000 | 0x10000 | 0x40000 |
                                  0x80000);
    DumpSource blank = Pentium4();
    for (uint32_t f = 0x80000002u; f <= 0x80000004u; ++f) blank.Set({f, {0x20202020, 0x20202020, 0x20202020, 0}});
    EXPECT_EQ(Detected(blank).name, "Pentium\xAE IV (0.13 \xB5m)");  // a blank brand: the table
    // Leading blanks and NULs go for Intel only; 48 bytes without a NUL are kept whole.
    const DumpSource nuls(kIntel, 1, {kExtendedTo8}, std::string(" \0 Name", 8));
    EXPECT_EQ(Detected(nuls).name, "Name");
    EXPECT_EQ(Detected(DumpSource(kIntel, 1, {kExtendedTo8}, std::string(48, 'x'))).name, std::string(48, 'x'));
    const DumpSource amd(kAmd, 1, {{1, {0x681, 0, 0, 0}}, kExtendedTo8}, std::string("A\0 Name", 8));
    EXPECT_EQ(Detected(amd).name, "A");
    // Hyper-Threading without APIC: no APIC id.
    EXPECT_EQ(Detected(DumpSource(kIntel, 1, {{1, {0xF29, 0x07030000, 0, 1u << 28}}})).apicId, 0u);
}

TEST(CpuProcessors, SandyBridgeTakesItsCachesFromLeaf4) {
    // Two real leaf 2 answers of 2011 to 2020: 0xFF after 0x5A, 0x63, ...
    for (const DumpSource& cpu : {SandyBridge(), SandyBridge({0x76036301, 0x00F0B5FF, 0, 0x00C30000})}) {
        const CpuInfo info = Detected(cpu);
        EXPECT_EQ(info.name, "Intel(R) Core(TM) i7-2600 CPU @ 3.40GHz");
        EXPECT_EQ(Caches(info), "64/256/8192");
        EXPECT_EQ(info.logicalProcessors, 16u);
    }
    DumpSource shortRange = SandyBridge();  // without 0x80000006 the L2 comes from leaf 4 too
    EXPECT_EQ(Caches(Detected(shortRange.Set({0x80000000u, {0x80000004u, 0, 0, 0}}))), "64/256/8192");
}

TEST(CpuProcessors, AmdAndCyrixExtendedFeatures) {
    const DumpSource athlon = AthlonXp();
    const CpuInfo info = Detected(athlon);
    EXPECT_EQ(info.name, "AMD Athlon(tm) XP 2400+");
    EXPECT_EQ(Caches(info), "128/256/-1");
    EXPECT_FALSE(athlon.asked.count(2));  // the extended method was enough
    // MMX, MMX+ (bit 22 on AMD), SSE, 3DNow, 3DNow+, APIC, SSE FP, SSE MMX, CMOV, MTRR, L1, L2;
    // not MP (bit 19), no Hyper-Threading (an Intel field).
    EXPECT_EQ(Features(info),
              0x1u | 0x2 | 0x4 | 0x10 | 0x20 | 0x400 | 0x800 | 0x1000 | 0x2000 | 0x4000 | 0x8000 | 0x10000);
    EXPECT_EQ(info.logicalProcessors, 0u);
    EXPECT_FALSE(Detected(AthlonXp(0x80000008u, 0x01000000)).hasMmxExt);  // bit 24 is Cyrix's
    // Without a brand string the table names it, MP-capable or not.
    EXPECT_EQ(Detected(AthlonXp(0x80000001u)).name, "Athlon\x99 XP (Thoroughbred core)");
    EXPECT_EQ(Detected(AthlonXp(0x80000001u, 0xC1CBFBFF)).name, "Athlon\x99 MP (Thoroughbred core)");
    const CpuInfo gx = Detected(DumpSource("CyrixInstead", 1, {{1, {0x540, 0, 0, 0x00808131}},
                                                               {0x80000000u, {0x80000001u, 0, 0, 0}},
                                                               {0x80000001u, {0, 0, 0, 0x81000000}}}));
    EXPECT_EQ(gx.name, "MediaGX GXm");
    EXPECT_TRUE(gx.hasMmxExt && gx.has3DNow && !gx.hasSseMmx);
    // A K5 is never asked, though 0x80000000 would answer.
    const DumpSource k5(kAmd, 1, {{1, {0x511, 0, 0, 0x3BF}}, {0x80000000u, {0x80000005u, 0, 0, 0}},
                                  {0x80000005u, {0, 0, 0x08000000, 0x08000000}}}, "Should not be read");
    EXPECT_EQ(Detected(k5).name + " " + Caches(Detected(k5)), "5k86 (PR120, PR133) -1/-1/-1");
    EXPECT_FALSE(k5.asked.count(0x80000000u));
}

TEST(CpuDescriptors, WalkLeaf4AndTheirResults) {
    const struct {
        const char* what;
        uint32_t highest;
        std::vector<CpuidRegs> leaf2;
        const char* caches;
    } rows[] = {
        {"data only", 2, {{0x00000A01, 0, 0, 0}}, "8/-1/-1"},
        {"instructions only", 2, {{0x00000601, 0, 0, 0}}, "8/-1/-1"},
        {"trace only; 0x40 no L2", 2, {{0x00007201, 0x40, 0, 0}}, "32/0/-1"},
        {"trace and data: data", 2, {{0x00700C01, 0, 0, 0}}, "16/-1/-1"},
        {"L3, 0x8D 3 MB", 2, {{0x00000001, 0x00008D44, 0, 0}}, "-1/1024/3072"},
        {"sizes only rise; 0x40 after an L2", 2, {{0x00404401, 0x41, 0, 0}}, "-1/1024/-1"},
        {"an L2 after 0x40", 2, {{0x00414001, 0, 0, 0}}, "-1/128/-1"},
        {"below function 2", 1, {{0x00004401, 0, 0, 0}}, "-1/-1/-1"},
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
        std::vector<Leaf> leaves = With({{1, {0x683, 0, 0, 0}}}, kSandyBridgeLeaf4);
        for (const CpuidRegs& regs : row.leaf2) leaves.push_back({2, regs});
        const CpuInfo info = Detected(DumpSource(kIntel, row.highest, leaves));
        EXPECT_EQ(Caches(info), row.caches) << row.what;
        EXPECT_EQ(info.HasFeature(0x10000), info.l2CacheKb >= 0) << row.what;  // known, even when 0
    }
}

TEST(CpuExtendedGuard, ByVendorFamilyModelAndRange) {
    using V = CpuVendor;
    constexpr uint32_t k8 = 0x80000008u;
    const struct {
        CpuVendor vendor;
        uint32_t family, model, highest;
        bool allowed;
    } rows[] = {
        {V::AMD, 4, 15, k8, false},     {V::AMD, 5, 5, k8, false},       {V::AMD, 5, 6, k8, true},
        {V::Cyrix, 5, 3, k8, false},    {V::Cyrix, 5, 4, k8, true},      {V::Cyrix, 6, 4, k8, false},
        {V::Cyrix, 6, 5, k8, true},     {V::Cyrix, 4, 9, k8, false},     {V::Centaur, 5, 7, k8, false},
        {V::Centaur, 5, 8, k8, true},   {V::Transmeta, 4, 0, k8, false}, {V::Transmeta, 5, 0, k8, true},
        {V::Other, 4, 0, k8, true},     {V::Intel, 15, 0, 0x80000001u, true},
        // Intel below family 15: only a processor that answers a real range.
        {V::Intel, 6, 0, 0x80000003u, false}, {V::Intel, 6, 0, 0x80000004u, true},
        {V::Intel, 6, 0, 0x800000FFu, true},  {V::Intel, 6, 0, 0x80000100u, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ExtendedFunctionsAllowed(Model(row.vendor, row.family, row.model), row.highest), row.allowed)
            << static_cast<int>(row.vendor) << " " << row.family << "/" << row.model << " " << row.highest;
    }
    // A function above the highest is not used; bit 31 is masked off both sides.
    const CpuInfo amd = Model(CpuVendor::AMD, 6, 0);
    EXPECT_TRUE(ExtendedFunctionUsable(amd, 0x80000005u, 0x80000005u));
    EXPECT_FALSE(ExtendedFunctionUsable(amd, 0x80000005u, 0x80000006u));
    EXPECT_TRUE(ExtendedFunctionUsable(amd, 0x00000006u, 0x80000006u));
}

// The edges of each branch: a named model and the fallback beside it.
TEST(CpuNameTable, BranchEdgesAndFallbacks) {
    using V = CpuVendor;
    const struct {
        CpuVendor vendor;
        uint32_t family, model, extFamily;
        const char* name;
    } rows[] = {
        {V::Intel, 3, 0, 0, "Newer i80386 family"},   {V::Intel, 4, 10, 0, "Unknown 80486 family"},
        {V::Intel, 5, 8, 0, "P55C (0.25\xB5m)"},      {V::Intel, 5, 9, 0, "Unknown Pentium\xAE family"},
        {V::Intel, 6, 10, 0, "Pentium\xAE III (0.18 \xB5m) With 1 Or 2 MB On-Die L2 Cache "},
        {V::Intel, 6, 12, 0, "Unknown P6 family"},    {V::Intel, 7, 3, 0, "Intel Merced (IA-64)"},
        {V::Intel, 15, 1, 0, "Pentium\xAE IV (0.18 \xB5m)"}, {V::Intel, 15, 3, 0, "Unknown Pentium 4 family"},
        {V::Intel, 15, 0, 1, "Intel McKinley (IA-64)"}, {V::Intel, 15, 0, 2, "as it was"},
        {V::Intel, 8, 0, 0, "Unknown Intel family"},  {V::AMD, 4, 15, 0, "5x86WB"},
        {V::AMD, 5, 13, 0, "K6-2+ or K6-III+ (0.18 \xB5m)"}, {V::AMD, 6, 9, 0, "Unknown K7 family"},
        {V::AMD, 15, 4, 0, "Unknown AMD family"},     {V::NSC, 5, 4, 0, "Cx486SLC \\ DLC \\ Cx486S A-Step"},
        {V::UMC, 5, 1, 0, "Unknown UMC family"},      {V::Cyrix, 6, 9, 0, "Unknown 6x86MX\\Cyrix III family"},
        {V::Cyrix, 7, 0, 0, "Unknown Cyrix family"},  {V::NexGen, 5, 1, 0, "Unknown NexGen family"},
        {V::Centaur, 6, 6, 0, "VIA Cyrix III - Samuel"}, {V::Centaur, 6, 7, 0, "Unknown IDT\\Centaur family"},
        {V::Rise, 6, 0, 0, "Unknown Rise family"},    {V::Transmeta, 5, 4, 0, "Crusoe TM3x00 and TM5x00"},
        {V::Transmeta, 6, 4, 0, "Unknown Transmeta family"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(TableName(Model(row.vendor, row.family, row.model, row.extFamily)), row.name)
            << static_cast<int>(row.vendor) << " " << row.family << "/" << row.model;
    }
}

TEST(CpuClock, Arithmetic) {
    EXPECT_EQ(TscClockMhz(120000000 + 5000, 5000), 2400u);
    EXPECT_EQ(TscClockMhz(49999, 0), 0u);
    EXPECT_EQ(TscClockMhz(50000, 0), 1u);
    EXPECT_EQ(TscClockMhz(0, UINT64_MAX), 0u);  // b not below a: 0, never a wrapped value
    EXPECT_EQ(LegacyClockMhz(5, 1000, 1000), 410u);   // 430e6 / 1 s / 2^20 = 410.08
    EXPECT_EQ(LegacyClockMhz(4, 500, 1000), 896u);    // 470e6 / 0.5 / 2^20 = 896.45
    EXPECT_EQ(LegacyClockMhz(3, 10000, 1000), 109u);  // 1150e6 / 10 / 2^20 = 109.67
    EXPECT_EQ(LegacyClockMhz(6, 1000, 1000) + LegacyClockMhz(5, 0, 1000) + LegacyClockMhz(5, 1000, 0), 0u);
}

TEST(CpuClock, DetectionTakesTheTscTheEstimateAndTheBusClock) {
    CountingClock clock;
    clock.tscMhz = 2800;
    clock.legacyMhz = 99;
    clock.busMhz = 133;
    CpuInfo info;
    info.Detect(Pentium4(), clock);
    EXPECT_EQ(std::pair(info.clockMhz, info.busMhz), std::pair(2800u, 133u));
    EXPECT_EQ(clock.legacyCalls, 0);
    clock.tscMhz = 0;  // a zero result leads to the estimate
    info.Detect(Pentium4(), clock);
    EXPECT_EQ(std::pair(info.legacyClockMhz, clock.lastFamily), std::pair(99u, 15u));
    // No time-stamp counter (a 486): the estimate without trying the counter.
    info.Detect(DumpSource(kIntel, 1, {{1, {0x435, 0, 0, 0x1}}}), clock);
    EXPECT_EQ(std::pair(clock.tscCalls, clock.lastFamily), std::pair(2, 4u));
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
    // The legacy estimate is kept per family.
    inner.legacyMhz = 75;
    EXPECT_EQ(clock.LegacyMhz(5) + clock.LegacyMhz(5) + clock.LegacyMhz(4), 225u);
    EXPECT_EQ(inner.legacyCalls, 2);
}

}  // namespace
