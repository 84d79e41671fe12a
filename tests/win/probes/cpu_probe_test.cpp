// The processor identification on this machine's processor, against the clock Linux reports; the bus
// clock from the management service; the processor load of the system.
#include "probes/cpu_probe.h"

#include "framework/win.h"
#include "probes/wmi_probes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ovix::cpu;

// "cpu MHz" of the first processor in Linux's /proc/cpuinfo; 0 when unreadable.
double LinuxMhz() {
    std::ifstream file("Z:\\proc\\cpuinfo");
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("cpu MHz", 0) == 0) return std::atof(line.c_str() + line.find(':') + 1);
    }
    return 0;
}

TEST(CpuProbe, VendorNameAndClockOfThisProcessor) {
    CpuProbe probe;
    const CpuInfo& info = probe.Detect();
    EXPECT_NE(info.vendor, CpuVendor::Other) << info.vendorString;  // the registers in their order
    EXPECT_NE(info.name.find_first_not_of(' '), std::string::npos) << info.name;  // the brand string
    EXPECT_TRUE(info.hasTsc && info.hasSse2 && info.l2CacheKb > 0);  // as on every x86-64 processor
    const double reference = LinuxMhz();
    ASSERT_GT(reference, 0);
    EXPECT_NEAR(info.clockMhz, reference, reference * 0.2);
    EXPECT_GT(MeasureLegacyMhz(5), 0u);  // the legacy loop runs: its instructions exist here
}

struct ProcessorRows : ovix::wmi::RowSource {
    std::vector<ovix::wmi::Value> values;
    std::vector<std::string> asked;
    std::vector<ovix::wmi::Value> Read(std::string_view className, std::string_view property, bool first) override {
        asked.push_back(std::string(className) + "." + std::string(property) + (first ? " first" : " all"));
        return values;
    }
};

// The record keeps the number the service gives, not the text of its line.
TEST(CpuProbe, BusClockIsTheProcessorsExternalClock) {
    ProcessorRows rows;
    rows.values = {ovix::wmi::Value::OfInteger(100)};
    CpuProbe probe(&rows);
    EXPECT_EQ(probe.Detect().busMhz, 100u);
    EXPECT_EQ(rows.asked, (std::vector<std::string>{"Win32_Processor.ExtClock first"}));
    rows.values = {ovix::wmi::Value::OfNull()};  // a property without a value
    EXPECT_EQ(CpuProbe(&rows).Detect().busMhz, 0u);
    // The service itself: the same number its line shows.
    const uint32_t bus = CpuProbe().Detect().busMhz;
    const std::string line = ovix::probes::ProcessorExtClock();
    EXPECT_EQ(line, bus == 0 && line.empty() ? "" : "External Clock: " + std::to_string(bus) + " MHz");
}

TEST(CpuProbe, LoadMovesWithinZeroToHundredWhileACoreIsBusy) {
    std::atomic<bool> stop{false};
    std::thread busy([&stop]() -> uint64_t {
        uint64_t spin = 0;
        while (!stop.load(std::memory_order_relaxed)) spin = spin * 3 + 1;
        return spin;
    });
    CpuLoad gauge;
    EXPECT_EQ(gauge.Next(), 0);
    ::Sleep(500);
    const int reading = gauge.Next();
    stop = true;
    busy.join();
    EXPECT_TRUE(reading > 0 && reading <= 100) << reading;
    EXPECT_NE(gauge.UsedMethod(), CpuUsagePercent::Method::None);  // on Wine, the system times
}

}  // namespace
