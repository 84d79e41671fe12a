// The groups' layouts that the tree shows as plain lines. Printers, CD drives
// and login profiles are checked in the tree itself (tests/win/probes/wmi_tree_test.cpp).
#include "probes/wmi_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ovix::wmi;
using Lines = std::vector<std::string>;

TEST(WmiGroups, LinesPerDiskSoundDeviceAndCache) {
    EXPECT_EQ(DiskModelLines({"ST3160", ""}, {"IDE", "SCSI"}, {"2", "1"}, {"Fixed hard disk", "Removable"}),
              (Lines{"#1 ST3160", "Interface type: IDE", "Media type: Fixed hard disk", "Number of partition(s): 2",
                     "#2 ", "Interface type: SCSI", "Media type: Removable", "Number of partition(s): 1"}));
    EXPECT_EQ(SoundDeviceLines({"Manufacturer: Wine", "Manufacturer: X"}, {"Model: ", "Model: Y"},
                               {"Status: OK", "Status: Error"}),
              (Lines{"#1 Manufacturer: Wine", "Model: ", "Status: OK", "#2 Manufacturer: X", "Model: Y",
                     "Status: Error"}));
    EXPECT_EQ(CacheMemoryLines({"L1 Cache", "L2 Cache"}, {"64", "512"}), (Lines{"L1 Cache (64 Kb)", "L2 Cache (512 Kb)"}));
}

// Lists of one class read apart may differ in length: a group stops at the
// shortest list, whichever it is, and never reads past one.
TEST(WmiGroups, EveryGroupStopsAtTheShortestList) {
    const Lines one = {"a"}, two = {"a", "b"};
    EXPECT_EQ(DiskModelLines(two, two, one, two).size(), 4u);
    EXPECT_EQ(DiskModelLines(two, two, two, {}).size(), 0u);
    EXPECT_EQ(SoundDeviceLines(two, {}, two).size(), 0u);
    EXPECT_EQ(CacheMemoryLines(two, one).size(), 1u);
    EXPECT_EQ(CdromGroups(two, two, one).size(), 1u);
    PrinterLists printers{two, two, two, two, two, two, two, two, two, two, two};
    EXPECT_EQ(PrinterGroups(printers).size(), 2u);
    for (Lines PrinterLists::*list : {&PrinterLists::names, &PrinterLists::verticalResolutions, &PrinterLists::networks}) {
        PrinterLists shorter = printers;
        shorter.*list = one;
        EXPECT_EQ(PrinterGroups(shorter).size(), 1u);
    }
    LoginProfileLists profiles{two, two, two, two, two, one};
    EXPECT_EQ(LoginProfileGroups(profiles).size(), 1u);
    profiles.captions.clear();
    EXPECT_TRUE(LoginProfileGroups(profiles).empty());
}

}  // namespace
