// The processor load in per cent since the previous reading. Each owner (the
// main window's gauge, the processes window) keeps its own object and so its
// own previous reading. The system calls go through a source, so the
// performance-data parser and every operating-system branch run natively.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ovix::cpu {

// One reading: an idle counter and the time it is measured against, both in
// 100-nanosecond units.
struct UsageSample {
    uint64_t idle = 0;
    uint64_t time = 0;
};

// The object / counter / instance of the whole processor time.
inline constexpr uint32_t kProcessorObject = 238;
inline constexpr uint32_t kProcessorTimeCounter = 6;
inline constexpr char kTotalInstance[] = "_Total";
inline constexpr uint32_t kSystemObjectNt4 = 2;
inline constexpr uint32_t kProcessorTimeCounterNt4 = 240;

// Reads a counter's 64-bit value and the block's 100-ns time stamp from a
// performance-data block ("Global"), checking every offset and length against
// the block; instance null means an object without instances. Nothing when
// the object, counter or instance is missing or the block is malformed.
std::optional<UsageSample> FindPerformanceCounter(std::span<const uint8_t> block, uint32_t objectIndex,
                                                  uint32_t counterIndex, const char* instance);

// The per-cent arithmetic over successive samples: the first stores and gives
// 0; then (1 - d(idle) / d(time)) x 100 + 0.5 truncated, within 0..100; when
// no time passed the last value is given again and the stored pair kept.
class UsageMeter {
public:
    int Next(const UsageSample& sample);

private:
    bool started_ = false;
    UsageSample last_;
    int lastPercent_ = 0;
};

// What the operating system offers.
class UsageSource {
public:
    enum class System { None, Nt4, Nt5 };  // None: Windows 95/98/Me, or the version unknown
    virtual ~UsageSource() = default;
    virtual System Classify() = 0;
    // The "Global" performance-data block; false when the read fails.
    virtual bool ReadPerformanceData(std::vector<uint8_t>& block) = 0;
    // Idle, kernel (idle included) and user time; false where the call is missing or fails.
    virtual bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) = 0;
};

class CpuUsagePercent {
public:
    explicit CpuUsagePercent(UsageSource& source) : source_(source) {}

    // The load since the previous call, 0..100; the first call gives 0; -1
    // where no method is available (shown as 0 by GaugeValue).
    int Next();

    enum class Method { Unknown, None, PerformanceData, SystemTimes };
    Method UsedMethod() const { return method_; }

private:
    std::optional<UsageSample> PerformanceSample(UsageSource::System system);
    std::optional<UsageSample> SystemTimesSample();

    UsageSource& source_;
    Method method_ = Method::Unknown;
    UsageMeter meter_;
};

// The value a gauge or a title shows: -1 (no method) shows as 0.
int GaugeValue(int percent);

}  // namespace ovix::cpu
