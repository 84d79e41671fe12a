#include "lists/services.h"

#include "app/message_boxes.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/service_text.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr ListColumn kServiceColumns[] = {{"Service name", 7}, {"Display name", 3}, {"Current state", 8},
                                          {"Start type", 8},   {"Type", 4},         {"Binary path", 3},
                                          {"Error control", 8}};
constexpr ListColumn kDriverColumns[] = {{"Name", 9},       {"Display name", 3}, {"Current state", 7},
                                         {"Start type", 7}, {"Type", 7},         {"Binary path", 3},
                                         {"Error control", 7}};
const std::string kLabels[] = {"Name", "Display name", "Current state", "Start type", "Type", "Path",
                               "Error control"};

constexpr ListMenuItem kServiceMenu[] = {
    {nullptr, 1080, "Google"},
    {"Copy to clipboard", 1089, "Selected line"},
    {"Copy to clipboard", 1091, "All"},
    {"Manage", 32895, "Stop"},
    {"Manage", 32897, "Start"},
    {"Manage", 32898, "Delete"},
    {nullptr, 32896, "Refresh list    (F5)"},
    {nullptr, 1, "Close this window"},
};
constexpr UINT kServiceNeedsRow[] = {1080, 1089, 1091, 32895, 32897, 32898};
constexpr ListMenuItem kDriverMenu[] = {
    {nullptr, 1097, "Google"},
    {"Copy to clipboard", 1096, "selected line"},
    {"Copy to clipboard", 1095, "All"},
    {nullptr, 1, "Close this window"},
};
constexpr UINT kDriverNeedsRow[] = {1097, 1096, 1095};

void ReadConfiguration(SC_HANDLE manager, ServiceRecord& record) {
    const ServiceHandle service(::OpenServiceA(manager, record.name.c_str(), SERVICE_QUERY_CONFIG));
    if (!service) return;
    std::vector<BYTE> buffer;
    // Sized from the answer: a long path or dependency list must not lose the whole row.
    const bool read = ReadGrowing(1024, [&](size_t size) {
        buffer.assign(size, 0);
        DWORD needed = 0;
        const BOOL ok = ::QueryServiceConfigA(service.Get(), reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data()),
                                              static_cast<DWORD>(size), &needed);
        return SizedCall{ok != FALSE, ok ? 0 : ::GetLastError(), needed};
    });
    if (!read) return;
    const auto* config = reinterpret_cast<const QUERY_SERVICE_CONFIGA*>(buffer.data());
    record.binaryPath = config->lpBinaryPathName ? config->lpBinaryPathName : "";
    record.startType = config->dwStartType;
    record.errorControl = config->dwErrorControl;
}

}  // namespace

std::vector<ServiceRecord> EnumerateServices(DWORD typeMask) {
    const ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return {};
    std::vector<BYTE> buffer;
    DWORD count = 0;
    const bool read = ReadGrowing(sizeof(ENUM_SERVICE_STATUSA), [&](size_t size) {
        buffer.assign(size, 0);
        DWORD needed = 0, resume = 0;  // every attempt from the start
        count = 0;
        const BOOL ok = ::EnumServicesStatusA(manager.Get(), typeMask, SERVICE_STATE_ALL,
                                              reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data()),
                                              static_cast<DWORD>(size), &needed, &count, &resume);
        return SizedCall{ok != FALSE, ok ? 0 : ::GetLastError(), needed};
    });
    std::vector<ServiceRecord> records;
    if (!read) return records;
    const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUSA*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        ServiceRecord record;
        record.name = entries[i].lpServiceName ? entries[i].lpServiceName : "";
        record.displayName = entries[i].lpDisplayName ? entries[i].lpDisplayName : "";
        record.type = entries[i].ServiceStatus.dwServiceType;
        record.state = entries[i].ServiceStatus.dwCurrentState;
        ReadConfiguration(manager.Get(), record);
        records.push_back(std::move(record));
    }
    return records;
}

ServiceListWindow::ServiceListWindow(Kind kind)
    : MappedDialog(kind == Kind::Services ? IDD_SERVICES : IDD_DRIVERS), kind_(kind) {
    if (kind_ == Kind::Services) manager_.Reset(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
}

ServiceListWindow::~ServiceListWindow() = default;

const ServiceListWindow::Map& ServiceListWindow::MessageMap() {
    static const Map::Command commands[] = {
        {1080, &ServiceListWindow::OnSearch},   {1097, &ServiceListWindow::OnSearch},
        {1089, &ServiceListWindow::OnCopyLine}, {1096, &ServiceListWindow::OnCopyLine},
        {1091, &ServiceListWindow::OnCopyAll},  {1095, &ServiceListWindow::OnCopyAll},
        {32895, &ServiceListWindow::OnStop},    {32897, &ServiceListWindow::OnStart},
        {32898, &ServiceListWindow::OnDelete},  {32896, &ServiceListWindow::Fill},
    };
    static const Map map{{}, commands};
    return map;
}

BOOL ServiceListWindow::OnInitDialog() {
    const bool services = kind_ == Kind::Services;
    list_.Attach(Hwnd(), {IDC_SERVICE_LIST, services ? std::span<const ListColumn>(kServiceColumns)
                                                     : std::span<const ListColumn>(kDriverColumns),
                          kLabels, services ? 0 : 1, true, services ? COLOR_WINDOW : COLOR_BTNFACE});
    Fill();
    return TRUE;
}

void ServiceListWindow::OnDestroy() { list_.Detach(); }

void ServiceListWindow::Fill() {
    const ListPane::FillScope quiet(list_);
    list_.Clear();
    const bool services = kind_ == Kind::Services;
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_SERVICES, 16);
    const int image = list_.AddImage(icon.Get());
    for (const ServiceRecord& record : EnumerateServices(services ? SERVICE_WIN32 : SERVICE_DRIVER)) {
        list_.AddRow({record.name, record.displayName, ServiceStateText(record.state),
                      StartTypeText(record.startType), ServiceTypeText(record.type), record.binaryPath,
                      ErrorControlText(record.errorControl)},
                     image);
    }
    ::SetWindowTextA(Hwnd(), fw::Format(services ? "%i Services" : "%i Drivers", list_.RowCount()).c_str());
}

fw::MenuHandle ServiceListWindow::ContextMenu() const {
    if (kind_ == Kind::Services) return BuildListMenu(kServiceMenu, list_.GreyedWithoutSelection(kServiceNeedsRow));
    return BuildListMenu(kDriverMenu, list_.GreyedWithoutSelection(kDriverNeedsRow));
}

void ServiceListWindow::ShowListMenu(HWND /*control*/, POINT at) { TrackListMenu(Hwnd(), ContextMenu(), at); }

void ServiceListWindow::Act(Action action) {
    const int row = list_.SelectedRow();
    if (row < 0 || kind_ != Kind::Services) return;
    const std::string name = list_.Cell(row, 0);
    if (action == Action::Delete &&
        ShowMessage({.owner = Hwnd(), .text = "Are you sure ?", .caption = name, .buttons = MB_YESNO,
                     .defaultButton = MB_DEFBUTTON2, .icon = MB_ICONQUESTION}) != IDYES) {
        return;
    }
    const ServiceHandle service(manager_ ? ::OpenServiceA(manager_.Get(), name.c_str(), SERVICE_ALL_ACCESS) : nullptr);
    bool done = false;
    const char* failure = "";
    SERVICE_STATUS status{};
    switch (action) {
    case Action::Stop:
        done = service && ::ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
        failure = "Impossible to stop: %s";
        break;
    case Action::Start:
        done = service && ::StartServiceA(service.Get(), 0, nullptr);
        failure = "Impossible to start: %s";
        break;
    case Action::Delete:
        done = service && ::DeleteService(service.Get());
        failure = "Impossible to delete: %s";
        break;
    }
    // Success stays silent, as before; the list changes on the next refresh.
    if (!done) ShowMessage({.owner = Hwnd(), .text = fw::Format(failure, name.c_str()), .icon = MB_ICONERROR});
}

}  // namespace ovix
