#include "probes/cpu_text.h"

#include "framework/text_format.h"

namespace ovix::cpu {
namespace {

constexpr FeatureRow kInstructionSets[] = {
    {"MMX", feature::kMmx},       {"MMX+", feature::kMmxExt},
    {"SSE", feature::kSse},       {"SSE2", feature::kSse2},
    {"SSE FP", feature::kSseFp},  {"SSE MMX", feature::kSseMmx},
    {"3DNow", feature::k3DNow},   {"3DNow+", feature::k3DNowExt},
    {"IA-64", feature::kIa64},    {"Hyper-Threading", feature::kHyperThreading},
    {"CMOV", feature::kCmov},     {"MTRR", feature::kMtrr},
};

constexpr FeatureRow kPowerManagement[] = {
    {"Temperature Sensing Diode", feature::kTempDiode},
    {"Frequency ID (FID) Control", feature::kFrequencyId},
    {"Voltage ID (VID) Control", feature::kVoltageId},
};

constexpr FeatureRow kMisc[] = {
    {"APIC present", feature::kApic},
    {"ACPI", feature::kAcpi},
    {"Thermal monitor", feature::kThermalMonitor},
};

std::string CacheLine(int level, int32_t kb) {
    if (kb > 0) return fw::Format("L%d Size: %d Kb", level, kb);
    return fw::Format("L%d: Not exist", level);
}

}  // namespace

std::string TrademarkLine(const CpuInfo& info) { return fw::Format("Trademark: %s", info.vendorString.c_str()); }

std::string NameLine(const CpuInfo& info) { return fw::Format("Name: %s", info.name.c_str()); }

uint32_t EffectiveClockMhz(const CpuInfo& info) { return info.clockMhz != 0 ? info.clockMhz : info.legacyClockMhz; }

std::string SpeedClockLine(const CpuInfo& info) { return fw::Format("Speed clock: %u MHz", EffectiveClockMhz(info)); }

std::string SerialNumberLine(const CpuInfo& info) {
    if (info.hasSerialNumber && !info.serialNumber.empty()) {
        return fw::Format("Serial number: %s", info.serialNumber.c_str());
    }
    return "Serial number: Not available";
}

std::string MultiplierLine(uint32_t clockMhz, uint32_t busMhz) {
    if (clockMhz == 0 || busMhz == 0) return "Multiplier: Not find";
    const float ratio = static_cast<float>(clockMhz) / static_cast<float>(busMhz);
    return fw::Format("Multiplier: %.2fx", static_cast<double>(ratio));
}

std::string MultiplierLine(const CpuInfo& info) { return MultiplierLine(EffectiveClockMhz(info), info.busMhz); }

std::string L1CacheLine(const CpuInfo& info) { return CacheLine(1, info.l1CacheKb); }
std::string L2CacheLine(const CpuInfo& info) { return CacheLine(2, info.l2CacheKb); }
std::string L3CacheLine(const CpuInfo& info) {
    return info.l3CacheKb > 0 ? fw::Format("L3 Size: %d Kb", info.l3CacheKb) : std::string();
}

std::span<const FeatureRow> InstructionSetRows() { return kInstructionSets; }
std::span<const FeatureRow> PowerManagementRows() { return kPowerManagement; }
std::span<const FeatureRow> MiscRows() { return kMisc; }

std::vector<std::pair<std::string, bool>> FeaturePairs(std::span<const FeatureRow> rows, const CpuInfo& info) {
    std::vector<std::pair<std::string, bool>> pairs;
    pairs.reserve(rows.size());
    for (const FeatureRow& row : rows) pairs.emplace_back(row.name, info.HasFeature(row.mask));
    return pairs;
}

}  // namespace ovix::cpu
