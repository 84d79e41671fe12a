// The Ovix application: initialisation, the main window for the whole run,
// and the shell windows shown again at the end.
#pragma once

#include "app/shell_windows.h"
#include "framework/app.h"
#include "report/report_command_line.h"

#include <string>
#include <vector>

namespace ovix {

class OvixApp : public fw::App {
public:
    // The arguments after the program's name.
    explicit OvixApp(std::vector<std::string> arguments = {}) : arguments_(std::move(arguments)) {}

protected:
    int InitInstance() override;

private:
    // "/report <file>": the report alone, before and instead of any window.
    int RunReportCommand(const ReportCommand& command);

    std::vector<std::string> arguments_;
    ShellWindowFinder shellWindows_;
};

}  // namespace ovix
