// The tree's groups that pair several list probes of one class by position
// (one disk, drive, device, printer or profile per index). Each list comes
// from its own query, so they may differ in length: a group stops at the
// shortest list and never reads past one.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace ovix::wmi {

// The length of the shortest list (0 for none): how far lists read in step may go.
size_t Shortest(std::initializer_list<const std::vector<std::string>*> lists);

struct Group {
    std::string title;
    std::vector<std::string> lines;
};

// "Model" under "HDD": per disk n, "#%i %s" (n, caption), "Interface type: %s",
// "Media type: %s", "Number of partition(s): %s".
std::vector<std::string> DiskModelLines(const std::vector<std::string>& captions,
                                        const std::vector<std::string>& interfaces,
                                        const std::vector<std::string>& partitions,
                                        const std::vector<std::string>& mediaTypes);

// CD/DVD: per drive, the title is the drive with a backslash ("D:\"; empty
// when the service gave no drive), lines "Model: %s" and "Device ID: %s".
std::vector<Group> CdromGroups(const std::vector<std::string>& captions, const std::vector<std::string>& drives,
                               const std::vector<std::string>& deviceIds);

// Sound: per device n, "#%i %s" (n, manufacturer line), the model line, the status line.
std::vector<std::string> SoundDeviceLines(const std::vector<std::string>& manufacturers,
                                          const std::vector<std::string>& models,
                                          const std::vector<std::string>& statuses);

// Memory "Cache": "%s (%s Kb)" per instance (purpose, size).
std::vector<std::string> CacheMemoryLines(const std::vector<std::string>& purposes,
                                          const std::vector<std::string>& sizes);

// The eleven printer lists, in the order the printer section reads them.
struct PrinterLists {
    std::vector<std::string> names, ports, drivers, verticalResolutions, horizontalResolutions, processors,
        dataTypes, statuses, defaults, locals, networks;
};
// Per printer n, title "%i. %s" (n, name) and nine lines.
std::vector<Group> PrinterGroups(const PrinterLists& lists);

// The six login-profile lists, in the order they are read.
struct LoginProfileLists {
    std::vector<std::string> captions, logons, descriptions, privileges, access, userIds;
};
struct LoginProfileGroup {
    std::string caption;
    // Number of logons, privileges, limited access and ID; empty when the
    // caption contains "NT".
    std::vector<std::string> accountLines;
    std::string description;
};
std::vector<LoginProfileGroup> LoginProfileGroups(const LoginProfileLists& lists);

}  // namespace ovix::wmi
