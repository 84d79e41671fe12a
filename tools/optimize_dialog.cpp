#include "tools/optimize_dialog.h"

#include "app/message_boxes.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"
#include "tools/list_extent.h"
#include "tools/optimizer_run.h"

#include <optional>

namespace ovix {
namespace {

constexpr COLORREF kBackground = RGB(255, 250, 250);
constexpr COLORREF kWarningText = RGB(72, 61, 139);
constexpr DWORD kPauseBeforeWritesMs = 1500;

constexpr char kWarning[] =
    "It's highly recommended that you do a backup of your registry or you had to do a system's restore point "
    "before optimize !\r\nBe responsible...";

template <class T>
T& OrSystem(T* given) {
    static T system;
    return given ? *given : system;
}

// The dialog disabled and the log frozen while an action runs; given back on every way out.
class BusyScope {
public:
    BusyScope(HWND dialog, HWND list, bool& running) : dialog_(dialog), list_(list), running_(running) {
        running_ = true;
        ::SendMessageA(list_, LB_RESETCONTENT, 0, 0);
        ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        ::EnableWindow(dialog_, FALSE);
    }
    ~BusyScope() {
        ::EnableWindow(dialog_, TRUE);
        if (::IsWindowVisible(dialog_)) ::SetActiveWindow(dialog_);
        ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        SetListExtentToWidestLine(list_);
        ::InvalidateRect(list_, nullptr, TRUE);
        running_ = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    HWND dialog_;
    HWND list_;
    bool& running_;
};

}  // namespace

COptimizePC::COptimizePC(OptimizerSeams seams) : MappedDialog(IDD_OPTIMIZE), seams_(std::move(seams)) {}

COptimizePC::~COptimizePC() = default;

const COptimizePC::Map& COptimizePC::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CTLCOLORSTATIC, &COptimizePC::OnCtlColor},
        {WM_CTLCOLORDLG, &COptimizePC::OnCtlColor},
    };
    static const Map::Command commands[] = {
        {IDC_OPTIMIZE, &COptimizePC::OnOptimize},
        {IDC_OPTIMIZE_UNDO, &COptimizePC::OnUndo},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL COptimizePC::OnInitDialog() {
    background_.Reset(::CreateSolidBrush(kBackground));
    warningFont_.Reset(::CreateFontA(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
    ::SetWindowTextA(Hwnd(), "Optimize Windows in one click !");
    ::SendMessageA(Item(IDC_OPTIMIZE_WARNING), WM_SETFONT, reinterpret_cast<WPARAM>(warningFont_.Get()), FALSE);
    SetItemText(IDC_OPTIMIZE_WARNING, kWarning);
    SetItemText(IDC_OPTIMIZE, ".: Click here to optimize :.");
    SetItemText(IDC_OPTIMIZE_UNDO, "Undo last optimization");
    optimized_ = false;
    ::SetFocus(Item(IDC_OPTIMIZE));  // the big button, not the empty log
    return FALSE;
}

void COptimizePC::OnDestroy() { overlay_.Close(); }

bool COptimizePC::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (running_) return true;
    return MappedDialog::OnCommand(id, notifyCode, control);
}

std::string COptimizePC::BackupFolder() const {
    return seams_.backupFolder.empty() ? DefaultBackupFolder() : seams_.backupFolder;
}

void COptimizePC::Log(const std::string& line) {
    ::SendMessageA(Item(IDC_OPTIMIZE_LOG), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<std::string> COptimizePC::LogLines() const { return ListLines(Item(IDC_OPTIMIZE_LOG)); }

void COptimizePC::OnOptimize() {
    if (running_) return;
    RestorePointClient& restorePoints = OrSystem(seams_.restorePoint);
    std::optional<int64_t> restorePoint;  // begun, not yet ended
    if (ShowMessage({.owner = Hwnd(),
                     .text = "Ovix can create a system's restore point before.\r\nDo you want to create it (highly "
                             "recommended) ?",
                     .buttons = MB_YESNO, .icon = MB_ICONINFORMATION}) == IDYES) {
        int64_t sequence = 0;
        if (restorePoints.Set(RestorePointClient::kBeginChange, RestorePointClient::kApplicationInstall, 0,
                              "Ovix Restore Point.", &sequence)) {
            restorePoint = sequence;
        } else if (ShowMessage({.owner = Hwnd(),
                                .text = "Error !\r\nRestore point can't be created.\r\nDo you want to optimize anyway ?",
                                .buttons = MB_YESNO, .icon = MB_ICONEXCLAMATION}) != IDYES) {
            return;
        }
    }
    // A begun change is always ended: cancelled when nothing was changed.
    const auto endRestorePoint = [&](DWORD type) {
        if (restorePoint) restorePoints.Set(RestorePointClient::kEndChange, type, *restorePoint, "", nullptr);
        restorePoint.reset();
    };
    if (optimized_) {
        endRestorePoint(RestorePointClient::kCancelled);
        ShowMessage({.owner = Hwnd(), .text = "Computer is already optimized.", .caption = kOptimizeCaption,
                     .icon = MB_ICONINFORMATION});
        return;
    }
    OptimizerPlan plan;
    std::optional<std::string> saved;
    if (ReadOptimizerPlan(plan)) saved = SaveBackup(BackupFolder(), plan.before);
    if (!saved) {
        endRestorePoint(RestorePointClient::kCancelled);
        ShowMessage({.owner = Hwnd(),
                     .text = "Error !\r\nThe current settings can't be saved.\r\nNothing has been changed.",
                     .icon = MB_ICONEXCLAMATION});
        return;
    }
    const BusyScope busy(Hwnd(), Item(IDC_OPTIMIZE_LOG), running_);
    const OptimizerLog log = [this](const std::string& line) { Log(line); };
    log(fw::Format("- Settings saved to: %s", saved->c_str()));
    overlay_.Show(Hwnd());
    OrSystem(seams_.clock).Wait(kPauseBeforeWritesMs);
    const int failures = ApplyOptimizations(plan, OrSystem(seams_.writer), log);
    optimized_ = true;
    endRestorePoint(RestorePointClient::kApplicationInstall);
    const std::string done =
        failures ? fw::Format("Some optimizations failed (%i), see the log.", failures) : "All optimizations are done.";
    // Asked over the cover, which owns the box while it is there.
    if (ShowMessage({.owner = overlay_.Hwnd() ? overlay_.Hwnd() : Hwnd(),
                     .text = done + "\r\nSome modifications require that you reboot your computer.\r\n\r\nDo you want "
                                    "to reboot now ?",
                     .buttons = MB_YESNO, .icon = MB_ICONQUESTION}) == IDYES) {
        PowerControl& power = OrSystem(seams_.power);
        power.EnableShutdownPrivilege();
        power.EndSession(EWX_REBOOT | EWX_FORCE);
    }
    overlay_.Close();
}

void COptimizePC::OnUndo() {
    if (running_) return;
    const auto newest = NewestBackup(BackupFolder());
    if (!newest) {
        ShowMessage({.owner = Hwnd(), .text = "No saved settings to restore.", .icon = MB_ICONINFORMATION});
        return;
    }
    if (ShowMessage({.owner = Hwnd(), .text = fw::Format("Restore the settings saved in %s ?", newest->c_str()),
                     .buttons = MB_YESNO, .icon = MB_ICONQUESTION}) != IDYES) {
        return;
    }
    const BusyScope busy(Hwnd(), Item(IDC_OPTIMIZE_LOG), running_);
    // Put back: the optimiser may run again in this opening.
    if (UndoFromFile(*newest, OrSystem(seams_.writer), [this](const std::string& line) { Log(line); })) {
        optimized_ = false;
    }
}

LRESULT COptimizePC::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    const bool warning = reinterpret_cast<HWND>(lParam) == Item(IDC_OPTIMIZE_WARNING);
    ::SetTextColor(dc, warning ? kWarningText : RGB(0, 0, 0));
    ::SetBkColor(dc, kBackground);
    return reinterpret_cast<LRESULT>(background_.Get());
}

}  // namespace ovix
