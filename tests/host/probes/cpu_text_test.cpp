// The processor lines of the fact sheet and of the "CPU" section.
#include "probes/cpu_text.h"

#include "probes/fact_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ovix::cpu;

TEST(CpuText, FactSheetLines) {
    CpuInfo info;
    info.vendorString = "GenuineIntel";
    info.name = "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache ";
    info.clockMhz = 1266;
    EXPECT_EQ(TrademarkLine(info), "Trademark: GenuineIntel");
    EXPECT_EQ(NameLine(info), "Name: Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache ");
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: 1266 MHz");
    // Without a time-stamp counter the estimate is shown.
    info.clockMhz = 0;
    info.legacyClockMhz = 133;
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: 133 MHz");
    EXPECT_EQ(EffectiveClockMhz(info), 133u);
    info.legacyClockMhz = 0;
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: 0 MHz");
    // No identification at all.
    const CpuInfo none;
    EXPECT_EQ(TrademarkLine(none), "Trademark: ");
    EXPECT_EQ(NameLine(none), "Name: ");
}

TEST(CpuText, SerialNumberLine) {
    CpuInfo info;
    EXPECT_EQ(SerialNumberLine(info), "Serial number: Not available");
    info.hasSerialNumber = true;  // reported, but function 3 out of range
    EXPECT_EQ(SerialNumberLine(info), "Serial number: Not available");
    info.serialNumber = "0000-0683-1234-5678-9abc-def0";
    EXPECT_EQ(SerialNumberLine(info), "Serial number: 0000-0683-1234-5678-9abc-def0");
}

TEST(CpuText, Multiplier) {
    EXPECT_EQ(MultiplierLine(2400, 200), "Multiplier: 12.00x");
    EXPECT_EQ(MultiplierLine(1000, 133), "Multiplier: 7.52x");
    EXPECT_EQ(MultiplierLine(3400, 100), "Multiplier: 34.00x");
    EXPECT_EQ(MultiplierLine(100, 400), "Multiplier: 0.25x");
    // Single precision: 4294967295 becomes 4294967296.0f.
    EXPECT_EQ(MultiplierLine(4294967295u, 1), "Multiplier: 4294967296.00x");
    EXPECT_EQ(MultiplierLine(2400, 0), "Multiplier: Not find");
    EXPECT_EQ(MultiplierLine(0, 200), "Multiplier: Not find");
    EXPECT_EQ(MultiplierLine(0, 0), "Multiplier: Not find");
    CpuInfo info;
    info.legacyClockMhz = 90;
    EXPECT_EQ(MultiplierLine(info, 60), "Multiplier: 1.50x");
    info.clockMhz = 180;
    EXPECT_EQ(MultiplierLine(info, 60), "Multiplier: 3.00x");
}

TEST(CpuText, CacheLines) {
    CpuInfo info;
    EXPECT_EQ(L1CacheLine(info), "L1: Not exist");
    EXPECT_EQ(L2CacheLine(info), "L2: Not exist");
    EXPECT_EQ(L3CacheLine(info), "");
    info.l1CacheKb = 64;
    info.l2CacheKb = 0;  // "no L2" by descriptor 0x40
    info.l3CacheKb = 0;
    EXPECT_EQ(L1CacheLine(info), "L1 Size: 64 Kb");
    EXPECT_EQ(L2CacheLine(info), "L2: Not exist");
    EXPECT_EQ(L3CacheLine(info), "");
    info.l1CacheKb = 1;
    info.l2CacheKb = 1024;
    info.l3CacheKb = 8192;
    EXPECT_EQ(L1CacheLine(info), "L1 Size: 1 Kb");
    EXPECT_EQ(L2CacheLine(info), "L2 Size: 1024 Kb");
    EXPECT_EQ(L3CacheLine(info), "L3 Size: 8192 Kb");
}

std::vector<std::string> Lines(std::span<const FeatureRow> rows, const CpuInfo& info) {
    std::vector<std::string> lines;
    for (const auto& [name, present] : FeaturePairs(rows, info)) lines.push_back(ovix::FeatureLine(name.c_str(), present));
    return lines;
}

TEST(CpuText, InstructionSetsInTreeOrder) {
    CpuInfo athlon;
    athlon.hasMmx = athlon.hasMmxExt = athlon.hasSse = athlon.hasSseFp = athlon.hasSseMmx = true;
    athlon.has3DNow = athlon.has3DNowExt = athlon.hasCmov = athlon.hasMtrr = true;
    athlon.hasHyperThreading = false;
    const std::vector<std::string> expected = {
        "MMX: yes", "MMX+: yes", "SSE: yes", "SSE2: no", "SSE FP: yes", "SSE MMX: yes",
        "3DNow: yes", "3DNow+: yes", "IA-64: no", "Hyper-Threading: no", "CMOV: yes", "MTRR: yes",
    };
    EXPECT_EQ(Lines(InstructionSetRows(), athlon), expected);

    // Each row follows its own flag only.
    bool CpuInfo::*flags[] = {&CpuInfo::hasMmx,  &CpuInfo::hasMmxExt,   &CpuInfo::hasSse,
                              &CpuInfo::hasSse2, &CpuInfo::hasSseFp,    &CpuInfo::hasSseMmx,
                              &CpuInfo::has3DNow, &CpuInfo::has3DNowExt, &CpuInfo::hasIa64,
                              &CpuInfo::hasHyperThreading, &CpuInfo::hasCmov, &CpuInfo::hasMtrr};
    ASSERT_EQ(InstructionSetRows().size(), std::size(flags));
    for (size_t i = 0; i < std::size(flags); ++i) {
        CpuInfo one;
        one.*flags[i] = true;
        const auto pairs = FeaturePairs(InstructionSetRows(), one);
        for (size_t j = 0; j < pairs.size(); ++j) EXPECT_EQ(pairs[j].second, i == j) << pairs[j].first;
    }
}

TEST(CpuText, PowerManagementAndMisc) {
    CpuInfo info;
    info.hasApic = true;
    info.hasThermalMonitor = true;
    EXPECT_EQ(Lines(PowerManagementRows(), info),
              (std::vector<std::string>{"Temperature Sensing Diode: no", "Frequency ID (FID) Control: no",
                                        "Voltage ID (VID) Control: no"}));
    EXPECT_EQ(Lines(MiscRows(), info),
              (std::vector<std::string>{"APIC present: yes", "ACPI: no", "Thermal monitor: yes"}));
    info.hasAcpi = true;
    info.hasApic = false;
    EXPECT_EQ(Lines(MiscRows(), info),
              (std::vector<std::string>{"APIC present: no", "ACPI: yes", "Thermal monitor: yes"}));
}

}  // namespace
