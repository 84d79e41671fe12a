#include "probes/disk_probes.h"

#include "framework/handles.h"

#include <winioctl.h>

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(DiskProbes, FixedDrivesAndFirstDiskMatchTheTestsOwnReading) {
    const ovix::DiskFacts facts = ovix::ReadDiskFacts();
    std::vector<std::string> fixed;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (::GetDriveTypeA(root.c_str()) == DRIVE_FIXED) fixed.push_back(root);
    }
    ASSERT_EQ(facts.drives.size(), fixed.size());
    for (size_t i = 0; i < fixed.size(); ++i) {  // (free space drifts while other programs write)
        ULARGE_INTEGER caller{}, total{}, free{};
        ASSERT_TRUE(::GetDiskFreeSpaceExA(fixed[i].c_str(), &caller, &total, &free));
        EXPECT_EQ(facts.drives[i].root + " " + std::to_string(facts.drives[i].total),
                  fixed[i] + " " + std::to_string(total.QuadPart));
    }

    fw::UniqueHandle disk(::CreateFileA("\\\\.\\PhysicalDrive0", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(facts.firstDiskOpened, static_cast<bool>(disk));
    if (!disk) return;
    DISK_GEOMETRY geometry{};
    DWORD returned = 0;
    ASSERT_TRUE(::DeviceIoControl(disk.Get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof(geometry),
                                  &returned, nullptr));
    ASSERT_FALSE(facts.disks.empty());
    const ovix::DiskGeometry& own = facts.disks[0].geometry;
    EXPECT_EQ(std::make_tuple(facts.disks[0].number, own.cylinders, own.tracksPerCylinder, own.sectorsPerTrack,
                              own.bytesPerSector),
              std::make_tuple(0, geometry.Cylinders.QuadPart, geometry.TracksPerCylinder, geometry.SectorsPerTrack,
                              geometry.BytesPerSector));
}

}  // namespace
