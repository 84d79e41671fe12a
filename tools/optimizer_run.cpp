#include "tools/optimizer_run.h"

#include "app/launcher.h"
#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/probe_text.h"

#include <cstring>

namespace ovix {
namespace {

// The whole file, closed again before it is renamed; "" when it can't be read.
// (No file streams: they would double the size of the shipped program.)
std::string FileText(const std::string& path) {
    const fw::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "";
    std::string text(::GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (text.empty() || !::ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) return "";
    text.resize(read);
    return text;
}

class Applier {
public:
    Applier(SettingsWriter& writer, const OptimizerLog& log) : writer_(writer), log_(log) {}

    bool Text(const TextChange& change) {
        const bool done = writer_.Write(RootKey(change.hive), change.key, change.name, REG_SZ,
                                        std::string_view(change.data, std::strlen(change.data) + 1));
        if (change.label) {
            log_(ResultLine(change.label, done));
            failures_ += done ? 0 : 1;
        } else {
            NoteWrite(done, change.hive, change.key, change.name);
        }
        return done;
    }
    bool Number(Hive hive, const std::string& key, const std::string& name, uint32_t number) {
        const DWORD data = number;
        const bool done = writer_.Write(RootKey(hive), key, name, REG_DWORD,
                                        std::string_view(reinterpret_cast<const char*>(&data), sizeof(data)));
        NoteWrite(done, hive, key, name);
        return done;
    }
    void Numbers(size_t first, size_t end) {
        const auto numbers = NumberChanges();
        for (size_t i = first; i < end && i < numbers.size(); ++i) {
            const probes::RegistryPath path = probes::SplitRegistryPath(numbers[i].fullPath);
            Number(numbers[i].hive, path.keyPath, path.valueName, numbers[i].data);
        }
    }
    // Started minimised and not awaited: "OK." means only that it started.
    void Command(const CommandChange& command) {
        const bool started = CurrentLauncher().CommandLine(command.commandLine, kShowMinimised, StartWith::WinExec);
        log_(ResultLine(command.label, started));
        failures_ += started ? 0 : 1;
    }
    int Failures() const { return failures_; }

private:
    void NoteWrite(bool done, Hive hive, const std::string& key, const std::string& name) {
        if (done) return;
        ++failures_;
        log_("- Not written: " + FullValueName(hive, key, name));
    }

    SettingsWriter& writer_;
    const OptimizerLog& log_;
    int failures_ = 0;
};

}  // namespace

int ApplyOptimizations(const OptimizerPlan& plan, SettingsWriter& writer, const OptimizerLog& log) {
    Applier apply(writer, log);
    for (const TextChange& change : TextChanges()) apply.Text(change);
    int services = 0;
    for (const ServiceChange& service : plan.services) {
        const std::string key = std::string(kServicesKey) + "\\" + service.service;
        services += apply.Number(Hive::LocalMachine, key, "Start", service.start) ? 1 : 0;
    }
    apply.Numbers(0, kNumbersBeforeCommands);
    const auto commands = CommandChanges();
    apply.Command(commands[0]);
    apply.Command(commands[1]);
    apply.Numbers(kNumbersBeforeCommands, NumberChanges().size());
    log(fw::Format("- %i Services have been modified.", services));
    apply.Command(commands[2]);
    return apply.Failures();
}

bool UndoFromFile(const std::string& path, SettingsWriter& writer, const OptimizerLog& log) {
    const auto snapshot = ParseRegedit4(FileText(path));
    std::vector<std::string> failed = snapshot ? RestoreSnapshot(*snapshot, writer) : std::vector<std::string>{path};
    if (snapshot) {
        for (const std::string& library : snapshot->registeredLibraries) {
            const bool started = CurrentLauncher().CommandLine("regsvr32 /s " + library, kShowMinimised);
            log(ResultLine(("- Registered again: " + library).c_str(), started));
        }
    }
    // An undone file is renamed, so the next undo takes the one before it;
    // a partly restored one stays for another try.
    if (failed.empty() && !::MoveFileA(path.c_str(), UndoneFileName(path).c_str())) failed.push_back(path);
    log(failed.empty() ? "- Previous settings restored: OK." : "- Previous settings restored: Failed.");
    for (const std::string& item : failed) log("- Not restored: " + item);
    log("- Not undone: diskperf.exe -n");
    return failed.empty();
}

}  // namespace ovix
