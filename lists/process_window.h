// "Running Processes": the processes above, the modules of the selected one
// below, the count and the processor load in the caption; kill, restart and
// priority actions on the selected process.
#pragma once

#include "framework/library.h"
#include "lists/list_viewer.h"
#include "probes/cpu_usage.h"

#include <vector>

namespace ovix {

class CProcess : public fw::MappedDialog<CProcess, ListViewerDialog> {
public:
    // The load is the caller's: it keeps its previous sample between openings.
    explicit CProcess(cpu::CpuUsagePercent& load);
    ~CProcess() override;

    static const Map& MessageMap();

    const ListPane& Processes() const { return processes_; }
    const ListPane& Modules() const { return modules_; }
    void FillProcesses();

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnDestroy() override;
    void Refresh() override { FillProcesses(); }
    bool HasRefresh() const override { return true; }
    void ShowListMenu(HWND control, POINT at) override;

private:
    void FillModules(int row);
    void UpdateCaption();
    // The selected row's process when it is still the one the row was filled
    // from (same creation time, not ended); null otherwise. `gone` says it ended.
    fw::UniqueHandle OpenSelected(DWORD rights, bool* gone = nullptr) const;
    void SetPriority(UINT command);

    void OnSearch() { processes_.SearchSelected(); }
    void OnKill();
    void OnRestart();
    void OnBoost() { SetPriority(1074); }
    void OnRealTime() { SetPriority(1078); }
    void OnHigh() { SetPriority(1075); }
    void OnAboveNormal() { SetPriority(1076); }
    void OnNormal() { SetPriority(1077); }
    void OnBelowNormal() { SetPriority(1130); }
    void OnRefresh();
    void OnProperties() { processes_.ShowProperties(9); }
    void OnCopyProcess() { processes_.CopySelected(); }
    void OnCopyProcesses() { processes_.CopyAll(); }
    void OnSearchModule() { modules_.SearchSelected(); }
    void OnModuleProperties() { modules_.ShowProperties(1); }
    void OnCopyModule() { modules_.CopySelected(); }
    void OnCopyModules() { modules_.CopyAll(); }
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);

    cpu::CpuUsagePercent& load_;
    ListPane processes_;
    ListPane modules_;
    std::vector<FILETIME> created_;  // per process row; zero when unknown
    fw::LoadedLibrary psapi_;
    fw::FontHandle bold_;
};

}  // namespace ovix
