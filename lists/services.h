// The service control manager's services and drivers, and their windows.
#pragma once

#include "framework/handles.h"
#include "lists/list_viewer.h"

#include <string>
#include <vector>

namespace ovix {

struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static constexpr fw::ResourceKind kKind = fw::ResourceKind::Kernel;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::CloseServiceHandle(h); }
};
using ServiceHandle = fw::Owned<ServiceHandleTraits>;

struct ServiceRecord {
    std::string name;
    std::string displayName;
    std::string binaryPath;
    DWORD type = 0;
    DWORD startType = 0;
    DWORD errorControl = 0;
    DWORD state = 0;
};

// Every service of the type mask (SERVICE_WIN32, SERVICE_DRIVER), any state,
// in enumeration order, with its configuration; empty when the manager
// cannot be asked.
std::vector<ServiceRecord> EnumerateServices(DWORD typeMask);

// The services (type mask SERVICE_WIN32) or drivers (SERVICE_DRIVER) window.
class ServiceListWindow : public fw::MappedDialog<ServiceListWindow, ListViewerDialog> {
public:
    enum class Kind { Services, Drivers };
    explicit ServiceListWindow(Kind kind);
    ~ServiceListWindow() override;

    static const Map& MessageMap();
    const ListPane& List() const { return list_; }
    // The right-click menu as it stands (greyed without a selection).
    fw::MenuHandle ContextMenu() const;
    void Fill();

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void Refresh() override { Fill(); }
    bool HasRefresh() const override { return kind_ == Kind::Services; }
    void ShowListMenu(HWND control, POINT at) override;

private:
    enum class Action { Stop, Start, Delete };
    void Act(Action action);
    void OnSearch() { list_.SearchSelected(); }
    void OnCopyLine() { list_.CopySelected(); }
    void OnCopyAll() { list_.CopyAll(); }
    void OnStop() { Act(Action::Stop); }
    void OnStart() { Act(Action::Start); }
    void OnDelete() { Act(Action::Delete); }

    Kind kind_;
    ListPane list_;
    ServiceHandle manager_;  // the services window acts through it
};

}  // namespace ovix
