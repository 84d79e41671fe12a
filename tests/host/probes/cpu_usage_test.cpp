// The processor load: the performance-data parser over blocks built byte by
// byte as the system lays them out, the per-cent arithmetic, the choice of
// method per operating system through a fake source, and the read buffer.
#include "probes/cpu_usage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using namespace ovix::cpu;
using Bytes = std::vector<uint8_t>;

void Put(Bytes& bytes, size_t at, uint64_t value, size_t width = 4) {
    if (bytes.size() < at + width) bytes.resize(at + width);
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A counter block: its length, then one 64-bit value per counter from offset 8.
void AppendCounters(Bytes& bytes, const std::vector<uint64_t>& values) {
    const size_t at = bytes.size();
    Put(bytes, at, 8 + 8 * values.size());
    for (size_t i = 0; i < values.size(); ++i) Put(bytes, at + 8 + 8 * i, values[i], 8);
}

// One object: header, counter definitions, then (name, values) instances, or
// one counter block when there are none.
Bytes Object(uint32_t index, const std::vector<uint32_t>& counters,
             const std::vector<std::pair<std::string, std::vector<uint64_t>>>& instances,
             const std::vector<uint64_t>& values = {}) {
    Bytes object(64);
    Put(object, 8, 64);  // HeaderLength
    Put(object, 12, index);
    Put(object, 32, counters.size());
    Put(object, 40, instances.empty() ? 0xFFFFFFFFu : instances.size());
    for (size_t i = 0; i < counters.size(); ++i) {
        const size_t at = object.size();
        Put(object, at, 40);
        Put(object, at + 4, counters[i]);
        Put(object, at + 32, 8);          // CounterSize
        Put(object, at + 36, 8 + 8 * i);  // CounterOffset
    }
    Put(object, 4, object.size());  // DefinitionLength
    for (const auto& [name, counterValues] : instances) {
        const size_t at = object.size();
        object.resize(at + 24);
        for (char c : name + '\0') object.insert(object.end(), {static_cast<uint8_t>(c), 0});
        object.resize((object.size() + 7) / 8 * 8);
        Put(object, at, object.size() - at);  // ByteLength
        Put(object, at + 16, 24);             // NameOffset
        Put(object, at + 20, 2 * name.size() + 2);
        AppendCounters(object, counterValues);
    }
    if (instances.empty()) AppendCounters(object, values);
    Put(object, 0, object.size());
    return object;
}

Bytes Block(uint64_t time100ns, const std::vector<Bytes>& objects) {
    Bytes block(88);
    std::memcpy(block.data(), "P\0E\0R\0F\0", 8);
    Put(block, 24, 88);  // HeaderLength
    Put(block, 28, objects.size());
    Put(block, 72, time100ns, 8);
    for (const Bytes& object : objects) block.insert(block.end(), object.begin(), object.end());
    Put(block, 20, block.size());
    return block;
}

const Bytes kOtherObject = Object(4, {10, 12}, {}, {1, 2});

Bytes ProcessorBlock(uint64_t time, uint64_t idle) {
    return Block(time, {kOtherObject, Object(238, {142, 6, 144}, {{"0", {7, idle / 2, 9}}, {"1", {7, idle / 2, 9}},
                                                                  {"_Total", {70, idle, 90}}})});
}

Bytes Nt4Block(uint64_t time, uint64_t idle) { return Block(time, {Object(2, {238, 240}, {}, {1, idle})}); }

// "idle@time" of what the parser finds, or "none".
std::string Found(const Bytes& block, uint32_t object, uint32_t counter, const char* instance) {
    const auto sample = FindPerformanceCounter(block, object, counter, instance);
    return sample ? std::to_string(sample->idle) + "@" + std::to_string(sample->time) : "none";
}

TEST(CpuPerformanceCounter, FindsTheCounterOfItsObjectAndInstance) {
    const Bytes block = ProcessorBlock(123456789, 4242);
    Bytes notPerf = block;
    notPerf[0] = 'X';
    const struct {
        Bytes block;
        uint32_t object, counter;
        const char* instance;
        const char* found;
    } rows[] = {
        {block, 238, 6, "_Total", "4242@123456789"}, {block, 238, 6, "1", "2121@123456789"},
        {block, 238, 144, "_Total", "90@123456789"}, {Nt4Block(55, 22), 2, 240, nullptr, "22@55"},
        {Block(10, {}), 238, 6, "_Total", "none"},  // Wine's block: a header and no objects
        {block, 239, 6, "_Total", "none"},           {block, 238, 7, "_Total", "none"},
        {block, 238, 6, "_Tota", "none"},            {block, 238, 6, "_Total2", "none"},
        {block, 238, 6, nullptr, "none"},            {Nt4Block(1, 2), 2, 240, "_Total", "none"},
        {notPerf, 238, 6, "_Total", "none"},         {Bytes(79), 238, 6, "_Total", "none"},
        {Block(1, {Object(238, {6}, {{"0", {5}}})}), 238, 6, "_Total", "none"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Found(row.block, row.object, row.counter, row.instance), row.found)
            << row.object << "/" << row.counter << " " << (row.instance ? row.instance : "(none)");
    }
}

TEST(CpuPerformanceCounter, TruncatedOrCorruptBlocksReadNothingOutside) {
    const Bytes good = ProcessorBlock(1000, 600);
    ASSERT_EQ(Found(good, 238, 6, "_Total"), "600@1000");
    // Every shorter copy, in a buffer of exactly its size (the sanitizer sees
    // any read beyond it): the value lies past the end of each.
    for (size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(Found(cut, 238, 6, "_Total"), "none") << size;
    }
    // Every 32-bit field in turn made huge, then 0: never a read outside, and
    // what is found is nothing or the true pair. Skipped: the time stamp, the
    // "_Total" value and the counter offset (which may point at another value).
    const size_t idleAt = good.size() - 16;
    const size_t counterOffsetAt = 88 + kOtherObject.size() + 64 + 40 + 36;
    for (size_t at = 0; at + 4 <= good.size(); at += 4) {
        if (at == 72 || at == 76 || at == idleAt || at == idleAt + 4 || at == counterOffsetAt) continue;
        for (uint32_t value : {0xFFFFFFFFu, 0x7FFFFFF0u, 0u}) {
            Bytes bad = good;
            Put(bad, at, value);
            const std::string found = Found(bad, 238, 6, "_Total");
            EXPECT_TRUE(found == "none" || found == "600@1000") << at << ": " << found;
        }
    }
    // The counter offset past its block, and the block's own length shorter than the data.
    const std::pair<size_t, uint32_t> faults[] = {{counterOffsetAt, 0xFFFFFFF8u}, {counterOffsetAt, 0xFFFFFFFFu},
                                                  {counterOffsetAt, 25u}, {20, static_cast<uint32_t>(good.size() - 8)}};
    for (const auto& [at, value] : faults) {
        Bytes bad = good;
        Put(bad, at, value);
        EXPECT_EQ(Found(bad, 238, 6, "_Total"), "none") << at << " " << value;
    }
}

TEST(CpuUsageMeter, LoadSinceThePreviousReading) {
    UsageMeter meter;
    const struct {
        uint64_t idle, time;
        int percent;
    } steps[] = {
        {5000, 10000, 0},                // the first reading
        {2505000, 10010000, 75},         // 10,000,000 units, 2,500,000 idle
        {2505334, 10011000, 67},         // 66.6 rounds up
        {2508689, 10021000, 66},         // 66.45 rounds down
        {9999999, 10021000, 66},         // no time passed: the last value, the pair kept
        {9999999, 10020000, 66},         // time went back: the same
        {2508789, 10022000, 90},         // from the pair kept
        {2510789, 10023000, 0},          // more idle than time
        {0, 10024000, 100},              // the idle counter went back
        {995, 10025000, 1},              // 0.5 % rounds up
        {1991, 10026000, 0},             // 0.4 % rounds down
    };
    for (const auto& step : steps) EXPECT_EQ(meter.Next({step.idle, step.time}), step.percent) << step.time;
}

class FakeUsage : public UsageSource {
public:
    System system = System::Nt5;
    std::deque<Bytes> blocks;                   // empty: the read fails
    std::deque<std::array<uint64_t, 3>> times;  // empty: the call fails
    int reads = 0, versionCalls = 0;

    System Classify() override { return ++versionCalls, system; }
    bool ReadPerformanceData(std::vector<uint8_t>& block) override {
        ++reads;
        if (blocks.empty()) return false;
        block = blocks.front();
        if (blocks.size() > 1) blocks.pop_front();
        return true;
    }
    bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override {
        if (times.empty()) return false;
        idle = times.front()[0], kernel = times.front()[1], user = times.front()[2];
        if (times.size() > 1) times.pop_front();
        return true;
    }
};

TEST(CpuUsagePercent, EachSystemReadsItsOwnCounter) {
    FakeUsage nt5;
    nt5.blocks = {ProcessorBlock(1000000, 0), ProcessorBlock(11000000, 2500000)};
    nt5.times = {{0, 0, 0}, {0, 1000, 0}};
    CpuUsagePercent usage(nt5);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.Next(), 75);
    nt5.blocks.clear();  // a failed read: -1, and the system times are not mixed in
    EXPECT_EQ(usage.Next(), -1);
    nt5.blocks = {Block(2000, {})};  // the object vanished: the same
    EXPECT_EQ(usage.Next(), -1);
    nt5.blocks = {ProcessorBlock(21000000, 12500000)};
    EXPECT_EQ(usage.Next(), 0);

    FakeUsage nt4;
    nt4.system = UsageSource::System::Nt4;
    nt4.blocks = {Nt4Block(0, 0), Nt4Block(1000, 100)};
    CpuUsagePercent old(nt4);
    EXPECT_EQ(old.Next(), 0);
    EXPECT_EQ(old.Next(), 90);
    nt4.blocks = {ProcessorBlock(0, 0)};  // the later systems' object is not what NT 4.0 reads
    EXPECT_EQ(CpuUsagePercent(nt4).Next(), -1);

    FakeUsage win9x;
    win9x.system = UsageSource::System::None;
    win9x.times = {{0, 0, 0}, {10, 100, 0}};
    CpuUsagePercent none(win9x);
    EXPECT_EQ(none.Next(), -1);
    EXPECT_EQ(none.Next(), -1);
    EXPECT_EQ(win9x.reads, 0);
    EXPECT_EQ(win9x.versionCalls, 1);  // classified once
    EXPECT_EQ(GaugeValue(-1), 0);
}

TEST(CpuUsagePercent, WithoutTheProcessorObjectEachOwnerReadsTheSystemTimes) {
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
    // A second owner keeps its own previous reading.
    source.times = {{2300, 3800, 3200}, {2400, 4800, 3200}};
    CpuUsagePercent processes(source);
    EXPECT_EQ(processes.Next(), 0);
    EXPECT_EQ(usage.Next(), 90);
    source.times.clear();
    EXPECT_EQ(usage.Next(), -1);
}

TEST(CpuUsagePercent, TheBufferKeepsTheSizeThatFitted) {
    using Answer = PerformanceDataReader::Answer;
    std::vector<uint32_t> asked;
    uint32_t blockSize = 300000;
    Answer tooSmall = Answer::MoreData;
    const auto read = [&](uint8_t* data, uint32_t& size) {
        asked.push_back(size);
        if (size < blockSize) return tooSmall;
        std::memset(data, 0xA5, blockSize);
        size = blockSize;
        return Answer::Done;
    };
    PerformanceDataReader reader;
    Bytes block;
    ASSERT_TRUE(reader.Read(read, block));
    EXPECT_EQ(block.size(), 300000u);
    ASSERT_TRUE(reader.Read(read, block));  // the next tick asks the grown size at once
    EXPECT_EQ(asked, (std::vector<uint32_t>{102400, 204800, 409600, 409600}));
    // A block that never fits: given up at 64 MB, from 409600 doubled 7 times.
    asked.clear();
    blockSize = UINT32_MAX;
    EXPECT_FALSE(reader.Read(read, block));
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(asked.size(), 9u);
    EXPECT_EQ(asked.back(), 64u * 1024 * 1024);
    // A failed read: given up at once.
    tooSmall = Answer::Failed;
    asked.clear();
    EXPECT_FALSE(PerformanceDataReader().Read(read, block));
    EXPECT_EQ(asked.size(), 1u);
}

}  // namespace
