#include "probes/wmi_groups.h"

#include "framework/text_format.h"

#include <algorithm>
#include <initializer_list>

namespace ovix::wmi {
size_t Shortest(std::initializer_list<const std::vector<std::string>*> lists) {
    size_t count = lists.size() ? (*lists.begin())->size() : 0;
    for (const auto* list : lists) count = std::min(count, list->size());
    return count;
}

std::vector<std::string> DiskModelLines(const std::vector<std::string>& captions,
                                        const std::vector<std::string>& interfaces,
                                        const std::vector<std::string>& partitions,
                                        const std::vector<std::string>& mediaTypes) {
    std::vector<std::string> lines;
    const size_t count = Shortest({&captions, &interfaces, &partitions, &mediaTypes});
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(fw::Format("#%i %s", static_cast<int>(i + 1), captions[i].c_str()));
        lines.push_back(fw::Format("Interface type: %s", interfaces[i].c_str()));
        lines.push_back(fw::Format("Media type: %s", mediaTypes[i].c_str()));
        lines.push_back(fw::Format("Number of partition(s): %s", partitions[i].c_str()));
    }
    return lines;
}

std::vector<Group> CdromGroups(const std::vector<std::string>& captions, const std::vector<std::string>& drives,
                               const std::vector<std::string>& deviceIds) {
    std::vector<Group> groups;
    const size_t count = Shortest({&captions, &drives, &deviceIds});
    for (size_t i = 0; i < count; ++i) {
        groups.push_back({drives[i].empty() ? std::string() : drives[i] + "\\",
                          {fw::Format("Model: %s", captions[i].c_str()),
                           fw::Format("Device ID: %s", deviceIds[i].c_str())}});
    }
    return groups;
}

std::vector<std::string> SoundDeviceLines(const std::vector<std::string>& manufacturers,
                                          const std::vector<std::string>& models,
                                          const std::vector<std::string>& statuses) {
    std::vector<std::string> lines;
    const size_t count = Shortest({&manufacturers, &models, &statuses});
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(fw::Format("#%i %s", static_cast<int>(i + 1), manufacturers[i].c_str()));
        lines.push_back(models[i]);
        lines.push_back(statuses[i]);
    }
    return lines;
}

std::vector<std::string> CacheMemoryLines(const std::vector<std::string>& purposes,
                                          const std::vector<std::string>& sizes) {
    std::vector<std::string> lines;
    const size_t count = Shortest({&purposes, &sizes});
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(fw::Format("%s (%s Kb)", purposes[i].c_str(), sizes[i].c_str()));
    }
    return lines;
}

std::vector<Group> PrinterGroups(const PrinterLists& p) {
    std::vector<Group> groups;
    const size_t count = Shortest({&p.names, &p.ports, &p.drivers, &p.verticalResolutions, &p.horizontalResolutions,
                                   &p.processors, &p.dataTypes, &p.statuses, &p.defaults, &p.locals, &p.networks});
    for (size_t i = 0; i < count; ++i) {
        groups.push_back({fw::Format("%i. %s", static_cast<int>(i + 1), p.names[i].c_str()),
                          {
                              fw::Format("Port: %s", p.ports[i].c_str()),
                              fw::Format("Driver: %s", p.drivers[i].c_str()),
                              fw::Format("Resolution: %s x %s", p.horizontalResolutions[i].c_str(),
                                         p.verticalResolutions[i].c_str()),
                              fw::Format("Spooler name: %s", p.processors[i].c_str()),
                              fw::Format("Data type: %s", p.dataTypes[i].c_str()),
                              fw::Format("Status: %s", p.statuses[i].c_str()),
                              fw::Format("Default: %s", p.defaults[i].c_str()),
                              fw::Format("Local: %s", p.locals[i].c_str()),
                              fw::Format("Network: %s", p.networks[i].c_str()),
                          }});
    }
    return groups;
}

std::vector<LoginProfileGroup> LoginProfileGroups(const LoginProfileLists& p) {
    std::vector<LoginProfileGroup> groups;
    const size_t count =
        Shortest({&p.captions, &p.logons, &p.descriptions, &p.privileges, &p.access, &p.userIds});
    for (size_t i = 0; i < count; ++i) {
        LoginProfileGroup group;
        group.caption = p.captions[i];
        // Built-in authority accounts ("NT AUTHORITY\...") have no logon facts worth showing.
        if (group.caption.find("NT") == std::string::npos) {
            group.accountLines = {p.logons[i], p.privileges[i], p.access[i], p.userIds[i]};
        }
        group.description = p.descriptions[i];
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace ovix::wmi
