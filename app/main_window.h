// The main window: the information tree, the status line, the two gauges, the
// menu bar and the tray icon. The program runs as long as it is open.
#pragma once

#include "app/cd_doors.h"
#include "app/dial_up_link.h"
#include "app/launch_commands.h"
#include "app/power_actions.h"
#include "app/shell_files.h"
#include "app/shell_windows.h"
#include "app/tree_operations.h"
#include "app/tray_dialog.h"
#include "app/update_check.h"
#include "probes/cpu_probe.h"
#include "probes/fact_sheet.h"
#include "probes/information_tree.h"
#include "probes/system_info.h"
#include "report/summary_text.h"
#include "widgets/gradient_gauge.h"
#include "widgets/icon_button.h"
#include "resources/resource_ids.h"
#include "tools/dialer.h"
#include "widgets/splash_window.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ovix {

inline constexpr char kVersionCaption[] = "Ovix v1.0.6";

// What start-up does beyond the window itself; tests switch parts off.
struct MainWindowOptions {
    bool checkForUpdates = true;
    UpdateCheckSettings update;
    DWORD splashCheckingDelayMs = 5;
    DWORD splashWaitMs = 500;
    bool markProgramFolder = true;
    // The fact sheet and the tree (seconds of probing): tests of the window
    // itself leave them out.
    bool buildInformation = true;
    // Where the processor gauge reads the load; null: the system.
    cpu::UsageSource* cpuUsage = nullptr;
    // The computer summary (F2): how long it stays, and where its facts come
    // from (empty: the machine's, read at each opening).
    DWORD summaryDisplayMs = 300000;
    std::function<SummaryFacts()> summaryFacts;

    // For a program that drives the window in-process (tests, benchmarks):
    // no update check, no splash waits, no mark on the program's folder, and
    // the information only when asked for.
    static MainWindowOptions InProcess(bool withInformation = false) {
        MainWindowOptions options;
        options.checkForUpdates = false;
        options.splashCheckingDelayMs = 0;
        options.splashWaitMs = 0;
        options.markProgramFolder = false;
        options.buildInformation = withInformation;
        return options;
    }
};

// What the menu commands reach outside the program. Null members mean the
// system's own; tests put stand-ins in, so that no test ever shuts the
// machine down, hides the real taskbar or opens a drive.
struct CommandSeams {
    ShellWindowFinder* shellWindows = nullptr;
    PowerControl* power = nullptr;
    CdDrives* cdDrives = nullptr;
    FolderLocator* folders = nullptr;
    DialUpLink* dialUp = nullptr;  // null: the window's own dialer
    ShellFileCall* fileShell = nullptr;  // the driver backup's copy
};

enum class MainTimer : UINT_PTR { Uptime = 200, Processes = 300, OpenPrograms = 400, Memory = 500, Cpu = 600 };

class MainWindow : public fw::MappedDialog<MainWindow, TrayDialog> {
public:
    explicit MainWindow(MainWindowOptions options = {});
    ~MainWindow() override;

    static const Map& MessageMap();

    // True when the command id has a handler (others are greyed in the menus).
    bool HandlesCommand(UINT id) const;

    const std::string& ApplicationDirectory() const { return applicationDirectory_; }
    const std::string& ExecutablePath() const { return executablePath_; }
    size_t ExecutablePathLength() const { return executablePathLength_; }
    const std::vector<std::string>& MailAccounts() const { return mailAccounts_; }
    HWND Tree() const { return Item(IDC_INFO_TREE); }
    const std::string& AutorunTip() const { return autorunTip_; }
    UINT AutorunIconId() const { return autorunButton_.IconId(); }
    bool TimersRunning() const { return timersRunning_; }
    const widgets::GradientGauge& CpuGauge() const { return cpuGauge_; }
    const widgets::GradientGauge& RamGauge() const { return ramGauge_; }
    const FactSheet& Facts() const { return facts_; }
    const InformationTree& InfoTree() const { return infoTree_; }
    HIMAGELIST TreeImages() const { return treeImages_.Get(); }
    // The progress texts the splash showed during the build, in order.
    const std::vector<std::string>& BuildProgress() const { return buildProgress_; }

    void SetCommandSeams(const CommandSeams& seams) { seams_ = seams; }
    // The XP screen saver started last (empty before the first).
    const std::string& LastXpScreenSaver() const { return lastXpScreenSaver_; }

    // The work of one timer tick (nothing while the window is hidden).
    void OnTimer(UINT_PTR timerId) override;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& message) override;
    // The launch rows, which have no member of their own.
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnHiddenToTray() override;
    void OnShownFromTray() override;

private:
    // The tree's image list (before the splash) and the tree (behind it).
    void BuildTreeImageList();
    void BuildInformation(widgets::SplashWindow& splash);

    void OnRestore();
    void OnReduce();
    void OnAbout();
    void OnAutorun();
    void OnExpandMainSections();
    void OnExpandAllSections();
    void OnCollapseAllSections();
    void OnCopyVisibleTree();
    void OnCopyWholeTree();
    // The command catalogue (main_commands.cpp); tray twins share a member.
    void OnShutdown();
    void OnReboot();
    void OnHibernate();
    void OnStandBy();
    void OnLogOff();
    void OnLock();
    void OnToggleDesktop();
    void OnToggleTaskbar();
    void OnToggleNotificationArea();
    void OnToggleStartButton();
    void OnMinimizeAllWindows();
    void OnRunDialog();
    void OnTaskbarProperties();
    void OnScreenSaverOn();
    void OnScreenSaverOff();
    void OnLaunchScreenSaver();
    void OnXpScreenSaver();
    void OnOpenAllCdDoors();
    void OnOpenDefaultCdDoor();
    void OnCloseAllCdDoors();
    void OnCloseDefaultCdDoor();
    void OnTurnOffMonitor();
    void OnFindFiles();
    void OnFontsFolder();
    void OnScreenshot();
    void OnBackupDrivers();
    void OnDisconnectInternet();
    void OnCleaner();
    void OnOptimizer();
    void OnSaveReport();
    void OnMailReport();
    void OnSummary();
    void OnShortcutMaker();
    void OnSystemColors();
    void OnPasswords();
    void OnShortcutOnDesktop();
    void OnShortcutOnStartMenu();
    void OnShortcutOnPrograms();
    void OnShortcutOnDocuments();
    // A link to this program in a special folder, then what came of it.
    void WriteOwnShortcut(int folderId, const char* written);
    SummaryFacts MachineSummaryFacts();
    void OnProcesses();
    void OnServices();
    void OnDrivers();
    void OnSoftware();
    void OnHotfixes();
    void OnPackages();
    void OnComApplications();
    void OnCodecs();
    void OnDllCache();
    void OnExecutables();
    void OnProtectedFiles();
    void OnFonts();
    void OnDesktopWindows();
    void OnDisplayModes();
    void OnShellFolders();
    void RunPower(UINT commandId);
    const ShellWindowFinder& ShellWindows() const;
    CdDrives& CdDriveList() const;
    FolderLocator& Folders() const;

    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);

    void ShowSplashAndBuild();
    void PlayStartupSound();
    void StartTimers();
    void StopTimers();
    void SetUpStatusArea();
    void CreateTooltips();
    void ShowAutorunState(bool enabled);
    void ShowStatus(int id, const std::string& text);
    static void ShowGauge(widgets::GradientGauge& gauge, int value);
    HWND AddTooltip(HWND tool, const std::string& text);

    MainWindowOptions options_;
    std::string applicationDirectory_;
    std::string executablePath_;
    size_t executablePathLength_ = 0;
    std::vector<std::string> mailAccounts_;
    fw::ImageListHandle treeImages_;
    SystemInfoCollector systemInfo_;
    cpu::CpuProbe cpu_;
    cpu::CpuUsagePercent cpuLoad_;
    // The process window's own reading, kept between its openings.
    cpu::CpuUsagePercent processLoad_;
    FactSheet facts_;
    CDialer dialer_;
    // The physical disks, counted once at start-up for the summary.
    int diskCount_ = 0;
    uint64_t diskGigabytes_ = 0;
    InformationTree infoTree_;
    std::vector<std::string> buildProgress_;
    fw::IconHandle bigIcon_;
    fw::IconHandle smallIcon_;
    fw::FontHandle boldFont_;
    widgets::GradientGauge cpuGauge_;
    widgets::GradientGauge ramGauge_;
    widgets::IconButton exitButton_;
    widgets::IconButton screenshotButton_;
    widgets::IconButton autorunButton_;
    HWND screenshotTip_ = nullptr;
    HWND autorunTipWindow_ = nullptr;
    std::string autorunTip_;
    bool timersRunning_ = false;
    TreeTicker treeTicker_;
    CommandSeams seams_;
    std::string lastXpScreenSaver_;
};

}  // namespace ovix
