// The process window's fill with extra sleeping processes (copies of this
// program) against a bare loop of the same reads: the snapshot, the
// management query, and per process the open, class, times, memory, path and
// first icon. Also one caption tick against a bare processor-load reading.
//
//   process_bench.exe <sleepers> [runs]      (process_bench.exe sleep: a sleeper)
//
// Prints the median milliseconds of the fill and of the bare loop, the row
// count, then the microseconds of a tick and of a bare reading (over 200).
#include "bench/bench_clock.h"
#include "framework/handles.h"
#include "framework/library.h"
#include "lists/process_window.h"
#include "probes/cpu_probe.h"
#include "probes/wmi_probes.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int BareLoop() {
    const std::string properties[] = {"ExecutablePath", "ProcessId"};
    ovix::wmi::ServiceRowSource service;
    const auto rows = service.ReadClass("Win32_Process", properties);
    const fw::LoadedLibrary psapi("psapi.dll");
    using MemoryInfo = BOOL(WINAPI*)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    const auto memoryInfo = psapi.Find<MemoryInfo>("GetProcessMemoryInfo");
    const auto moduleFileName = psapi.Find<ModuleFileName>("GetModuleFileNameExA");
    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (bool more = snapshot && ::Process32First(snapshot.Get(), &entry); more;
         more = ::Process32Next(snapshot.Get(), &entry), ++count) {
        fw::UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
        if (!process) continue;
        ::GetPriorityClass(process.Get());
        FILETIME times[4];
        ::GetProcessTimes(process.Get(), &times[0], &times[1], &times[2], &times[3]);
        PROCESS_MEMORY_COUNTERS memory{};
        if (memoryInfo) memoryInfo(process.Get(), &memory, sizeof(memory));
        char path[MAX_PATH] = "";
        if (moduleFileName) moduleFileName(process.Get(), nullptr, path, MAX_PATH);
        HICON icon = nullptr;
        if (path[0] && ::ExtractIconExA(path, 0, nullptr, &icon, 1) == 1 && icon) ::DestroyIcon(icon);
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "sleep") == 0) {
        ::Sleep(INFINITE);
        return 0;
    }
    const int sleepers = argc > 1 ? std::atoi(argv[1]) : 200;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    ::InitCommonControls();
    fw::UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (int i = 0; i < sleepers; ++i) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        std::string line = std::string(1, '"') + self + "\" sleep";
        if (::CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                             &process)) {
            ::AssignProcessToJobObject(job.Get(), process.hProcess);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }
    ::Sleep(2000);

    ovix::cpu::CpuUsagePercent load(ovix::cpu::SystemUsage());
    ovix::CProcess window(load);
    window.CreateModeless();
    std::vector<double> fills, bares;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        window.FillProcesses();
        fills.push_back(NowMs() - start);
        start = NowMs();
        rows = BareLoop();
        bares.push_back(NowMs() - start);
    }
    constexpr int kTicks = 200;
    double start = NowMs();
    for (int i = 0; i < kTicks; ++i) ::SendMessageA(window.Hwnd(), WM_TIMER, 1, 0);
    const double tick = (NowMs() - start) * 1000 / kTicks;
    start = NowMs();
    for (int i = 0; i < kTicks; ++i) load.Next();
    const double bare = (NowMs() - start) * 1000 / kTicks;
    window.End(IDCANCEL);
    std::printf("%.1f %.1f %d %.1f %.1f\n", Median(fills), Median(bares), rows, tick, bare);
    return 0;
}
