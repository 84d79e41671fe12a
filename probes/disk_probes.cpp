#include "probes/disk_probes.h"

#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/system_info.h"

#include <winioctl.h>

namespace ovix {

DiskSystem::Open WindowsDiskSystem::PhysicalDrive(int number, DiskGeometry& geometry) {
    const std::string device = fw::Format("\\\\.\\PhysicalDrive%d", number);
    // No access rights: the geometry needs none, and an ordinary user may open it so.
    fw::UniqueHandle disk(::CreateFileA(device.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (!disk) return Open::Failed;
    DISK_GEOMETRY raw{};
    DWORD returned = 0;
    if (!::DeviceIoControl(disk.Get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &raw, sizeof(raw), &returned,
                           nullptr) ||
        returned < sizeof(raw)) {
        return Open::NoGeometry;
    }
    geometry.cylinders = raw.Cylinders.QuadPart;
    geometry.mediaType = static_cast<std::uint32_t>(raw.MediaType);
    geometry.tracksPerCylinder = raw.TracksPerCylinder;
    geometry.sectorsPerTrack = raw.SectorsPerTrack;
    geometry.bytesPerSector = raw.BytesPerSector;
    return Open::Geometry;
}

bool WindowsDiskSystem::IsFixedDrive(const std::string& root) { return ::GetDriveTypeA(root.c_str()) == DRIVE_FIXED; }

bool WindowsDiskSystem::FreeSpace(const std::string& root, std::uint64_t& total, std::uint64_t& totalFree) {
    ULARGE_INTEGER callerFree{}, totalBytes{}, freeBytes{};
    if (!::GetDiskFreeSpaceExA(root.c_str(), &callerFree, &totalBytes, &freeBytes)) return false;
    total = totalBytes.QuadPart;
    totalFree = freeBytes.QuadPart;
    return true;
}

bool WindowsDiskSystem::Volume(const std::string& root, VolumeFacts& volume) {
    char name[MAX_PATH + 1] = "";
    char fileSystem[MAX_PATH + 1] = "";
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!::GetVolumeInformationA(root.c_str(), name, sizeof(name), &serial, &maxComponent, &flags, fileSystem,
                                 sizeof(fileSystem))) {
        return false;
    }
    volume.name = name;
    volume.serialNumber = serial;
    volume.maxComponentLength = maxComponent;
    volume.fileSystem = fileSystem;
    return true;
}

std::string DiskReportBlock() {
    SystemInfoCollector network;
    network.Load();
    return DiskBlockText(ReadDiskFacts()) + network.NetworkAdapterLines();
}

DiskFacts ReadDiskFacts() {
    WindowsDiskSystem system;
    return GatherDiskFacts(system);
}

}  // namespace ovix
