#include "report/report_command.h"

#include "framework/handles.h"

namespace ovix {
namespace {

bool WriteAll(HANDLE output, const std::string& text) {
    DWORD written = 0;
    return ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace

void WriteErrorLine(const std::string& text) {
    const std::string line = text + "\r\n";
    const HANDLE given = ::GetStdHandle(STD_ERROR_HANDLE);
    if (given && given != INVALID_HANDLE_VALUE && WriteAll(given, line)) return;
    // A windowed program started from a console has no error output of its
    // own. Windows 2000 has no AttachConsole: looked up, not linked.
    using AttachConsoleFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const auto attach = kernel ? reinterpret_cast<AttachConsoleFn>(
                                     reinterpret_cast<void*>(::GetProcAddress(kernel, "AttachConsole")))
                               : nullptr;
    if (!attach || !attach(ATTACH_PARENT_PROCESS)) return;
    {
        const fw::UniqueHandle console(::CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (console) WriteAll(console.Get(), line);
    }
    ::FreeConsole();
}

int RunReportCommand(const ReportCommand& command, const ReportCommandEnvironment& environment) {
    const auto fail = [&](int code) {
        const std::string message = ReportCommandMessage(code, command.path);
        environment.error ? environment.error(message) : WriteErrorLine(message);
        return code;
    };
    if (command.kind != ReportCommand::Kind::Write) return fail(kReportUsage);
    if (!environment.startServices || !environment.startServices()) return fail(kReportNoServices);
    const std::unique_ptr<ReportSources> sources = environment.gather();
    switch (SaveReport(command.path, *sources, ReportFlavour::File, nullptr, environment.writes)) {
        case SaveResult::Done: return kReportDone;
        case SaveResult::CantCreate: return fail(kReportCantCreate);
        case SaveResult::WriteFailed: break;
    }
    return fail(kReportWriteFailed);
}

}  // namespace ovix
