#include "probes/probe_text.h"

#include "framework/text_format.h"

#include <climits>

namespace ovix::probes {
namespace {

std::string_view TrimBackslashesLeft(std::string_view text) {
    while (!text.empty() && text.front() == '\\') text.remove_prefix(1);
    return text;
}

std::string_view TrimBackslashesRight(std::string_view text) {
    while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return text;
}

int ClampToInt(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

RegistryPath SplitRegistryPath(std::string_view fullPath) {
    fullPath = TrimBackslashesLeft(fullPath);
    const size_t last = fullPath.rfind('\\');
    if (last == std::string_view::npos) {
        return {std::string(), std::string(fullPath)};
    }
    const std::string_view keyPath = TrimBackslashesRight(fullPath.substr(0, last));
    const std::string_view valueName = TrimBackslashesRight(TrimBackslashesLeft(fullPath.substr(last + 1)));
    return {std::string(keyPath), std::string(valueName)};
}

std::string TextUpToNul(std::string_view data) {
    const size_t end = data.find('\0');
    return std::string(end == std::string_view::npos ? data : data.substr(0, end));
}

int AtoiValue(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) break;  // already out of range
    }
    return ClampToInt(negative ? -magnitude : magnitude);
}

std::string ScreenSaveTimeoutLine(std::string_view secondsText) {
    const int seconds = AtoiValue(secondsText);
    if (seconds > 59) return fw::Format("Timeout: %i min", seconds / 60);
    return fw::Format("Timeout: %i sec", seconds);
}

std::string WithUnit(std::string line, std::string_view unit) {
    if (line.find("Not") == std::string::npos) line += unit;
    return line;
}

std::string FlagLine(std::string_view value, std::string_view noLine, std::string_view yesLine) {
    return std::string(value == "0" ? noLine : yesLine);
}

const char* KeyboardTypeName(int type) {
    switch (type) {
    case 1: return "IBM PC/XT or compatible [83-key]";
    case 2: return "Olivetti ICO [102-key]";
    case 3: return "IBM PC/AT [84-key] or similar";
    case 4: return "IBM enhanced [101/102-key]";
    case 5: return "Nokia 1050 and similar";
    case 6: return "Nokia 9140 and similar";
    case 7: return "Japanese";
    default: return "Unknown";
    }
}

std::string BootModeLine(int mode) {
    switch (mode) {
    case 0: return "System start: Normal boot";
    case 1: return "System start: Safe Mode";
    case 2: return "System start: Safe Mode with network boot";
    default: return {};
    }
}

std::string MouseWheelLine(int present) { return present ? "Wheel present." : "No wheel."; }

std::string MenuShowDelayLine(int milliseconds) { return fw::Format("Menu show delay: %d ms", milliseconds); }

std::string IconTitleWrapLine(int wrap) {
    return wrap ? "Icon-title wrapping : yes" : "Icon-title wrapping : no";
}

std::string FontSmoothingLine(int smoothing) { return smoothing ? "Font smoothing: yes" : "Font smoothing: no"; }

std::string KeyboardDelayLine(int delay) { return fw::Format("Repeat delay: %d", delay); }

std::string MouseSpeedLine(int acceleration) { return fw::Format("Speed: %d", acceleration); }

std::string MouseThresholdLine(int first, int second) {
    return fw::Format("Threshold (x,y): %d,%d", first, second);
}

std::string RasterTechnologyLine(int technology) {
    constexpr int kRasterDisplay = 1;
    return technology == kRasterDisplay ? "Raster technology: yes" : "Raster technology: no";
}

void AppendCapabilityLines(std::span<const CapabilityBit> table, uint32_t mask, std::vector<std::string>& lines) {
    for (const CapabilityBit& row : table) {
        const bool set = (mask & row.bit) != 0;
        lines.push_back(std::string(row.text) + (set != row.inverted ? ": yes" : ": no"));
    }
}

std::string FolderCountLine(long long folders) { return fw::Format("Number of Folders: %i", ClampToInt(folders)); }

std::string FileCountLine(long long files) { return fw::Format("Number of Files: %i", ClampToInt(files)); }

std::string FolderSizeLine(uint64_t totalBytes) {
    constexpr uint64_t kMegabyte = 1048576;
    constexpr uint64_t kGigabyte = 1073741824;
    const double total = static_cast<double>(totalBytes);
    if (totalBytes > kGigabyte) return fw::Format("Size: %.2f GB", total / 1024 / 1024 / 1024);
    if (totalBytes > kMegabyte) return fw::Format("Size: %.2f MB", total / 1024 / 1024);
    return {};
}

std::string ParentFolder(std::string_view fullPath) {
    const size_t last = fullPath.rfind('\\');
    if (last == std::string_view::npos) return {};
    std::string parent(fullPath.substr(0, last));
    // A drive keeps its backslash: "C:" alone would mean the drive's current folder.
    if (parent.size() == 2 && parent[1] == ':') parent += '\\';
    return parent;
}

std::string DesktopItemLine(long long items, long long folders) {
    if (folders <= 0) return fw::Format("Number of Items: %i", ClampToInt(items));
    if (folders == 1) return fw::Format("Number of Items: %i (including %i folder)", ClampToInt(items), 1);
    return fw::Format("Number of Items: %i (including %i folders)", ClampToInt(items), ClampToInt(folders));
}

bool SystemRestoreAvailable(bool clientLoads, bool settingsKeyExists, DisableSrSwitch disableSr) {
    return clientLoads && settingsKeyExists && disableSr != DisableSrSwitch::Set;
}

}  // namespace ovix::probes
