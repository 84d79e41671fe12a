// The main window's menu commands. Each member does one thing through the
// family of its own (power, shell windows, screen saver, CD doors...); the
// message map in main_window.cpp points here.
#include "app/driver_backup.h"
#include "app/launcher.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/screen_saver.h"
#include "app/screenshot.h"
#include "lists/desktop_lists.h"
#include "lists/file_lists.h"
#include "lists/process_window.h"
#include "lists/services.h"
#include "lists/software_windows.h"
#include "lists/wmi_lists.h"
#include "probes/cpu_text.h"
#include "probes/os_version.h"
#include "probes/system_probes.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_probes.h"
#include "report/mail_report_dialog.h"
#include "report/report_dialog.h"
#include "tools/cleaner_dialog.h"
#include "tools/colours_dialog.h"
#include "tools/optimize_dialog.h"
#include "tools/password_dialog.h"
#include "tools/shell_link.h"
#include "tools/shortcut_dialog.h"

#include <shlobj.h>

namespace ovix {
namespace {

constexpr UINT kTaskbarRunDialog = 401;
// Where the summary's lines go on its bitmap (below the title and its line).
constexpr RECT kSummaryTextRect{18, 48, 342, 290};
constexpr UINT kTaskbarProperties = 413;
constexpr UINT kTaskbarMinimiseAll = 415;

template <class T>
T& OrSystem(T* given) {
    static T system;
    return given ? *given : system;
}

}  // namespace

bool MainWindow::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (const LaunchRow* row = FindLaunchRow(id)) {
        RunLaunchRow(*row, Hwnd());
        return true;
    }
    return TrayDialog::OnCommand(id, notifyCode, control);
}

const ShellWindowFinder& MainWindow::ShellWindows() const { return OrSystem(seams_.shellWindows); }
CdDrives& MainWindow::CdDriveList() const { return OrSystem(seams_.cdDrives); }
FolderLocator& MainWindow::Folders() const { return OrSystem(seams_.folders); }

void MainWindow::RunPower(UINT commandId) {
    if (const PowerRow* row = FindPowerRow(commandId)) RunPowerAction(*row, Hwnd(), OrSystem(seams_.power));
}
void MainWindow::OnShutdown() { RunPower(32826); }
void MainWindow::OnReboot() { RunPower(32827); }
void MainWindow::OnHibernate() { RunPower(32999); }
void MainWindow::OnStandBy() { RunPower(33000); }
void MainWindow::OnLogOff() { RunPower(32829); }
void MainWindow::OnLock() { RunPower(32830); }

void MainWindow::OnToggleDesktop() { ToggleShellWindow(ShellWindows(), ShellWindow::Desktop); }
void MainWindow::OnToggleTaskbar() { ToggleShellWindow(ShellWindows(), ShellWindow::Taskbar); }
void MainWindow::OnToggleNotificationArea() { ToggleShellWindow(ShellWindows(), ShellWindow::NotificationArea); }
void MainWindow::OnToggleStartButton() { ToggleShellWindow(ShellWindows(), ShellWindow::StartButton); }
void MainWindow::OnMinimizeAllWindows() { TaskbarCommand(ShellWindows(), kTaskbarMinimiseAll); }
void MainWindow::OnRunDialog() { TaskbarCommand(ShellWindows(), kTaskbarRunDialog); }
void MainWindow::OnTaskbarProperties() { TaskbarCommand(ShellWindows(), kTaskbarProperties); }

void MainWindow::OnScreenSaverOn() { ScreenSaverSwitch(Hwnd(), true); }
void MainWindow::OnScreenSaverOff() { ScreenSaverSwitch(Hwnd(), false); }
void MainWindow::OnLaunchScreenSaver() { LaunchScreenSaver(ShellWindows()); }
void MainWindow::OnXpScreenSaver() {
    lastXpScreenSaver_ = NextXpScreenSaver();
    ShellOpen(lastXpScreenSaver_, kShowNormal);
}

void MainWindow::OnOpenAllCdDoors() { CdDoorAll(CdDriveList(), true); }
void MainWindow::OnOpenDefaultCdDoor() { CdDoorDefault(CdDriveList(), true); }
void MainWindow::OnCloseAllCdDoors() { CdDoorAll(CdDriveList(), false); }
void MainWindow::OnCloseDefaultCdDoor() { CdDoorDefault(CdDriveList(), false); }

void MainWindow::OnTurnOffMonitor() { CurrentLauncher().TurnOffMonitor(Hwnd()); }
void MainWindow::OnFindFiles() { CurrentLauncher().FindFiles(); }
void MainWindow::OnFontsFolder() { OpenFontsFolder(Hwnd(), Folders()); }
void MainWindow::OnScreenshot() { TakeScreenshot(Hwnd()); }
void MainWindow::OnBackupDrivers() { BackupDrivers(Hwnd(), Folders(), seams_.fileShell); }
void MainWindow::OnCleaner() {
    CCleanerDlg cleaner;
    cleaner.DoModal(Hwnd());
}

void MainWindow::OnOptimizer() {
    OptimizerSeams seams;
    seams.power = seams_.power;
    COptimizePC optimizer(seams);
    optimizer.DoModal(Hwnd());
}

void MainWindow::OnSaveReport() {
    ReportDialog report;
    report.DoModal(Hwnd());
}

void MainWindow::OnMailReport() {
    MailReportDialog mail;
    mail.DoModal(Hwnd());
}

SummaryFacts MainWindow::MachineSummaryFacts() {
    // The five management probes read their classes once.
    const wmi::ClassReadScope classReads;
    SummaryFacts facts;
    const OSVERSIONINFOEXA& version = OsVersion().info;
    facts.server2003 = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 5 &&
                       version.dwMinorVersion == 2;
    facts.servicePack = version.szCSDVersion;
    facts.osName = systemInfo_.OsName();
    facts.processorName = cpu_.Info().name;
    facts.clockMhz = cpu::EffectiveClockMhz(cpu_.Info());
    facts.totalPhysicalBytes = systemInfo_.Memory().totalPhysical;
    facts.diskCount = diskCount_;
    facts.diskGigabytes = diskGigabytes_;
    facts.boardManufacturer = probes::BaseBoardManufacturer();
    facts.boardProduct = probes::BaseBoardProduct();
    facts.boardVersion = probes::BaseBoardVersion();
    facts.videoModel = probes::VideoControllerCaption();
    facts.videoMemory = probes::VideoAdapterRam();
    facts.computerName = probes::ComputerName();
    facts.userName = probes::UserName();
    facts.adminRights = systemInfo_.IsAdmin();
    facts.bootTime = facts_.bootTime;
    return facts;
}

void MainWindow::OnSummary() {
    // A new window per command; it closes and deletes itself.
    auto* summary = new widgets::SplashWindow;
    widgets::SplashOptions options;
    options.bitmapId = IDB_SUMMARY;
    options.textRect = kSummaryTextRect;
    options.fontTenths = 80;
    options.multiline = true;
    options.owner = Hwnd();
    options.displayMs = options_.summaryDisplayMs;
    options.closeOnInput = true;
    options.textAsWindowText = true;
    options.deleteWhenClosed = true;
    if (!summary->Show(options)) {
        delete summary;
        return;
    }
    const HWND window = summary->Hwnd();
    const std::string text = SummaryText(options_.summaryFacts ? options_.summaryFacts() : MachineSummaryFacts());
    // A key pressed while the facts were read may have closed it already.
    if (::IsWindow(window) && widgets::SplashWindow::FromHandle(window) == summary) summary->SetText(text);
}

void MainWindow::OnSystemColors() {
    SystemColorsDialog colours;
    colours.DoModal(Hwnd());
}

void MainWindow::OnPasswords() {
    PasswordBox passwords;
    passwords.DoModal(Hwnd());
}

void MainWindow::OnShortcutMaker() {
    CShortcutCreator shortcuts;
    shortcuts.DoModal(Hwnd());
}

void MainWindow::OnShortcutOnDesktop() { WriteOwnShortcut(CSIDL_DESKTOP, "Shortcut correctly written on Desktop."); }
void MainWindow::OnShortcutOnStartMenu() {
    WriteOwnShortcut(CSIDL_STARTMENU, "Shortcut correctly written on Start menu.");
}
void MainWindow::OnShortcutOnPrograms() {
    WriteOwnShortcut(CSIDL_PROGRAMS, "Shortcut correctly written on Programs menu.");
}
void MainWindow::OnShortcutOnDocuments() {
    WriteOwnShortcut(CSIDL_PERSONAL, "Shortcut correctly written on My Documents folder.");
}

void MainWindow::WriteOwnShortcut(int folderId, const char* written) {
    // An unavailable executable path is an empty target, which makes no link.
    if (MakeShellLink().Create(ExecutablePath(), kVersionCaption, folderId, "Ovix by Talvik.", "", 0)) {
        ShowMessage({.owner = Hwnd(), .text = written, .icon = MB_ICONINFORMATION});
    } else {
        ShowMessage({.owner = Hwnd(), .text = kShortcutFailed, .icon = MB_ICONERROR});
    }
}

void MainWindow::OnProcesses() {
    CProcess processes(processLoad_);
    processes.DoModal(Hwnd());
}

void MainWindow::OnServices() {
    ServiceListWindow services(ServiceListWindow::Kind::Services);
    services.DoModal(Hwnd());
}

void MainWindow::OnDrivers() {
    ServiceListWindow drivers(ServiceListWindow::Kind::Drivers);
    drivers.DoModal(Hwnd());
}

void MainWindow::OnSoftware() {
    CSoftware software;
    software.DoModal(Hwnd());
}

void MainWindow::OnHotfixes() {
    if (!RequireWindowsXp(Hwnd(), "You are not running on Windows XP.")) return;
    CHotfix hotfixes;
    hotfixes.DoModal(Hwnd());
}

void MainWindow::OnPackages() {
    if (!SlowListWarning(Hwnd())) return;
    CInstallers packages;
    packages.DoModal(Hwnd());
}

void MainWindow::OnComApplications() {
    CComApp applications;
    applications.DoModal(Hwnd());
}

void MainWindow::OnCodecs() {
    CCodecList codecs;
    codecs.DoModal(Hwnd());
}

void MainWindow::OnDllCache() {
    if (!SlowListWarning(Hwnd())) return;
    CDLLCache files(seams_.folders);
    files.DoModal(Hwnd());
}

void MainWindow::OnExecutables() {
    if (!SlowListWarning(Hwnd())) return;
    CExeList files(seams_.folders);
    files.DoModal(Hwnd());
}

void MainWindow::OnProtectedFiles() {
    if (!SlowListWarning(Hwnd())) return;
    CProtectedFiles files;
    files.DoModal(Hwnd());
}

void MainWindow::OnFonts() {
    CEnumFonts fonts(seams_.folders);
    fonts.DoModal(Hwnd());
}

void MainWindow::OnDesktopWindows() {
    CEnumDesktopWindows windows;
    windows.DoModal(Hwnd());
}

void MainWindow::OnDisplayModes() {
    CDisplayModes modes;
    modes.DoModal(Hwnd());
}

void MainWindow::OnShellFolders() {
    CShellfolder folders(seams_.folders);
    folders.DoModal(Hwnd());
}

void MainWindow::OnDisconnectInternet() { DisconnectInternet(Hwnd(), seams_.dialUp ? *seams_.dialUp : dialer_); }

}  // namespace ovix
