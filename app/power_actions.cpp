#include "app/power_actions.h"

#include "app/launcher.h"
#include "app/message_boxes.h"
#include "framework/handles.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr char kLockCommand[] = "rundll32 user32.dll,LockWorkStation";

struct PowerCommand {
    UINT mainId;
    UINT trayId;
    PowerRow row;
};
constexpr PowerCommand kPowerCommands[] = {
    {32826, 33068, {"Shutdown", IDI_POWER_OFF, PowerEffect::PowerOff}},
    {32827, 32779, {"Reboot", IDI_REBOOT, PowerEffect::Reboot}},
    {32999, 33001, {"Hibernate", IDI_SLEEP, PowerEffect::Hibernate}},
    {33000, 33002, {"Stand by", IDI_SLEEP, PowerEffect::StandBy}},
    {32829, 32780, {"Log Off", IDI_LOG_OFF, PowerEffect::LogOff}},
    {32830, 32781, {"Lock", IDI_LOCK, PowerEffect::Lock}},
};

}  // namespace

bool PowerControl::EnableShutdownPrivilege() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    const fw::UniqueHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return false;
    return ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           ::GetLastError() == ERROR_SUCCESS;
}

bool PowerControl::EndSession(UINT flags) { return ::ExitWindowsEx(flags, 0) != FALSE; }

bool PowerControl::SetSystemPowerState(bool suspend, bool force) {
    return ::SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

const PowerRow* FindPowerRow(UINT commandId) {
    for (const PowerCommand& command : kPowerCommands) {
        if (command.mainId == commandId || command.trayId == commandId) return &command.row;
    }
    return nullptr;
}

void RunPowerAction(const PowerRow& row, HWND owner, PowerControl& power) {
    const int answer = ShowMessage(
        {.owner = owner, .text = "Are you sure ?", .caption = row.name, .buttons = MB_YESNO, .userIcon = row.icon});
    if (answer != IDYES) return;
    if (row.effect == PowerEffect::Lock) {
        CurrentLauncher().CommandLine(kLockCommand, kShowNormal);
        return;
    }
    // Hibernate and stand by need the privilege as much as the other three.
    power.EnableShutdownPrivilege();
    switch (row.effect) {
    case PowerEffect::LogOff:
        power.EndSession(EWX_LOGOFF | EWX_FORCE);
        break;
    case PowerEffect::Reboot:
        power.EndSession(EWX_REBOOT | EWX_FORCE);
        break;
    case PowerEffect::PowerOff:
        power.EndSession(EWX_POWEROFF | EWX_FORCE);
        break;
    case PowerEffect::Hibernate:
        power.SetSystemPowerState(false, false);
        break;
    case PowerEffect::StandBy:
        power.SetSystemPowerState(true, true);
        break;
    case PowerEffect::Lock:
        break;
    }
}

}  // namespace ovix
