// The computer summary shown by F2: a few lines on the system, processor,
// memory, disks, motherboard, video card, the computer and its user, and the
// boot time. Built from plain facts so every line is tested natively.
#pragma once

#include <cstdint>
#include <string>

namespace ovix {

struct SummaryFacts {
    // Windows Server 2003 names its service pack where the others have the
    // edition name.
    bool server2003 = false;
    std::string servicePack;  // the version record's text
    std::string osName;       // the edition name
    std::string processorName;
    unsigned clockMhz = 0;
    uint64_t totalPhysicalBytes = 0;
    int diskCount = 0;
    uint64_t diskGigabytes = 0;
    // Probe lines as they read (fallback texts included).
    std::string boardManufacturer, boardProduct, boardVersion, videoModel, videoMemory;
    std::string computerName, userName;
    bool adminRights = false;
    std::string bootTime;  // the start-up's "Boot Time: ..." line
};

// The lines joined by CR LF, the last without one.
std::string SummaryText(const SummaryFacts& facts);

}  // namespace ovix
