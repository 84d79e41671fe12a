// The processor lines of the fact sheet and of the "CPU" section.
#include "probes/cpu_text.h"

#include "probes/fact_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ovix::cpu;

TEST(CpuText, SpeedSerialNumberAndCacheLines) {
    CpuInfo info;
    EXPECT_EQ(L1CacheLine(info) + "|" + L2CacheLine(info) + "|" + L3CacheLine(info), "L1: Not exist|L2: Not exist|");
    info.clockMhz = 1266;
    info.legacyClockMhz = 133;
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: 1266 MHz");
    info.clockMhz = 0;  // without a time-stamp counter the estimate is shown
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: 133 MHz");
    info.serialNumber = "0000-0683-1234-5678-9abc-def0";
    EXPECT_EQ(SerialNumberLine(info), "Serial number: Not available");  // the flag is off
    info.hasSerialNumber = true;
    EXPECT_EQ(SerialNumberLine(info), "Serial number: 0000-0683-1234-5678-9abc-def0");
    info.serialNumber.clear();  // reported, but function 3 out of range
    EXPECT_EQ(SerialNumberLine(info), "Serial number: Not available");
    info.l1CacheKb = 1;
    info.l2CacheKb = 0;  // "no L2" by descriptor 0x40
    info.l3CacheKb = 8192;
    EXPECT_EQ(L1CacheLine(info) + "|" + L2CacheLine(info) + "|" + L3CacheLine(info),
              "L1 Size: 1 Kb|L2: Not exist|L3 Size: 8192 Kb");
    info.l3CacheKb = 0;
    EXPECT_EQ(L3CacheLine(info), "");
}

TEST(CpuText, Multiplier) {
    EXPECT_EQ(MultiplierLine(2400, 200), "Multiplier: 12.00x");
    // Single precision: 4294967295 becomes 4294967296.0f.
    EXPECT_EQ(MultiplierLine(4294967295u, 1), "Multiplier: 4294967296.00x");
    EXPECT_EQ(MultiplierLine(2400, 0), "Multiplier: Not find");
    EXPECT_EQ(MultiplierLine(0, 200), "Multiplier: Not find");
    // The record's own bus clock, over the estimate when the counter gave nothing.
    CpuInfo info;
    info.legacyClockMhz = 90;
    info.busMhz = 60;
    EXPECT_EQ(MultiplierLine(info), "Multiplier: 1.50x");
    info.clockMhz = 180;
    EXPECT_EQ(MultiplierLine(info), "Multiplier: 3.00x");
    info.busMhz = 0;
    EXPECT_EQ(MultiplierLine(info), "Multiplier: Not find");
}

std::string Lines(std::span<const FeatureRow> rows, const CpuInfo& info) {
    std::string lines;
    for (const auto& [name, present] : FeaturePairs(rows, info)) {
        lines += ovix::FeatureLine(name.c_str(), present) + "|";
    }
    return lines;
}

// Two processors with opposite flags: each line follows its own flag.
TEST(CpuText, FeatureListsInTreeOrder) {
    CpuInfo athlon;
    athlon.hasMmx = athlon.hasMmxExt = athlon.hasSse = athlon.hasSseFp = athlon.hasSseMmx = true;
    athlon.has3DNow = athlon.has3DNowExt = athlon.hasCmov = athlon.hasMtrr = athlon.hasApic = true;
    CpuInfo p4;
    p4.hasSse2 = p4.hasIa64 = p4.hasHyperThreading = p4.hasAcpi = p4.hasThermalMonitor = true;
    EXPECT_EQ(Lines(InstructionSetRows(), athlon), "MMX: yes|MMX+: yes|SSE: yes|SSE2: no|SSE FP: yes|SSE MMX: yes|"
                                                   "3DNow: yes|3DNow+: yes|IA-64: no|Hyper-Threading: no|CMOV: yes|"
                                                   "MTRR: yes|");
    EXPECT_EQ(Lines(InstructionSetRows(), p4), "MMX: no|MMX+: no|SSE: no|SSE2: yes|SSE FP: no|SSE MMX: no|3DNow: no|"
                                               "3DNow+: no|IA-64: yes|Hyper-Threading: yes|CMOV: no|MTRR: no|");
    EXPECT_EQ(Lines(MiscRows(), athlon), "APIC present: yes|ACPI: no|Thermal monitor: no|");
    EXPECT_EQ(Lines(MiscRows(), p4), "APIC present: no|ACPI: yes|Thermal monitor: yes|");
    EXPECT_EQ(Lines(PowerManagementRows(), p4),
              "Temperature Sensing Diode: no|Frequency ID (FID) Control: no|Voltage ID (VID) Control: no|");
}

}  // namespace
