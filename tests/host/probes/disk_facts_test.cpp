#include "probes/disk_facts.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using ovix::DiskGeometry;

// Disks and drives as the test describes them; a disk of zeros has no geometry.
class FakeDisks : public ovix::DiskSystem {
public:
    struct Drive {
        std::uint64_t total = 0, free = 0;
        bool fixed = true, spaceOk = true, volumeOk = true;
        ovix::VolumeFacts volume{"SYSTEM", 0x00A1B2C3, 255, "NTFS"};
    };

    Open PhysicalDrive(int number, DiskGeometry& geometry) override {
        opened.push_back(number);
        if (number >= static_cast<int>(disks.size())) return Open::Failed;
        geometry = disks[number];
        return geometry.bytesPerSector ? Open::Geometry : Open::NoGeometry;
    }
    bool IsFixedDrive(const std::string& root) override {
        asked.push_back(root);
        return drives.count(root) && drives.at(root).fixed;
    }
    bool FreeSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        total = drives.at(root).total;
        free = drives.at(root).free;
        return drives.at(root).spaceOk;
    }
    bool Volume(const std::string& root, ovix::VolumeFacts& volume) override {
        return (volume = drives.at(root).volume, drives.at(root).volumeOk);
    }

    std::vector<DiskGeometry> disks;
    std::map<std::string, Drive> drives;
    std::vector<int> opened;
    std::vector<std::string> asked;
};

constexpr std::uint64_t GiB = 1ull << 30;

TEST(DiskFacts, DisksNumberedFromOneWithTheirTotal) {
    FakeDisks fake;
    const ovix::DiskFacts none = ovix::GatherDiskFacts(fake);
    EXPECT_FALSE(none.firstDiskOpened);
    EXPECT_EQ(ovix::DiskBlockText(none), "Error: Can not Query Hard Disk Drives.\r\n");
    fake.opened.clear();
    fake.disks = {{16383, 0, 16, 63, 512}, {10000, 0, 255, 63, 512}};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.opened, (std::vector<int>{0, 1, 2})) << "the walk stops at the first failure";
    ASSERT_EQ(facts.disks.size(), 2u);
    const ovix::TreeGroup first = ovix::PhysicalDiskGroup(facts.disks[0]);
    EXPECT_EQ(first.title, "Hard Disk n\xB0" "1");
    EXPECT_EQ(first.lines, (std::vector<std::string>{"Cylinders: 16383", "Tracks per cylinder: 16",
                                                     "Sectors per track: 63", "Bytes per sector: 512",
                                                     "Total size: 8455200768 Bytes -> 8063 MB -> 7 GB"}));
    EXPECT_EQ(ovix::StorageCapacityLine(facts), "Storage capacity: 83 GB");  // 7 + 76, each whole
    const std::string block = ovix::DiskBlockText(facts);
    EXPECT_EQ(block.substr(0, block.find("Hard Disk No. 2:")),
              "Hard Disk No. 1:\r\nCylinders: 16383\r\nTracks per cylinder: 16\r\nSectors per track: 63\r\n"
              "Bytes per sector: 512\r\nTotal size: 8455200768 Bytes -> 8063 MB -> 7 GB\r\n\r\n");

    // One disk has no capacity line; 4 TiB is far past 32 bits.
    fake.disks = {{534698, 0, 255, 63, 512}};
    const ovix::DiskFacts large = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(ovix::StorageCapacityLine(large), "");
    EXPECT_EQ(ovix::PhysicalDiskGroup(large.disks[0]).lines[4],
              "Total size: 4398040765440 Bytes -> 4194298 MB -> 4095 GB");
    // A disk without geometry uses up its number.
    fake.disks = {DiskGeometry{}, {1000, 0, 16, 63, 512}};
    const ovix::DiskFacts second = ovix::GatherDiskFacts(fake);
    EXPECT_TRUE(second.firstDiskOpened);
    ASSERT_EQ(second.disks.size(), 1u);
    EXPECT_EQ(ovix::PhysicalDiskGroup(second.disks[0]).title, "Hard Disk n\xB0" "2");
    EXPECT_EQ(ovix::DiskBlockText(second).rfind("Hard Disk No. 2:\r\n", 0), 0u);
}

TEST(LogicalDrives, OnlyFixedDrivesFromCToZFailedCallsSummaryAndUsedSpace) {
    FakeDisks fake;
    fake.drives["C:\\"] = {10 * GiB, 4 * GiB};
    fake.drives["D:\\"] = {GiB, 0, false};
    fake.drives["A:\\"] = {GiB, GiB};
    const ovix::DiskFacts facts = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(fake.asked.front() + fake.asked.back() + std::to_string(fake.asked.size()), "C:\\Z:\\24")
        << "A: and B: are never asked";
    EXPECT_TRUE(ovix::LogicalDriveSummary(facts).empty()) << "one drive: no summary";
    const auto groups = ovix::LogicalDriveGroups(facts);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].title, "C:\\");
    EXPECT_EQ(groups[0].lines, (std::vector<std::string>{
        "Total size: 10737418240 Bytes -> 10240.00 MB -> 10.00 GB", "Used: 6442450944 Bytes -> 6144.00 MB -> 6.00 GB",
        "Free: 4294967296 Bytes -> 4096.00 MB -> 4.00 GB", "Volume name: SYSTEM", "Serial Number: 00A1-B2C3",
        "Max of File Length Support: 255", "File System: NTFS"}));
    EXPECT_EQ(ovix::DiskBlockText(facts),
              "Error: Can not Query Hard Disk Drives.\r\nLogical drive: C:\\\r\n"
              "Total size: 10737418240 bytes -> 10240 MB -> 10 GB\r\n"
              "Used: 6442450944 bytes -> 6144 MB -> 6 GB\r\n"
              "Free: 4294967296 bytes -> 4096 MB -> 4 GB\r\n"
              "Volume name: SYSTEM\r\nSerial Number: 00A1-B2C3\r\nMax of File Length Support: 255\r\n"
              "File System: NTFS\r\n\r\n");

    // Failed calls keep the other lines.
    fake.drives.clear();
    fake.drives["E:\\"] = {0, 0, true, false};
    fake.drives["F:\\"] = {2 * GiB, GiB, true, true, false};
    const ovix::DiskFacts failed = ovix::GatherDiskFacts(fake);
    const auto shown = ovix::LogicalDriveGroups(failed);
    ASSERT_EQ(shown.size(), 1u) << "the tree skips a drive without sizes";
    EXPECT_EQ(shown[0].title + " " + std::to_string(shown[0].lines.size()), "F:\\ 3");
    const std::string block = ovix::DiskBlockText(failed);
    EXPECT_NE(block.find("Logical drive: E:\\\r\nVolume name: SYSTEM\r\n"), std::string::npos) << block;
    EXPECT_NE(block.find("Logical drive: F:\\\r\nTotal size: 2147483648 bytes"), std::string::npos) << block;

    fake.drives.clear();
    fake.drives["C:\\"] = {2 * GiB, GiB};
    fake.drives["D:\\"] = {GiB, GiB};
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)),
              (std::vector<std::string>{"Total Logical drives storage: 3 GB", "Total Logical drives free: 2 GB (~ 67%)"}));
    // Under a gigabyte in all: 0 %, not a division by zero.
    fake.drives["C:\\"] = fake.drives["D:\\"] = {GiB / 2, GiB / 4};
    EXPECT_EQ(ovix::LogicalDriveSummary(ovix::GatherDiskFacts(fake)).at(1), "Total Logical drives free: 0 GB (~ 0%)");
    // A quota smaller than the free space: used is 0, not a wrapped number.
    fake.drives.erase("D:\\");
    fake.drives["C:\\"] = {GiB, 2 * GiB};
    const ovix::DiskFacts quota = ovix::GatherDiskFacts(fake);
    EXPECT_EQ(ovix::LogicalDriveGroups(quota)[0].lines[1], "Used: 0 Bytes -> 0.00 MB -> 0.00 GB");
    EXPECT_NE(ovix::DiskBlockText(quota).find("Used: 0 bytes -> 0 MB -> 0 GB\r\n"), std::string::npos);
}

}  // namespace
