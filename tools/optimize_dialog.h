// "OvixOptimize": one button that applies a fixed set of registry changes,
// service start types and commands, after saving what it changes to an undo
// file; and a second button that puts back the newest saved settings. A fresh
// dialog per opening: a second run in the same opening is refused.
#pragma once

#include "app/power_actions.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "tools/grey_overlay.h"
#include "tools/optimizer_backup.h"

#include <string>
#include <vector>

namespace ovix {

inline constexpr char kOptimizeCaption[] = "OvixOptimize";

// The pause before the writes, behind a seam so tests and the bench skip it.
class OptimizerClock {
public:
    virtual ~OptimizerClock() = default;
    virtual void Wait(DWORD milliseconds) { ::Sleep(milliseconds); }
};

// What the optimiser reaches outside the program besides the launcher and the
// message boxes. Null members and an empty folder mean the system's own.
struct OptimizerSeams {
    SettingsWriter* writer = nullptr;
    RestorePointClient* restorePoint = nullptr;
    PowerControl* power = nullptr;  // the catalogue's power seam
    OptimizerClock* clock = nullptr;
    std::string backupFolder;  // "<AppData>\Ovix"
};

class COptimizePC : public fw::MappedDialog<COptimizePC> {
public:
    explicit COptimizePC(OptimizerSeams seams = {});
    ~COptimizePC() override;

    static const Map& MessageMap();

    bool Optimized() const { return optimized_; }
    std::vector<std::string> LogLines() const;
    const GreyOverlay& Overlay() const { return overlay_; }

protected:
    BOOL OnInitDialog() override;
    // While a run goes on, Cancel and the buttons wait for it.
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnDestroy() override;

private:
    void OnOptimize();
    void OnUndo();
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    void Log(const std::string& line);
    std::string BackupFolder() const;

    OptimizerSeams seams_;
    bool optimized_ = false;
    bool running_ = false;
    GreyOverlay overlay_;
    fw::FontHandle warningFont_;
    fw::BrushHandle background_;
};

}  // namespace ovix
