#include "app/launch_commands.h"

#include "app/launcher.h"
#include "app/message_boxes.h"
#include "probes/os_version.h"
#include "probes/system_probes.h"
#include "probes/version_code.h"

#include <shlobj.h>

namespace ovix {
namespace {

constexpr LaunchKind kOpen = LaunchKind::ShellOpen;
constexpr LaunchKind kLine = LaunchKind::CommandLine;
constexpr int kNormal = kShowNormal;
constexpr int kDefault = kShowDefault;

// Command lines are run exactly as written: the case of "RunDll32", the blank
// after the comma of the hardware wizard and the literal "%1" are as they are.
constexpr LaunchRow kLaunchRows[] = {
    {32789, kOpen, "ssmypics.scr", kNormal},
    {33036, kOpen, "https://network-tools.com/", kDefault},
    {33035, kOpen, "https://network-tools.com/", kDefault},
    {32953, kOpen, "https://www.google.com/", kDefault},
    {32954, kOpen, "https://www.yahoo.com/", kDefault},
    {33033, kOpen, "http://www.ovix.example/donate.html", kDefault},
    {32811, kOpen, "explorer.exe", kDefault},
    {32824, kOpen, "compmgmt.msc", kNormal},
    {32850, kLine, "rundll32.exe shell32.dll,Control_RunDLL powercfg.cpl", kNormal},
    {32821, kOpen, "regedit.exe", kNormal},
    {32820, kOpen, "services.msc", kNormal},
    {32817, kLine, "rundll32.exe shell32.dll,Control_RunDLL appwiz.cpl", kNormal},
    {33053, kLine, "rundll32.exe shell32.dll,Control_RunDLL hotplug.dll", kDefault},
    {33044, kLine, "RunDll32.exe shell32.dll,Control_RunDLL nusrmgr.cpl", kDefault,
     "Sorry, only available on Windows XP."},
    {33041, kLine, "RunDll32.exe shdocvw.dll,DoOrganizeFavDlg", kDefault},
    {32886, kLine, "rundll32.exe shell32.dll,SHFormatDrive", kNormal},
    {32884, kOpen, "cmd.exe", kDefault},
    {33042, kLine, "RunDll32.exe msrating.dll,ClickedOnRAT %1", kDefault},
    {32836, kLine, "rundll32.exe shell32.dll,Control_RunDLL odbccp32.cpl", kNormal},
    {32846, kLine, "rundll32.exe shell32.dll,Control_RunDLL inetcpl.cpl", kNormal},
    {32855, kLine, "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl", kNormal},
    {32845, kLine, "rundll32.exe shell32.dll,Control_RunDLL desk.cpl", kNormal},
    {32852, kLine, "rundll32.exe shell32.dll,Control_RunDLL mmsys.cpl", kNormal},
    {32853, kLine, "rundll32.exe shell32.dll,Control_RunDLL intl.cpl", kNormal},
    {32854, kLine, "rundll32.exe shell32.dll,Control_RunDLL main.cpl", kNormal},
    {33043, kLine, "RunDll32.exe shell32.dll,Control_RunDLL main.cpl @1,0", kDefault},
    {33045, kLine, "RunDll32.exe shell32.dll,Options_RunDLL 0", kDefault},
    {33040, kLine, "RunDll32.exe shell32.dll,Control_RunDLL access.cpl", kDefault},
    {32843, kLine, "rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", kNormal},
    {1107, kLine, "rundll32.exe shell32.dll,Control_RunDLL telephon.cpl", kNormal},
    {32837, kOpen, "dfrg.msc", kNormal},
    {32819, kOpen, "diskmgmt.msc", kNormal},
    {32839, kOpen, "cleanmgr.exe", kDefault},
    {32838, kOpen, "control.exe", kDefault},
    {32976, kLine, "Control.exe Printers", kNormal},
    {32822, kOpen, "taskmgr.exe", kNormal},
    {32818, kOpen, "msconfig.exe", kNormal},
    {1106, kLine, "rundll32.exe shell32.dll, Control_RunDLL hdwwiz.cpl", kNormal},
    {33025, kLine, "rundll32.exe shell32.dll,Control_RunDLL ncpa.cpl", kNormal},
    {1058, kOpen, "dxdiag.exe", kDefault},
    {32844, kOpen, "calc.exe", kDefault},
    {32867, kOpen, "mspaint.exe", kDefault},
    {33052, kLine, "OSK", kDefault, "This feature is only available on Windows XP."},
    {32868, kOpen, "wordpad.exe", kDefault},
    {32849, kOpen, "notepad.exe", kDefault},
    {1057, kOpen, "sigverif.exe", kDefault},
};

}  // namespace

const LaunchRow* FindLaunchRow(UINT commandId) {
    for (const LaunchRow& row : kLaunchRows) {
        if (row.id == commandId) return &row;
    }
    return nullptr;
}

void RunLaunchRow(const LaunchRow& row, HWND owner) {
    if (row.notOnXpText && !RequireWindowsXp(owner, row.notOnXpText)) return;
    if (row.kind == LaunchKind::ShellOpen) {
        ShellOpen(row.target, row.show);
    } else {
        CurrentLauncher().CommandLine(row.target, row.show);
    }
}

bool RequireWindowsXp(HWND owner, const char* text) {
    if (WindowsVersionCode() == kWindowsXpCode) return true;
    ShowInformation(owner, text);
    return false;
}

bool SlowListWarning(HWND owner) {
    return ShowMessage({.owner = owner,
                        .text = "This operation takes several seconds to retrieve all informations.\r\n"
                                "Do you want to continue ?",
                        .buttons = MB_YESNO,
                        .icon = MB_ICONQUESTION}) == IDYES;
}

std::optional<std::string> FolderLocator::WindowsFolder() { return probes::WindowsFolderPath(); }

std::optional<std::string> FolderLocator::SystemFolder() { return probes::SystemFolderPath(); }

std::optional<std::string> FolderLocator::SpecialFolder(int csidl) { return probes::SpecialFolder(csidl); }

void OpenFontsFolder(HWND owner, FolderLocator& folders) {
    const std::optional<std::string> fonts = folders.SpecialFolder(CSIDL_FONTS);
    if (fonts && ::GetFileAttributesA(fonts->c_str()) != INVALID_FILE_ATTRIBUTES) {
        ShellOpen(*fonts, kShowDefault);
    } else {
        ShowInformation(owner, "Can't open Fonts directory.");
    }
}

}  // namespace ovix
