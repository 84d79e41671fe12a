#include "lists/list_text.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

constexpr char kSearchPrefix[] = "https://www.google.com/search?q=";

struct PriorityName {
    uint32_t value;
    const char* name;
};
constexpr PriorityName kPriorityNames[] = {
    {32, "Normal"},          {64, "Idle"},         {128, "High"}, {256, "Real-time"},
    {16384, "Below normal"}, {32768, "Above normal"},
};

}  // namespace

std::string ListRecord(std::span<const std::string> labels, std::span<const std::string> cells) {
    std::string record;
    for (size_t i = 0; i < labels.size(); ++i) {
        if (i) record += "\r\n";
        record += labels[i] + ": [" + (i < cells.size() ? cells[i] : std::string()) + "]";
    }
    return record;
}

std::string AllRecords(std::span<const std::string> labels, const std::vector<std::vector<std::string>>& rows,
                       bool numbered) {
    std::string all;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (numbered) all += fw::Format("n\xB0: %d\r\n", static_cast<int>(row + 1));
        all += ListRecord(labels, rows[row]) + "\r\n\r\n";
    }
    return all;
}

std::string SearchAddress(std::string_view text) {
    std::string address = kSearchPrefix;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '"' || c == '%') {
            address += fw::Format("%%%02X", byte);
        } else {
            address += c;
        }
    }
    return address;
}

std::string ProcessDateText(const CalendarTime& time) {
    return fw::Format("%02d/%02d/%d @ %02d:%02d:%02d", time.month, time.day, time.year, time.hour, time.minute,
                      time.second);
}

std::string RunningTimeText(int64_t seconds) {
    const uint64_t s = seconds > 0 ? static_cast<uint64_t>(seconds) : 0;
    return fw::Format("%ud %uh %um %us", static_cast<unsigned>(s / 86400), static_cast<unsigned>(s / 3600 % 24),
                      static_cast<unsigned>(s / 60 % 60), static_cast<unsigned>(s % 60));
}

std::string PriorityClassName(uint32_t priorityClass) {
    for (const PriorityName& entry : kPriorityNames) {
        if (entry.value == priorityClass) return entry.name;
    }
    return "Unknown";
}

std::string ModuleAddressText(uint64_t address, unsigned pointerBytes) {
    return fw::Format("0x%0*llX", static_cast<int>(pointerBytes * 2), static_cast<unsigned long long>(address));
}

std::string ModulesLine(int moduleRows, std::string_view processName) {
    return fw::Format("%i Modules loaded by %s", moduleRows > 0 ? moduleRows - 1 : 0,
                      std::string(processName).c_str());
}

std::string PathOfProcess(std::span<const ProcessPath> paths, uint32_t processId) {
    for (const ProcessPath& entry : paths) {
        if (entry.processId == processId) return entry.path;
    }
    return {};
}

}  // namespace ovix
