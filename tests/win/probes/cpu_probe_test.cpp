// The processor identification on this machine's own processor, checked
// against the test's own CPUID calls and the clock Linux reports.
#include "probes/cpu_probe.h"

#include "framework/win.h"
#include "probes/cpu_text.h"

#include <gtest/gtest.h>

#include <cpuid.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <x86intrin.h>

namespace {

using namespace ovix::cpu;

std::string OwnVendor() {
    unsigned a, b, c, d;
    __cpuid(0, a, b, c, d);
    char text[13] = {};
    std::memcpy(text, &b, 4);
    std::memcpy(text + 4, &d, 4);
    std::memcpy(text + 8, &c, 4);
    return text;
}

std::string OwnBrand() {
    unsigned a, b, c, d;
    __cpuid(0x80000000u, a, b, c, d);
    if (a < 0x80000004u) return {};
    char text[49] = {};
    for (unsigned i = 0; i < 3; ++i) {
        unsigned r[4];
        __cpuid(0x80000002u + i, r[0], r[1], r[2], r[3]);
        std::memcpy(text + 16 * i, r, 16);
    }
    return text;
}

// "cpu MHz" of the first processor in Linux's /proc/cpuinfo; 0 when unreadable.
double LinuxMhz() {
    std::ifstream file("Z:\\proc\\cpuinfo");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("cpu MHz", 0) == 0) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos) return std::atof(line.c_str() + colon + 1);
        }
    }
    return 0;
}

// Time-stamp ticks over 200 ms of the performance counter, in MHz.
double CounterMhz() {
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    const uint64_t before = __rdtsc();
    ::Sleep(200);
    ::QueryPerformanceCounter(&now);
    const uint64_t ticks = __rdtsc() - before;
    const double seconds = static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    return ticks / seconds / 1e6;
}

TEST(CpuProbe, VendorAndNameMatchTheInstruction) {
    ASSERT_TRUE(IsCpuidSupported());
    CpuProbe probe;
    const CpuInfo& info = probe.Detect();
    EXPECT_EQ(info.vendorString, OwnVendor());
    EXPECT_EQ(info.vendor, VendorOf(OwnVendor()));
    EXPECT_NE(info.vendor, CpuVendor::Other) << info.vendorString;
    const std::string brand = OwnBrand();
    if (!brand.empty() && brand.find_first_not_of(' ') != std::string::npos) {
        const bool intel = info.vendor == CpuVendor::Intel;
        EXPECT_EQ(info.name, intel ? brand.substr(brand.find_first_not_of(' ')) : brand);
    }
    EXPECT_FALSE(info.name.empty());
    EXPECT_TRUE(info.hasTsc);
    EXPECT_TRUE(info.hasFpu);
    EXPECT_TRUE(info.hasSse2);  // every x86-64 processor has it
    EXPECT_EQ(NameLine(info), "Name: " + info.name);
    EXPECT_EQ(TrademarkLine(info), "Trademark: " + OwnVendor());
}

TEST(CpuProbe, ClockWithinAFifthOfTheSystemFigure) {
    CpuProbe probe;
    const CpuInfo& info = probe.Detect();
    ASSERT_GT(info.clockMhz, 0u);
    double reference = LinuxMhz();
    if (reference <= 0) reference = CounterMhz();
    EXPECT_NEAR(info.clockMhz, reference, reference * 0.2) << "Linux/counter reference " << reference;
    EXPECT_EQ(SpeedClockLine(info), "Speed clock: " + std::to_string(info.clockMhz) + " MHz");
}

TEST(CpuProbe, ASecondDetectionGivesTheSameRecord) {
    CpuProbe probe;
    const CpuInfo first = probe.Detect();
    const CpuInfo& second = probe.Detect();
    EXPECT_EQ(second.clockMhz, first.clockMhz);  // the fresh measurement is reused
    EXPECT_EQ(second.name, first.name);
    EXPECT_EQ(second.l1CacheKb, first.l1CacheKb);
    EXPECT_EQ(second.l2CacheKb, first.l2CacheKb);
    EXPECT_EQ(second.l3CacheKb, first.l3CacheKb);
    EXPECT_EQ(second.family, first.family);
    EXPECT_EQ(second.HasFeature(0x7FFFFF), first.HasFeature(0x7FFFFF));
    // The caches come from the extended functions here.
    EXPECT_GT(second.l1CacheKb, 0);
    EXPECT_GT(second.l2CacheKb, 0);
}

TEST(CpuProbe, LegacyLoopRunsForFamiliesWithAConstant) {
    EXPECT_GT(MeasureLegacyMhz(5), 0u);
    EXPECT_EQ(MeasureLegacyMhz(6), 0u);
    EXPECT_EQ(MeasureLegacyMhz(2), 0u);
}

TEST(CpuProbe, LoadMovesWithinZeroToHundredWhileACoreIsBusy) {
    std::atomic<bool> stop{false};
    std::thread busy([&stop]() -> uint64_t {
        uint64_t spin = 0;
        while (!stop.load(std::memory_order_relaxed)) spin = spin * 3 + 1;
        return spin;
    });
    CpuLoad gauge;
    CpuLoad processes;
    EXPECT_EQ(gauge.Next(), 0);
    EXPECT_EQ(processes.Next(), 0);
    std::vector<int> readings;
    for (int i = 0; i < 6; ++i) {
        ::Sleep(250);
        readings.push_back(gauge.Next());
        if (i % 2 == 1) {
            const int other = processes.Next();
            EXPECT_GE(other, 0);
            EXPECT_LE(other, 100);
        }
    }
    stop = true;
    busy.join();
    int highest = 0;
    for (int reading : readings) {
        EXPECT_GE(reading, 0);
        EXPECT_LE(reading, 100);
        highest = std::max(highest, reading);
    }
    EXPECT_GT(highest, 0) << "the load never moved";
    // Wine's performance data has no processor object: the system times serve.
    EXPECT_NE(gauge.UsedMethod(), CpuUsagePercent::Method::None);
    EXPECT_NE(gauge.UsedMethod(), CpuUsagePercent::Method::Unknown);
}

TEST(CpuProbe, PerformanceDataReadOnThisSystem) {
    SystemUsageSource source;
    std::vector<uint8_t> block;
    EXPECT_EQ(source.Classify(), UsageSource::System::Nt5);
    if (source.ReadPerformanceData(block)) {
        EXPECT_GE(block.size(), 4u);
    }
    uint64_t idle = 0, kernel = 0, user = 0;
    ASSERT_TRUE(source.SystemTimes(idle, kernel, user));
    EXPECT_GE(kernel, idle);
}

}  // namespace
