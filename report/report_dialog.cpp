#include "report/report_dialog.h"

#include "app/common_dialogs.h"
#include "app/launcher.h"
#include "app/message_boxes.h"
#include "app/text_file_rules.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr COLORREF kStatusText = RGB(72, 61, 139);
constexpr COLORREF kStatusBackground = RGB(255, 250, 250);

}  // namespace

ReportDialog::ReportDialog(std::unique_ptr<ReportSources> sources)
    : MappedDialog(IDD_REPORT), sources_(sources ? std::move(sources) : GatherReportSources()) {}

ReportDialog::~ReportDialog() = default;

const ReportDialog::Map& ReportDialog::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CTLCOLORSTATIC, &ReportDialog::OnCtlColorStatic},
    };
    static const Map::Command commands[] = {
        {IDC_REPORT_BROWSE, &ReportDialog::OnBrowse},
        {ID_REPORT_GENERATE, &ReportDialog::OnGenerate},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL ReportDialog::OnInitDialog() {
    statusFont_ = fw::BoldTahoma(13);
    statusBrush_.Reset(::CreateSolidBrush(kStatusBackground));
    ::SendMessageA(Item(IDC_REPORT_STATUS), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.Get()), FALSE);
    SetItemText(IDC_REPORT_STATUS, kReportRestText);
    return TRUE;
}

void ReportDialog::OnDestroy() {
    overlay_.Close();
    // The font goes with the dialog object; the control must not keep it.
    ::SendMessageA(Item(IDC_REPORT_STATUS), WM_SETFONT, 0, FALSE);
}

bool ReportDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (running_) return true;
    return MappedDialog::OnCommand(id, notifyCode, control);
}

LRESULT ReportDialog::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != Item(IDC_REPORT_STATUS)) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, kStatusText);
    ::SetBkColor(dc, kStatusBackground);
    return reinterpret_cast<LRESULT>(statusBrush_.Get());
}

void ReportDialog::OnBrowse() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    const auto chosen = CurrentCommonDialogs().SaveFile(
        {.owner = nullptr, .filter = "*.txt|*.txt", .defaultExtension = "", .title = "Save Ovix's report as...",
         .initialName = ""});
    ::ShowWindow(Hwnd(), SW_SHOW);
    if (!chosen) return;
    path_ = WithTxtExtension(*chosen);
    OnGenerate();
}

void ReportDialog::Collecting() {
    SetItemText(IDC_REPORT_STATUS, kReportBusyText);
    ::UpdateWindow(Item(IDC_REPORT_STATUS));
    // The collector's COM and shell calls may pump messages: no click may
    // reach the dialog until the file is written.
    ::EnableWindow(Hwnd(), FALSE);
    overlay_.Show(Hwnd());
}

void ReportDialog::Written() {
    overlay_.Close();
    ::EnableWindow(Hwnd(), TRUE);
    // The cover had the activation: it comes back here, not to the window behind.
    if (::IsWindowVisible(Hwnd())) ::SetActiveWindow(Hwnd());
}

void ReportDialog::OnGenerate() {
    if (path_.empty() || running_) return;
    running_ = true;
    const SaveResult result = SaveReport(path_, *sources_, ReportFlavour::File, this, writes_);
    running_ = false;
    if (result != SaveResult::Done) {
        ShowMessage({.owner = Hwnd(),
                     .text = fw::Format("Error !\nThe report can't be written to \"%s\".", path_.c_str()),
                     .icon = MB_ICONEXCLAMATION});
    } else if (ShowMessage({.owner = Hwnd(), .text = "File correctly written.\nDo you want to open it ?",
                            .caption = path_, .buttons = MB_YESNO, .icon = MB_ICONQUESTION}) == IDYES) {
        ShellOpen(path_, SW_SHOWDEFAULT, Hwnd());
        End(IDOK);
        return;
    }
    SetItemText(IDC_REPORT_STATUS, "");
    SetItemText(IDC_REPORT_STATUS, kReportRestText);
}

}  // namespace ovix
