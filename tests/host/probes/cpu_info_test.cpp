// The processor decoder over register dumps of real processors.
#include "probes/cpu_info.h"

#include "cpu_dump.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace ovix::cpu;
using test::CountingClock;
using test::DumpSource;

CpuInfo Detected(const DumpSource& source, CountingClock& clock) {
    CpuInfo info;
    info.Detect(source, clock);
    return info;
}

CpuInfo Detected(const DumpSource& source) {
    CountingClock clock;
    return Detected(source, clock);
}

// Pentium III (Coppermine), family 6 model 8, serial number enabled.
DumpSource PentiumIII() {
    DumpSource cpu;
    cpu.Vendor(3, test::kIntel)
        .Set(1, {0x00000683, 0x00000002, 0x00000000, 0x0387F9FF})
        .Set(2, {0x03020101, 0x00000000, 0x00000000, 0x0C040882})
        .Set(3, {0x00000000, 0x00000000, 0x9ABCDEF0, 0x12345678})
        // Above its range, CPUID answers with the data of function 2.
        .Unknown({0x03020101, 0x00000000, 0x00000000, 0x0C040882});
    return cpu;
}

// Pentium 4 (Northwood) with Hyper-Threading; zeros from 0x80000005.
DumpSource Pentium4() {
    DumpSource cpu;
    cpu.Vendor(2, test::kIntel)
        .Set(1, {0x00000F29, 0x01020800, 0x00004400, 0xBFEBFBFF})
        // 0x50 0x5B 0x66 | 0x40 0x70 0x7A: data 8 KB, trace 12K, L2 256 by the descriptors.
        .Set(2, {0x665B5001, 0x00000000, 0x00000000, 0x007A7040})
        .Set(0x80000000u, {0x80000008u, 0, 0, 0})
        .Set(0x80000005u, {0, 0, 0, 0})
        .Set(0x80000006u, {0, 0, 0x02008040, 0})
        .Brand("              Intel(R) Pentium(R) 4 CPU 2.80GHz");
    return cpu;
}

// A current family 6 processor: descriptor 0xFF sends the caches to leaf 4.
DumpSource CoreI7() {
    DumpSource cpu;
    cpu.Vendor(0x16, test::kIntel)
        .Set(1, {0x000506E3, 0x00100800, 0x7FFAFBBF, 0xBFEBFBFF})
        .Set(2, {0x00FEFF01, 0x000000F0, 0x00000000, 0x00000000})
        .Set(4, {0x1C004121, 0x01C0003F, 0x0000003F, 0}, 0)
        .Set(4, {0x1C004122, 0x01C0003F, 0x0000003F, 0}, 1)
        .Set(4, {0x1C004143, 0x00C0003F, 0x000003FF, 0}, 2)
        .Set(4, {0x1C03C163, 0x03C0003F, 0x00001FFF, 0}, 3)
        .Set(4, {0, 0, 0, 0}, 4)
        .Set(0x80000000u, {0x80000008u, 0, 0, 0})
        .Set(0x80000005u, {0, 0, 0, 0})
        .Set(0x80000006u, {0, 0, 0x01006040, 0})
        .Brand("        Intel(R) Core(TM) i7-6700 CPU @ 3.40GHz");
    return cpu;
}

// Athlon XP (Thoroughbred), family 6 model 8.
DumpSource AthlonXp(uint32_t highestExtended = 0x80000008u, uint32_t extendedEdx = 0xC1C3FBFF) {
    DumpSource cpu;
    cpu.Vendor(1, test::kAmd)
        // CPUID 1 EDX bit 28 set: Hyper-Threading is an Intel field only.
        .Set(1, {0x00000681, 0x00000000, 0x00000000, 0x1383FBFF})
        .Set(0x80000000u, {highestExtended, 0, 0, 0})
        .Set(0x80000001u, {0x00000781, 0, 0, extendedEdx})
        .Set(0x80000005u, {0x0408FF08, 0xFF20FF10, 0x40020140, 0x40020140})
        .Set(0x80000006u, {0, 0x41004100, 0x01008140, 0})
        .Brand("AMD Athlon(tm) XP 2400+");
    return cpu;
}

TEST(CpuVendor, ExactVendorStrings) {
    EXPECT_EQ(VendorOf("AuthenticAMD"), CpuVendor::AMD);
    EXPECT_EQ(VendorOf("AMD ISBETTER"), CpuVendor::AMD);
    EXPECT_EQ(VendorOf("GenuineIntel"), CpuVendor::Intel);
    EXPECT_EQ(VendorOf("Geode By NSC"), CpuVendor::NSC);
    EXPECT_EQ(VendorOf("UMC UMC UMC "), CpuVendor::UMC);
    EXPECT_EQ(VendorOf("CyrixInstead"), CpuVendor::Cyrix);
    EXPECT_EQ(VendorOf("NexGenDriven"), CpuVendor::NexGen);
    EXPECT_EQ(VendorOf("CentaurHauls"), CpuVendor::Centaur);
    EXPECT_EQ(VendorOf("RiseRiseRise"), CpuVendor::Rise);
    EXPECT_EQ(VendorOf("GenuineTMx86"), CpuVendor::Transmeta);
    EXPECT_EQ(VendorOf("TransmetaCPU"), CpuVendor::Transmeta);
    // Exact bytes: no trailing blank, another case, a prefix or an extra byte are other vendors.
    EXPECT_EQ(VendorOf("UMC UMC UMC"), CpuVendor::Other);
    EXPECT_EQ(VendorOf("genuineintel"), CpuVendor::Other);
    EXPECT_EQ(VendorOf("GenuineIntel "), CpuVendor::Other);
    EXPECT_EQ(VendorOf(std::string_view("GenuineIntel\0", 13)), CpuVendor::Other);
    EXPECT_EQ(VendorOf("HygonGenuine"), CpuVendor::Other);
    EXPECT_EQ(VendorOf(""), CpuVendor::Other);
}

TEST(CpuDetect, VendorStringIsEbxEdxEcx) {
    DumpSource cpu;
    cpu.Vendor(1, "UMC UMC UMC ").Set(1, {0x00000410, 0, 0, 0});
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.vendorString, "UMC UMC UMC ");
    EXPECT_EQ(info.vendor, CpuVendor::UMC);
    EXPECT_EQ(info.name, "U5D");

    DumpSource other;
    other.Vendor(1, "SomeNewMaker").Set(1, {0x00000633, 0, 0, 0});
    const CpuInfo unknown = Detected(other);
    EXPECT_EQ(unknown.vendor, CpuVendor::Other);
    EXPECT_EQ(unknown.vendorString, "SomeNewMaker");
    EXPECT_EQ(unknown.name, "Unknown family");  // no brand string: 0x80000000 answers 0

    DumpSource better;
    better.Vendor(1, "AMD ISBETTER").Set(1, {0x00000410 | 0x30, 0, 0, 0});
    EXPECT_EQ(Detected(better).vendor, CpuVendor::AMD);
    EXPECT_EQ(Detected(better).name, "80486DX2");
}

TEST(CpuDetect, WithoutCpuidEverythingKeepsItsInitialValue) {
    DumpSource cpu = PentiumIII();
    cpu.supported = false;
    CountingClock clock;
    clock.tscMhz = 900;
    const CpuInfo info = Detected(cpu, clock);
    EXPECT_EQ(info.vendor, CpuVendor::Other);
    EXPECT_EQ(info.vendorString, "");
    EXPECT_EQ(info.name, "");
    EXPECT_EQ(info.l1CacheKb, -1);
    EXPECT_EQ(info.l2CacheKb, -1);
    EXPECT_EQ(info.l3CacheKb, -1);
    EXPECT_EQ(info.clockMhz, 0u);
    EXPECT_EQ(clock.tscCalls + clock.legacyCalls, 0);
    EXPECT_FALSE(info.HasFeature(0xFFFFFFFF));
    EXPECT_FALSE(cpu.Asked(0));
}

TEST(CpuDetect, SignatureFields) {
    DumpSource cpu;
    // Type 2, extended family 0x12, extended model 0xA, family 0xF, model 0x3, stepping 0x7.
    cpu.Vendor(1, "SomeNewMaker").Set(1, {0xF12A2F37, 0, 0, 0});
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.type, 2u);
    EXPECT_EQ(info.family, 0xFu);
    EXPECT_EQ(info.model, 0x3u);
    EXPECT_EQ(info.stepping, 0x7u);
    EXPECT_EQ(info.extFamily, 0x12u);
    EXPECT_EQ(info.extModel, 0xAu);
}

// Which flags one CPUID 1 EDX bit sets, on an Intel processor.
std::vector<const char*> FlagsOf(const CpuInfo& i) {
    std::vector<const char*> set;
    const std::pair<const char*, bool> flags[] = {
        {"fpu", i.hasFpu},   {"tsc", i.hasTsc},       {"mmx", i.hasMmx},         {"sse", i.hasSse},
        {"ssefp", i.hasSseFp}, {"sse2", i.hasSse2},   {"ia64", i.hasIa64},       {"apic", i.hasApic},
        {"cmov", i.hasCmov}, {"mtrr", i.hasMtrr},     {"acpi", i.hasAcpi},       {"psn", i.hasSerialNumber},
        {"tm", i.hasThermalMonitor}, {"ht", i.hasHyperThreading}, {"3dnow", i.has3DNow},
        {"3dnow+", i.has3DNowExt}, {"mp", i.isMpCapable}, {"mmx+", i.hasMmxExt}, {"ssemmx", i.hasSseMmx},
    };
    for (const auto& [name, present] : flags) {
        if (present) set.push_back(name);
    }
    return set;
}

TEST(CpuDetect, EachStandardFeatureBit) {
    const std::map<int, std::vector<std::string>> expected = {
        {0, {"fpu"}},  {4, {"tsc"}},   {9, {"apic"}},  {12, {"mtrr"}}, {15, {"cmov"}},        {18, {"psn"}},
        {22, {"acpi"}}, {23, {"mmx"}}, {25, {"sse", "ssefp"}}, {26, {"sse2"}}, {28, {"ht"}}, {29, {"tm"}},
        {30, {"ia64"}},
    };
    for (int bit = 0; bit < 32; ++bit) {
        DumpSource cpu;
        // Family 6 model 8 keeps the extended functions out of the picture.
        cpu.Vendor(1, test::kIntel).Set(1, {0x00000683, 0, 0, 1u << bit});
        const CpuInfo info = Detected(cpu);
        std::vector<std::string> got;
        for (const char* name : FlagsOf(info)) got.emplace_back(name);
        const auto found = expected.find(bit);
        EXPECT_EQ(got, found == expected.end() ? std::vector<std::string>{} : found->second) << "bit " << bit;
    }
}

TEST(CpuDetect, IntelOnlyFields) {
    const CpuInfo p4 = Detected(Pentium4());
    EXPECT_TRUE(p4.hasHyperThreading);
    EXPECT_EQ(p4.logicalProcessors, 2u);
    EXPECT_EQ(p4.apicId, 1u);
    EXPECT_TRUE(p4.HasFeature(feature::kHyperThreading));

    const CpuInfo p3 = Detected(PentiumIII());
    EXPECT_FALSE(p3.hasHyperThreading);
    EXPECT_EQ(p3.logicalProcessors, 1u);
    EXPECT_EQ(p3.apicId, 0u);

    // Hyper-Threading without APIC: no APIC id.
    DumpSource noApic;
    noApic.Vendor(1, test::kIntel).Set(1, {0x00000F29, 0x07030000, 0, 1u << 28});
    const CpuInfo ht = Detected(noApic);
    EXPECT_EQ(ht.logicalProcessors, 3u);
    EXPECT_EQ(ht.apicId, 0u);

    // The same bits on an AMD processor fill nothing.
    const CpuInfo athlon = Detected(AthlonXp());
    EXPECT_FALSE(athlon.hasHyperThreading);
    EXPECT_FALSE(athlon.HasFeature(feature::kHyperThreading));
    EXPECT_EQ(athlon.logicalProcessors, 0u);
}

TEST(CpuHasFeature, EachMaskNamesItsField) {
    struct Row {
        uint32_t mask;
        bool CpuInfo::*flag;
    };
    const Row rows[] = {
        {feature::kMmx, &CpuInfo::hasMmx},          {feature::kMmxExt, &CpuInfo::hasMmxExt},
        {feature::kSse, &CpuInfo::hasSse},          {feature::kSse2, &CpuInfo::hasSse2},
        {feature::k3DNow, &CpuInfo::has3DNow},      {feature::k3DNowExt, &CpuInfo::has3DNowExt},
        {feature::kIa64, &CpuInfo::hasIa64},        {feature::kMpCapable, &CpuInfo::isMpCapable},
        {feature::kHyperThreading, &CpuInfo::hasHyperThreading}, {feature::kSerialNumber, &CpuInfo::hasSerialNumber},
        {feature::kApic, &CpuInfo::hasApic},        {feature::kSseFp, &CpuInfo::hasSseFp},
        {feature::kSseMmx, &CpuInfo::hasSseMmx},    {feature::kCmov, &CpuInfo::hasCmov},
        {feature::kMtrr, &CpuInfo::hasMtrr},        {feature::kAcpi, &CpuInfo::hasAcpi},
        {feature::kThermalMonitor, &CpuInfo::hasThermalMonitor}, {feature::kTempDiode, &CpuInfo::hasTempDiode},
        {feature::kFrequencyId, &CpuInfo::hasFrequencyId}, {feature::kVoltageId, &CpuInfo::hasVoltageId},
    };
    for (const Row& row : rows) {
        CpuInfo info;
        info.*row.flag = true;
        EXPECT_TRUE(info.HasFeature(row.mask)) << std::hex << row.mask;
        EXPECT_FALSE(info.HasFeature(~row.mask)) << std::hex << row.mask;
        // Any set bit of the mask is enough.
        EXPECT_TRUE(info.HasFeature(row.mask | feature::kL3Cache)) << std::hex << row.mask;
    }
    CpuInfo caches;
    EXPECT_FALSE(caches.HasFeature(feature::kL1Cache | feature::kL2Cache | feature::kL3Cache));
    caches.l2CacheKb = 0;  // known, even when there is none
    EXPECT_TRUE(caches.HasFeature(feature::kL2Cache));
    EXPECT_FALSE(caches.HasFeature(feature::kL1Cache | feature::kL3Cache));
    caches.l1CacheKb = 32;
    caches.l3CacheKb = 1024;
    EXPECT_TRUE(caches.HasFeature(feature::kL1Cache));
    EXPECT_TRUE(caches.HasFeature(feature::kL3Cache));
    EXPECT_FALSE(caches.HasFeature(0));
}

TEST(CpuHasFeature, PowerManagementIsNeverDetected) {
    for (const DumpSource& cpu : {PentiumIII(), Pentium4(), CoreI7(), AthlonXp()}) {
        const CpuInfo info = Detected(cpu);
        EXPECT_FALSE(info.HasFeature(feature::kTempDiode));
        EXPECT_FALSE(info.HasFeature(feature::kFrequencyId));
        EXPECT_FALSE(info.HasFeature(feature::kVoltageId));
    }
}

TEST(CpuDescriptors, EveryTableEntry) {
    struct Row {
        uint8_t descriptor;
        int32_t DescriptorSizes::*field;
        int32_t size;
    };
    using D = DescriptorSizes;
    const Row rows[] = {
        {0x06, &D::l1Instruction, 8}, {0x08, &D::l1Instruction, 16}, {0x15, &D::l1Instruction, 16},
        {0x77, &D::l1Instruction, 16}, {0x0A, &D::l1Data, 8}, {0x66, &D::l1Data, 8}, {0x0C, &D::l1Data, 16},
        {0x10, &D::l1Data, 16}, {0x67, &D::l1Data, 16}, {0x68, &D::l1Data, 32}, {0x70, &D::trace, 12},
        {0x71, &D::trace, 16}, {0x72, &D::trace, 32}, {0x1A, &D::l2, 96}, {0x39, &D::l2, 128}, {0x41, &D::l2, 128},
        {0x79, &D::l2, 128}, {0x81, &D::l2, 128}, {0x3C, &D::l2, 256}, {0x42, &D::l2, 256}, {0x7A, &D::l2, 256},
        {0x7E, &D::l2, 256}, {0x82, &D::l2, 256}, {0x43, &D::l2, 512}, {0x7B, &D::l2, 512}, {0x83, &D::l2, 512},
        {0x44, &D::l2, 1024}, {0x7C, &D::l2, 1024}, {0x84, &D::l2, 1024}, {0x45, &D::l2, 2048},
        {0x85, &D::l2, 2048}, {0x40, &D::l2, 0}, {0x22, &D::l3, 512}, {0x23, &D::l3, 1024}, {0x25, &D::l3, 2048},
        {0x88, &D::l3, 2048}, {0x29, &D::l3, 4096}, {0x89, &D::l3, 4096}, {0x8A, &D::l3, 8192},
        {0x8D, &D::l3, 3072},
    };
    for (const Row& row : rows) {
        DescriptorSizes sizes;
        ASSERT_TRUE(ApplyDescriptor(row.descriptor, sizes)) << std::hex << int{row.descriptor};
        EXPECT_EQ(sizes.*row.field, row.size) << std::hex << int{row.descriptor};
        int changed = 0;
        for (auto field : {&D::l1Instruction, &D::l1Data, &D::trace, &D::l2, &D::l3}) changed += sizes.*field != -1;
        EXPECT_EQ(changed, 1) << std::hex << int{row.descriptor};
    }
    // Known with no effect: the empty byte and the translation buffers.
    for (uint8_t tlb : {0x00, 0x01, 0x02, 0x03, 0x04, 0x50, 0x51, 0x52, 0x5B, 0x5C, 0x5D, 0x90, 0x96, 0x9B}) {
        DescriptorSizes sizes;
        EXPECT_TRUE(ApplyDescriptor(tlb, sizes)) << std::hex << int{tlb};
        EXPECT_EQ(sizes.l1Instruction + sizes.l1Data + sizes.trace + sizes.l2 + sizes.l3, -5);
    }
    for (uint8_t unknown : {0x05, 0x09, 0x2C, 0x49, 0x60, 0x8B, 0x9C, 0xB0, 0xF0, 0xFF}) {
        DescriptorSizes sizes;
        EXPECT_FALSE(ApplyDescriptor(unknown, sizes)) << std::hex << int{unknown};
    }
}

TEST(CpuDescriptors, SizesOnlyRise) {
    DescriptorSizes sizes;
    ApplyDescriptor(0x44, sizes);
    ApplyDescriptor(0x41, sizes);
    EXPECT_EQ(sizes.l2, 1024);
    ApplyDescriptor(0x40, sizes);  // "no L2" after an L2: ignored
    EXPECT_EQ(sizes.l2, 1024);
    DescriptorSizes none;
    ApplyDescriptor(0x40, none);
    EXPECT_EQ(none.l2, 0);
    ApplyDescriptor(0x41, none);  // an L2 after "no L2" raises it
    EXPECT_EQ(none.l2, 128);
}

DumpSource WithDescriptors(std::vector<CpuidRegs> leaf2) {
    DumpSource cpu;
    cpu.Vendor(2, test::kIntel).Set(1, {0x00000683, 0, 0, 0}).SetSequence(2, std::move(leaf2));
    return cpu;
}

TEST(CpuDescriptors, CachesOfAPentiumIII) {
    const CpuInfo info = Detected(PentiumIII());
    EXPECT_EQ(info.l1CacheKb, 32);  // 16 KB instructions + 16 KB data
    EXPECT_EQ(info.l2CacheKb, 256);
    EXPECT_EQ(info.l3CacheKb, -1);
}

TEST(CpuDescriptors, ResultRules) {
    // Only the data cache known: L1 is that.
    EXPECT_EQ(Detected(WithDescriptors({{0x00000A01, 0, 0, 0}})).l1CacheKb, 8);
    // Only instructions.
    EXPECT_EQ(Detected(WithDescriptors({{0x00000601, 0, 0, 0}})).l1CacheKb, 8);
    // Neither, with a trace cache: the trace size.
    const CpuInfo trace = Detected(WithDescriptors({{0x00007201, 0x00000040, 0, 0}}));
    EXPECT_EQ(trace.l1CacheKb, 32);
    EXPECT_EQ(trace.l2CacheKb, 0);  // 0x40: no L2
    EXPECT_TRUE(trace.HasFeature(feature::kL2Cache));
    // Trace and data: the data size only.
    EXPECT_EQ(Detected(WithDescriptors({{0x00700C01, 0, 0, 0}})).l1CacheKb, 16);
    // Level 3.
    const CpuInfo xeon = Detected(WithDescriptors({{0x00000001, 0x00008D44, 0, 0}}));
    EXPECT_EQ(xeon.l2CacheKb, 1024);
    EXPECT_EQ(xeon.l3CacheKb, 3072);
    // Nothing at all.
    const CpuInfo empty = Detected(WithDescriptors({{0x00000001, 0, 0, 0}}));
    EXPECT_EQ(empty.l1CacheKb, -1);
    EXPECT_EQ(empty.l2CacheKb, -1);
    EXPECT_EQ(empty.l3CacheKb, -1);
}

TEST(CpuDescriptors, AByteNotInTheTableLeavesAllThreeUndetermined) {
    const CpuInfo info = Detected(WithDescriptors({{0x00000001, 0x0C088244, 0x0000002A, 0x00000022}}));
    EXPECT_EQ(info.l1CacheKb, -1);
    EXPECT_EQ(info.l2CacheKb, -1);
    EXPECT_EQ(info.l3CacheKb, -1);
}

TEST(CpuDescriptors, ARegisterWithBit31SetIsSkipped) {
    // ECX would carry the unknown 0x2A; its bit 31 says it carries nothing.
    const CpuInfo info = Detected(WithDescriptors({{0x00000001, 0x00000043, 0x8000002A, 0x0C080000}}));
    EXPECT_EQ(info.l1CacheKb, 32);
    EXPECT_EQ(info.l2CacheKb, 512);
    // The same for EAX: its bytes 1-3 are skipped.
    const CpuInfo eax = Detected(WithDescriptors({{0x802A2A01, 0x00000043, 0, 0}}));
    EXPECT_EQ(eax.l2CacheKb, 512);
}

TEST(CpuDescriptors, RepeatedCallsAllCount) {
    // The low byte of EAX says two calls; the L2 comes with the second.
    const CpuInfo info = Detected(WithDescriptors({{0x00000C02, 0, 0, 0}, {0x00004402, 0, 0, 0}}));
    EXPECT_EQ(info.l1CacheKb, 16);
    EXPECT_EQ(info.l2CacheKb, 1024);
}

TEST(CpuDescriptors, NotAskedBelowFunction2) {
    DumpSource cpu;
    cpu.Vendor(1, test::kIntel).Set(1, {0x00000543, 0, 0, 0}).Set(2, {0x00004401, 0, 0, 0});
    const CpuInfo info = Detected(cpu);
    EXPECT_FALSE(cpu.Asked(2));
    EXPECT_EQ(info.l2CacheKb, -1);
}

TEST(CpuExtendedGuard, ByVendorFamilyAndModel) {
    struct Row {
        CpuVendor vendor;
        uint32_t family, model;
        bool allowed;
    };
    const Row rows[] = {
        {CpuVendor::AMD, 4, 15, false},      {CpuVendor::AMD, 5, 5, false},       {CpuVendor::AMD, 5, 6, true},
        {CpuVendor::AMD, 6, 0, true},        {CpuVendor::AMD, 15, 0, true},       {CpuVendor::Cyrix, 5, 3, false},
        {CpuVendor::Cyrix, 5, 4, true},      {CpuVendor::Cyrix, 6, 4, false},     {CpuVendor::Cyrix, 6, 5, true},
        {CpuVendor::Cyrix, 4, 9, false},     {CpuVendor::Centaur, 5, 7, false},   {CpuVendor::Centaur, 5, 8, true},
        {CpuVendor::Centaur, 6, 0, true},    {CpuVendor::Transmeta, 4, 0, false}, {CpuVendor::Transmeta, 5, 0, true},
        {CpuVendor::Intel, 15, 0, true},     {CpuVendor::Rise, 5, 0, true},       {CpuVendor::Other, 4, 0, true},
        {CpuVendor::UMC, 4, 1, true},
    };
    for (const Row& row : rows) {
        CpuInfo info;
        info.vendor = row.vendor;
        info.family = row.family;
        info.model = row.model;
        EXPECT_EQ(ExtendedFunctionsAllowed(info, 0x80000008u), row.allowed)
            << static_cast<int>(row.vendor) << " " << row.family << "/" << row.model;
    }
}

TEST(CpuExtendedGuard, IntelBelowFamily15NeedsARealRange) {
    CpuInfo p6;
    p6.vendor = CpuVendor::Intel;
    p6.family = 6;
    EXPECT_FALSE(ExtendedFunctionsAllowed(p6, 0x80000003u));
    EXPECT_TRUE(ExtendedFunctionsAllowed(p6, 0x80000004u));
    EXPECT_TRUE(ExtendedFunctionsAllowed(p6, 0x800000FFu));
    EXPECT_FALSE(ExtendedFunctionsAllowed(p6, 0x80000100u));
    EXPECT_FALSE(ExtendedFunctionsAllowed(p6, 0x03020101u));
    EXPECT_FALSE(ExtendedFunctionsAllowed(p6, 0));
}

TEST(CpuExtendedGuard, AFunctionAboveTheHighestIsNotUsed) {
    CpuInfo amd;
    amd.vendor = CpuVendor::AMD;
    amd.family = 6;
    EXPECT_TRUE(ExtendedFunctionUsable(amd, 0x80000005u, 0x80000005u));
    EXPECT_FALSE(ExtendedFunctionUsable(amd, 0x80000005u, 0x80000006u));
    // Bit 31 is masked off both sides.
    EXPECT_TRUE(ExtendedFunctionUsable(amd, 0x00000006u, 0x80000006u));
    EXPECT_FALSE(ExtendedFunctionUsable(amd, 0, 0x80000001u));
}

TEST(CpuExtendedGuard, OlderProcessorsAreNeverAsked) {
    // A K5: 0x80000000 would answer, but the guard keeps it out.
    DumpSource k5;
    k5.Vendor(1, test::kAmd)
        .Set(1, {0x00000511, 0, 0, 0x000003BF})
        .Set(0x80000000u, {0x80000005u, 0, 0, 0})
        .Set(0x80000005u, {0, 0, 0x08000000, 0x08000000})
        .Brand("Should not be read");
    const CpuInfo info = Detected(k5);
    EXPECT_FALSE(k5.Asked(0x80000000u));
    EXPECT_FALSE(k5.Asked(0x80000002u));
    EXPECT_EQ(info.name, "5k86 (PR120, PR133)");
    EXPECT_EQ(info.l1CacheKb, -1);

    // A Centaur C6 (family 5 model 4).
    DumpSource c6;
    c6.Vendor(1, "CentaurHauls").Set(1, {0x00000541, 0, 0, 0x008001BF}).Brand("IDT WinChip");
    EXPECT_EQ(Detected(c6).name, "C6");
    EXPECT_FALSE(c6.Asked(0x80000000u));
}

TEST(CpuExtendedGuard, ReportedButAbsentOnAnIntelFamily6) {
    // A Tualatin answers 0x80000000 with the data of function 2: the table names it.
    DumpSource cpu;
    cpu.Vendor(2, test::kIntel)
        .Set(1, {0x000006B1, 0, 0, 0x0383FBFF})
        .Set(2, {0x03020101, 0, 0, 0x0C040883})
        .Unknown({0x03020101, 0, 0, 0x0C040883});
    const CpuInfo info = Detected(cpu);
    EXPECT_FALSE(cpu.Asked(0x80000002u));
    EXPECT_FALSE(cpu.Asked(0x80000005u));
    // 58 bytes, the trailing blank included: kept whole.
    EXPECT_EQ(info.name, "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache ");
    EXPECT_EQ(info.name.size(), 58u);
    EXPECT_EQ(info.l1CacheKb, 32);
    EXPECT_EQ(info.l2CacheKb, 512);
}

TEST(CpuProcessors, PentiumIII) {
    const CpuInfo info = Detected(PentiumIII());
    EXPECT_EQ(info.vendor, CpuVendor::Intel);
    EXPECT_EQ(info.name, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ");
    EXPECT_TRUE(info.hasSerialNumber);
    EXPECT_EQ(info.serialNumber, "0000-0683-1234-5678-9abc-def0");
    EXPECT_TRUE(info.hasSse);
    EXPECT_TRUE(info.hasSseFp);
    EXPECT_FALSE(info.hasSse2);
    EXPECT_FALSE(info.has3DNow);  // no extended features for Intel
}

TEST(CpuProcessors, Pentium4WithZerosFrom80000005) {
    const CpuInfo info = Detected(Pentium4());
    EXPECT_EQ(info.name, "Intel(R) Pentium(R) 4 CPU 2.80GHz");
    EXPECT_EQ(info.l1CacheKb, 8);    // from the descriptors (data; the trace cache is not added)
    EXPECT_EQ(info.l2CacheKb, 512);  // from 0x80000006, not the descriptors' 256
    EXPECT_EQ(info.l3CacheKb, -1);
    EXPECT_TRUE(info.hasSse2);
    EXPECT_EQ(info.serialNumber, "");
}

TEST(CpuProcessors, CurrentIntelFamily6UsesLeaf4AndItsBrandString) {
    DumpSource cpu = CoreI7();
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.name, "Intel(R) Core(TM) i7-6700 CPU @ 3.40GHz");
    EXPECT_EQ(info.family, 6u);
    EXPECT_EQ(info.model, 0xEu);
    EXPECT_EQ(info.extModel, 5u);
    EXPECT_EQ(info.l1CacheKb, 64);  // 32 KB data + 32 KB instructions
    EXPECT_EQ(info.l2CacheKb, 256);
    EXPECT_EQ(info.l3CacheKb, 8192);
    EXPECT_EQ(info.logicalProcessors, 16u);
    EXPECT_TRUE(cpu.Asked(4));
}

TEST(CpuProcessors, Leaf4FillsOnlyWhatIsUndetermined) {
    DumpSource cpu = CoreI7();
    cpu.Set(0x80000006u, {0, 0, 0x04006040, 0});  // 1024 KB by the extended function
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.l2CacheKb, 1024);
    EXPECT_EQ(info.l1CacheKb, 64);
    // Without leaf 4 in CPUID 0's range, descriptor 0xFF gives nothing.
    DumpSource old = CoreI7();
    old.Vendor(3, test::kIntel);
    const CpuInfo noLeaf4 = Detected(old);
    EXPECT_FALSE(old.Asked(4));
    EXPECT_EQ(noLeaf4.l1CacheKb, -1);
    EXPECT_EQ(noLeaf4.l3CacheKb, -1);
    EXPECT_EQ(noLeaf4.l2CacheKb, 256);
}

TEST(CpuProcessors, AthlonXp) {
    DumpSource cpu = AthlonXp();
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.vendor, CpuVendor::AMD);
    EXPECT_EQ(info.name, "AMD Athlon(tm) XP 2400+");
    EXPECT_EQ(info.l1CacheKb, 128);
    EXPECT_EQ(info.l2CacheKb, 256);
    EXPECT_EQ(info.l3CacheKb, -1);
    EXPECT_FALSE(cpu.Asked(2));  // the extended method was enough
    EXPECT_TRUE(info.has3DNow);
    EXPECT_TRUE(info.has3DNowExt);
    EXPECT_TRUE(info.hasMmxExt);
    EXPECT_TRUE(info.hasSseMmx);
    EXPECT_FALSE(info.isMpCapable);
}

TEST(CpuProcessors, AthlonWithoutBrandStringIsNamedByTheTable) {
    // Extended functions up to 0x80000001 only.
    EXPECT_EQ(Detected(AthlonXp(0x80000001u)).name, "Athlon\x99 XP (Thoroughbred core)");
    EXPECT_EQ(Detected(AthlonXp(0x80000001u, 0xC1CBFBFF)).name, "Athlon\x99 MP (Thoroughbred core)");
    const CpuInfo info = Detected(AthlonXp(0x80000001u));
    EXPECT_EQ(info.l1CacheKb, -1);
    EXPECT_EQ(info.l2CacheKb, -1);
}

TEST(CpuProcessors, CyrixMmxExtensionIsBit24) {
    DumpSource cpu;
    cpu.Vendor(1, "CyrixInstead")
        .Set(1, {0x00000540, 0, 0, 0x00808131})
        .Set(0x80000000u, {0x80000001u, 0, 0, 0})
        .Set(0x80000001u, {0, 0, 0, 0x81000000});
    const CpuInfo info = Detected(cpu);
    EXPECT_EQ(info.vendor, CpuVendor::Cyrix);
    EXPECT_EQ(info.name, "MediaGX GXm");
    EXPECT_TRUE(info.hasMmxExt);
    EXPECT_FALSE(info.hasSseMmx);
    EXPECT_TRUE(info.has3DNow);

    // On AMD bit 24 is not MMX+.
    const CpuInfo amd = Detected(AthlonXp(0x80000008u, 0x01000000));
    EXPECT_FALSE(amd.hasMmxExt);
}

TEST(CpuProcessors, CentaurAndTransmeta) {
    DumpSource samuel;
    samuel.Vendor(1, "CentaurHauls")
        .Set(1, {0x00000662, 0, 0, 0x00803035})
        .Set(0x80000000u, {0x80000001u, 0, 0, 0})
        .Set(0x80000001u, {0, 0, 0, 0x80000000});
    const CpuInfo via = Detected(samuel);
    EXPECT_EQ(via.vendor, CpuVendor::Centaur);
    EXPECT_EQ(via.name, "VIA Cyrix III - Samuel");
    EXPECT_TRUE(via.has3DNow);
    EXPECT_FALSE(via.hasMmxExt);  // bit 22 is MMX+ on AMD only

    DumpSource crusoe;
    crusoe.Vendor(1, "GenuineTMx86")
        .Set(1, {0x00000543, 0, 0, 0x0080893F})
        .Set(0x80000000u, {0x80000006u, 0, 0, 0})
        .Set(0x80000005u, {0, 0, 0x40000000, 0x40000000})
        .Set(0x80000006u, {0, 0, 0x01000000, 0});
    const CpuInfo tm = Detected(crusoe);
    EXPECT_EQ(tm.vendor, CpuVendor::Transmeta);
    EXPECT_EQ(tm.l1CacheKb, 128);
    EXPECT_EQ(tm.l2CacheKb, 256);
    // 0x80000002 is reported but answers nothing: the table names it.
    EXPECT_EQ(tm.name, "Crusoe TM3x00 and TM5x00");
}

TEST(CpuBrandString, LeadingBlanksAndNulsOnlyForIntel) {
    DumpSource shape;
    shape.Brand(std::string("  \0 \0Name here", 15));
    CpuidRegs regs[3] = {shape.Query(0x80000002u), shape.Query(0x80000003u), shape.Query(0x80000004u)};
    EXPECT_EQ(BrandString(regs, true), "Name here");
    // Another vendor's text stops at its first NUL.
    EXPECT_EQ(BrandString(regs, false), "  ");

    DumpSource full;
    const std::string fortyEight(48, 'x');
    full.Brand(fortyEight);
    CpuidRegs all[3] = {full.Query(0x80000002u), full.Query(0x80000003u), full.Query(0x80000004u)};
    EXPECT_EQ(BrandString(all, true), fortyEight);

    DumpSource blank;
    blank.Brand(std::string(48, ' '));
    CpuidRegs blanks[3] = {blank.Query(0x80000002u), blank.Query(0x80000003u), blank.Query(0x80000004u)};
    EXPECT_EQ(BrandString(blanks, true), "");

    DumpSource middle;
    middle.Brand(std::string("AMD\0hidden", 10));
    CpuidRegs cut[3] = {middle.Query(0x80000002u), middle.Query(0x80000003u), middle.Query(0x80000004u)};
    EXPECT_EQ(BrandString(cut, false), "AMD");
}

TEST(CpuBrandString, ABlankAnswerFallsBackToTheTable) {
    DumpSource cpu = Pentium4();
    cpu.Brand(std::string(47, ' '));
    EXPECT_EQ(Detected(cpu).name, "Pentium\xAE IV (0.13 \xB5m)");
}

CpuInfo Model(CpuVendor vendor, uint32_t family, uint32_t model, uint32_t extFamily = 0) {
    CpuInfo info;
    info.vendor = vendor;
    info.family = family;
    info.model = model;
    info.extFamily = extFamily;
    return info;
}

TEST(CpuNameTable, IntelRowsAndFallbacks) {
    using V = CpuVendor;
    EXPECT_EQ(TableName(Model(V::Intel, 3, 0)), "Newer i80386 family");
    EXPECT_EQ(TableName(Model(V::Intel, 4, 0)), "i80486DX-25/33");
    EXPECT_EQ(TableName(Model(V::Intel, 4, 5)), "i80486SX2");
    EXPECT_EQ(TableName(Model(V::Intel, 4, 6)), "Unknown 80486 family");
    EXPECT_EQ(TableName(Model(V::Intel, 4, 9)), "i80486DX4 WriteBack");
    EXPECT_EQ(TableName(Model(V::Intel, 4, 10)), "Unknown 80486 family");
    EXPECT_EQ(TableName(Model(V::Intel, 5, 2)), "P54C");
    EXPECT_EQ(TableName(Model(V::Intel, 5, 7)), "P54C");
    EXPECT_EQ(TableName(Model(V::Intel, 5, 8)), "P55C (0.25\xB5m)");
    EXPECT_EQ(TableName(Model(V::Intel, 5, 5)), "Unknown Pentium\xAE family");
    EXPECT_EQ(TableName(Model(V::Intel, 6, 1)), "P6");
    EXPECT_EQ(TableName(Model(V::Intel, 6, 2)), "Unknown P6 family");
    EXPECT_EQ(TableName(Model(V::Intel, 6, 6)), "Pentium\xAE II With On-Die L2 Cache");
    EXPECT_EQ(TableName(Model(V::Intel, 6, 9)), "Unknown P6 family");
    const std::string coppermine = TableName(Model(V::Intel, 6, 8));
    EXPECT_EQ(coppermine, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ");
    EXPECT_EQ(coppermine.size(), 51u);
    const std::string cascades = TableName(Model(V::Intel, 6, 10));
    EXPECT_EQ(cascades, "Pentium\xAE III (0.18 \xB5m) With 1 Or 2 MB On-Die L2 Cache ");
    EXPECT_EQ(cascades.size(), 54u);
    EXPECT_EQ(TableName(Model(V::Intel, 6, 12)), "Unknown P6 family");
    EXPECT_EQ(TableName(Model(V::Intel, 7, 0)), "Intel Merced (IA-64)");
    EXPECT_EQ(TableName(Model(V::Intel, 15, 1)), "Pentium\xAE IV (0.18 \xB5m)");
    EXPECT_EQ(TableName(Model(V::Intel, 15, 2)), "Pentium\xAE IV (0.13 \xB5m)");
    EXPECT_EQ(TableName(Model(V::Intel, 15, 3)), "Unknown Pentium 4 family");
    EXPECT_EQ(TableName(Model(V::Intel, 15, 0, 1)), "Intel McKinley (IA-64)");
    CpuInfo kept = Model(V::Intel, 15, 0, 2);
    kept.name = "as it was";
    EXPECT_EQ(TableName(kept), "as it was");
    EXPECT_EQ(TableName(Model(V::Intel, 8, 0)), "Unknown Intel family");
    EXPECT_EQ(TableName(Model(V::Intel, 0, 0)), "Unknown Intel family");
}

TEST(CpuNameTable, OtherVendorsRowsAndFallbacks) {
    using V = CpuVendor;
    EXPECT_EQ(TableName(Model(V::AMD, 4, 3)), "80486DX2");
    EXPECT_EQ(TableName(Model(V::AMD, 4, 15)), "5x86WB");
    EXPECT_EQ(TableName(Model(V::AMD, 4, 4)), "Unknown 80486 family");
    EXPECT_EQ(TableName(Model(V::AMD, 5, 0)), "SSA5 (PR75, PR90, PR100)");
    EXPECT_EQ(TableName(Model(V::AMD, 5, 6)), "K6 (0.30 \xB5m)");
    EXPECT_EQ(TableName(Model(V::AMD, 5, 13)), "K6-2+ or K6-III+ (0.18 \xB5m)");
    EXPECT_EQ(TableName(Model(V::AMD, 5, 10)), "Unknown 80586 family");
    EXPECT_EQ(TableName(Model(V::AMD, 6, 1)), "Athlon\x99 (0.25 \xB5m)");
    EXPECT_EQ(TableName(Model(V::AMD, 6, 7)), "Duron\x99 (Morgan core)");
    EXPECT_EQ(TableName(Model(V::AMD, 6, 5)), "Unknown K7 family");
    EXPECT_EQ(TableName(Model(V::AMD, 6, 9)), "Unknown K7 family");
    EXPECT_EQ(TableName(Model(V::AMD, 15, 4)), "Unknown AMD family");
    EXPECT_EQ(TableName(Model(V::NSC, 5, 4)), "Cx486SLC \\ DLC \\ Cx486S A-Step");
    EXPECT_EQ(TableName(Model(V::UMC, 4, 2)), "U5S");
    EXPECT_EQ(TableName(Model(V::UMC, 4, 3)), "Unknown UMC family");
    EXPECT_EQ(TableName(Model(V::UMC, 5, 1)), "Unknown UMC family");
    EXPECT_EQ(TableName(Model(V::Cyrix, 4, 4)), "MediaGX GX, GXm");
    EXPECT_EQ(TableName(Model(V::Cyrix, 4, 9)), "5x86");
    EXPECT_EQ(TableName(Model(V::Cyrix, 4, 2)), "Unknown Cx5x86 family");
    EXPECT_EQ(TableName(Model(V::Cyrix, 5, 2)), "Cx6x86");
    EXPECT_EQ(TableName(Model(V::Cyrix, 5, 3)), "Unknown Cx6x86 family");
    EXPECT_EQ(TableName(Model(V::Cyrix, 6, 7)), "WinChip C5B\\C5C Core");
    EXPECT_EQ(TableName(Model(V::Cyrix, 6, 8)), "WinChip C5C-T Core");
    EXPECT_EQ(TableName(Model(V::Cyrix, 6, 9)), "Unknown 6x86MX\\Cyrix III family");
    EXPECT_EQ(TableName(Model(V::Cyrix, 7, 0)), "Unknown Cyrix family");
    EXPECT_EQ(TableName(Model(V::NexGen, 5, 0)), "Nx586 or Nx586FPU");
    EXPECT_EQ(TableName(Model(V::NexGen, 5, 1)), "Unknown NexGen family");
    EXPECT_EQ(TableName(Model(V::Centaur, 5, 8)), "C2");
    EXPECT_EQ(TableName(Model(V::Centaur, 5, 9)), "C3");
    EXPECT_EQ(TableName(Model(V::Centaur, 6, 7)), "Unknown IDT\\Centaur family");
    EXPECT_EQ(TableName(Model(V::Rise, 5, 0)), "mP6 (0.25 \xB5m)");
    EXPECT_EQ(TableName(Model(V::Rise, 5, 2)), "mP6 (0.18 \xB5m)");
    EXPECT_EQ(TableName(Model(V::Rise, 5, 1)), "Unknown Rise family");
    EXPECT_EQ(TableName(Model(V::Rise, 6, 0)), "Unknown Rise family");
    EXPECT_EQ(TableName(Model(V::Transmeta, 5, 5)), "Unknown Crusoe family");
    EXPECT_EQ(TableName(Model(V::Transmeta, 6, 4)), "Unknown Transmeta family");
    EXPECT_EQ(TableName(Model(V::Other, 6, 0)), "Unknown family");
}

TEST(CpuSerialNumber, SignatureThenEdxThenEcxHighByteFirst) {
    EXPECT_EQ(SerialNumberText(0x00000683, 0x12345678, 0x9ABCDEF0), "0000-0683-1234-5678-9abc-def0");
    EXPECT_EQ(SerialNumberText(0xFFFFFFFF, 0, 0x0000000A), "ffff-ffff-0000-0000-0000-000a");
    // Without function 3 in range there is no serial number.
    DumpSource cpu = PentiumIII();
    cpu.Vendor(2, test::kIntel);
    const CpuInfo info = Detected(cpu);
    EXPECT_TRUE(info.hasSerialNumber);
    EXPECT_EQ(info.serialNumber, "");
    EXPECT_FALSE(cpu.Asked(3));
}

TEST(CpuClock, Arithmetic) {
    EXPECT_EQ(TscClockMhz(120000000 + 5000, 5000), 2400u);
    EXPECT_EQ(TscClockMhz(49999, 0), 0u);
    EXPECT_EQ(TscClockMhz(50000, 0), 1u);
    // b not below a: 0, never a wrapped huge value.
    EXPECT_EQ(TscClockMhz(1000, 1000), 0u);
    EXPECT_EQ(TscClockMhz(1000, 1001), 0u);
    EXPECT_EQ(TscClockMhz(0, UINT64_MAX), 0u);

    // 430,000,000 / 1 s / 1,048,576 = 410.08.
    EXPECT_EQ(LegacyClockMhz(5, 1000, 1000), 410u);
    EXPECT_EQ(LegacyClockMhz(4, 500, 1000), 896u);    // 470e6 / 0.5 / 2^20 = 896.45
    EXPECT_EQ(LegacyClockMhz(3, 10000, 1000), 109u);  // 1150e6 / 10 / 2^20 = 109.67
    EXPECT_EQ(LegacyClockMhz(6, 1000, 1000), 0u);
    EXPECT_EQ(LegacyClockMhz(2, 1000, 1000), 0u);
    EXPECT_EQ(LegacyClockMhz(5, 0, 1000), 0u);
    EXPECT_EQ(LegacyClockMhz(5, 1000, 0), 0u);
}

TEST(CpuClock, TscFirstThenTheLegacyEstimate) {
    CountingClock clock;
    clock.tscMhz = 2800;
    clock.legacyMhz = 99;
    CpuInfo info = Detected(Pentium4(), clock);
    EXPECT_EQ(info.clockMhz, 2800u);
    EXPECT_EQ(info.legacyClockMhz, 0u);
    EXPECT_EQ(clock.legacyCalls, 0);

    clock.tscMhz = 0;  // a zero result leads to the estimate
    info = Detected(Pentium4(), clock);
    EXPECT_EQ(info.clockMhz, 0u);
    EXPECT_EQ(info.legacyClockMhz, 99u);
    EXPECT_EQ(clock.lastFamily, 15u);

    DumpSource noTsc;
    noTsc.Vendor(1, test::kIntel).Set(1, {0x00000435, 0, 0, 0x00000001});
    CountingClock old;
    old.tscMhz = 500;
    old.legacyMhz = 33;
    info = Detected(noTsc, old);
    EXPECT_EQ(old.tscCalls, 0);
    EXPECT_EQ(info.legacyClockMhz, 33u);
    EXPECT_EQ(old.lastFamily, 4u);
}

TEST(CpuClock, FreshClockMeasuresOncePerStartUp) {
    CountingClock inner;
    inner.tscMhz = 3000;
    uint32_t now = 0xFFFFF000u;  // just before the tick count wraps
    FreshClock clock(inner, [&now] { return now; }, 10000);
    DumpSource cpu = CoreI7();
    CpuInfo first;
    first.Detect(cpu, clock);
    now += 6000;  // wraps; still fresh
    inner.tscMhz = 2999;
    CpuInfo second;
    second.Detect(cpu, clock);
    EXPECT_EQ(inner.tscCalls, 1);
    EXPECT_EQ(second.clockMhz, 3000u);
    EXPECT_EQ(second.name, first.name);
    EXPECT_EQ(second.l3CacheKb, first.l3CacheKb);
    now += 4001;  // older than 10 s: measured again
    EXPECT_EQ(clock.TscMhz(), 2999u);
    EXPECT_EQ(inner.tscCalls, 2);

    // A failed measurement is not kept.
    CountingClock failing;
    FreshClock retry(failing, [] { return 5u; }, 10000);
    EXPECT_EQ(retry.TscMhz(), 0u);
    failing.tscMhz = 1200;
    EXPECT_EQ(retry.TscMhz(), 1200u);
    EXPECT_EQ(retry.TscMhz(), 1200u);
    EXPECT_EQ(failing.tscCalls, 2);

    // The legacy estimate is kept per family.
    failing.legacyMhz = 75;
    EXPECT_EQ(retry.LegacyMhz(5), 75u);
    EXPECT_EQ(retry.LegacyMhz(5), 75u);
    EXPECT_EQ(failing.legacyCalls, 1);
    EXPECT_EQ(retry.LegacyMhz(4), 75u);
    EXPECT_EQ(failing.legacyCalls, 2);
}

TEST(CpuDetect, ASecondDetectionStartsAgainFromTheInitialValues) {
    CpuInfo info;
    CountingClock clock;
    info.Detect(AthlonXp(), clock);
    ASSERT_TRUE(info.has3DNow);
    DumpSource plain;
    plain.Vendor(1, test::kIntel).Set(1, {0x00000683, 0, 0, 0});
    info.Detect(plain, clock);
    EXPECT_FALSE(info.has3DNow);
    EXPECT_EQ(info.l1CacheKb, -1);
    EXPECT_EQ(info.l2CacheKb, -1);
    EXPECT_EQ(info.vendorString, "GenuineIntel");
    EXPECT_EQ(info.name, "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ");
}

}  // namespace
