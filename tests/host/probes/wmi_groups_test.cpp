#include "probes/wmi_groups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ovix::wmi;
using Lines = std::vector<std::string>;

TEST(WmiGroups, DiskModelsFourLinesPerDiskUpToTheShortestList) {
    EXPECT_EQ(DiskModelLines({"ST3160", "WDC"}, {"IDE", "SCSI"}, {"2", "1"}, {"Fixed hard disk", "Removable"}),
              (Lines{"#1 ST3160", "Interface type: IDE", "Media type: Fixed hard disk", "Number of partition(s): 2",
                     "#2 WDC", "Interface type: SCSI", "Media type: Removable", "Number of partition(s): 1"}));
    // Captions that could not be read leave the number alone.
    EXPECT_EQ(DiskModelLines({"", ""}, {"IDE", "IDE"}, {"0", "0"}, {"", ""}).front(), "#1 ");
    EXPECT_EQ(DiskModelLines({"A", "B", "C"}, {"IDE"}, {"1", "2"}, {"x", "y", "z"}).size(), 4u);
    EXPECT_TRUE(DiskModelLines({}, {"IDE"}, {"1"}, {"x"}).empty());
}

TEST(WmiGroups, CdromDrivesByLetter) {
    const auto groups = CdromGroups({"HL-DT-ST DVD", "Virtual"}, {"D:", ""}, {"IDE\\CDROM1", "SCSI\\2"});
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].title, "D:\\");
    EXPECT_EQ(groups[0].lines, (Lines{"Model: HL-DT-ST DVD", "Device ID: IDE\\CDROM1"}));
    EXPECT_EQ(groups[1].title, "") << "no drive letter: no letter item";
    EXPECT_EQ(groups[1].lines, (Lines{"Model: Virtual", "Device ID: SCSI\\2"}));
    EXPECT_EQ(CdromGroups({"a", "b"}, {"D:", "E:"}, {"x"}).size(), 1u);
}

TEST(WmiGroups, SoundDevicesNumberedWithTheirLines) {
    EXPECT_EQ(SoundDeviceLines({"Manufacturer: Wine", "Manufacturer: Other"}, {"Model: ", "Model: X"},
                               {"Status: OK", "Status: Error"}),
              (Lines{"#1 Manufacturer: Wine", "Model: ", "Status: OK", "#2 Manufacturer: Other", "Model: X",
                     "Status: Error"}));
    // A list cut short by the service stops the group there.
    EXPECT_EQ(SoundDeviceLines({"Manufacturer: A", "Manufacturer: B"}, {}, {"Status: OK", "Status: OK"}), Lines{});
}

TEST(WmiGroups, CacheMemoryPurposeAndSize) {
    EXPECT_EQ(CacheMemoryLines({"L1 Cache", "L2 Cache", "L3 Cache"}, {"64", "512"}),
              (Lines{"L1 Cache (64 Kb)", "L2 Cache (512 Kb)"}));
}

TEST(WmiGroups, PrintersNineLinesEachNumberedFromOne) {
    PrinterLists lists;
    lists.names = {"Laser", "Ink"};
    lists.ports = {"LPT1:", "USB001"};
    lists.drivers = {"PCL5", "Photo"};
    lists.verticalResolutions = {"600", "1200"};
    lists.horizontalResolutions = {"300", "2400"};
    lists.processors = {"WinPrint", "WinPrint"};
    lists.dataTypes = {"RAW", "EMF"};
    lists.statuses = {"OK", "Degraded"};
    lists.defaults = {"yes", "no"};
    lists.locals = {"yes", "yes"};
    lists.networks = {"no", ""};
    const auto groups = PrinterGroups(lists);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].title, "1. Laser");
    EXPECT_EQ(groups[0].lines, (Lines{"Port: LPT1:", "Driver: PCL5", "Resolution: 300 x 600", "Spooler name: WinPrint",
                                      "Data type: RAW", "Status: OK", "Default: yes", "Local: yes", "Network: no"}));
    EXPECT_EQ(groups[1].title, "2. Ink");
    EXPECT_EQ(groups[1].lines[2], "Resolution: 2400 x 1200");
    EXPECT_EQ(groups[1].lines[8], "Network: ");

    lists.defaults.pop_back();
    EXPECT_EQ(PrinterGroups(lists).size(), 1u);
    lists.networks.clear();
    EXPECT_TRUE(PrinterGroups(lists).empty());
}

TEST(WmiGroups, LoginProfilesHideAccountLinesOfNtCaptions) {
    LoginProfileLists lists;
    lists.captions = {"NT AUTHORITY\\SYSTEM", "alice", "ANTON"};
    lists.logons = {"Number of Logon: 0", "Number of Logon: 12", "Number of Logon: 3"};
    lists.descriptions = {"Description: built-in", "Description: ", "Description: x"};
    lists.privileges = {"Privileges: Administrator", "Privileges: User", ""};
    lists.access = {"Limited Access: No (168h/week)", "Limited Access: Yes (40h/week)",
                    "Limited Access: No (168h/week)"};
    lists.userIds = {"ID: 0", "ID: 1003", "ID: 7"};
    const auto groups = LoginProfileGroups(lists);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].caption, "NT AUTHORITY\\SYSTEM");
    EXPECT_TRUE(groups[0].accountLines.empty());
    EXPECT_EQ(groups[0].description, "Description: built-in");
    EXPECT_EQ(groups[1].accountLines, (Lines{"Number of Logon: 12", "Privileges: User",
                                             "Limited Access: Yes (40h/week)", "ID: 1003"}));
    EXPECT_EQ(groups[1].description, "Description: ");
    // "NT" anywhere in the caption, case as written.
    EXPECT_TRUE(groups[2].accountLines.empty());

    lists.userIds.resize(1);
    EXPECT_EQ(LoginProfileGroups(lists).size(), 1u);
}

}  // namespace
