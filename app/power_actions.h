// Shut down, reboot, hibernate, stand by, log off and lock, each after
// "Are you sure ?". The system calls sit behind a seam: a test must never
// reach the real ones.
#pragma once

#include "framework/win.h"

namespace ovix {

class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Enables SeShutdownPrivilege in the process token; a failure is not reported.
    virtual bool EnableShutdownPrivilege();
    virtual bool EndSession(UINT flags);  // ExitWindowsEx
    virtual bool SetSystemPowerState(bool suspend, bool force);
};

enum class PowerEffect { PowerOff, Reboot, Hibernate, StandBy, LogOff, Lock };

struct PowerRow {
    const char* name;  // the question's caption
    UINT icon;         // the program's own icon on the question
    PowerEffect effect;
};

// The row of a command id (main menu or tray), or null.
const PowerRow* FindPowerRow(UINT commandId);

// Asks, and on Yes acts. Log-off, reboot and power-off are forced on purpose:
// the user has just confirmed, and a program asking to save would stop them.
void RunPowerAction(const PowerRow& row, HWND owner, PowerControl& power);

}  // namespace ovix
