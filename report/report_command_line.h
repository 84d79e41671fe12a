// "Ovix.exe /report <file>": the report written with no window at all. The
// rules of its arguments and its answers, apart from the system.
#pragma once

#include <string>
#include <vector>

namespace ovix {

struct ReportCommand {
    enum class Kind { None, Usage, Write };
    Kind kind = Kind::None;
    std::string path;  // as given: nothing is appended
};

// The arguments after the program's name. An argument that begins with
// "/report" (any case) asks for the report; it is valid as the option itself
// followed by exactly one path. Anything else starts the window as usual.
ReportCommand ParseReportCommand(const std::vector<std::string>& arguments);

// Exit codes of the command.
inline constexpr int kReportDone = 0;
inline constexpr int kReportUsage = 1;
inline constexpr int kReportCantCreate = 2;   // the folder is missing or takes no file
inline constexpr int kReportWriteFailed = 3;  // a write, the close or the replace failed
inline constexpr int kReportNoServices = 4;   // sockets or OLE did not start

// The line written to the error output for a code; empty for success.
std::string ReportCommandMessage(int code, const std::string& path);

}  // namespace ovix
