// The processor load: the performance-data parser over blocks built byte by
// byte as the system lays them out, the per-cent arithmetic, and the choice
// of method per operating system through a fake source.
#include "probes/cpu_usage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace ovix::cpu;
using Bytes = std::vector<uint8_t>;

void Put32(Bytes& bytes, size_t at, uint32_t value) {
    if (bytes.size() < at + 4) bytes.resize(at + 4);
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
void Put64(Bytes& bytes, size_t at, uint64_t value) {
    Put32(bytes, at, static_cast<uint32_t>(value));
    Put32(bytes, at + 4, static_cast<uint32_t>(value >> 32));
}
void Pad8(Bytes& bytes) { bytes.resize((bytes.size() + 7) / 8 * 8); }

// A counter block: its length, then one 64-bit value per counter from offset 8.
Bytes CounterBlock(const std::vector<uint64_t>& values) {
    Bytes block(8 + 8 * values.size());
    Put32(block, 0, static_cast<uint32_t>(block.size()));
    for (size_t i = 0; i < values.size(); ++i) Put64(block, 8 + 8 * i, values[i]);
    return block;
}

struct Instance {
    std::string name;
    std::vector<uint64_t> values;
};

// One object: header, counter definitions, then instances or one counter block.
Bytes Object(uint32_t index, const std::vector<uint32_t>& counters, const std::vector<Instance>& instances,
             bool withInstances) {
    Bytes object(64);
    Put32(object, 8, 64);  // HeaderLength
    Put32(object, 12, index);
    Put32(object, 32, static_cast<uint32_t>(counters.size()));
    Put32(object, 40, withInstances ? static_cast<uint32_t>(instances.size()) : 0xFFFFFFFFu);
    for (size_t i = 0; i < counters.size(); ++i) {
        const size_t at = object.size();
        object.resize(at + 40);
        Put32(object, at, 40);
        Put32(object, at + 4, counters[i]);
        Put32(object, at + 32, 8);                                  // CounterSize
        Put32(object, at + 36, static_cast<uint32_t>(8 + 8 * i));  // CounterOffset
    }
    Put32(object, 4, static_cast<uint32_t>(object.size()));  // DefinitionLength
    if (withInstances) {
        for (const Instance& instance : instances) {
            const size_t at = object.size();
            object.resize(at + 24);
            for (char c : instance.name) {
                object.push_back(static_cast<uint8_t>(c));
                object.push_back(0);
            }
            object.push_back(0);
            object.push_back(0);
            Pad8(object);
            Put32(object, at, static_cast<uint32_t>(object.size() - at));  // ByteLength
            Put32(object, at + 16, 24);                                     // NameOffset
            Put32(object, at + 20, static_cast<uint32_t>(2 * instance.name.size() + 2));
            const Bytes block = CounterBlock(instance.values);
            object.insert(object.end(), block.begin(), block.end());
        }
    } else {
        const Bytes block = CounterBlock(instances.empty() ? std::vector<uint64_t>{} : instances[0].values);
        object.insert(object.end(), block.begin(), block.end());
    }
    Put32(object, 0, static_cast<uint32_t>(object.size()));
    return object;
}

Bytes Block(uint64_t time100ns, const std::vector<Bytes>& objects) {
    Bytes block(88);
    const char16_t signature[] = u"PERF";
    for (int i = 0; i < 4; ++i) block[2 * i] = static_cast<uint8_t>(signature[i]);
    Put32(block, 24, 88);  // HeaderLength
    Put32(block, 28, static_cast<uint32_t>(objects.size()));
    Put64(block, 72, time100ns);
    for (const Bytes& object : objects) block.insert(block.end(), object.begin(), object.end());
    Put32(block, 20, static_cast<uint32_t>(block.size()));
    return block;
}

Bytes ProcessorBlock(uint64_t time, uint64_t idle) {
    const Bytes other = Object(4, {10, 12}, {{"", {1, 2}}}, false);
    const Bytes processor =
        Object(238, {142, 6, 144}, {{"0", {7, idle / 2, 9}}, {"1", {7, idle / 2, 9}}, {"_Total", {70, idle, 90}}}, true);
    return Block(time, {other, processor});
}

TEST(PerformanceCounter, FindsTheTotalInstance) {
    const auto sample = FindPerformanceCounter(ProcessorBlock(123456789, 4242), 238, 6, "_Total");
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->idle, 4242u);
    EXPECT_EQ(sample->time, 123456789u);
    // Another instance and another counter of the same object.
    EXPECT_EQ(FindPerformanceCounter(ProcessorBlock(1, 4242), 238, 6, "1")->idle, 2121u);
    EXPECT_EQ(FindPerformanceCounter(ProcessorBlock(1, 4242), 238, 144, "_Total")->idle, 90u);
}

TEST(PerformanceCounter, ObjectWithoutInstances) {
    const Bytes block = Block(55, {Object(2, {238, 240}, {{"", {11, 22}}}, false)});
    const auto sample = FindPerformanceCounter(block, 2, 240, nullptr);
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->idle, 22u);
    EXPECT_EQ(sample->time, 55u);
    // Asked for an instance where there are none, or for none where there are.
    EXPECT_FALSE(FindPerformanceCounter(block, 2, 240, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(ProcessorBlock(1, 2), 238, 6, nullptr));
}

TEST(PerformanceCounter, MissingObjectCounterOrInstance) {
    // Wine's block: a header and no objects.
    EXPECT_FALSE(FindPerformanceCounter(Block(10, {}), 238, 6, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(ProcessorBlock(1, 2), 239, 6, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(ProcessorBlock(1, 2), 238, 7, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(ProcessorBlock(1, 2), 238, 6, "_Tota"));
    EXPECT_FALSE(FindPerformanceCounter(ProcessorBlock(1, 2), 238, 6, "_Total2"));
    const Bytes noTotal = Block(1, {Object(238, {6}, {{"0", {5}}}, true)});
    EXPECT_FALSE(FindPerformanceCounter(noTotal, 238, 6, "_Total"));
    // Not a performance-data block, or too short for its header.
    Bytes wrong = ProcessorBlock(1, 2);
    wrong[0] = 'X';
    EXPECT_FALSE(FindPerformanceCounter(wrong, 238, 6, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(Bytes(79), 238, 6, "_Total"));
    EXPECT_FALSE(FindPerformanceCounter(Bytes(), 238, 6, "_Total"));
}

TEST(PerformanceCounter, OffsetsPastTheEndReadNothing) {
    const Bytes good = ProcessorBlock(1000, 600);
    ASSERT_TRUE(FindPerformanceCounter(good, 238, 6, "_Total"));
    // Every shorter copy, in a buffer of exactly its size (the sanitizer sees
    // any read beyond it): the value is found only when it lies inside.
    for (size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(FindPerformanceCounter(cut, 238, 6, "_Total")) << size;
    }
    // Every 32-bit field in turn made huge, then made 0: never a read outside,
    // and what is found is either nothing or the true pair (the time stamp and
    // the "_Total" value themselves aside).
    const size_t idleAt = good.size() - 16;
    // The offset of counter 6 in the second counter definition of the processor
    // object: pointed elsewhere inside the block, it reads another value there.
    const size_t processorAt = 88 + Object(4, {10, 12}, {{"", {1, 2}}}, false).size();
    const size_t counterOffsetAt = processorAt + 64 + 40 + 36;
    for (size_t at = 0; at + 4 <= good.size(); at += 4) {
        if (at == 72 || at == 76 || at == idleAt || at == idleAt + 4 || at == counterOffsetAt) continue;
        for (uint32_t value : {0xFFFFFFFFu, 0x7FFFFFF0u, 0u}) {
            Bytes bad = good;
            Put32(bad, at, value);
            const auto sample = FindPerformanceCounter(bad, 238, 6, "_Total");
            if (sample) {
                EXPECT_EQ(sample->idle, 600u) << at;
                EXPECT_EQ(sample->time, 1000u) << at;
            }
        }
    }
    for (uint32_t far : {0xFFFFFFF8u, 0xFFFFFFFFu, 25u}) {
        Bytes bad = good;
        Put32(bad, counterOffsetAt, far);
        EXPECT_FALSE(FindPerformanceCounter(bad, 238, 6, "_Total")) << far;
    }
    // The block's own length shorter than the data: the rest is not looked at.
    Bytes shortTotal = good;
    Put32(shortTotal, 20, static_cast<uint32_t>(good.size() - 8));
    EXPECT_FALSE(FindPerformanceCounter(shortTotal, 238, 6, "_Total"));
    // A counter offset beyond its counter block.
    Bytes farCounter = Block(1, {Object(238, {6}, {{"_Total", {5}}}, true)});
    const size_t definition = 88 + 64;
    Put32(farCounter, definition + 36, 16);
    EXPECT_FALSE(FindPerformanceCounter(farCounter, 238, 6, "_Total"));
}

TEST(UsageMeter, FirstZeroThenTheLoadSinceThePreviousReading) {
    UsageMeter meter;
    EXPECT_EQ(meter.Next({5000, 10000}), 0);
    // 10,000,000 units passed, 2,500,000 of them idle: 75 %.
    EXPECT_EQ(meter.Next({2505000, 10010000}), 75);
    // Rounded: 1 - 0.334 = 66.6 -> 67; 1 - 0.3355 = 66.45 -> 66.
    EXPECT_EQ(meter.Next({2505000 + 334, 10010000 + 1000}), 67);
    EXPECT_EQ(meter.Next({2505334 + 3355, 10011000 + 10000}), 66);
}

TEST(UsageMeter, NoTimePassedGivesTheLastValueAndKeepsThePair) {
    UsageMeter meter;
    meter.Next({0, 1000});
    EXPECT_EQ(meter.Next({500, 2000}), 50);
    EXPECT_EQ(meter.Next({900, 2000}), 50);  // no time passed
    EXPECT_EQ(meter.Next({900, 1500}), 50);  // time went back
    // Measured from the pair kept (500, 2000): 1000 units, 100 idle.
    EXPECT_EQ(meter.Next({600, 3000}), 90);
}

TEST(UsageMeter, ClampedToZeroAndHundred) {
    UsageMeter meter;
    meter.Next({1000, 1000});
    EXPECT_EQ(meter.Next({3000, 2000}), 0);    // more idle than time: below 0
    EXPECT_EQ(meter.Next({2000, 3000}), 100);  // the idle counter went back: above 100
    EXPECT_EQ(meter.Next({2000, 4000}), 100);
    EXPECT_EQ(meter.Next({2995, 5000}), 1);    // 0.5 % rounds up
    EXPECT_EQ(meter.Next({3991, 6000}), 0);    // 0.4 % rounds down
}

class FakeUsage : public UsageSource {
public:
    System system = System::Nt5;
    std::deque<Bytes> blocks;  // an empty deque: the read fails
    std::deque<std::array<uint64_t, 3>> times;
    bool hasTimes = true;
    int reads = 0;
    int versionCalls = 0;

    System Classify() override {
        ++versionCalls;
        return system;
    }
    bool ReadPerformanceData(std::vector<uint8_t>& block) override {
        ++reads;
        if (blocks.empty()) return false;
        block = blocks.front();
        if (blocks.size() > 1) blocks.pop_front();
        return true;
    }
    bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override {
        if (!hasTimes || times.empty()) return false;
        idle = times.front()[0];
        kernel = times.front()[1];
        user = times.front()[2];
        if (times.size() > 1) times.pop_front();
        return true;
    }
};

TEST(CpuUsagePercent, Windows2000AndLaterReadTheProcessorTotal) {
    FakeUsage source;
    source.blocks = {ProcessorBlock(1000000, 0), ProcessorBlock(11000000, 2500000), ProcessorBlock(21000000, 12500000)};
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.Next(), 75);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.UsedMethod(), CpuUsagePercent::Method::PerformanceData);
    EXPECT_EQ(source.reads, 3);
}

TEST(CpuUsagePercent, Nt4ReadsTheSystemObject) {
    FakeUsage source;
    source.system = UsageSource::System::Nt4;
    const auto nt4 = [](uint64_t time, uint64_t idle) {
        return Block(time, {Object(2, {238, 240}, {{"", {1, idle}}}, false)});
    };
    source.blocks = {nt4(0, 0), nt4(1000, 100)};
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.Next(), 90);

    // The processor object of later systems is not what NT 4.0 reads.
    FakeUsage wrong;
    wrong.system = UsageSource::System::Nt4;
    wrong.hasTimes = false;
    wrong.blocks = {ProcessorBlock(0, 0)};
    CpuUsagePercent none(wrong);
    EXPECT_EQ(none.Next(), -1);
}

TEST(CpuUsagePercent, Windows9xHasNoMethod) {
    FakeUsage source;
    source.system = UsageSource::System::None;
    source.times = {{0, 0, 0}, {10, 100, 0}};
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), -1);
    EXPECT_EQ(usage.Next(), -1);
    EXPECT_EQ(source.reads, 0);
    EXPECT_EQ(source.versionCalls, 1);  // classified once
    EXPECT_EQ(GaugeValue(usage.Next()), 0);
}

TEST(CpuUsagePercent, WithoutTheProcessorObjectTheSystemTimesAreUsed) {
    FakeUsage source;
    source.blocks = {Block(10, {})};  // as Wine answers
    // Kernel time includes idle: busy = 800 + 200 - 300 of 1000.
    source.times = {{1000, 2000, 3000}, {1300, 2800, 3200}, {1300, 2800, 3200}, {2300, 3800, 3200}};
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.UsedMethod(), CpuUsagePercent::Method::SystemTimes);
    EXPECT_EQ(usage.Next(), 70);
    EXPECT_EQ(usage.Next(), 70);  // no time passed
    EXPECT_EQ(usage.Next(), 0);   // all idle
    EXPECT_EQ(source.reads, 1);   // the block is not read again once it lacked the object
}

TEST(CpuUsagePercent, NeitherMethodGivesMinusOneShownAsZero) {
    FakeUsage source;
    source.blocks = {Block(10, {})};
    source.hasTimes = false;
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), -1);
    EXPECT_EQ(usage.Next(), -1);
    EXPECT_EQ(GaugeValue(-1), 0);
    EXPECT_EQ(GaugeValue(0), 0);
    EXPECT_EQ(GaugeValue(100), 100);
    EXPECT_EQ(GaugeValue(57), 57);
}

TEST(CpuUsagePercent, AFailedReadGivesMinusOneAndTheNextReadGoesOn) {
    FakeUsage source;
    source.blocks = {ProcessorBlock(0, 0)};
    CpuUsagePercent usage(source);
    EXPECT_EQ(usage.Next(), 0);
    source.blocks.clear();  // the read fails
    EXPECT_EQ(usage.Next(), -1);
    source.blocks = {ProcessorBlock(1000, 250)};
    EXPECT_EQ(usage.Next(), 75);
    source.blocks = {Block(2000, {})};  // the object vanished: not mixed with other figures
    EXPECT_EQ(usage.Next(), -1);
}

TEST(CpuUsagePercent, TwoOwnersKeepTheirOwnReadings) {
    FakeUsage source;
    source.blocks = {Block(0, {})};
    source.times = {{0, 0, 0}, {500, 1000, 0}, {500, 1000, 0}, {600, 2000, 0}};
    CpuUsagePercent gauge(source);
    CpuUsagePercent processes(source);
    EXPECT_EQ(gauge.Next(), 0);       // (0, 0)
    EXPECT_EQ(processes.Next(), 0);   // (500, 1000): its own first reading
    EXPECT_EQ(gauge.Next(), 50);      // (500, 1000) against (0, 0)
    EXPECT_EQ(processes.Next(), 90);  // (600, 2000) against (500, 1000)
}

}  // namespace
