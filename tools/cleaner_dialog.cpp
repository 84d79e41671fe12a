#include "tools/cleaner_dialog.h"

#include "app/common_dialogs.h"
#include "app/launcher.h"
#include "app/message_boxes.h"
#include "app/safe_text_file.h"
#include "app/text_file_rules.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"
#include "tools/list_extent.h"

namespace ovix {
namespace {

constexpr COLORREF kBackground = RGB(255, 250, 250);
constexpr COLORREF kGroupText = RGB(72, 61, 139);
constexpr int kChoiceCount = 8;

// Labels in run order; choices 1, 4 and 8 ticked when the dialog opens.
constexpr const char* kLabels[kChoiceCount] = {
    "Delete recents documents.", "Delete typed URLs from the Address bar of IE.", "Delete temporary files.",
    "Delete Internet cookies.",  "Delete Internet temporary files.",              "Delete Internet history.",
    "Clean Prefetch folder.",    "Empty recycle bin.",
};
constexpr unsigned kTickedAtOpening = kCleanRecentDocuments | kCleanCookies | kCleanRecycleBin;

// What a run changes in the dialog, given back on every way out of it.
class RunScope {
public:
    RunScope(HWND dialog, HWND list, bool& running) : dialog_(dialog), list_(list), running_(running) {
        running_ = true;
        ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        ::EnableWindow(dialog_, FALSE);
    }
    ~RunScope() {
        ::EnableWindow(dialog_, TRUE);
        // The overlay had the activation; it goes back to the dialog, not to the window behind.
        if (::IsWindowVisible(dialog_)) ::SetActiveWindow(dialog_);
        ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(list_, nullptr, TRUE);
        running_ = false;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    HWND dialog_;
    HWND list_;
    bool& running_;
};

}  // namespace

CCleanerDlg::CCleanerDlg() : MappedDialog(IDD_CLEANER) {}

CCleanerDlg::~CCleanerDlg() = default;

const CCleanerDlg::Map& CCleanerDlg::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CONTEXTMENU, &CCleanerDlg::OnContextMenu},
        {WM_CTLCOLORSTATIC, &CCleanerDlg::OnCtlColor},
        {WM_CTLCOLORDLG, &CCleanerDlg::OnCtlColor},
    };
    static const Map::Command commands[] = {
        {IDC_CLEAN, &CCleanerDlg::OnClean},
        {IDC_SELECT_ALL, &CCleanerDlg::OnSelectAll},
        {ID_SAVE_LOG_AS, &CCleanerDlg::OnSaveLogAs},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL CCleanerDlg::OnInitDialog() {
    background_.Reset(::CreateSolidBrush(kBackground));
    for (int i = 0; i < kChoiceCount; ++i) {
        SetItemText(IDC_CLEAN_LABEL_FIRST + i, kLabels[i]);
        const bool ticked = (kTickedAtOpening >> i) & 1;
        ::CheckDlgButton(Hwnd(), IDC_CLEAN_CHECK_FIRST + i, ticked ? BST_CHECKED : BST_UNCHECKED);
    }
    SetItemText(IDC_CLEAN, "Clean");
    SetItemText(IDC_SELECT_ALL, "Select all");
    SetItemText(IDC_CLEAN_GROUP, "Selection");
    cleanButton_.SetIcon(Item(IDC_CLEAN), IDI_CLEAN);
    selectAllButton_.SetIcon(Item(IDC_SELECT_ALL), IDI_SELECT_ALL);
    group_.Attach(Item(IDC_CLEAN_GROUP), "Comic Sans MS", 22, true, kGroupText, kBackground);
    contextMenu_ = fw::LoadMenuResource(IDR_CLEANER_MENU);
    return TRUE;
}

void CCleanerDlg::OnDestroy() {
    overlay_.Close();
    group_.Detach();
}

bool CCleanerDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (running_) return true;  // Exit, Cancel and the menu wait for the run
    return MappedDialog::OnCommand(id, notifyCode, control);
}

unsigned CCleanerDlg::TickedChoices() const {
    unsigned choices = 0;
    for (int i = 0; i < kChoiceCount; ++i) {
        if (::IsDlgButtonChecked(Hwnd(), IDC_CLEAN_CHECK_FIRST + i) == BST_CHECKED) choices |= 1u << i;
    }
    return choices;
}

void CCleanerDlg::OnSelectAll() {
    for (int i = 0; i < kChoiceCount; ++i) ::CheckDlgButton(Hwnd(), IDC_CLEAN_CHECK_FIRST + i, BST_CHECKED);
}

void CCleanerDlg::Log(const std::string& line) {
    ::SendMessageA(Item(IDC_CLEAN_LOG), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

std::vector<std::string> CCleanerDlg::LogLines() const {
    std::vector<std::string> lines;
    HWND list = Item(IDC_CLEAN_LOG);
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string line(static_cast<size_t>(::SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(line.size() - 1);
        lines.push_back(std::move(line));
    }
    return lines;
}

void CCleanerDlg::OnClean() {
    if (running_) return;
    const unsigned choices = TickedChoices();
    if (choices == 0) {
        ShowMessage({.owner = Hwnd(), .text = "Please select at least one element to clean.",
                     .caption = kCleanerCaption, .icon = MB_ICONINFORMATION});
        return;
    }
    HWND list = Item(IDC_CLEAN_LOG);
    const RunScope scope(Hwnd(), list, running_);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    overlay_.Show(Hwnd());
    const CleanLog log = [this](const std::string& line) { Log(line); };
    RunCleaner(choices, log, system_, shell_);
    overlay_.Close();
    LogCleanerSignature(log);
    SetListExtentToWidestLine(list);
}

void CCleanerDlg::OnSaveLogAs() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    const auto chosen = CurrentCommonDialogs().SaveFile({.owner = nullptr, .filter = "*.txt|*.txt",
                                                         .defaultExtension = "",
                                                         .title = "Save OvixCleaner Report As...", .initialName = ""});
    ::ShowWindow(Hwnd(), SW_SHOW);
    if (!chosen) return;
    const std::string name = WithTxtExtension(*chosen);
    std::string text;
    for (const std::string& line : LogLines()) text += line + "\r\n";
    if (SaveTextFile(name, text) != SaveResult::Done) {
        ShowMessage({.owner = Hwnd(), .text = fw::Format("Error !\r\nThe log can't be written to \"%s\".", name.c_str()),
                     .caption = kCleanerCaption, .icon = MB_ICONEXCLAMATION});
        return;
    }
    if (ShowMessage({.owner = Hwnd(), .text = "File correctly written.\r\nDo you want to open it ?",
                     .caption = kCleanerCaption, .buttons = MB_YESNO, .icon = MB_ICONQUESTION}) == IDYES) {
        ShellOpen(name, kShowDefault, Hwnd());
    }
}

LRESULT CCleanerDlg::OnContextMenu(WPARAM /*wParam*/, LPARAM lParam) {
    HMENU popup = contextMenu_ ? ::GetSubMenu(contextMenu_.Get(), 0) : nullptr;
    if (!popup || running_) return 0;
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the log's corner
        at = {0, 0};
        ::ClientToScreen(Item(IDC_CLEAN_LOG), &at);
    }
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr);
    return 0;
}

LRESULT CCleanerDlg::OnCtlColor(WPARAM wParam, LPARAM /*lParam*/) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, kBackground);
    return reinterpret_cast<LRESULT>(background_.Get());
}

}  // namespace ovix
