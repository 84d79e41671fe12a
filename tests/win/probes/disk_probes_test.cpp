#include "probes/disk_probes.h"
#include "probes/serial_ports.h"
#include "probes/system_info.h"

#include "framework/handles.h"

#include <winioctl.h>

#include <gtest/gtest.h>

namespace {

TEST(DiskProbes, FixedDrivesAndFirstDiskMatchTheTestsOwnReading) {
    const ovix::DiskFacts facts = ovix::ReadDiskFacts();
    std::vector<std::string> fixed;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (::GetDriveTypeA(root.c_str()) == DRIVE_FIXED) fixed.push_back(root);
    }
    ASSERT_EQ(facts.drives.size(), fixed.size());
    for (size_t i = 0; i < fixed.size(); ++i) {
        const ovix::LogicalDrive& drive = facts.drives[i];
        EXPECT_EQ(drive.root, fixed[i]);
        ULARGE_INTEGER caller{}, total{}, free{};
        ASSERT_TRUE(::GetDiskFreeSpaceExA(drive.root.c_str(), &caller, &total, &free));
        ASSERT_TRUE(drive.spaceRead);
        EXPECT_EQ(drive.total, total.QuadPart);
        // Free space drifts while other programs write.
        EXPECT_LT(std::abs(static_cast<double>(drive.totalFree) - static_cast<double>(free.QuadPart)), 512.0 * 1048576)
            << drive.root;
    }

    fw::UniqueHandle disk(::CreateFileA("\\\\.\\PhysicalDrive0", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(facts.firstDiskOpened, static_cast<bool>(disk));
    const std::string block = ovix::DiskBlockText(facts);
    if (!disk) {
        EXPECT_EQ(block.rfind("Error: Can not Query Hard Disk Drives.\r\n", 0), 0u);
        return;
    }
    DISK_GEOMETRY geometry{};
    DWORD returned = 0;
    ASSERT_TRUE(::DeviceIoControl(disk.Get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof(geometry),
                                  &returned, nullptr));
    ASSERT_FALSE(facts.disks.empty());
    EXPECT_EQ(facts.disks[0].number, 0);
    EXPECT_EQ(facts.disks[0].geometry.cylinders, geometry.Cylinders.QuadPart);
    EXPECT_EQ(facts.disks[0].geometry.tracksPerCylinder, geometry.TracksPerCylinder);
    EXPECT_EQ(facts.disks[0].geometry.sectorsPerTrack, geometry.SectorsPerTrack);
    EXPECT_EQ(facts.disks[0].geometry.bytesPerSector, geometry.BytesPerSector);
    EXPECT_EQ(block.rfind("Hard Disk No. 1:\r\nCylinders: ", 0), 0u) << block;
}

TEST(DiskProbes, ReportBlockEndsWithTheNetworkAdapters) {
    const std::string block = ovix::DiskReportBlock();
    ovix::SystemInfoCollector network;
    network.Load();
    const std::string adapters = network.NetworkAdapterLines();
    ASSERT_GE(block.size(), adapters.size());
    EXPECT_EQ(block.substr(block.size() - adapters.size()), adapters);
    // Disks first, then a heading per fixed drive (free space drifts: not compared).
    const ovix::DiskFacts facts = ovix::ReadDiskFacts();
    const std::string disks = ovix::DiskBlockText(facts);
    EXPECT_EQ(block.substr(0, disks.find("Logical drive: ")), disks.substr(0, disks.find("Logical drive: ")));
    for (const ovix::LogicalDrive& drive : facts.drives) {
        EXPECT_NE(block.find("Logical drive: " + drive.root + "\r\n"), std::string::npos) << drive.root;
    }
}

TEST(DiskProbes, SerialPortsUnderWineAreCompleteRecordsWithoutError) {
    std::vector<ovix::SerialPortInfo> ports(2);
    EXPECT_NO_THROW(ovix::EnumSerialPorts(ports, false));
    for (const ovix::SerialPortInfo& port : ports) {
        EXPECT_FALSE(port.friendlyName.empty());
        EXPECT_FALSE(port.portDesc.empty());
    }
}

}  // namespace
