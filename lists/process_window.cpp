#include "lists/process_window.h"

#include "app/launcher.h"
#include "app/message_boxes.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/file_details.h"
#include "lists/list_text.h"
#include "probes/wmi_probes.h"
#include "resources/resource_ids.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <map>

namespace ovix {
namespace {

constexpr UINT_PTR kCaptionTimer = 1;
constexpr UINT kCaptionPeriodMs = 1500;
constexpr char kModulesAtRest[] = "Click on a process to see its dependents modules...";
constexpr DWORD kFillRights = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

constexpr ListColumn kProcessColumns[] = {
    {"Process", 6}, {"Parent ID", 12}, {"PID", 15},     {"Priority", 11},  {"Creation Date", 6},
    {"Running Time", 8}, {"Threads", 13}, {"Size", 14}, {"Class Base", 13}, {"Executable Path", 2},
};
const std::string kProcessLabels[] = {"Name", "Parent ID", "PID", "Priority", "Creation Date", "Running Time",
                                      "Current Threads", "Size", "Primary Class Base", "Executable path"};
constexpr ListColumn kModuleColumns[] = {
    {"Module Name", 7}, {"Executable Path", 4}, {"Version", 10}, {"Description", 5}, {"Creation Date", 8},
    {"Last Modified", 8}, {"Address", 10},      {"Size", 10},    {"Company", 5},
};
const std::string kModuleLabels[] = {"Name", "Path", "Version", "Description", "Creation Date", "Last Modified",
                                     "Address", "Size", "Company"};

constexpr ListMenuItem kProcessMenu[] = {
    {nullptr, 1072, "Google"},
    {nullptr, 1073, "Kill !"},
    {nullptr, 1188, "Restart"},
    {"Manage priority", 1074, "Boost priority"},
    {"Manage priority", 1078, "Real-time priority"},
    {"Manage priority", 1075, "High priority"},
    {"Manage priority", 1076, "Above normal priority"},
    {"Manage priority", 1077, "Normal priority"},
    {"Manage priority", 1130, "Below normal priority"},
    {nullptr, 401, "Refresh list  (F5)"},
    {nullptr, 1099, "Properties"},
    {"Copy to clipboard", 1086, "Selected line"},
    {"Copy to clipboard", 1090, "All"},
};
constexpr ListMenuItem kModuleMenu[] = {
    {nullptr, 1168, "Google"},
    {nullptr, 1189, "Properties"},
    {"Copy to clipboard", 1166, "Selected line"},
    {"Copy to clipboard", 1167, "All"},
};

struct PriorityCommand {
    UINT id;
    DWORD priorityClass;  // 0: the boost
    const char* applied;
    const char* failed;
};
constexpr PriorityCommand kPriorityCommands[] = {
    {1074, 0, "Boost priority applied to: %s", "Impossible to open PID in order to boost it."},
    {1078, REALTIME_PRIORITY_CLASS, "Real-time priority applied to: %s",
     "Impossible to open PID in order to set a real-time priority."},
    {1075, HIGH_PRIORITY_CLASS, "High priority applied to: %s",
     "Impossible to open PID in order to set a high priority."},
    {1076, ABOVE_NORMAL_PRIORITY_CLASS, "Above-normal priority applied to: %s",
     "Impossible to open PID in order to set an above-normal priority."},
    {1077, NORMAL_PRIORITY_CLASS, "Normal priority applied to: %s",
     "Impossible to open PID in order to set a normal priority."},
    {1130, BELOW_NORMAL_PRIORITY_CLASS, "Below-normal priority applied to: %s",
     "Impossible to open PID in order to set a below-normal priority."},
};

uint64_t Ticks(const FILETIME& time) { return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

// The paths the management service lists, by process id, in one query.
std::vector<ProcessPath> ReadProcessPaths() {
    const std::string properties[] = {"ExecutablePath", "ProcessId"};
    wmi::ServiceRowSource service;
    std::vector<ProcessPath> paths;
    for (const auto& row : service.ReadClass("Win32_Process", properties)) {
        if (row.size() == 2 && row[0].type == wmi::Value::Type::Text && row[1].type == wmi::Value::Type::Integer) {
            paths.push_back({static_cast<uint32_t>(row[1].integer), row[0].text});
        }
    }
    return paths;
}

// The file's first small icon, else the resource icon; the caller destroys it.
HICON FileOrResourceIcon(const std::string& path, UINT fallback) {
    HICON icon = nullptr;
    if (!path.empty() && ::ExtractIconExA(path.c_str(), 0, nullptr, &icon, 1) == 1 && icon) return icon;
    return static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(fallback), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

DWORD ProcessIdOf(const ListPane& processes, int row) {
    return static_cast<DWORD>(std::strtoul(processes.Cell(row, 2).c_str(), nullptr, 10));
}

}  // namespace

CProcess::CProcess(cpu::CpuUsagePercent& load) : MappedDialog(IDD_PROCESSES), load_(load), psapi_("psapi.dll") {}

CProcess::~CProcess() = default;

const CProcess::Map& CProcess::MessageMap() {
    static const Map::Message messages[] = {
        {WM_NOTIFY, &CProcess::OnNotify},
        {WM_CTLCOLORSTATIC, &CProcess::OnCtlColor},
    };
    static const Map::Command commands[] = {
        {1072, &CProcess::OnSearch},      {1073, &CProcess::OnKill},        {1188, &CProcess::OnRestart},
        {1074, &CProcess::OnBoost},       {1078, &CProcess::OnRealTime},    {1075, &CProcess::OnHigh},
        {1076, &CProcess::OnAboveNormal}, {1077, &CProcess::OnNormal},      {1130, &CProcess::OnBelowNormal},
        {401, &CProcess::OnRefresh},      {1099, &CProcess::OnProperties},  {1086, &CProcess::OnCopyProcess},
        {1090, &CProcess::OnCopyProcesses}, {1168, &CProcess::OnSearchModule}, {1189, &CProcess::OnModuleProperties},
        {1166, &CProcess::OnCopyModule},  {1167, &CProcess::OnCopyModules},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL CProcess::OnInitDialog() {
    processes_.Attach(Hwnd(), {IDC_PROCESS_LIST, kProcessColumns, kProcessLabels, 0, true});
    modules_.Attach(Hwnd(), {IDC_MODULE_LIST, kModuleColumns, kModuleLabels, 0, false});
    bold_ = fw::BoldTahoma(13);
    ::SendMessageA(Item(IDC_MODULE_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(bold_.Get()), FALSE);
    SetItemText(IDC_MODULE_TEXT, kModulesAtRest);
    FillProcesses();
    ::SetTimer(Hwnd(), kCaptionTimer, kCaptionPeriodMs, nullptr);
    return TRUE;
}

void CProcess::OnDestroy() {
    ::KillTimer(Hwnd(), kCaptionTimer);
    processes_.Detach();
    modules_.Detach();
}

void CProcess::OnTimer(UINT_PTR timerId) {
    if (timerId == kCaptionTimer) UpdateCaption();
}

void CProcess::UpdateCaption() {
    ::SetWindowTextA(Hwnd(),
                     fw::Format("%i Running Processes - CPU Usage: %i%%", processes_.RowCount(), load_.Next()).c_str());
}

void CProcess::FillProcesses() {
    const ListPane::FillScope quiet(processes_);
    processes_.Clear();
    modules_.Clear();
    created_.clear();
    const std::vector<ProcessPath> paths = ReadProcessPaths();
    using MemoryInfo = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    const auto memoryInfo = psapi_.Find<MemoryInfo>("GetProcessMemoryInfo");
    const auto moduleFileName = psapi_.Find<ModuleFileName>("GetModuleFileNameExA");
    std::map<std::string, int> images;  // one image per executable
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);

    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (bool more = snapshot && ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry)) {
        const std::string name = entry.szExeFile;
        const fw::UniqueHandle process(::OpenProcess(kFillRights, FALSE, entry.th32ProcessID));
        FILETIME created{}, exited{}, kernel{}, user{};
        const bool timed = process && ::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user);
        std::string date, running, size;
        if (timed && !Contains(name, "System")) {
            SYSTEMTIME utc{};
            ::FileTimeToSystemTime(&created, &utc);
            date = ProcessDateText({utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond});
            running = RunningTimeText(static_cast<int64_t>(Ticks(now) - Ticks(created)) / 10000000);
        }
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        if (process && memoryInfo && memoryInfo(process.Get(), &memory, sizeof(memory))) {
            size = fw::Format("%i", static_cast<int>(memory.WorkingSetSize / 1024));
        }
        std::string path = PathOfProcess(paths, entry.th32ProcessID);
        char modulePath[MAX_PATH] = "";
        if (path.empty() && process && moduleFileName && moduleFileName(process.Get(), nullptr, modulePath, MAX_PATH)) {
            path = modulePath;
        }
        auto image = images.find(path);
        if (image == images.end()) {
            const fw::IconHandle icon(FileOrResourceIcon(path, IDI_TREE_PUZZLE));
            image = images.emplace(path, processes_.AddImage(icon.Get())).first;
        }
        processes_.AddRow({name, fw::Format("%i", static_cast<int>(entry.th32ParentProcessID)),
                           fw::Format("%i", static_cast<int>(entry.th32ProcessID)),
                           PriorityClassName(process ? ::GetPriorityClass(process.Get()) : 0), date, running,
                           fw::Format("%i", static_cast<int>(entry.cntThreads)), size,
                           fw::Format("%i", static_cast<int>(entry.pcPriClassBase)), path},
                          image->second);
        created_.push_back(timed ? created : FILETIME{});
    }
    SetItemText(IDC_MODULE_TEXT, kModulesAtRest);
    UpdateCaption();
}

void CProcess::FillModules(int row) {
    modules_.Clear();
    const std::string name = processes_.Cell(row, 0);
    if (Contains(name, "System")) {
        SetItemText(IDC_MODULE_TEXT, "");
        return;
    }
    const DWORD pid = ProcessIdOf(processes_, row);
    // Process 0's snapshot would list our own modules.
    fw::UniqueHandle snapshot(pid ? ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid) : nullptr);
    MODULEENTRY32 module{};
    module.dwSize = sizeof(module);
    for (bool more = snapshot && ::Module32First(snapshot.Get(), &module); more;
         more = ::Module32Next(snapshot.Get(), &module)) {
        const std::string path = module.szExePath;
        const FileDetails details = ReadFileDetails(path);
        const fw::IconHandle icon(Contains(path, ".exe") ? FileOrResourceIcon(path, IDI_TREE_PUZZLE)
                                                        : FileOrResourceIcon("", IDI_TREE_DLL));
        modules_.AddRow({module.szModule, path, details.version, details.description, details.created,
                         details.modified,
                         ModuleAddressText(reinterpret_cast<uintptr_t>(module.modBaseAddr), sizeof(void*)),
                         fw::Format("%d", static_cast<int>(module.modBaseSize)), details.company},
                        icon.Get());
    }
    SetItemText(IDC_MODULE_TEXT, ModulesLine(modules_.RowCount(), name));
}

LRESULT CProcess::OnNotify(WPARAM /*wParam*/, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_PROCESS_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        // Only a row that becomes selected: clearing a selection fills nothing.
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED) && change->iItem >= 0) {
            FillModules(change->iItem);
        }
    }
    return 0;
}

LRESULT CProcess::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != Item(IDC_MODULE_TEXT)) return 0;
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

void CProcess::ShowListMenu(HWND control, POINT at) {
    if (control == modules_.List()) {
        TrackListMenu(Hwnd(), kModuleMenu, at);
        return;
    }
    const int row = processes_.SelectedRow();
    const UINT ownWindow[] = {1188};
    const bool own = row >= 0 && Contains(processes_.Cell(row, 0), "Ovix.exe");
    TrackListMenu(Hwnd(), kProcessMenu, at, own ? std::span<const UINT>(ownWindow) : std::span<const UINT>());
}

fw::UniqueHandle CProcess::OpenSelected(DWORD rights, bool* gone) const {
    if (gone) *gone = false;
    const int row = processes_.SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= created_.size() || Ticks(created_[row]) == 0) return {};
    const DWORD pid = ProcessIdOf(processes_, row);
    fw::UniqueHandle process(::OpenProcess(rights | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process) {
        if (gone) *gone = ::GetLastError() == ERROR_INVALID_PARAMETER;
        return {};
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool same = ::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user) &&
                      Ticks(created) == Ticks(created_[row]) &&
                      ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
    if (!same) {
        // The row's process ended; its id may now be another's.
        if (gone) *gone = true;
        return {};
    }
    return process;
}

void CProcess::OnKill() {
    const int row = processes_.SelectedRow();
    if (row < 0) return;
    const std::string name = processes_.Cell(row, 0);
    fw::UniqueHandle process = OpenSelected(PROCESS_TERMINATE);
    const bool killed = process && ::TerminateProcess(process.Get(), 0);
    process.Reset();
    if (!killed) ShowMessage({.owner = Hwnd(), .text = fw::Format("Impossible to kill: %s", name.c_str()), .icon = MB_ICONERROR});
    ::Sleep(250);
    FillProcesses();
}

void CProcess::OnRestart() {
    const int row = processes_.SelectedRow();
    if (row < 0) return;
    const std::string name = processes_.Cell(row, 0), path = processes_.Cell(row, 9);
    bool gone = false;
    fw::UniqueHandle process = path.empty() ? fw::UniqueHandle() : OpenSelected(PROCESS_TERMINATE, &gone);
    bool ended = gone;
    if (process && ::TerminateProcess(process.Get(), 0)) {
        ended = ::WaitForSingleObject(process.Get(), 2000) == WAIT_OBJECT_0;
    }
    process.Reset();
    // Never a second copy beside one that survived, nor a start without a path.
    if (ended && !path.empty()) {
        CurrentLauncher().ShellVerb(Hwnd(), "open", path, "", "", kShowDefault);
    } else {
        ShowMessage({.owner = Hwnd(), .text = fw::Format("Impossible to kill: %s", name.c_str()), .icon = MB_ICONERROR});
    }
    FillProcesses();
}

void CProcess::SetPriority(UINT command) {
    const int row = processes_.SelectedRow();
    if (row < 0) return;
    const PriorityCommand* found = nullptr;
    for (const PriorityCommand& entry : kPriorityCommands) found = entry.id == command ? &entry : found;
    if (!found) return;
    const std::string name = processes_.Cell(row, 0);
    fw::UniqueHandle process = OpenSelected(PROCESS_SET_INFORMATION);
    const bool set = process && (found->priorityClass ? ::SetPriorityClass(process.Get(), found->priorityClass)
                                                      : ::SetProcessPriorityBoost(process.Get(), FALSE));
    process.Reset();
    if (set) {
        ShowInformation(Hwnd(), fw::Format(found->applied, name.c_str()));
        ::Sleep(300);
    } else {
        ShowMessage({.owner = Hwnd(), .text = found->failed, .icon = MB_ICONERROR});
    }
    FillProcesses();
}

void CProcess::OnRefresh() {
    ::Sleep(250);
    FillProcesses();
}

}  // namespace ovix
