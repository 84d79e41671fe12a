#include "app/cd_doors.h"

#include <mmsystem.h>

namespace ovix {

DWORD CdDrives::LogicalDrives() { return ::GetLogicalDrives(); }

UINT CdDrives::DriveType(const std::string& root) { return ::GetDriveTypeA(root.c_str()); }

bool CdDrives::SetDoor(const std::string& element, bool open) {
    MCI_OPEN_PARMSA device{};
    DWORD flags = MCI_OPEN_TYPE | MCI_OPEN_SHAREABLE;
    if (element.empty()) {
        device.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(MCI_DEVTYPE_CD_AUDIO));
        flags |= MCI_OPEN_TYPE_ID;
    } else {
        device.lpstrDeviceType = "cdaudio";
        device.lpstrElementName = element.c_str();
        flags |= MCI_OPEN_ELEMENT;
    }
    if (::mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(&device)) != 0) return false;
    MCI_SET_PARMS set{};
    ::mciSendCommandA(device.wDeviceID, MCI_SET, open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED,
                      reinterpret_cast<DWORD_PTR>(&set));
    MCI_GENERIC_PARMS close{};
    ::mciSendCommandA(device.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    return true;
}

void CdDoorDefault(CdDrives& drives, bool open) { drives.SetDoor("", open); }

int CdDoorAll(CdDrives& drives, bool open) {
    const DWORD mask = drives.LogicalDrives();
    int asked = 0;
    for (int bit = 0; bit < 26; ++bit) {
        if (!(mask & (1u << bit))) continue;
        const char letter = static_cast<char>('A' + bit);
        if (drives.DriveType(std::string(1, letter) + ":\\") != DRIVE_CDROM) continue;
        drives.SetDoor(std::string(1, letter) + ":", open);
        ++asked;
    }
    return asked;
}

}  // namespace ovix
