// Physical disks and fixed logical drives: one gathering routine that fills a
// record per disk and per drive, and the two ways Ovix writes them (tree lines
// and the report block). No platform types: the calls sit behind DiskSystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ovix {

struct DiskGeometry {
    std::int64_t cylinders = 0;
    std::uint32_t mediaType = 0;
    std::uint32_t tracksPerCylinder = 0;
    std::uint32_t sectorsPerTrack = 0;
    std::uint32_t bytesPerSector = 0;
};

struct VolumeFacts {
    std::string name;
    std::uint32_t serialNumber = 0;
    std::uint32_t maxComponentLength = 0;
    std::string fileSystem;
};

// The raw calls, one per question.
class DiskSystem {
public:
    enum class Open { Failed, NoGeometry, Geometry };
    virtual ~DiskSystem() = default;
    // Opens "\\.\PhysicalDrive<n>" and reads its geometry.
    virtual Open PhysicalDrive(int number, DiskGeometry& geometry) = 0;
    virtual bool IsFixedDrive(const std::string& root) = 0;
    virtual bool FreeSpace(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) = 0;
    virtual bool Volume(const std::string& root, VolumeFacts& volume) = 0;
};

struct PhysicalDisk {
    int number = 0;  // as opened: 0 for "\\.\PhysicalDrive0"
    DiskGeometry geometry;
    std::uint64_t TotalBytes() const;
};

struct LogicalDrive {
    std::string root;  // "C:\"
    bool spaceRead = false;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
    bool volumeRead = false;
    VolumeFacts volume;
    // Total less free, never below 0 (quotas can make the total the smaller).
    std::uint64_t Used() const { return total > totalFree ? total - totalFree : 0; }
};

struct DiskFacts {
    bool firstDiskOpened = false;
    std::vector<PhysicalDisk> disks;  // those whose geometry was read
    std::vector<LogicalDrive> drives;  // the fixed drives, C: to Z:
};

// Disks from 0 until the first that does not open; fixed drives C: to Z:.
DiskFacts GatherDiskFacts(DiskSystem& system);
void GatherPhysicalDisks(DiskSystem& system, DiskFacts& facts);
void GatherLogicalDrives(DiskSystem& system, DiskFacts& facts);

// "0A1B-2C3D": eight upper-case hexadecimal digits split in two.
std::string VolumeSerialText(std::uint32_t serial);

// The report block's disk and drive part, lines ending in CR LF.
std::string DiskBlockText(const DiskFacts& facts);

// The tree's texts.
struct TreeGroup {
    std::string title;
    std::vector<std::string> lines;
};
TreeGroup PhysicalDiskGroup(const PhysicalDisk& disk);
// The disks' capacity as the sum of each disk's whole gigabytes.
std::uint64_t WholeGigabytes(const DiskFacts& facts);
// "Storage capacity: %I64d GB", only with more than one disk; else empty.
std::string StorageCapacityLine(const DiskFacts& facts);
// Drives whose free space was read, each with its size and volume lines.
std::vector<TreeGroup> LogicalDriveGroups(const DiskFacts& facts);
// The two summary lines, only with more than one fixed drive; else none.
std::vector<std::string> LogicalDriveSummary(const DiskFacts& facts);

}  // namespace ovix
