#include "lists/system_list_text.h"

#include "framework/text_format.h"

#include <algorithm>
#include <cctype>

namespace ovix {

std::string PackageDateText(std::string_view date) {
    if (date.size() < 8) return {};
    return std::string(date.substr(4, 2)) + "/" + std::string(date.substr(6, 2)) + "/" + std::string(date.substr(0, 4));
}

std::string KilobytesText(std::uint64_t bytes) {
    return fw::Format("%.2f KB", static_cast<double>(static_cast<float>(bytes) / 1024.0f));
}

std::string TotalSizeText(std::uint64_t bytes, bool bytesWhenSmall) {
    constexpr std::uint64_t kKilo = 1024, kMega = kKilo * 1024, kGiga = kMega * 1024;
    const double total = static_cast<double>(bytes);
    if (bytes > kGiga) return fw::Format("%.2f GB", total / kGiga);
    if (bytes > kMega) return fw::Format("%.2f MB", total / kMega);
    if (bytes > kKilo) return fw::Format("%.2f KB", total / kKilo);
    return bytesWhenSmall ? fw::Format("%i Bytes", static_cast<int>(bytes)) : std::string();
}

std::string WindowHandleText(std::uint64_t handle) {
    std::string text = fw::Format("%.8xld", static_cast<unsigned>(handle & 0xFFFFFFFFu));
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string MsiexecLine(std::string_view option, std::string_view packagePath) {
    if (packagePath.empty() || packagePath.find('"') != std::string_view::npos) return {};
    return "msiexec " + std::string(option) + " \"" + std::string(packagePath) + "\"";
}

std::string DisplayModeText(int width, int height, int bitsPerPixel, int hertz) {
    return fw::Format("%d x %d, %d bits, %dhtz", width, height, bitsPerPixel, hertz);
}

bool IsIniName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find(".ini") != std::string::npos;
}

std::string FolderStatisticsText(const FolderStatistics& s) {
    return fw::Format("- Path: %s\r\n\r\n- Date:\r\n- Creation: %s\r\n- Last modified: %s\r\n\r\n- %i Folders.\r\n"
                      "- %i Files.\r\n\r\n-Total Size: %s",
                      s.path.c_str(), s.created.c_str(), s.modified.c_str(), s.folders, s.files,
                      TotalSizeText(s.bytes, true).c_str());
}

}  // namespace ovix
