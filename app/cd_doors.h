// Opening and closing CD trays: the default CD-audio device, or every CD-ROM
// drive from A: upwards. The drive list and the media calls sit behind a
// seam; tests hand it drives that this machine does not have.
#pragma once

#include "framework/win.h"

#include <string>

namespace ovix {

class CdDrives {
public:
    virtual ~CdDrives() = default;
    virtual DWORD LogicalDrives();
    virtual UINT DriveType(const std::string& root);
    // Opens the CD-audio device (the default one without an element, else the
    // drive "X:"), shareable, sets the door and closes it. False when the
    // device cannot be opened.
    virtual bool SetDoor(const std::string& element, bool open);
};

void CdDoorDefault(CdDrives& drives, bool open);
// Returns how many CD-ROM drives were asked.
int CdDoorAll(CdDrives& drives, bool open);

}  // namespace ovix
