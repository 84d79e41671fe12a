#include "report/report_command_line.h"

#include <cctype>

namespace ovix {
namespace {

bool StartsWithOption(const std::string& argument) {
    constexpr char kOption[] = "/report";
    if (argument.size() < sizeof(kOption) - 1) return false;
    for (size_t i = 0; i + 1 < sizeof(kOption); ++i) {
        if (std::tolower(static_cast<unsigned char>(argument[i])) != kOption[i]) return false;
    }
    return true;
}

}  // namespace

ReportCommand ParseReportCommand(const std::vector<std::string>& arguments) {
    ReportCommand command;
    bool asked = false;
    for (const std::string& argument : arguments) asked = asked || StartsWithOption(argument);
    if (!asked) return command;
    command.kind = ReportCommand::Kind::Usage;
    if (arguments.size() == 2 && arguments[0].size() == 7 && StartsWithOption(arguments[0]) &&
        !arguments[1].empty()) {
        command.kind = ReportCommand::Kind::Write;
        command.path = arguments[1];
    }
    return command;
}

std::string ReportCommandMessage(int code, const std::string& path) {
    switch (code) {
        case kReportUsage: return "Usage: Ovix.exe /report <file>";
        case kReportCantCreate: return "Ovix: can't create \"" + path + "\".";
        case kReportWriteFailed: return "Ovix: writing \"" + path + "\" failed; nothing was replaced.";
        case kReportNoServices: return "Ovix: can't start sockets or OLE.";
        default: return {};
    }
}

}  // namespace ovix
