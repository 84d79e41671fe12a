#include "probes/disk_facts.h"

#include "framework/text_format.h"

#include <cinttypes>

namespace ovix {
namespace {

constexpr double kMiB = 1048576.0;
constexpr double kGiB = 1073741824.0;

std::int64_t Signed(std::uint64_t value) { return static_cast<std::int64_t>(value); }

// "%I64d Bytes -> %.2f MB -> %.2f GB" in the tree; whole units in the block.
std::string TreeSizeLine(const char* label, std::uint64_t bytes) {
    return fw::Format("%s: %" PRId64 " Bytes -> %.2f MB -> %.2f GB", label, static_cast<std::int64_t>(bytes),
                      bytes / kMiB, bytes / kGiB);
}

std::string BlockSizeLine(const char* label, std::uint64_t bytes) {
    return fw::Format("%s: %" PRId64 " bytes -> %" PRId64 " MB -> %" PRId64 " GB\r\n", label,
                      static_cast<std::int64_t>(bytes), static_cast<std::int64_t>(bytes >> 20),
                      static_cast<std::int64_t>(bytes >> 30));
}

std::vector<std::string> VolumeLines(const VolumeFacts& volume) {
    return {fw::Format("Volume name: %s", volume.name.c_str()), "Serial Number: " + VolumeSerialText(volume.serialNumber),
            fw::Format("Max of File Length Support: %d", static_cast<int>(volume.maxComponentLength)),
            fw::Format("File System: %s", volume.fileSystem.c_str())};
}

}  // namespace

std::uint64_t PhysicalDisk::TotalBytes() const {
    const std::uint64_t cylinders = geometry.cylinders > 0 ? static_cast<std::uint64_t>(geometry.cylinders) : 0;
    return static_cast<std::uint64_t>(geometry.bytesPerSector) * geometry.sectorsPerTrack *
           geometry.tracksPerCylinder * cylinders;
}

void GatherPhysicalDisks(DiskSystem& system, DiskFacts& facts) {
    for (int number = 0;; ++number) {
        PhysicalDisk disk;
        disk.number = number;
        const DiskSystem::Open open = system.PhysicalDrive(number, disk.geometry);
        if (open == DiskSystem::Open::Failed) break;
        if (number == 0) facts.firstDiskOpened = true;
        // A disk whose geometry cannot be read uses up its number and shows nothing.
        if (open == DiskSystem::Open::Geometry) facts.disks.push_back(disk);
    }
}

void GatherLogicalDrives(DiskSystem& system, DiskFacts& facts) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        LogicalDrive drive;
        drive.root = std::string(1, letter) + ":\\";
        if (!system.IsFixedDrive(drive.root)) continue;
        drive.spaceRead = system.FreeSpace(drive.root, drive.total, drive.totalFree);
        drive.volumeRead = system.Volume(drive.root, drive.volume);
        facts.drives.push_back(drive);
    }
}

DiskFacts GatherDiskFacts(DiskSystem& system) {
    DiskFacts facts;
    GatherPhysicalDisks(system, facts);
    GatherLogicalDrives(system, facts);
    return facts;
}

std::string VolumeSerialText(std::uint32_t serial) {
    const std::string digits = fw::Format("%08X", static_cast<unsigned>(serial));
    return digits.substr(0, 4) + "-" + digits.substr(4);
}

std::string DiskBlockText(const DiskFacts& facts) {
    std::string block;
    if (!facts.firstDiskOpened) {
        block += "Error: Can not Query Hard Disk Drives.\r\n";
    }
    for (const PhysicalDisk& disk : facts.disks) {
        const DiskGeometry& g = disk.geometry;
        const std::uint64_t total = disk.TotalBytes();
        block += fw::Format("Hard Disk No. %d:\r\n", disk.number + 1);
        block += fw::Format("Cylinders: %" PRId64 "\r\n", g.cylinders);
        block += fw::Format("Tracks per cylinder: %ld\r\n", static_cast<long>(g.tracksPerCylinder));
        block += fw::Format("Sectors per track: %ld\r\n", static_cast<long>(g.sectorsPerTrack));
        block += fw::Format("Bytes per sector: %ld\r\n", static_cast<long>(g.bytesPerSector));
        block += fw::Format("Total size: %" PRId64 " Bytes -> %" PRId64 " MB -> %" PRId64 " GB\r\n\r\n",
                            static_cast<std::int64_t>(total), static_cast<std::int64_t>(total >> 20),
                            static_cast<std::int64_t>(total >> 30));
    }
    for (const LogicalDrive& drive : facts.drives) {
        // The heading stands before whatever follows, so volume lines never
        // appear under another drive's name.
        block += fw::Format("Logical drive: %s\r\n", drive.root.c_str());
        if (drive.spaceRead) {
            block += BlockSizeLine("Total size", drive.total);
            block += BlockSizeLine("Used", drive.Used());
            block += BlockSizeLine("Free", drive.totalFree);
        }
        if (drive.volumeRead) {
            const std::vector<std::string> lines = VolumeLines(drive.volume);
            for (size_t i = 0; i < lines.size(); ++i) block += lines[i] + (i + 1 < lines.size() ? "\r\n" : "\r\n\r\n");
        }
    }
    return block;
}

TreeGroup PhysicalDiskGroup(const PhysicalDisk& disk) {
    const DiskGeometry& g = disk.geometry;
    const std::uint64_t total = disk.TotalBytes();
    return {fw::Format("Hard Disk n\xB0%d", disk.number + 1),
            {fw::Format("Cylinders: %" PRId64, g.cylinders),
             fw::Format("Tracks per cylinder: %ld", static_cast<long>(g.tracksPerCylinder)),
             fw::Format("Sectors per track: %ld", static_cast<long>(g.sectorsPerTrack)),
             fw::Format("Bytes per sector: %ld", static_cast<long>(g.bytesPerSector)),
             fw::Format("Total size: %" PRId64 " Bytes -> %" PRId64 " MB -> %" PRId64 " GB", Signed(total),
                        Signed(total >> 20), Signed(total >> 30))}};
}

std::uint64_t WholeGigabytes(const DiskFacts& facts) {
    std::uint64_t gigabytes = 0;
    for (const PhysicalDisk& disk : facts.disks) gigabytes += disk.TotalBytes() >> 30;
    return gigabytes;
}

std::string StorageCapacityLine(const DiskFacts& facts) {
    if (facts.disks.size() < 2) return {};
    return fw::Format("Storage capacity: %" PRId64 " GB", Signed(WholeGigabytes(facts)));
}

std::vector<TreeGroup> LogicalDriveGroups(const DiskFacts& facts) {
    std::vector<TreeGroup> groups;
    for (const LogicalDrive& drive : facts.drives) {
        if (!drive.spaceRead) continue;
        TreeGroup group{drive.root,
                        {TreeSizeLine("Total size", drive.total), TreeSizeLine("Used", drive.Used()),
                         TreeSizeLine("Free", drive.totalFree)}};
        if (drive.volumeRead) {
            for (std::string& line : VolumeLines(drive.volume)) group.lines.push_back(std::move(line));
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<std::string> LogicalDriveSummary(const DiskFacts& facts) {
    if (facts.drives.size() < 2) return {};
    std::uint64_t totalGb = 0;
    std::uint64_t freeGb = 0;
    for (const LogicalDrive& drive : facts.drives) {
        if (!drive.spaceRead) continue;
        totalGb += drive.total >> 30;
        freeGb += drive.totalFree >> 30;
    }
    const double percent = totalGb ? static_cast<double>(freeGb) * 100.0 / static_cast<double>(totalGb) : 0.0;
    return {fw::Format("Total Logical drives storage: %" PRId64 " GB", Signed(totalGb)),
            fw::Format("Total Logical drives free: %" PRId64 " GB (~ %.f%%)", Signed(freeGb), percent)};
}

}  // namespace ovix
