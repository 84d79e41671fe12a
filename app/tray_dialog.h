// A dialog that can live in the notification area: minimise and "Reduce" hide
// it behind a tray icon, "Restore" and a double-click bring it back, a right
// click shows the tray menu.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"

namespace ovix {

// The shell's notification area, behind a seam so tests can make it fail.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool Notify(DWORD message, NOTIFYICONDATAA& record) {
        return ::Shell_NotifyIconA(message, &record) != FALSE;
    }
};

inline constexpr UINT kTrayCallbackMessage = WM_USER + 1;
inline constexpr UINT kTrayIconId = 1;

class TrayDialog : public fw::MappedDialog<TrayDialog> {
public:
    explicit TrayDialog(UINT templateId);
    ~TrayDialog() override;

    static const Map& MessageMap();

    // Prepares the record: the icon, the menu (first popup is shown) and the tip.
    void SetTrayIcon(HICON icon);
    void SetTrayMenu(UINT menuId);
    void SetTrayTip(const char* tip);
    void SetTrayShell(TrayShell* shell) { shell_ = shell ? shell : &defaultShell_; }

    bool TrayIconVisible() const { return trayIconVisible_ != 0; }
    bool MinimiseToTray() const { return minimiseToTray_ != 0; }
    const NOTIFYICONDATAA& TrayRecord() const { return trayRecord_; }
    HMENU TrayMenu() const { return trayMenu_.Get(); }

    // "Reduce": into the tray, when the icon is there (just added or already).
    void Reduce();
    // "Restore": the icon goes, the window comes back.
    void Restore();

protected:
    virtual void OnTrayLButtonDown(POINT /*cursor*/) {}
    virtual void OnTrayLButtonDblClk(POINT /*cursor*/) { Restore(); }
    virtual void OnTrayRButtonDown(POINT cursor) { ShowTrayMenu(cursor); }
    virtual void OnTrayRButtonDblClk(POINT /*cursor*/) {}
    virtual void OnTrayMouseMove(POINT /*cursor*/) {}

    // Called after the window was hidden into the tray and after it came back.
    virtual void OnHiddenToTray() {}
    virtual void OnShownFromTray() {}

    void ShowTrayMenu(POINT cursor);
    bool AddTrayIcon();
    bool DeleteTrayIcon();
    void OnDestroy() override;
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    void HideToTray();

    UINT minimiseToTray_ = 1;
    UINT trayIconVisible_ = 0;
    NOTIFYICONDATAA trayRecord_{};
    fw::MenuHandle trayMenu_;
    UINT defaultTrayItem_ = 0;
    TrayShell defaultShell_;
    TrayShell* shell_ = &defaultShell_;
    UINT taskbarCreated_ = 0;
};

}  // namespace ovix
