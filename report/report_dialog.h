// "Report": Browse asks for a file name and writes the report there at once.
// The software and hotfix inventories are read when the dialog is made; the
// facts again at every report. The dialog stays open for another file unless
// the user opens the one just written.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "report/report_file.h"
#include "tools/grey_overlay.h"

#include <memory>
#include <string>

namespace ovix {

inline constexpr char kReportRestText[] = "-> Select a path and create a file with \"Browse\" button.";
inline constexpr char kReportBusyText[] = "Retrieving system and hardware informations, please wait...";

class ReportDialog : public fw::MappedDialog<ReportDialog>, private ReportProgress {
public:
    // Without sources, the machine's are gathered now.
    explicit ReportDialog(std::unique_ptr<ReportSources> sources = nullptr);
    ~ReportDialog() override;
    static const Map& MessageMap();

    // The file of the last report asked for ("" before the first).
    const std::string& Path() const { return path_; }
    const GreyOverlay& Overlay() const { return overlay_; }
    // The file writes (tests fail them midway); null: the system's.
    void SetFileWrites(FileWriteCall* writes) { writes_ = writes; }

protected:
    BOOL OnInitDialog() override;
    // While a report is made (its calls may pump messages) nothing else runs.
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnDestroy() override;

private:
    void OnBrowse();
    void OnGenerate();
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    void Collecting() override;
    void Written() override;

    std::unique_ptr<ReportSources> sources_;
    std::string path_;
    FileWriteCall* writes_ = nullptr;
    bool running_ = false;
    GreyOverlay overlay_;
    fw::FontHandle statusFont_;
    fw::BrushHandle statusBrush_;
};

}  // namespace ovix
