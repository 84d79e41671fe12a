// "OvixCleaner": eight choices of traces to delete, Clean, Select all, and
// the log of what was done, which can be saved as a text file. A fresh
// dialog per opening: nothing is kept from one to the next.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "tools/cleaner_run.h"
#include "tools/grey_overlay.h"
#include "widgets/group_box.h"
#include "widgets/icon_button.h"

#include <string>
#include <vector>

namespace ovix {

inline constexpr char kCleanerCaption[] = "OvixCleaner";

class CCleanerDlg : public fw::MappedDialog<CCleanerDlg> {
public:
    CCleanerDlg();
    ~CCleanerDlg() override;

    static const Map& MessageMap();

    // Stand-ins for the system and the shell's delete (tests); null: the real ones.
    void SetCleanerSystem(CleanerSystem* system) { system_ = system; }
    void SetShell(ShellFileCall* shell) { shell_ = shell; }

    bool Running() const { return running_; }
    std::vector<std::string> LogLines() const;
    const GreyOverlay& Overlay() const { return overlay_; }

protected:
    BOOL OnInitDialog() override;
    // While a run goes on (the shell's deletes pump messages) Exit and Cancel wait.
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnDestroy() override;

private:
    void OnClean();
    void OnSelectAll();
    void OnSaveLogAs();
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    unsigned TickedChoices() const;
    void Log(const std::string& line);

    CleanerSystem* system_ = nullptr;
    ShellFileCall* shell_ = nullptr;
    bool running_ = false;
    GreyOverlay overlay_;
    widgets::GroupBox group_;
    widgets::IconButton cleanButton_;
    widgets::IconButton selectAllButton_;
    fw::BrushHandle background_;
    fw::MenuHandle contextMenu_;
};

}  // namespace ovix
