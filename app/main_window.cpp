#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/app_paths.h"
#include "app/autorun.h"
#include "app/folder_icon.h"
#include "app/message_boxes.h"
#include "app/menu_icons.h"
#include "framework/registry.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "probes/os_version.h"
#include "probes/cpu_text.h"
#include "probes/disk_probes.h"
#include "probes/process_count.h"
#include "probes/system_probes.h"
#include "probes/tree_image_list.h"
#include "probes/version_code.h"
#include "probes/wmi_class_cache.h"
#include "widgets/tooltip.h"

#include <initializer_list>

#include <mmsystem.h>

namespace ovix {
namespace {

constexpr COLORREF kGaugeFrom = RGB(230, 230, 250);
constexpr COLORREF kGaugeTo = RGB(255, 0, 0);
constexpr char kStartupSound[] = "C:\\WINDOWS\\Media\\Windows XP Infobulle.wav";
constexpr char kScreenshotTip[] = "Take and save a screen shot...";
constexpr int kTreePopupIndex = 3;

struct TimerSpec {
    MainTimer id;
    UINT periodMs;
};
constexpr TimerSpec kTimers[] = {
    {MainTimer::Uptime, 1000}, {MainTimer::Processes, 1100}, {MainTimer::OpenPrograms, 1200},
    {MainTimer::Memory, 1000}, {MainTimer::Cpu, 1000},
};

constexpr int kBoldLabels[] = {IDC_PROCESS_COUNT, IDC_OPEN_PROGRAMS, IDC_UPTIME, IDC_CPU_LABEL, IDC_RAM_LABEL};

// The executable's path as the status and Autorun code keep it: at most 490
// characters, and a cut path counts as unavailable.
std::string ReadExecutablePath() {
    char buffer[490];
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
    return std::string(buffer, UsablePathLength(length, sizeof(buffer)));
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options)
    : MappedDialog(IDD_MAIN),
      options_(std::move(options)),
      cpuLoad_(options_.cpuUsage ? *options_.cpuUsage : cpu::SystemUsage()),
      processLoad_(options_.cpuUsage ? *options_.cpuUsage : cpu::SystemUsage()),
      dialer_(OsVersion().info) {
    bigIcon_ = fw::LoadIconResource(IDI_OVIX, ::GetSystemMetrics(SM_CXICON));
    smallIcon_ = fw::LoadIconResource(IDI_OVIX, ::GetSystemMetrics(SM_CXSMICON));
    mailAccounts_ = probes::MailAccountNames();
    cpu_.Detect();
    applicationDirectory_ = ovix::ApplicationDirectory(fw::ModulePath());
}

MainWindow::~MainWindow() = default;

const MainWindow::Map& MainWindow::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CONTEXTMENU, &MainWindow::OnContextMenu},
        {WM_INITMENUPOPUP, &MainWindow::OnInitMenuPopup},
        {WM_CTLCOLORSTATIC, &MainWindow::OnCtlColor},
        {WM_CTLCOLORBTN, &MainWindow::OnCtlColor},
        {WM_CTLCOLORDLG, &MainWindow::OnCtlColor},
        {WM_ERASEBKGND, &MainWindow::OnEraseBackground},
    };
    static const Map::Command commands[] = {
        {ID_TRAY_RESTORE, &MainWindow::OnRestore}, {ID_REDUCE, &MainWindow::OnReduce},
        {ID_ABOUT, &MainWindow::OnAbout},          {ID_TRAY_ABOUT, &MainWindow::OnAbout},
        {IDC_AUTORUN, &MainWindow::OnAutorun},     {IDC_SCREENSHOT, &MainWindow::OnScreenshot},
        {ID_TREE_EXPAND_MAIN, &MainWindow::OnExpandMainSections},
        {ID_TREE_EXPAND_ALL, &MainWindow::OnExpandAllSections},
        {ID_TREE_COLLAPSE_ALL, &MainWindow::OnCollapseAllSections},
        {ID_TREE_COPY_VISIBLE, &MainWindow::OnCopyVisibleTree},
        {ID_TREE_COPY_ALL, &MainWindow::OnCopyWholeTree},
        // Computer: main menu and tray.
        {32826, &MainWindow::OnShutdown},  {33068, &MainWindow::OnShutdown},
        {32827, &MainWindow::OnReboot},    {32779, &MainWindow::OnReboot},
        {32999, &MainWindow::OnHibernate}, {33001, &MainWindow::OnHibernate},
        {33000, &MainWindow::OnStandBy},   {33002, &MainWindow::OnStandBy},
        {32829, &MainWindow::OnLogOff},    {32780, &MainWindow::OnLogOff},
        {32830, &MainWindow::OnLock},      {32781, &MainWindow::OnLock},
        // Hide / Show, and the taskbar's own commands.
        {32832, &MainWindow::OnToggleDesktop},     {32785, &MainWindow::OnToggleDesktop},
        {32833, &MainWindow::OnToggleStartButton}, {32786, &MainWindow::OnToggleStartButton},
        {32841, &MainWindow::OnToggleTaskbar},     {32834, &MainWindow::OnToggleNotificationArea},
        {32842, &MainWindow::OnMinimizeAllWindows}, {32787, &MainWindow::OnMinimizeAllWindows},
        {32823, &MainWindow::OnRunDialog},         {32835, &MainWindow::OnTaskbarProperties},
        // Screen saver and CD drives.
        {32882, &MainWindow::OnScreenSaverOn},     {32883, &MainWindow::OnScreenSaverOff},
        {32788, &MainWindow::OnLaunchScreenSaver}, {32790, &MainWindow::OnXpScreenSaver},
        {32814, &MainWindow::OnOpenAllCdDoors},    {32815, &MainWindow::OnOpenDefaultCdDoor},
        {32805, &MainWindow::OnCloseAllCdDoors},   {32808, &MainWindow::OnCloseDefaultCdDoor},
        // Options.
        {32981, &MainWindow::OnTurnOffMonitor},    {32978, &MainWindow::OnTurnOffMonitor},
        {32971, &MainWindow::OnFindFiles},         {33034, &MainWindow::OnFontsFolder},
        {33060, &MainWindow::OnBackupDrivers},     {32922, &MainWindow::OnDisconnectInternet},
        {32982, &MainWindow::OnCleaner},           {32983, &MainWindow::OnCleaner},
        {32885, &MainWindow::OnOptimizer},         {33003, &MainWindow::OnOptimizer},
        {32905, &MainWindow::OnProcesses},         {32891, &MainWindow::OnServices},
        {32927, &MainWindow::OnDrivers},           {32994, &MainWindow::OnSoftware},
        {33008, &MainWindow::OnHotfixes},          {32857, &MainWindow::OnSaveReport},
        {33031, &MainWindow::OnPackages},          {32975, &MainWindow::OnComApplications},
        {33057, &MainWindow::OnCodecs},            {33015, &MainWindow::OnDllCache},
        {1145, &MainWindow::OnExecutables},        {33069, &MainWindow::OnProtectedFiles},
        {33049, &MainWindow::OnFonts},             {33071, &MainWindow::OnDesktopWindows},
        {32993, &MainWindow::OnDisplayModes},      {33006, &MainWindow::OnShellFolders},
        {32875, &MainWindow::OnSaveReport},        {33005, &MainWindow::OnMailReport},
        {33007, &MainWindow::OnMailReport},        {33050, &MainWindow::OnSummary},
        {33051, &MainWindow::OnSummary},           {32889, &MainWindow::OnShortcutMaker},
        {410, &MainWindow::OnShortcutOnDesktop},   {411, &MainWindow::OnShortcutOnStartMenu},
        {412, &MainWindow::OnShortcutOnPrograms},  {33022, &MainWindow::OnShortcutOnDocuments},
        {33009, &MainWindow::OnSystemColors},      {32858, &MainWindow::OnSystemColors},
        {32856, &MainWindow::OnPasswords},
    };
    static const Map map{messages, commands};
    return map;
}

bool MainWindow::HandlesCommand(UINT id) const {
    if (id == IDOK || id == IDCANCEL || FindLaunchRow(id)) return true;
    for (const auto& entry : MessageMap().commands) {
        if (entry.id == id) return true;
    }
    return false;
}

BOOL MainWindow::OnInitDialog() {
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    SetTrayIcon(smallIcon_.Get());
    SetTrayMenu(IDR_TRAY_MENU);
    SetTrayTip(kVersionCaption);

    ShowSplashAndBuild();

    ::SetWindowTextA(Hwnd(), kVersionCaption);
    HWND tree = Tree();
    TreeView_SetBkColor(tree, ::GetSysColor(COLOR_WINDOW));
    TreeView_SetTextColor(tree, ::GetSysColor(COLOR_WINDOWTEXT));
    treeTicker_.Attach(tree);

    StartTimers();
    SetUpStatusArea();
    CreateTooltips();
    ShowAutorunState(AutorunEnabled());

    executablePath_ = ReadExecutablePath();
    executablePathLength_ = executablePath_.size();
    if (options_.markProgramFolder) MarkFolderWithIcon(applicationDirectory_, executablePath_);
    if (options_.checkForUpdates) StartUpdateCheck(options_.update);  // not waited for
    return TRUE;
}

void MainWindow::ShowSplashAndBuild() {
    widgets::SplashWindow splash;
    widgets::SplashOptions splashOptions;
    splashOptions.bitmapId = IDB_SPLASH;
    splash.Show(splashOptions);
    ::Sleep(options_.splashCheckingDelayMs);
    splash.SetText("Checking...");
    // The tree's images are made while "Checking..." shows: the splash's wait
    // is spent on them rather than added to them.
    const DWORD start = ::GetTickCount();
    BuildTreeImageList();
    const DWORD spent = ::GetTickCount() - start;
    if (spent < options_.splashWaitMs) ::Sleep(options_.splashWaitMs - spent);

    if (options_.buildInformation) BuildInformation(splash);
    PlayStartupSound();
    splash.Hide();
}

void MainWindow::BuildTreeImageList() {
    treeImages_ = ovix::BuildTreeImageList();
    // The menus draw their icons from the same list.
    widgets::SetMenuIcons(treeImages_.Get(), kMenuIcons);
}

void MainWindow::BuildInformation(widgets::SplashWindow& splash) {
    // One read per management class for the whole build; the rows go with it.
    const wmi::ClassReadScope classReads;
    BuildFactSheet(facts_, systemInfo_, &dialer_);
    // Detected again before the tree; a clock measured moments ago is reused.
    const cpu::CpuInfo& processor = cpu_.Detect();
    // The disks once, for the tree and for what the summary shows of them.
    WindowsDiskSystem disks;
    DiskFacts physical;
    GatherPhysicalDisks(disks, physical);
    diskCount_ = static_cast<int>(physical.disks.size());
    diskGigabytes_ = WholeGigabytes(physical);
    facts_.cpuTrademark = cpu::TrademarkLine(processor);
    facts_.cpuName = cpu::NameLine(processor);
    facts_.cpuClock = cpu::SpeedClockLine(processor);
    buildProgress_.clear();
    BuildContext context{facts_, mailAccounts_, [&](const char* text) {
                                   buildProgress_.emplace_back(text);
                                   splash.SetText(text);
                               },
                               &processor};
    context.physicalDisks = &physical;
    infoTree_ = BuildInformationTree(Tree(), treeImages_.Get(), context);
}

void MainWindow::PlayStartupSound() {
    if (WindowsVersionCode() != kWindowsXpCode) return;
    if (::GetFileAttributesA(kStartupSound) == INVALID_FILE_ATTRIBUTES) return;
    ::PlaySoundA(kStartupSound, nullptr, SND_ASYNC | SND_FILENAME | SND_NOSTOP | SND_NOWAIT);
}

void MainWindow::SetUpStatusArea() {
    exitButton_.SetIcon(Item(IDOK), IDI_EXIT);
    screenshotButton_.SetIcon(Item(IDC_SCREENSHOT), IDI_SCREENSHOT);

    boldFont_ = fw::BoldTahoma(12);
    for (int id : kBoldLabels) {
        ::SendMessageA(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), TRUE);
    }
    SetItemText(IDC_CPU_LABEL, "CPU");
    SetItemText(IDC_RAM_LABEL, "RAM");

    for (widgets::GradientGauge* gauge : {&cpuGauge_, &ramGauge_}) {
        gauge->Attach(Item(gauge == &cpuGauge_ ? IDC_CPU_GAUGE : IDC_RAM_GAUGE), kGaugeFrom, kGaugeTo, "%d%%");
        gauge->SetRange(0, 100);
    }
}

HWND MainWindow::AddTooltip(HWND tool, const std::string& text) { return widgets::AddTooltip(Hwnd(), tool, text); }

void MainWindow::CreateTooltips() {
    screenshotTip_ = AddTooltip(Item(IDC_SCREENSHOT), kScreenshotTip);
    autorunTipWindow_ = AddTooltip(Item(IDC_AUTORUN), kAutorunEnableTip);
}

void MainWindow::ShowAutorunState(bool enabled) {
    autorunButton_.SetIcon(Item(IDC_AUTORUN), enabled ? IDI_AUTORUN_ON : IDI_OVIX);
    autorunTip_ = enabled ? kAutorunDisableTip : kAutorunEnableTip;
    SetItemText(IDC_AUTORUN, "Autorun");
    if (autorunTipWindow_) {
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.uFlags = TTF_IDISHWND;
        info.hwnd = Hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(Item(IDC_AUTORUN));
        info.lpszText = const_cast<char*>(autorunTip_.c_str());
        ::SendMessageA(autorunTipWindow_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void MainWindow::OnAutorun() {
    switch (ToggleAutorun(executablePathLength_ ? executablePath_ : std::string())) {
    case AutorunToggle::KeyUnavailable:
        ShowError(Hwnd(), kRunKeyUnavailable);
        return;
    case AutorunToggle::Disabled:
    case AutorunToggle::NotWritten:
        ShowAutorunState(false);
        return;
    case AutorunToggle::Enabled:
        ShowAutorunState(true);
        return;
    }
}

void MainWindow::StartTimers() {
    for (const TimerSpec& timer : kTimers) {
        ::SetTimer(Hwnd(), static_cast<UINT_PTR>(timer.id), timer.periodMs, nullptr);
    }
    timersRunning_ = true;
}

void MainWindow::StopTimers() {
    for (const TimerSpec& timer : kTimers) {
        ::KillTimer(Hwnd(), static_cast<UINT_PTR>(timer.id));
    }
    timersRunning_ = false;
}

void MainWindow::OnTimer(UINT_PTR timerId) {
    if (!::IsWindowVisible(Hwnd())) return;
    // Each tick repaints only what changed: most seconds, nothing but the uptime.
    switch (static_cast<MainTimer>(timerId)) {
    case MainTimer::Processes:
        ShowStatus(IDC_PROCESS_COUNT, fw::Format(" Running processes: %i", RunningProcessCount()));
        break;
    case MainTimer::OpenPrograms:
        ShowStatus(IDC_OPEN_PROGRAMS, probes::OpenProgramCount());
        break;
    case MainTimer::Uptime:
        ShowStatus(IDC_UPTIME, UptimeStatusText(systemInfo_));
        break;
    case MainTimer::Memory:
        ShowGauge(ramGauge_, MemoryLoadPercent(systemInfo_));
        break;
    case MainTimer::Cpu:
        ShowGauge(cpuGauge_, cpu::GaugeValue(cpuLoad_.Next()));
        break;
    }
}

void MainWindow::ShowStatus(int id, const std::string& text) {
    if (ItemText(id) != text) SetItemText(id, text);
}

void MainWindow::ShowGauge(widgets::GradientGauge& gauge, int value) {
    if (gauge.Pos() != value) gauge.SetPos(value);
}

void MainWindow::OnHiddenToTray() { StopTimers(); }

void MainWindow::OnShownFromTray() {
    if (!timersRunning_) {
        StartTimers();
        // Fresh values at once rather than a second late.
        for (const TimerSpec& timer : kTimers) OnTimer(static_cast<UINT_PTR>(timer.id));
    }
}

void MainWindow::OnRestore() { Restore(); }

void MainWindow::OnExpandMainSections() { ExpandMainSections(Tree()); }

void MainWindow::OnExpandAllSections() { ExpandAllSections(Tree()); }

void MainWindow::OnCollapseAllSections() { CollapseAllSections(Tree(), infoTree_.miscellaneous); }

void MainWindow::OnCopyVisibleTree() { CopyTree(Tree(), Hwnd(), true); }

void MainWindow::OnCopyWholeTree() { CopyTree(Tree(), Hwnd(), false); }

void MainWindow::OnReduce() { Reduce(); }

void MainWindow::OnAbout() {
    AboutDialog about;
    about.DoModal(Hwnd());
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    for (HWND tip : {screenshotTip_, autorunTipWindow_}) widgets::RelayToTooltip(tip, message);
    if (message.message == WM_KEYDOWN) {
        switch (message.wParam) {
        case VK_DOWN:
            OnReduce();
            break;
        case VK_F3:
            OnCleaner();
            return true;
        case VK_F2:
            OnSummary();
            return true;
        default:
            break;
        }
    }
    return false;
}

LRESULT MainWindow::OnContextMenu(WPARAM /*wParam*/, LPARAM lParam) {
    HMENU bar = ::GetMenu(Hwnd());
    HMENU popup = bar ? ::GetSubMenu(bar, kTreePopupIndex) : nullptr;
    if (!popup) return 0;
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the selected item, else at the tree's corner.
        HWND tree = Tree();
        at = {0, 0};
        if (HTREEITEM selected = TreeView_GetSelection(tree)) {
            RECT rect{};
            if (TreeView_GetItemRect(tree, selected, &rect, TRUE)) {
                at = {rect.left, rect.bottom};
            }
        }
        ::ClientToScreen(tree, &at);
    }
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr);
    return 0;
}

LRESULT MainWindow::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    // The window menu (Close, Move, Minimize) is the system's own: greying its
    // ids would leave the close box dead for the rest of the run.
    if (HIWORD(lParam)) return 0;
    HMENU popup = reinterpret_cast<HMENU>(wParam);
    const int count = ::GetMenuItemCount(popup);
    for (int index = 0; index < count; ++index) {
        const UINT id = ::GetMenuItemID(popup, index);
        if (id == static_cast<UINT>(-1) || id == 0) continue;  // a sub-menu or a separator
        ::EnableMenuItem(popup, index, MF_BYPOSITION | (HandlesCommand(id) ? MF_ENABLED : MF_GRAYED));
    }
    return 0;
}

LRESULT MainWindow::OnCtlColor(WPARAM wParam, LPARAM /*lParam*/) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

LRESULT MainWindow::OnEraseBackground(WPARAM wParam, LPARAM /*lParam*/) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_WINDOW));
    return 1;
}

void MainWindow::OnDestroy() {
    widgets::ClearMenuIcons();  // the image list goes with the window
    StopTimers();
    treeTicker_.Detach();
    TreeView_DeleteAllItems(Tree());
    infoTree_ = InformationTree{};
    for (HWND* tip : {&screenshotTip_, &autorunTipWindow_}) {
        if (*tip) ::DestroyWindow(*tip);
        *tip = nullptr;
    }
    cpuGauge_.Detach();
    ramGauge_.Detach();
    TrayDialog::OnDestroy();
}

}  // namespace ovix
