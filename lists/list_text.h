// The texts of the list windows: records for the clipboard, the web search
// address, the process and module cells. Plain values in, text out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovix {

// "Name: [cell]\r\nPath: [cell]": one field per label, nothing after the last.
std::string ListRecord(std::span<const std::string> labels, std::span<const std::string> cells);

// Every row's record followed by "\r\n\r\n"; numbered lists put "n\xB0: <i>\r\n"
// (1 to N) before each.
std::string AllRecords(std::span<const std::string> labels, const std::vector<std::vector<std::string>>& rows,
                       bool numbered);

// The web search for a cell: blanks and "&" stay as they are; '"', '%' and
// bytes below 0x20 are percent-encoded, so a cell cannot add arguments of its
// own to the browser's command line.
std::string SearchAddress(std::string_view text);

struct CalendarTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "12/31/2026 @ 23:59:59": month first.
std::string ProcessDateText(const CalendarTime& time);

// "1d 0h 0m 0s" from whole seconds; a negative span is 0.
std::string RunningTimeText(int64_t seconds);

// The names of the priority classes; "Unknown" for any other value.
std::string PriorityClassName(uint32_t priorityClass);

// "0x" and the address in upper-case hex, two digits per byte of a pointer.
std::string ModuleAddressText(uint64_t address, unsigned pointerBytes);

// "%i Modules loaded by %s": the module rows less the process's own file, never below 0.
std::string ModulesLine(int moduleRows, std::string_view processName);

struct ProcessPath {
    uint32_t processId = 0;
    std::string path;
};
// The path listed for the process id, or empty: rows are matched by id, not
// by position (the service and the snapshot need not list in one order).
std::string PathOfProcess(std::span<const ProcessPath> paths, uint32_t processId);

}  // namespace ovix
