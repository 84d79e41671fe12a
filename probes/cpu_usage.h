// The processor load in per cent since the previous reading. Each owner (the
// main window's gauge, the processes window) keeps its own object and so its
// own previous reading. The system calls go through a source, so the
// performance-data parser and every operating-system branch run natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// The layout of the performance-data records (winperf.h), the same in 32-
// and 64-bit programs: pointer-sized title fields are DWORDs in both. The
// Windows build checks it against the system's headers.
namespace perf_layout {
namespace block {
constexpr size_t kTotalByteLength = 20;
constexpr size_t kHeaderLength = 24;
constexpr size_t kNumObjectTypes = 28;
constexpr size_t kPerfTime100nSec = 72;
constexpr size_t kMinimumSize = 80;
}  // namespace block
namespace object {
constexpr size_t kTotalByteLength = 0;
constexpr size_t kDefinitionLength = 4;
constexpr size_t kHeaderLength = 8;
constexpr size_t kNameTitleIndex = 12;
constexpr size_t kNumCounters = 32;
constexpr size_t kNumInstances = 40;
constexpr size_t kSize = 64;
}  // namespace object
namespace counter {
constexpr size_t kByteLength = 0;
constexpr size_t kNameTitleIndex = 4;
constexpr size_t kCounterSize = 32;
constexpr size_t kCounterOffset = 36;
constexpr size_t kSize = 40;
}  // namespace counter
namespace instance {
constexpr size_t kByteLength = 0;
constexpr size_t kNameOffset = 16;
constexpr size_t kNameLength = 20;
constexpr size_t kSize = 24;
}  // namespace instance
}  // namespace perf_layout

// Reads a counter's 64-bit value and the block's 100-ns time stamp from a
// performance-data block ("Global"), checking every offset and length against
// the block; instance null means an object without instances. Nothing when
// the object, counter or instance is missing or the block is malformed.
std::optional<UsageSample> FindPerformanceCounter(std::span<const uint8_t> block, uint32_t objectIndex,
                                                  uint32_t counterIndex, const char* instance);

// The read of the performance-data block, whose size is not known
// beforehand: the buffer starts at 100 KB and doubles, up to 64 MB, while the
// read answers that more is needed. The size that fitted is kept for the next
// reading, so a system with a larger block pays the failed reads once, not on
// every tick.
class PerformanceDataReader {
public:
    static constexpr uint32_t kFirstSize = 102400;
    static constexpr uint32_t kLargestSize = 64u * 1024 * 1024;
    enum class Answer { Done, MoreData, Failed };
    // One read into size bytes at data; on Done, size becomes the bytes written.
    using ReadFn = std::function<Answer(uint8_t* data, uint32_t& size)>;

    // The block; false (and an empty block) when the read fails or the block
    // does not fit in the largest size.
    bool Read(const ReadFn& read, std::vector<uint8_t>& block);

private:
    uint32_t size_ = kFirstSize;
};

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
