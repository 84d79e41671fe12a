#include "probes/disk_facts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using ovix::DiskGeometry;

// Disks and drives as the test describes them.
class FakeDisks : public ovix::DiskSystem {
public:
    struct Drive {
        bool fixed = true;
        bool spaceOk = true;
        std::uint64_t total = 0;
        std::uint64_t free = 0;
        bool volumeOk = true;
        ovix::VolumeFacts volume{"SYSTEM", 0x00A1B2C3, 255, "NTFS"};
    };

    Open PhysicalDrive(int number, DiskGeometry& geometry) override {
        opened.push_back(number);
        if (number >= static_cast<int>(disks.size())) return Open::Failed;
        if (!disks[number].second) return Open::NoGeometry;
        geometry = disks[number].first;
        return Open::Geometry;
    }
    bool IsFixedDrive(const std::string& root) override {
        asked.push_back(root);
        auto it = drives.find(root);
        return it != drives.end() && it->second.fixed;
    }
    bool FreeSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        const Drive& drive = drives.at(root);
        total = drive.total;
        free = drive.free;
        return drive.spaceOk;
    }
    bool Volume(const std::string& root, ovix::VolumeFacts& volume) override {
        volume = drives.at(root).volume;
        return drives.at(root).volumeOk;
    }

    std::vector<std::pair<DiskGeometry, bool>> disks;
    std::map<std::string, Drive> drives;
    std::vector<int> opened;
    std::vector<std::string> asked;
};

DiskGeometry Geometry(std::int64_t cylinders, std::uint32_t tracks, std::uint32_t sectors) {
    DiskGeometry g;
    g.cylinders = cylinders;
    g.tracksPerCylinder = tracks;
    g.sectorsPerTrack = sectors;
    g.bytesPerSector = 512;
    return g;
}

FakeDisks::Drive Fixed(std::uint64_t total, std::uint64_t free) {
    FakeDisks::Drive drive;
    drive.total = total;
    drive.free = free;
    return drive;
}

constexpr std::uint64_t GiB = 1ull << 30;

TEST(DiskFacts, DisksNumberedFromOneWithTheirTotal) {
    FakeDisks fake;
    fake.disks = {{Geometry(16383, 16, 63), true}, {Geometry(10000, 255, 63), true}};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.opened, (std::vector<int>{0, 1, 2})) << "the walk stops at the first failure";
    ASSERT_EQ(facts.disks.size(), 2u);
    const ovix::TreeGroup first = ovix::PhysicalDiskGroup(facts.disks[0]);
    EXPECT_EQ(first.title, "Hard Disk n\xB0" "1");
    EXPECT_EQ(first.lines, (std::vector<std::string>{"Cylinders: 16383", "Tracks per cylinder: 16",
                                                     "Sectors per track: 63", "Bytes per sector: 512",
                                                     "Total size: 8455200768 Bytes -> 8063 MB -> 7 GB"}));
    EXPECT_EQ(ovix::PhysicalDiskGroup(facts.disks[1]).title, "Hard Disk n\xB0" "2");
    EXPECT_EQ(ovix::StorageCapacityLine(facts), "Storage capacity: 83 GB");  // 7 + 76, each whole
    const std::string block = ovix::DiskBlockText(facts);
    EXPECT_EQ(block.substr(0, block.find("Hard Disk No. 2:")),
              "Hard Disk No. 1:\r\nCylinders: 16383\r\nTracks per cylinder: 16\r\nSectors per track: 63\r\n"
              "Bytes per sector: 512\r\nTotal size: 8455200768 Bytes -> 8063 MB -> 7 GB\r\n\r\n");

    // One disk has no capacity line; 4 TiB is far past 32 bits.
    fake.disks = {{Geometry(534698, 255, 63), true}};
    const ovix::DiskFacts large = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(ovix::StorageCapacityLine(large), "");
    EXPECT_EQ(ovix::PhysicalDiskGroup(large.disks[0]).lines[4],
              "Total size: 4398040765440 Bytes -> 4194298 MB -> 4095 GB");
}

TEST(DiskFacts, DisksThatDoNotOpenOrHaveNoGeometry) {
    FakeDisks fake;
    ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_FALSE(facts.firstDiskOpened);
    EXPECT_EQ(ovix::DiskBlockText(facts), "Error: Can not Query Hard Disk Drives.\r\n");
    // A disk without geometry uses up its number.
    fake.disks = {{DiskGeometry{}, false}, {Geometry(1000, 16, 63), true}};
    facts = ovix::GatherDiskFacts(fake);
    EXPECT_TRUE(facts.firstDiskOpened);
    ASSERT_EQ(facts.disks.size(), 1u);
    EXPECT_EQ(ovix::PhysicalDiskGroup(facts.disks[0]).title, "Hard Disk n\xB0" "2");
    EXPECT_EQ(ovix::DiskBlockText(facts).rfind("Hard Disk No. 2:\r\n", 0), 0u);
}

TEST(LogicalDrives, OnlyFixedDrivesFromCToZ) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(10 * GiB, 4 * GiB);
    fake.drives["D:\\"] = Fixed(GiB, 0);
    fake.drives["D:\\"].fixed = false;
    fake.drives["A:\\"] = Fixed(GiB, GiB);
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.asked.front(), "C:\\");
    EXPECT_EQ(fake.asked.size(), 24u) << "A: and B: are never asked";
    ASSERT_EQ(facts.drives.size(), 1u);
    EXPECT_TRUE(ovix::LogicalDriveSummary(facts).empty()) << "one drive: no summary";
    const auto groups = ovix::LogicalDriveGroups(facts);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].title, "C:\\");
    EXPECT_EQ(groups[0].lines, (std::vector<std::string>{
                                   "Total size: 10737418240 Bytes -> 10240.00 MB -> 10.00 GB",
                                   "Used: 6442450944 Bytes -> 6144.00 MB -> 6.00 GB",
                                   "Free: 4294967296 Bytes -> 4096.00 MB -> 4.00 GB", "Volume name: SYSTEM",
                                   "Serial Number: 00A1-B2C3", "Max of File Length Support: 255",
                                   "File System: NTFS"}));
    EXPECT_EQ(ovix::DiskBlockText(facts),
              "Error: Can not Query Hard Disk Drives.\r\nLogical drive: C:\\\r\n"
              "Total size: 10737418240 bytes -> 10240 MB -> 10 GB\r\n"
              "Used: 6442450944 bytes -> 6144 MB -> 6 GB\r\n"
              "Free: 4294967296 bytes -> 4096 MB -> 4 GB\r\n"
              "Volume name: SYSTEM\r\nSerial Number: 00A1-B2C3\r\nMax of File Length Support: 255\r\n"
              "File System: NTFS\r\n\r\n");
    EXPECT_EQ(ovix::VolumeSerialText(0x1234), "0000-1234");
    EXPECT_EQ(ovix::VolumeSerialText(0xFFFFFFFF), "FFFF-FFFF");
}

TEST(LogicalDrives, FailedCallsKeepTheOtherLines) {
    FakeDisks fake;
    fake.drives["E:\\"] = Fixed(0, 0);
    fake.drives["E:\\"].spaceOk = false;
    fake.drives["F:\\"] = Fixed(2 * GiB, GiB);
    fake.drives["F:\\"].volumeOk = false;
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    const auto groups = ovix::LogicalDriveGroups(facts);
    ASSERT_EQ(groups.size(), 1u) << "the tree skips a drive without sizes";
    EXPECT_EQ(groups[0].title, "F:\\");
    EXPECT_EQ(groups[0].lines.size(), 3u);
    const std::string block = ovix::DiskBlockText(facts);
    EXPECT_NE(block.find("Logical drive: E:\\\r\nVolume name: SYSTEM\r\n"), std::string::npos) << block;
    EXPECT_NE(block.find("Logical drive: F:\\\r\nTotal size: 2147483648 bytes"), std::string::npos) << block;
}

TEST(LogicalDrives, SummaryAndUsedSpace) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(2 * GiB, GiB);
    fake.drives["D:\\"] = Fixed(GiB, GiB);
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)),
              (std::vector<std::string>{"Total Logical drives storage: 3 GB", "Total Logical drives free: 2 GB (~ 67%)"}));
    // Under a gigabyte in all: 0 %, not a division by zero.
    fake.drives["C:\\"] = Fixed(GiB / 2, GiB / 4);
    fake.drives["D:\\"] = Fixed(GiB / 2, GiB / 4);
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)),
              (std::vector<std::string>{"Total Logical drives storage: 0 GB", "Total Logical drives free: 0 GB (~ 0%)"}));
    // A quota smaller than the free space: used is 0, not a wrapped number.
    fake.drives.erase("D:\\");
    fake.drives["C:\\"] = Fixed(GiB, 2 * GiB);
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(ovix::LogicalDriveGroups(facts)[0].lines[1], "Used: 0 Bytes -> 0.00 MB -> 0.00 GB");
    EXPECT_NE(ovix::DiskBlockText(facts).find("Used: 0 bytes -> 0 MB -> 0 GB\r\n"), std::string::npos);
}

}  // namespace
