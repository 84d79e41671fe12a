// The optimiser's work against the registry calls it cannot do without. Runs
// only in a throwaway Wine prefix (scripts/throwaway-prefix.sh): it applies
// the changes for real. The commands go to a launcher that starts nothing.
//
//   optimizer_bench.exe [runs]
//       Prints medians in ms: the run's work (plan and snapshot, undo file,
//       writes, log), a bare loop of RegCreateKeyExA + RegSetValueExA over the
//       same values, a loop that reads each value then writes it, Undo, the
//       number of values, and of the run's work: the plan and the file.
#include "app/launcher.h"
#include "bench/bench_clock.h"
#include "probes/probe_text.h"
#include "tools/optimizer_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct SilentLauncher : ovix::Launcher {
    bool CommandLine(const std::string&, int, ovix::StartWith) override { return true; }
};

struct Value {
    HKEY root;
    std::string key, name;
    DWORD type;
    std::string bytes;
};

// The values a run writes, with the data it writes.
std::vector<Value> RunValues(const ovix::OptimizerPlan& plan) {
    std::vector<Value> values;
    for (const auto& change : ovix::TextChanges()) {
        values.push_back({ovix::RootKey(change.hive), change.key, change.name, REG_SZ,
                          std::string(change.data, std::strlen(change.data) + 1)});
    }
    const auto number = [](DWORD data) { return std::string(reinterpret_cast<const char*>(&data), 4); };
    for (const auto& service : plan.services) {
        values.push_back({HKEY_LOCAL_MACHINE, std::string(ovix::kServicesKey) + "\\" + service.service, "Start",
                          REG_DWORD, number(service.start)});
    }
    for (const auto& change : ovix::NumberChanges()) {
        const auto path = ovix::probes::SplitRegistryPath(change.fullPath);
        values.push_back({ovix::RootKey(change.hive), path.keyPath, path.valueName, REG_DWORD, number(change.data)});
    }
    return values;
}

void WriteAll(const std::vector<Value>& values, bool readFirst) {
    for (const Value& value : values) {
        HKEY key = nullptr;
        if (readFirst && ::RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
            char data[512];
            DWORD type = 0, size = sizeof(data);
            ::RegQueryValueExA(key, value.name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
            ::RegCloseKey(key);
        }
        if (::RegCreateKeyExA(value.root, value.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)) continue;
        ::RegSetValueExA(key, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                         static_cast<DWORD>(value.bytes.size()));
        ::RegCloseKey(key);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") || !prefix ||
        !std::strstr(prefix, "/throwaway.")) {
        std::fprintf(stderr, "optimizer_bench: runs only in a throwaway Wine prefix\n");
        return 3;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    SilentLauncher launcher;
    ovix::SetLauncher(&launcher);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ovix-optimizer-bench";
    ovix::SettingsWriter writer;
    std::vector<std::string> log;
    const ovix::OptimizerLog addLine = [&log](const std::string& line) { log.push_back(line); };
    ovix::OptimizerPlan plan;
    ovix::ReadOptimizerPlan(plan);
    const std::vector<Value> values = RunValues(plan);
    std::vector<double> work, bare, readWrite, undo, plans, files;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
        log.clear();
        double start = NowMs();
        ovix::OptimizerPlan fresh;
        const bool read = ovix::ReadOptimizerPlan(fresh);
        const double planMs = NowMs() - start;
        const auto file = read ? ovix::SaveBackup(folder, fresh.before) : std::nullopt;
        if (!file) return 4;
        const double fileMs = NowMs() - start - planMs;
        log.push_back("- Settings saved to: " + *file);
        ovix::ApplyOptimizations(fresh, writer, addLine);
        const double workMs = NowMs() - start;
        start = NowMs();
        if (!ovix::UndoFromFile(*file, writer, addLine)) return 5;
        const double undoMs = NowMs() - start;
        ::DeleteFileA(ovix::UndoneFileName(*file).c_str());
        // Each loop starts from the registry as it was, as the run did.
        start = NowMs();
        WriteAll(values, false);
        const double bareMs = NowMs() - start;
        ovix::RestoreSnapshot(plan.before, writer);
        start = NowMs();
        WriteAll(values, true);
        const double readWriteMs = NowMs() - start;
        ovix::RestoreSnapshot(plan.before, writer);
        if (run == 0) continue;
        work.push_back(workMs);
        bare.push_back(bareMs);
        readWrite.push_back(readWriteMs);
        undo.push_back(undoMs);
        plans.push_back(planMs);
        files.push_back(fileMs);
    }
    ::RemoveDirectoryA(folder.c_str());
    std::printf("%.3f %.3f %.3f %.3f %zu %.3f %.3f\n", Median(work), Median(bare), Median(readWrite), Median(undo),
                values.size(), Median(plans), Median(files));
    return 0;
}
