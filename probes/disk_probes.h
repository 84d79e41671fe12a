// The disks and drives of this machine, through the real system calls.
#pragma once

#include "probes/disk_facts.h"

namespace ovix {

class WindowsDiskSystem : public DiskSystem {
public:
    Open PhysicalDrive(int number, DiskGeometry& geometry) override;
    bool IsFixedDrive(const std::string& root) override;
    bool FreeSpace(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) override;
    bool Volume(const std::string& root, VolumeFacts& volume) override;
};

DiskFacts ReadDiskFacts();

// The report's block: physical disks, fixed drives, then the network adapters.
std::string DiskReportBlock();

}  // namespace ovix
