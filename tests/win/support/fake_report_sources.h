// Report sources with fixed facts (the XP machine of the writer's tests),
// counting their collections and calling back during each.
#pragma once

#include "report/report_file.h"
#include "tests/host/report/fake_report.h"

#include <functional>

namespace test {

struct FakeReportSources : ovix::ReportSources {
    const ovix::ReportInventories& Inventories() const override { return inventories; }
    ovix::ReportData Collect() override {
        ++collects;
        if (onCollect) onCollect();
        return data;
    }
    ovix::ReportData data = FakeXpMachine();
    ovix::ReportInventories inventories = FakeXpInventories();
    int collects = 0;
    std::function<void()> onCollect;
};

}  // namespace test
