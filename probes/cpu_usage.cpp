#include "probes/cpu_usage.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ovix::cpu {
namespace {

using namespace perf_layout;

// Little-endian reads that never pass the end they are given.
class Reader {
public:
    Reader(std::span<const uint8_t> bytes, size_t end) : bytes_(bytes), end_(std::min(end, bytes.size())) {}
    size_t End() const { return end_; }
    bool Has(size_t at, size_t length) const { return at <= end_ && length <= end_ - at; }
    std::optional<uint32_t> U32(size_t at) const {
        if (!Has(at, 4)) return std::nullopt;
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) value |= uint32_t{bytes_[at + i]} << (8 * i);
        return value;
    }
    std::optional<uint64_t> U64(size_t at) const {
        const auto low = U32(at);
        const auto high = U32(at + 4);
        if (!low || !high) return std::nullopt;
        return uint64_t{*low} | (uint64_t{*high} << 32);
    }
    // A UTF-16 name of byteLength bytes (its NUL included or not) equal to an ASCII text.
    bool NameIs(size_t at, size_t byteLength, std::string_view text) const {
        if (!Has(at, byteLength)) return false;
        size_t units = byteLength / 2;
        std::u16string name;
        for (size_t i = 0; i < units; ++i) {
            const char16_t unit = static_cast<char16_t>(bytes_[at + 2 * i] | (bytes_[at + 2 * i + 1] << 8));
            if (unit == 0) break;
            name.push_back(unit);
        }
        if (name.size() != text.size()) return false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (name[i] != static_cast<unsigned char>(text[i])) return false;
        }
        return true;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t end_;
};

struct CounterPlace {
    uint32_t offset;
    uint32_t size;
};

std::optional<CounterPlace> FindCounterDefinition(const Reader& in, size_t obj, size_t objEnd, uint32_t counterIndex) {
    const auto headerLength = in.U32(obj + object::kHeaderLength);
    const auto count = in.U32(obj + object::kNumCounters);
    if (!headerLength || !count) return std::nullopt;
    size_t at = obj + *headerLength;
    for (uint32_t i = 0; i < *count; ++i) {
        if (at > objEnd || objEnd - at < counter::kSize) return std::nullopt;
        const auto length = in.U32(at + counter::kByteLength);
        const auto index = in.U32(at + counter::kNameTitleIndex);
        const auto size = in.U32(at + counter::kCounterSize);
        const auto offset = in.U32(at + counter::kCounterOffset);
        if (!length || !index || !size || !offset || *length < counter::kSize) return std::nullopt;
        if (*index == counterIndex) return CounterPlace{*offset, *size};
        at += *length;
    }
    return std::nullopt;
}

// The counter's value in the counter block at blockAt, within objEnd.
std::optional<uint64_t> CounterValue(const Reader& in, size_t blockAt, size_t objEnd, CounterPlace place) {
    const auto blockLength = in.U32(blockAt);
    if (!blockLength || place.size < 8) return std::nullopt;
    if (blockAt > objEnd || *blockLength > objEnd - blockAt) return std::nullopt;
    if (place.offset > *blockLength || *blockLength - place.offset < 8) return std::nullopt;
    return in.U64(blockAt + place.offset);
}

}  // namespace

std::optional<UsageSample> FindPerformanceCounter(std::span<const uint8_t> bytes, uint32_t objectIndex,
                                                  uint32_t counterIndex, const char* instanceName) {
    if (bytes.size() < block::kMinimumSize) return std::nullopt;
    static constexpr uint8_t kSignature[8] = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    if (std::memcmp(bytes.data(), kSignature, sizeof(kSignature)) != 0) return std::nullopt;
    const Reader header(bytes, bytes.size());
    const Reader in(bytes, *header.U32(block::kTotalByteLength));
    const auto headerLength = in.U32(block::kHeaderLength);
    const auto objects = in.U32(block::kNumObjectTypes);
    const auto time = in.U64(block::kPerfTime100nSec);
    if (!headerLength || !objects || !time) return std::nullopt;

    size_t obj = *headerLength;
    for (uint32_t i = 0; i < *objects; ++i) {
        if (!in.Has(obj, object::kSize)) return std::nullopt;
        const uint32_t total = *in.U32(obj + object::kTotalByteLength);
        if (total < object::kSize || !in.Has(obj, total)) return std::nullopt;
        const size_t objEnd = obj + total;
        if (*in.U32(obj + object::kNameTitleIndex) != objectIndex) {
            obj = objEnd;
            continue;
        }
        const auto place = FindCounterDefinition(in, obj, objEnd, counterIndex);
        if (!place) return std::nullopt;
        const size_t definitionEnd = obj + *in.U32(obj + object::kDefinitionLength);
        const int32_t instances = static_cast<int32_t>(*in.U32(obj + object::kNumInstances));
        std::optional<uint64_t> value;
        if (instanceName == nullptr) {
            if (instances > 0) return std::nullopt;
            value = CounterValue(in, definitionEnd, objEnd, *place);
        } else {
            size_t at = definitionEnd;
            for (int32_t n = 0; n < instances && !value; ++n) {
                if (at > objEnd || objEnd - at < instance::kSize) return std::nullopt;
                const uint32_t length = *in.U32(at + instance::kByteLength);
                const uint32_t nameOffset = *in.U32(at + instance::kNameOffset);
                const uint32_t nameLength = *in.U32(at + instance::kNameLength);
                if (length < instance::kSize || length > objEnd - at) return std::nullopt;
                const size_t blockAt = at + length;
                const auto blockLength = in.U32(blockAt);
                if (!blockLength || *blockLength < 4 || *blockLength > objEnd - blockAt) return std::nullopt;
                if (nameOffset <= objEnd - at && nameLength <= objEnd - at - nameOffset &&
                    in.NameIs(at + nameOffset, nameLength, instanceName)) {
                    value = CounterValue(in, blockAt, objEnd, *place);
                    if (!value) return std::nullopt;
                }
                at = blockAt + *blockLength;
            }
        }
        if (!value) return std::nullopt;
        return UsageSample{*value, *time};
    }
    return std::nullopt;
}

bool PerformanceDataReader::Read(const ReadFn& read, std::vector<uint8_t>& block) {
    while (true) {
        block.resize(size_);
        uint32_t written = size_;
        const Answer answer = read(block.data(), written);
        if (answer == Answer::Done) {
            block.resize(std::min(written, size_));
            return true;
        }
        if (answer == Answer::Failed || size_ >= kLargestSize) {
            block.clear();
            return false;
        }
        size_ = std::min(size_ * 2, kLargestSize);
    }
}

int UsageMeter::Next(const UsageSample& sample) {
    if (!started_) {
        started_ = true;
        last_ = sample;
        lastPercent_ = 0;
        return 0;
    }
    if (sample.time <= last_.time) return lastPercent_;  // no time passed: keep the stored pair
    const double deltaTime = static_cast<double>(sample.time - last_.time);
    // An idle counter that went backwards counts as no idle time.
    const double deltaIdle = sample.idle >= last_.idle ? static_cast<double>(sample.idle - last_.idle) : 0.0;
    const double percent = (1.0 - deltaIdle / deltaTime) * 100.0 + 0.5;
    lastPercent_ = percent <= 0.0 ? 0 : percent >= 100.0 ? 100 : static_cast<int>(percent);
    last_ = sample;
    return lastPercent_;
}

std::optional<UsageSample> CpuUsagePercent::PerformanceSample(UsageSource::System system) {
    std::vector<uint8_t> data;
    if (!source_.ReadPerformanceData(data)) return std::nullopt;
    if (system == UsageSource::System::Nt4) {
        return FindPerformanceCounter(data, kSystemObjectNt4, kProcessorTimeCounterNt4, nullptr);
    }
    return FindPerformanceCounter(data, kProcessorObject, kProcessorTimeCounter, kTotalInstance);
}

std::optional<UsageSample> CpuUsagePercent::SystemTimesSample() {
    uint64_t idle = 0, kernel = 0, user = 0;
    if (!source_.SystemTimes(idle, kernel, user)) return std::nullopt;
    // Kernel time includes the idle time: busy = kernel + user - idle.
    return UsageSample{idle, kernel + user};
}

int CpuUsagePercent::Next() {
    if (method_ == Method::SystemTimes) {
        const auto sample = SystemTimesSample();
        return sample ? meter_.Next(*sample) : -1;
    }
    if (method_ == Method::None) return -1;
    const UsageSource::System system = source_.Classify();
    if (system == UsageSource::System::None) {
        method_ = Method::None;
        return -1;
    }
    if (const auto sample = PerformanceSample(system)) {
        method_ = Method::PerformanceData;
        return meter_.Next(*sample);
    }
    // Once the performance data has worked, a failed read is a failed reading:
    // the system times count from another origin and are not mixed in.
    if (method_ == Method::PerformanceData) return -1;
    if (const auto sample = SystemTimesSample()) {
        method_ = Method::SystemTimes;
        return meter_.Next(*sample);
    }
    return -1;
}

int GaugeValue(int percent) { return std::clamp(percent, 0, 100); }

}  // namespace ovix::cpu
