// Runs "Ovix.exe /report <file>": no window, no box, no tray icon; success is
// silent, a failure is one line on the error output and its exit code.
#pragma once

#include "report/report_command_line.h"
#include "report/report_file.h"

#include <functional>
#include <memory>
#include <string>

namespace ovix {

struct ReportCommandEnvironment {
    // Starts sockets and OLE, as the window's run does.
    std::function<bool()> startServices;
    std::function<std::unique_ptr<ReportSources>()> gather = GatherReportSources;
    std::function<void(const std::string&)> error;  // empty: WriteErrorLine
    FileWriteCall* writes = nullptr;
};

// The command as parsed (Usage or Write); returns the exit code.
int RunReportCommand(const ReportCommand& command, const ReportCommandEnvironment& environment);

// One line to the error output the program was given or, without one, to the
// console of the process that started it (when it has one).
void WriteErrorLine(const std::string& text);

}  // namespace ovix
