#include "probes/disk_facts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using ovix::DiskGeometry;
using ovix::DiskSystem;

// Disks and drives as the test describes them.
class FakeDisks : public DiskSystem {
public:
    struct Drive {
        bool fixed = true;
        bool spaceOk = true;
        std::uint64_t total = 0;
        std::uint64_t free = 0;
        bool volumeOk = true;
        ovix::VolumeFacts volume;
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
        if (!drive.spaceOk) return false;
        total = drive.total;
        free = drive.free;
        return true;
    }
    bool Volume(const std::string& root, ovix::VolumeFacts& volume) override {
        const Drive& drive = drives.at(root);
        if (!drive.volumeOk) return false;
        volume = drive.volume;
        return true;
    }

    std::vector<std::pair<DiskGeometry, bool>> disks;
    std::map<std::string, Drive> drives;
    std::vector<int> opened;
    std::vector<std::string> asked;
};

DiskGeometry Geometry(std::int64_t cylinders, std::uint32_t tracks, std::uint32_t sectors, std::uint32_t bytes) {
    DiskGeometry g;
    g.cylinders = cylinders;
    g.tracksPerCylinder = tracks;
    g.sectorsPerTrack = sectors;
    g.bytesPerSector = bytes;
    return g;
}

constexpr std::uint64_t GiB = 1ull << 30;

TEST(DiskFacts, TwoDisksNumberedOneAndTwoWithTheirTotal) {
    FakeDisks fake;
    fake.disks = {{Geometry(16383, 16, 63, 512), true}, {Geometry(10000, 255, 63, 512), true}};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.opened, (std::vector<int>{0, 1, 2})) << "the walk stops at the first failure";
    ASSERT_EQ(facts.disks.size(), 2u);

    const ovix::TreeGroup first = ovix::PhysicalDiskGroup(facts.disks[0]);
    EXPECT_EQ(first.title, "Hard Disk n\xB0" "1");
    EXPECT_EQ(first.lines, (std::vector<std::string>{"Cylinders: 16383", "Tracks per cylinder: 16",
                                                     "Sectors per track: 63", "Bytes per sector: 512",
                                                     "Total size: 8455200768 Bytes -> 8063 MB -> 7 GB"}));
    EXPECT_EQ(ovix::PhysicalDiskGroup(facts.disks[1]).title, "Hard Disk n\xB0" "2");
    // 7 GB + 76 GB, each in whole gigabytes.
    EXPECT_EQ(ovix::StorageCapacityLine(facts), "Storage capacity: 83 GB");

    const std::string block = ovix::DiskBlockText(facts);
    EXPECT_EQ(block.substr(0, block.find("Hard Disk No. 2:")),
              "Hard Disk No. 1:\r\nCylinders: 16383\r\nTracks per cylinder: 16\r\nSectors per track: 63\r\n"
              "Bytes per sector: 512\r\nTotal size: 8455200768 Bytes -> 8063 MB -> 7 GB\r\n\r\n");
}

TEST(DiskFacts, OneDiskHasNoStorageCapacity) {
    FakeDisks fake;
    fake.disks = {{Geometry(10000, 255, 63, 512), true}};
    EXPECT_EQ(ovix::StorageCapacityLine(ovix::GatherDiskFacts(fake)), "");
}

TEST(DiskFacts, DisksOverTwoTerabytesDoNotOverflow) {
    FakeDisks fake;
    // About 4 TiB: 534,698 cylinders of 255 x 63 x 512 bytes, far past 32 bits.
    fake.disks = {{Geometry(534698, 255, 63, 512), true}};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(facts.disks[0].TotalBytes(), 534698ull * 255 * 63 * 512);
    EXPECT_EQ(ovix::PhysicalDiskGroup(facts.disks[0]).lines[4],
              "Total size: 4398040765440 Bytes -> 4194298 MB -> 4095 GB");
}

TEST(DiskFacts, FirstDiskNotOpeningGivesTheErrorLineWithItsLineEnd) {
    FakeDisks fake;
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_FALSE(facts.firstDiskOpened);
    EXPECT_EQ(ovix::DiskBlockText(facts), "Error: Can not Query Hard Disk Drives.\r\n");
}

TEST(DiskFacts, ADiskWithoutGeometryUsesUpItsNumber) {
    FakeDisks fake;
    fake.disks = {{Geometry(0, 0, 0, 0), false}, {Geometry(1000, 16, 63, 512), true}};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_TRUE(facts.firstDiskOpened);
    ASSERT_EQ(facts.disks.size(), 1u);
    EXPECT_EQ(ovix::PhysicalDiskGroup(facts.disks[0]).title, "Hard Disk n\xB0" "2");
    EXPECT_EQ(ovix::DiskBlockText(facts).rfind("Hard Disk No. 2:\r\n", 0), 0u);
}

TEST(VolumeSerial, EightDigitsWithLeadingZeros) {
    EXPECT_EQ(ovix::VolumeSerialText(0x00A1B2C3), "00A1-B2C3");
    EXPECT_EQ(ovix::VolumeSerialText(0x0A1B2C3D), "0A1B-2C3D");
    EXPECT_EQ(ovix::VolumeSerialText(0x1234), "0000-1234");
    EXPECT_EQ(ovix::VolumeSerialText(0xFFFFFFFF), "FFFF-FFFF");
}

FakeDisks::Drive Fixed(std::uint64_t total, std::uint64_t free) {
    FakeDisks::Drive drive;
    drive.total = total;
    drive.free = free;
    drive.volume = {"SYSTEM", 0x00A1B2C3, 255, "NTFS"};
    return drive;
}

TEST(LogicalDrives, OnlyFixedDrivesFromCToZ) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(10 * GiB, 4 * GiB);
    FakeDisks::Drive cd = Fixed(GiB, 0);
    cd.fixed = false;
    fake.drives["D:\\"] = cd;
    fake.drives["A:\\"] = Fixed(GiB, GiB);
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.asked.front(), "C:\\");
    EXPECT_EQ(fake.asked.back(), "Z:\\");
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
              "Error: Can not Query Hard Disk Drives.\r\n"
              "Logical drive: C:\\\r\n"
              "Total size: 10737418240 bytes -> 10240 MB -> 10 GB\r\n"
              "Used: 6442450944 bytes -> 6144 MB -> 6 GB\r\n"
              "Free: 4294967296 bytes -> 4096 MB -> 4 GB\r\n"
              "Volume name: SYSTEM\r\nSerial Number: 00A1-B2C3\r\nMax of File Length Support: 255\r\n"
              "File System: NTFS\r\n\r\n");
}

TEST(LogicalDrives, FreeSpaceFailingKeepsTheVolumeLinesUnderTheirOwnHeading) {
    FakeDisks fake;
    FakeDisks::Drive broken = Fixed(0, 0);
    broken.spaceOk = false;
    fake.drives["E:\\"] = broken;
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_TRUE(ovix::LogicalDriveGroups(facts).empty()) << "the tree skips the drive";
    const std::string block = ovix::DiskBlockText(facts);
    EXPECT_NE(block.find("Logical drive: E:\\\r\nVolume name: SYSTEM\r\n"), std::string::npos) << block;
    EXPECT_EQ(block.find("Total size"), std::string::npos);
}

TEST(LogicalDrives, VolumeFailingKeepsTheSizes) {
    FakeDisks fake;
    FakeDisks::Drive drive = Fixed(2 * GiB, GiB);
    drive.volumeOk = false;
    fake.drives["C:\\"] = drive;
    const auto groups = ovix::LogicalDriveGroups(ovix::GatherDiskFacts(fake));
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].lines.size(), 3u);
}

TEST(LogicalDrives, UsedNeverGoesBelowZero) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(GiB, 2 * GiB);  // a quota smaller than the free space
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(ovix::LogicalDriveGroups(facts)[0].lines[1], "Used: 0 Bytes -> 0.00 MB -> 0.00 GB");
    EXPECT_NE(ovix::DiskBlockText(facts).find("Used: 0 bytes -> 0 MB -> 0 GB\r\n"), std::string::npos);
}

TEST(LogicalDrives, SummaryPercentInFloatingPoint) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(2 * GiB, GiB);
    fake.drives["D:\\"] = Fixed(GiB, GiB);
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)),
              (std::vector<std::string>{"Total Logical drives storage: 3 GB", "Total Logical drives free: 2 GB (~ 67%)"}));
}

TEST(LogicalDrives, SummaryOfDrivesUnderOneGigabyteIsZeroPercent) {
    FakeDisks fake;
    fake.drives["C:\\"] = Fixed(GiB / 2, GiB / 4);
    fake.drives["D:\\"] = Fixed(GiB / 2, GiB / 4);
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)),
              (std::vector<std::string>{"Total Logical drives storage: 0 GB", "Total Logical drives free: 0 GB (~ 0%)"}));
}

}  // namespace
