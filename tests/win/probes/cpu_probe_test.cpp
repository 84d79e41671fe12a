// The processor identification on this machine's own processor, checked
// against the test's own CPUID calls and the clock Linux reports; the bus
// clock from the management service; the processor load of the system.
#include "probes/cpu_probe.h"

#include "framework/text_format.h"
#include "framework/win.h"
#include "probes/cpu_text.h"
#include "probes/wmi_probes.h"

#include <gtest/gtest.h>

#include <cpuid.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ovix::cpu;

std::string OwnVendor() {
    unsigned a, r[3];
    __cpuid(0, a, r[0], r[2], r[1]);
    return std::string(reinterpret_cast<const char*>(r), 12);
}

// "cpu MHz" of the first processor in Linux's /proc/cpuinfo; 0 when unreadable.
double LinuxMhz() {
    std::ifstream file("Z:\\proc\\cpuinfo");
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("cpu MHz", 0) == 0 && line.find(':') != std::string::npos) {
            return std::atof(line.c_str() + line.find(':') + 1);
        }
    }
    return 0;
}

TEST(CpuProbe, VendorNameAndClockOfThisProcessor) {
    ASSERT_TRUE(IsCpuidSupported());
    CpuProbe probe;
    const CpuInfo& info = probe.Detect();
    EXPECT_EQ(info.vendorString, OwnVendor());
    EXPECT_NE(info.vendor, CpuVendor::Other) << info.vendorString;
    EXPECT_NE(info.name.find_first_not_of(' '), std::string::npos) << info.name;  // the brand string
    EXPECT_TRUE(info.hasTsc && info.hasFpu && info.hasSse2);  // every x86-64 processor has them
    // The caches come from the extended functions or leaf 4 here.
    EXPECT_GT(info.l1CacheKb, 0);
    EXPECT_GT(info.l2CacheKb, 0);
    const double reference = LinuxMhz();
    ASSERT_GT(reference, 0);
    EXPECT_NEAR(info.clockMhz, reference, reference * 0.2);
    // The legacy loop runs (its instructions exist on this processor) for families with a constant.
    EXPECT_GT(MeasureLegacyMhz(5), 0u);
    EXPECT_EQ(MeasureLegacyMhz(6), 0u);
}

class ProcessorRows : public ovix::wmi::RowSource {
public:
    std::vector<ovix::wmi::Value> values;
    std::vector<std::string> asked;
    std::vector<ovix::wmi::Value> Read(std::string_view className, std::string_view property, bool first) override {
        asked.push_back(std::string(className) + "." + std::string(property) + (first ? " first" : " all"));
        return values;
    }
};

TEST(CpuProbe, BusClockIsTheProcessorsExternalClock) {
    ProcessorRows rows;
    rows.values = {ovix::wmi::Value::OfInteger(100)};
    CpuProbe probe(&rows);
    const CpuInfo& info = probe.Detect();
    EXPECT_EQ(rows.asked, (std::vector<std::string>{"Win32_Processor.ExtClock first"}));
    EXPECT_EQ(info.busMhz, 100u);
    EXPECT_EQ(MultiplierLine(info), fw::Format("Multiplier: %.2fx", info.clockMhz / 100.0f));

    ProcessorRows none;  // a property without a value
    none.values = {ovix::wmi::Value::OfNull()};
    CpuProbe unknown(&none);
    EXPECT_EQ(unknown.Detect().busMhz, 0u);
    EXPECT_EQ(MultiplierLine(unknown.Info()), "Multiplier: Not find");

    // The service itself: the same number its line shows.
    CpuProbe system;
    const uint32_t bus = system.Detect().busMhz;
    const std::string line = ovix::probes::ProcessorExtClock();
    if (line.empty()) {
        EXPECT_EQ(bus, 0u);
    } else {
        EXPECT_EQ(line, "External Clock: " + std::to_string(bus) + " MHz");
    }
}

TEST(CpuProbe, LoadMovesWithinZeroToHundredWhileACoreIsBusy) {
    std::atomic<bool> stop{false};
    std::thread busy([&stop]() -> uint64_t {
        uint64_t spin = 0;
        while (!stop.load(std::memory_order_relaxed)) spin = spin * 3 + 1;
        return spin;
    });
    CpuLoad gauge;
    CpuLoad processes;  // a second owner on the same system source
    EXPECT_EQ(gauge.Next() + processes.Next(), 0);
    int highest = 0;
    for (int i = 0; i < 6; ++i) {
        ::Sleep(250);
        const int reading = gauge.Next();
        const int other = i % 2 == 1 ? processes.Next() : 0;
        EXPECT_TRUE(reading >= 0 && reading <= 100 && other >= 0 && other <= 100) << reading << " " << other;
        highest = std::max(highest, reading);
    }
    stop = true;
    busy.join();
    EXPECT_GT(highest, 0) << "the load never moved";
    // Wine's performance data has no processor object: the system times serve there.
    EXPECT_NE(gauge.UsedMethod(), CpuUsagePercent::Method::None);
}

}  // namespace
