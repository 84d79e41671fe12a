// The processor lines of the fact sheet and of the "CPU" section.
#include "probes/cpu_text.h"

#include "probes/fact_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ovix::cpu;

std::string Lines(const CpuInfo& info) {
    return SpeedClockLine(info) + "|" + MultiplierLine(info) + "|" + SerialNumberLine(info) + "|" +
           L1CacheLine(info) + "|" + L2CacheLine(info) + "|" + L3CacheLine(info);
}

TEST(CpuText, SpeedMultiplierSerialNumberAndCacheLines) {
    CpuInfo info;
    info.legacyClockMhz = 133;  // without a time-stamp counter the estimate is shown
    info.serialNumber = "0000-0683-1234-5678-9abc-def0";  // but the flag is off
    EXPECT_EQ(Lines(info), "Speed clock: 133 MHz|Multiplier: Not find|Serial number: Not available|L1: Not exist|"
                           "L2: Not exist|");
    info.clockMhz = 1266;
    info.busMhz = 100;  // the record's own bus clock
    info.hasSerialNumber = true;
    info.l1CacheKb = 1;
    info.l2CacheKb = 0;  // "no L2" by descriptor 0x40
    info.l3CacheKb = 8192;
    EXPECT_EQ(Lines(info), "Speed clock: 1266 MHz|Multiplier: 12.66x|Serial number: 0000-0683-1234-5678-9abc-def0|"
                           "L1 Size: 1 Kb|L2: Not exist|L3 Size: 8192 Kb");
    info.clockMhz = 0;
    info.busMhz = 60;
    info.serialNumber.clear();  // reported, but function 3 out of range
    info.l3CacheKb = 0;
    EXPECT_EQ(Lines(info), "Speed clock: 133 MHz|Multiplier: 2.22x|Serial number: Not available|L1 Size: 1 Kb|"
                           "L2: Not exist|");
    // Single precision: 4294967295 becomes 4294967296.0f. No clock, no multiplier.
    EXPECT_EQ(MultiplierLine(4294967295u, 1) + "|" + MultiplierLine(0, 200),
              "Multiplier: 4294967296.00x|Multiplier: Not find");
}

// In tree order, each line following its own flag.
TEST(CpuText, FeatureListsInTreeOrder) {
    CpuInfo info;
    info.hasMmx = info.hasSse = info.hasSseFp = info.has3DNow = info.hasIa64 = info.hasCmov = true;
    info.hasApic = info.hasThermalMonitor = info.hasFrequencyId = true;
    std::string lines;
    for (const auto rows : {InstructionSetRows(), MiscRows(), PowerManagementRows()}) {
        for (const auto& [name, on] : FeaturePairs(rows, info)) lines += ovix::FeatureLine(name.c_str(), on) + "|";
    }
    EXPECT_EQ(lines, "MMX: yes|MMX+: no|SSE: yes|SSE2: no|SSE FP: yes|SSE MMX: no|3DNow: yes|3DNow+: no|IA-64: yes|"
                     "Hyper-Threading: no|CMOV: yes|MTRR: no|APIC present: yes|ACPI: no|Thermal monitor: yes|"
                     "Temperature Sensing Diode: no|Frequency ID (FID) Control: yes|Voltage ID (VID) Control: no|");
}

}  // namespace
