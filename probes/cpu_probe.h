// The processor identification on the real machine: the CPUID instruction as
// a source, the clock measured with the time-stamp counter against the
// performance counter, the system's figures for the processor load, and the
// objects the main window owns.
#pragma once

#include "probes/cpu_info.h"
#include "probes/cpu_usage.h"

#include <cstdint>

namespace ovix::wmi {
class RowSource;
}

namespace ovix::cpu {

// CPUID exists: the EFLAGS ID bit can be toggled (always on x86-64).
bool IsCpuidSupported();

class InstructionSource : public CpuidSource {
public:
    bool Supported() const override;
    CpuidRegs Query(uint32_t function, uint32_t subleaf = 0) const override;
};

// The bus clock is Win32_Processor's ExtClock, read from rows (null: the
// management service).
class CounterClock : public CpuClock {
public:
    explicit CounterClock(wmi::RowSource* rows = nullptr) : rows_(rows) {}
    uint32_t TscMhz() override;
    uint32_t LegacyMhz(uint32_t family) override;
    uint32_t BusMhz() override;

private:
    wmi::RowSource* rows_;
};

// The timed loop of the legacy estimate, run for any family that has a
// constant (3, 4, 5): exposed so that it can be run where a time-stamp counter exists.
uint32_t MeasureLegacyMhz(uint32_t family);

// The processor record of the main window. Detection runs when the window is
// created and again before the tree is built; both give the same record, and
// the 50 ms clock measurement and the bus clock are taken once while they are
// fresh (kFreshMs). processorRows replaces the management service in tests.
class CpuProbe {
public:
    static constexpr uint32_t kFreshMs = 10000;
    explicit CpuProbe(wmi::RowSource* processorRows = nullptr);
    const CpuInfo& Detect();
    const CpuInfo& Info() const { return info_; }

private:
    InstructionSource source_;
    CounterClock counter_;
    FreshClock clock_;
    CpuInfo info_;
};

// GetVersionExA, HKEY_PERFORMANCE_DATA "Global" and GetSystemTimes (looked up
// at run time: Windows 2000 has none). Keeps only the buffer size that fitted
// the performance data, for every owner's next reading.
class SystemUsageSource : public UsageSource {
public:
    System Classify() override;
    bool ReadPerformanceData(std::vector<uint8_t>& block) override;
    bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override;

private:
    PerformanceDataReader reader_;
};
UsageSource& SystemUsage();

// One owner's processor-load reading (the gauge 491 of timer 600, the
// processes window): Next() once per tick.
class CpuLoad : public CpuUsagePercent {
public:
    CpuLoad() : CpuUsagePercent(SystemUsage()) {}
};

}  // namespace ovix::cpu
