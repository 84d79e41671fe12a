#include "app/tray_dialog.h"

#include "framework/resources.h"

#include <cstring>

namespace ovix {

TrayDialog::TrayDialog(UINT templateId) : MappedDialog(templateId) {
    // The version-1 record: what every shell since Windows 95 understands.
    trayRecord_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayRecord_.uID = kTrayIconId;
    trayRecord_.uFlags = NIF_MESSAGE;
    trayRecord_.uCallbackMessage = kTrayCallbackMessage;
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
}

TrayDialog::~TrayDialog() = default;

const TrayDialog::Map& TrayDialog::MessageMap() {
    static const Map::Message messages[] = {
        {kTrayCallbackMessage, &TrayDialog::OnTrayNotify},
        {WM_SYSCOMMAND, &TrayDialog::OnSysCommand},
    };
    static const Map map{messages, {}};
    return map;
}

void TrayDialog::SetTrayIcon(HICON icon) {
    trayRecord_.hIcon = icon;
    trayRecord_.uFlags |= NIF_ICON;
}

void TrayDialog::SetTrayMenu(UINT menuId) { trayMenu_ = fw::LoadMenuResource(menuId); }

void TrayDialog::SetTrayTip(const char* tip) {
    std::strncpy(trayRecord_.szTip, tip, 63);
    trayRecord_.szTip[63] = '\0';
    trayRecord_.uFlags |= NIF_TIP;
}

bool TrayDialog::AddTrayIcon() {
    trayRecord_.hWnd = Hwnd();
    return shell_->Notify(NIM_ADD, trayRecord_);
}

bool TrayDialog::DeleteTrayIcon() {
    trayRecord_.hWnd = Hwnd();
    if (shell_->Notify(NIM_DELETE, trayRecord_)) return true;
    // If even a modify fails, the icon is gone (the shell restarted): stop claiming it.
    if (!shell_->Notify(NIM_MODIFY, trayRecord_)) trayIconVisible_ = 0;
    return false;
}

void TrayDialog::HideToTray() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    OnHiddenToTray();
}

void TrayDialog::Reduce() {
    if (!trayIconVisible_ && AddTrayIcon()) trayIconVisible_ = 1;
    // Without an icon the window could never be found again: it stays shown.
    if (trayIconVisible_) HideToTray();
}

void TrayDialog::Restore() {
    if (trayIconVisible_ && DeleteTrayIcon()) trayIconVisible_ = 0;
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::SetForegroundWindow(Hwnd());
    OnShownFromTray();
}

LRESULT TrayDialog::OnSysCommand(WPARAM wParam, LPARAM lParam) {
    if (minimiseToTray_ && (wParam & 0xFFF0) == SC_MINIMIZE) {
        if (!trayIconVisible_ && AddTrayIcon()) {
            trayIconVisible_ = 1;
            HideToTray();
        }
        return 0;
    }
    // Everything else as the dialog would do it.
    return ::DefWindowProcA(Hwnd(), WM_SYSCOMMAND, wParam, lParam);
}

LRESULT TrayDialog::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId) return 0;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
        OnTrayLButtonDown(cursor);
        break;
    case WM_LBUTTONDBLCLK:
        OnTrayLButtonDblClk(cursor);
        break;
    case WM_RBUTTONDOWN:
    case WM_CONTEXTMENU:
        OnTrayRButtonDown(cursor);
        break;
    case WM_RBUTTONDBLCLK:
        OnTrayRButtonDblClk(cursor);
        break;
    case WM_MOUSEMOVE:
        OnTrayMouseMove(cursor);
        break;
    default:
        break;
    }
    return 0;
}

void TrayDialog::ShowTrayMenu(POINT cursor) {
    HMENU popup = trayMenu_ ? ::GetSubMenu(trayMenu_.Get(), 0) : nullptr;
    if (!popup) return;
    // The foreground window owns the menu, so a click elsewhere closes it.
    ::SetForegroundWindow(Hwnd());
    ::TrackPopupMenu(popup, TPM_BOTTOMALIGN | TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Hwnd(),
                     nullptr);
    ::SetMenuDefaultItem(popup, defaultTrayItem_, TRUE);
    ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
}

bool TrayDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The shell came back (Explorer restarted): our icon went with the old one.
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        if (trayIconVisible_ && !AddTrayIcon()) {
            // No icon to come back through: the window must not stay hidden.
            trayIconVisible_ = 0;
            ::ShowWindow(Hwnd(), SW_SHOW);
            OnShownFromTray();
        }
        result = 0;
        return true;
    }
    return MappedDialog::Route(message, wParam, lParam, result);
}

void TrayDialog::OnDestroy() {
    if (Hwnd() && trayRecord_.uID && trayIconVisible_) {
        trayRecord_.hWnd = Hwnd();
        shell_->Notify(NIM_DELETE, trayRecord_);
        trayIconVisible_ = 0;
    }
}

}  // namespace ovix
