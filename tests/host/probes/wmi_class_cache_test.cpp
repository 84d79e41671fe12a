#include "probes/wmi_class_cache.h"

#include "fake_row_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ovix::wmi;
using Lines = std::vector<std::string>;

// What a build asks: every probe, and the three fact-sheet probes again.
std::vector<Lines> Build(RowSource& source) {
    std::vector<Lines> outputs;
    for (const ProbeDef& probe : Definitions()) {
        Lines lines;
        if (probe.shape == Shape::Line) lines.push_back(RunLine(source, probe.id));
        if (probe.shape == Shape::List) RunList(source, probe.id, lines);
        outputs.push_back(lines);
    }
    for (Probe again : {Probe::ProcessorFamily, Probe::VideoAdapterCompatibility, Probe::VideoControllerCaption}) {
        outputs.push_back({RunLine(source, again)});
    }
    return outputs;
}

test::FakeRowSource Machine() {
    test::FakeRowSource source;
    source.Add("Win32_OperatingSystem", {{"Manufacturer", Value::OfText("OS Maker")}})
        .Add("Win32_VideoController", {{"Caption", Value::OfText("A")}, {"AdapterRAM", Value::OfInteger(1 << 27)}})
        .Add("Win32_VideoController", {{"Caption", Value::OfText("B")}})
        // The second disk's caption cannot be read: its other properties stay.
        .Add("Win32_DiskDrive", {{"Caption", Value::OfText("Disk 1")}, {"Partitions", Value::OfInteger(2)}})
        .Add("Win32_DiskDrive", {{"InterfaceType", Value::OfText("SCSI")}, {"Partitions", Value::OfInteger(1)}})
        .Add("Win32_PageFileUsage", {{"AllocatedBaseSize", Value::OfInteger(512)}});
    return source;
}

TEST(WmiClassReadScope, OneReadPerClassAndTheSameLines) {
    test::FakeRowSource source = Machine();
    // A class that cannot be read: its probes give their fallbacks, and the
    // classes after it are still read.
    source.failing = {"Win32_ComputerSystem"};
    source.Add("Win32_ComputerSystem", {{"Model", Value::OfText("Tower")}});
    const auto alone = Build(source);
    EXPECT_EQ(source.reads, 102) << "one query per probe outside a scope";
    ASSERT_TRUE(source.classesRead.empty());
    std::vector<Lines> scoped;
    {
        const ClassReadScope scope(source);
        scoped = Build(*ClassReadScope::Current());
    }
    EXPECT_EQ(source.reads, 102);
    EXPECT_EQ(scoped, alone);
    Lines distinct = source.classesRead;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << "no class read twice";
    EXPECT_EQ(source.classesRead.size(), 22u);
    EXPECT_EQ(scoped[static_cast<size_t>(Probe::DiskDriveCaptionList)], (Lines{"Disk 1", ""}));
    EXPECT_EQ(scoped[static_cast<size_t>(Probe::DiskDrivePartitionsList)], (Lines{"2", "1"}));
    EXPECT_EQ(scoped[static_cast<size_t>(Probe::VideoAdapterRam)], Lines{"Size: 128 MB"});
    EXPECT_EQ(scoped[static_cast<size_t>(Probe::ComputerSystemModel)], Lines{""});
    EXPECT_EQ(scoped[static_cast<size_t>(Probe::OsManufacturer)], Lines{"Manufacturer: OS Maker"});
}

TEST(WmiClassReadScope, TheRowsGoWithTheScope) {
    test::FakeRowSource outer = Machine(), inner;
    inner.Add("Win32_OperatingSystem", {{"Manufacturer", Value::OfText("Inner")}});
    EXPECT_EQ(ClassReadScope::Current(), nullptr);
    {
        const ClassReadScope first(outer);
        EXPECT_EQ(RunLine(*ClassReadScope::Current(), Probe::OsManufacturer), "Manufacturer: OS Maker");
        {
            const ClassReadScope second(inner);
            EXPECT_EQ(RunLine(*ClassReadScope::Current(), Probe::OsManufacturer), "Manufacturer: Inner");
        }
        RunLine(*ClassReadScope::Current(), Probe::OsStatus);
        EXPECT_EQ(outer.classesRead.size(), 1u) << "the outer rows were kept while the inner scope lived";
        // Another thread runs its probes on its own.
        RowSource* seen = ClassReadScope::Current();
        std::thread([&] { seen = ClassReadScope::Current(); }).join();
        EXPECT_EQ(seen, nullptr);
    }
    EXPECT_EQ(ClassReadScope::Current(), nullptr);
    const ClassReadScope again(outer);
    RunLine(*ClassReadScope::Current(), Probe::OsManufacturer);
    EXPECT_EQ(outer.classesRead.size(), 2u) << "a new scope reads afresh";
}

}  // namespace
