// The lines the processor identification gives the fact sheet and the "CPU"
// section of the tree: plain functions of a detected CpuInfo.
#pragma once

#include "probes/cpu_info.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace ovix::cpu {

// Fact sheet: "Trademark: %s" (the vendor string), "Name: %s",
// "Speed clock: %u MHz" (the measured clock, or the legacy estimate when the
// time-stamp counter gave none).
std::string TrademarkLine(const CpuInfo& info);
std::string NameLine(const CpuInfo& info);
std::string SpeedClockLine(const CpuInfo& info);
// The clock the speed line shows and the multiplier divides.
uint32_t EffectiveClockMhz(const CpuInfo& info);

// "Serial number: %s", or "Serial number: Not available".
std::string SerialNumberLine(const CpuInfo& info);

// "Multiplier: %.2fx" of clock / bus in single precision; "Multiplier: Not find"
// when either clock is 0 (no division by zero, no "inf").
std::string MultiplierLine(uint32_t clockMhz, uint32_t busMhz);
// The same with the processor's own clock (EffectiveClockMhz) and the bus
// clock taken at its detection.
std::string MultiplierLine(const CpuInfo& info);

// "L1 Size: %d Kb" or "L1: Not exist", the same for L2; the L3 line is empty
// (nothing to insert) unless a level-3 cache exists.
std::string L1CacheLine(const CpuInfo& info);
std::string L2CacheLine(const CpuInfo& info);
std::string L3CacheLine(const CpuInfo& info);

// One "name: yes" / "name: no" line of a feature list.
struct FeatureRow {
    const char* name;
    uint32_t mask;  // for CpuInfo::HasFeature
};
// The twelve instruction sets from the identification (MMX ... MTRR), in tree order.
std::span<const FeatureRow> InstructionSetRows();
// "Temperature Sensing Diode", "Frequency ID (FID) Control", "Voltage ID (VID) Control".
std::span<const FeatureRow> PowerManagementRows();
// "APIC present", "ACPI", "Thermal monitor".
std::span<const FeatureRow> MiscRows();

// (name, present) pairs of a table for one processor.
std::vector<std::pair<std::string, bool>> FeaturePairs(std::span<const FeatureRow> rows, const CpuInfo& info);

}  // namespace ovix::cpu
