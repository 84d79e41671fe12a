// The processor load: the performance-data parser over blocks laid out as the system's, the per-cent
// arithmetic, the method per operating system through a fake source, and the read buffer.
#include "probes/cpu_usage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace ovix::cpu;
using Bytes = std::vector<uint8_t>;
using Instances = std::vector<std::pair<std::string, std::vector<uint64_t>>>;

void Put(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Appends little-endian 32-bit words; returns where the first went.
size_t Add(Bytes& bytes, std::initializer_list<uint64_t> words) {
    const size_t at = bytes.size();
    bytes.resize(at + 4 * words.size());
    for (size_t i = 0; i < words.size(); ++i) Put(bytes, at + 4 * i, static_cast<uint32_t>(words.begin()[i]));
    return at;
}

// One object: header, counter definitions (counter i at offset 8 + 8i of a counter block), then per instance
// its definition, UTF-16 name and counter block; one instance without a name: an object without instances.
Bytes Object(uint32_t index, const std::vector<uint32_t>& counters, const Instances& instances) {
    Bytes object;
    const uint64_t count = instances[0].first.empty() ? 0xFFFFFFFFu : instances.size();
    Add(object, {0, 0, 64, index, 0, 0, 0, 0, counters.size(), 0, count, 0, 0, 0, 0, 0});
    for (size_t i = 0; i < counters.size(); ++i) Add(object, {40, counters[i], 0, 0, 0, 0, 0, 0, 8, 8 + 8 * i});
    Put(object, 4, object.size());  // DefinitionLength
    for (const auto& [name, values] : instances) {
        if (!name.empty()) {  // ByteLength (padded to 8), NameOffset, NameLength, then the name and its NUL
            const uint64_t length = (2 * name.size() + 33) / 8 * 8;
            const size_t at = Add(object, {length, 0, 0, 0, 24, 2 * name.size() + 2});
            for (char c : name) object.insert(object.end(), {static_cast<uint8_t>(c), 0});
            object.resize(at + length);
        }
        Add(object, {8 + 8 * values.size(), 0});
        for (uint64_t value : values) Add(object, {value, value >> 32});
    }
    Put(object, 0, object.size());
    return object;
}

// The block header: its length at 20, header length 88, the object count, the 100-ns time at 72.
Bytes Block(uint64_t time100ns, const std::vector<Bytes>& objects) {
    Bytes block = {'P', 0, 'E', 0, 'R', 0, 'F', 0};
    Add(block, {0, 0, 0, 0, 88, objects.size(), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, time100ns, time100ns >> 32, 0, 0});
    for (const Bytes& object : objects) block.insert(block.end(), object.begin(), object.end());
    Put(block, 20, block.size());
    return block;
}

// The whole system's object, without instances: NT 4.0 reads its counter 240.
Bytes SystemObject(uint64_t idle) { return Object(2, {238, 240}, {{"", {1, idle}}}); }

// The system's object, then the processor's with two processors and "_Total".
Bytes ProcessorBlock(uint64_t time, uint64_t idle, uint64_t systemIdle = 0) {
    return Block(time, {SystemObject(systemIdle),
                        Object(238, {142, 6, 144}, {{"0", {7, idle / 2, 9}}, {"1", {7, idle / 2, 9}},
                                                    {"_Total", {70, idle, 90}}})});
}

// "idle@time " of what the parser finds, or "none ".
std::string Found(const Bytes& block, uint32_t object, uint32_t counter, const char* instance) {
    const auto sample = FindPerformanceCounter(block, object, counter, instance);
    return sample ? std::to_string(sample->idle) + "@" + std::to_string(sample->time) + " " : "none ";
}

TEST(CpuPerformanceCounter, FindsTheCounterOfItsObjectAndInstance) {
    const Bytes block = ProcessorBlock(123456789, 4242, 55);
    const auto found = [&block](uint32_t object, uint32_t counter, const char* instance) {
        return Found(block, object, counter, instance);
    };
    EXPECT_EQ(found(238, 6, "_Total") + found(238, 6, "1") + found(238, 144, "_Total") + found(2, 240, nullptr),
              "4242@123456789 2121@123456789 90@123456789 55@123456789 ");
    // No such object, counter or instance; an instance asked of an object without
    // instances and the reverse; Wine's block (a header, no objects); no signature.
    EXPECT_EQ(found(239, 6, "_Total") + found(238, 7, "_Total") + found(238, 6, "_Tota") + found(238, 6, "_Total2") +
                  found(238, 6, nullptr) + found(2, 240, "_Total"),
              "none none none none none none ");
    Bytes notPerf = block;
    notPerf[0] = 'X';
    EXPECT_EQ(Found(Block(10, {}), 238, 6, "_Total") + Found(notPerf, 238, 6, "_Total"), "none none ");
}

TEST(CpuPerformanceCounter, TruncatedOrCorruptBlocksReadNothingOutside) {
    const Bytes good = ProcessorBlock(1000, 600);
    ASSERT_EQ(Found(good, 238, 6, "_Total"), "600@1000 ");
    // Every shorter copy, in a buffer of exactly its size (the sanitizer sees
    // any read beyond it): the value lies past the end of each.
    for (size_t size = 0; size < good.size(); ++size) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(Found(cut, 238, 6, "_Total"), "none ") << size;
    }
    const auto corrupt = [&good](size_t at, uint32_t value) {
        Bytes bad = good;
        Put(bad, at, value);
        return Found(bad, 238, 6, "_Total");
    };
    // Every 32-bit field in turn made huge, then 0: nothing or the true pair. Not the time
    // stamp, the value, nor the counter offset (which may point at another value).
    const size_t idleAt = good.size() - 16;
    const size_t counterOffsetAt = 88 + SystemObject(0).size() + 64 + 40 + 36;
    for (size_t at = 0; at + 4 <= good.size(); at += 4) {
        if (at == 72 || at == 76 || at == idleAt || at == idleAt + 4 || at == counterOffsetAt) continue;
        for (uint32_t value : {0xFFFFFFFFu, 0x7FFFFFF0u, 0u}) {
            const std::string found = corrupt(at, value);
            EXPECT_TRUE(found == "none " || found == "600@1000 ") << at << ": " << found;
        }
    }
    // The counter offset past its block (8 short of 2^32 wraps a careless sum), and
    // the block's own length shorter than the data.
    EXPECT_EQ(corrupt(counterOffsetAt, 0xFFFFFFF8u) + corrupt(counterOffsetAt, 0xFFFFFFFFu) +
                  corrupt(counterOffsetAt, 25) + corrupt(20, static_cast<uint32_t>(good.size() - 8)),
              "none none none none ");
}

TEST(CpuUsageMeter, LoadSinceThePreviousReading) {
    UsageMeter meter;
    const struct {
        uint64_t idle, time;
        int percent;
    } steps[] = {
        {5000, 10000, 0}, {2505000, 10010000, 75},         // the first reading; 2,500,000 idle of 10,000,000
        {9999999, 10010000, 75}, {9999999, 10009000, 75},  // no time passed, or time went back: the last value,
        {2505100, 10011000, 90},                           // and the pair kept
        {2507100, 10012000, 0}, {0, 10013000, 100},        // more idle than time; the idle counter went back
        {995, 10014000, 1}, {1991, 10015000, 0},           // 0.5 % rounds up, 0.4 % down
    };
    for (const auto& step : steps) EXPECT_EQ(meter.Next({step.idle, step.time}), step.percent) << step.time;
}

// Hands out its answers in turn and repeats the last; none: the call fails.
template <typename T>
bool Take(std::deque<T>& answers, T& out) {
    if (answers.empty()) return false;
    out = answers.front();
    if (answers.size() > 1) answers.pop_front();
    return true;
}

struct FakeUsage : UsageSource {
    System system = System::Nt5;
    std::deque<Bytes> blocks;
    std::deque<std::array<uint64_t, 3>> times;
    int reads = 0, versionCalls = 0;
    System Classify() override { return ++versionCalls, system; }
    bool ReadPerformanceData(Bytes& block) override { return ++reads, Take(blocks, block); }
    bool SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) override {
        std::array<uint64_t, 3> t;
        return Take(times, t) && (idle = t[0], kernel = t[1], user = t[2], true);
    }
};

TEST(CpuUsagePercent, EachSystemReadsItsOwnCounter) {
    FakeUsage nt5;
    nt5.blocks = {ProcessorBlock(1000000, 0), ProcessorBlock(11000000, 2500000, 9000000)};
    nt5.times = {{0, 0, 0}, {0, 1000, 0}};
    CpuUsagePercent usage(nt5);
    EXPECT_EQ(usage.Next(), 0);
    EXPECT_EQ(usage.Next(), 75);
    nt5.blocks.clear();  // a failed read: -1, and the system times are not mixed in
    EXPECT_EQ(usage.Next(), -1);

    FakeUsage nt4;  // the whole system's object, not the processor's
    nt4.system = UsageSource::System::Nt4;
    nt4.blocks = {ProcessorBlock(0, 0), ProcessorBlock(1000, 900, 100)};
    CpuUsagePercent old(nt4);
    EXPECT_EQ(old.Next(), 0);
    EXPECT_EQ(old.Next(), 90);

    FakeUsage win9x;
    win9x.system = UsageSource::System::None;
    win9x.times = {{0, 0, 0}, {10, 100, 0}};
    CpuUsagePercent none(win9x);
    EXPECT_EQ(none.Next() + none.Next(), -2);
    EXPECT_EQ(std::pair(win9x.reads, win9x.versionCalls), std::pair(0, 1));  // classified once

    FakeUsage wine;  // no processor object: the system times, whose kernel time includes idle
    wine.blocks = {Block(10, {})};
    wine.times = {{1000, 2000, 3000}, {1300, 2800, 3200}};
    CpuUsagePercent gauge(wine);
    EXPECT_EQ(gauge.Next(), 0);
    EXPECT_EQ(gauge.Next(), 70);  // busy = 800 + 200 - 300 of 1000
    EXPECT_EQ(wine.reads, 1);     // the block is not read again once it lacked the object
    wine.times.clear();
    EXPECT_EQ(gauge.Next(), -1);
}

TEST(CpuUsagePercent, TheBufferKeepsTheSizeThatFitted) {
    using Answer = PerformanceDataReader::Answer;
    std::vector<uint32_t> asked;
    uint32_t blockSize = 300000;
    const auto read = [&](uint8_t* data, uint32_t& size) {
        asked.push_back(size);
        if (size < blockSize) return Answer::MoreData;
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
    asked.clear();  // a failed read: given up at once
    EXPECT_FALSE(reader.Read([&](uint8_t*, uint32_t& size) { return asked.push_back(size), Answer::Failed; }, block));
    EXPECT_EQ(asked.size(), 1u);
    // A block that never fits: given up at 64 MB, from 409600 doubled 7 times.
    asked.clear();
    blockSize = UINT32_MAX;
    EXPECT_FALSE(reader.Read(read, block));
    EXPECT_TRUE(block.empty());
    EXPECT_EQ(std::pair(asked.size(), asked.back()), std::pair(size_t{9}, 64u * 1024 * 1024));
}

}  // namespace
