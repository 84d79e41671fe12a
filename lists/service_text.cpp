#include "lists/service_text.h"

#include <algorithm>

namespace ovix {
namespace {

constexpr const char* kStates[] = {"UNKNOWN",          "STOPPED",       "START_PENDING", "STOP_PENDING",
                                   "RUNNING",          "CONTINUE_PENDING", "PAUSE_PENDING", "PAUSED"};
constexpr const char* kStartTypes[] = {"BOOT_START", "SYSTEM_START", "AUTO_START", "DEMAND_START", "DISABLED"};
constexpr const char* kErrorControls[] = {"ERROR_IGNORE", "ERROR_NORMAL", "ERROR_SEVERE", "ERROR_CRITICAL"};

template <size_t N>
std::string FromTable(const char* const (&table)[N], uint32_t value) {
    return value < N ? table[value] : "UNKNOWN";
}

constexpr unsigned long kMoreData = 234, kInsufficientBuffer = 122, kInvalidParameter = 87;
constexpr int kTries = 6;

}  // namespace

std::string ServiceStateText(uint32_t state) { return FromTable(kStates, state); }
std::string StartTypeText(uint32_t startType) { return FromTable(kStartTypes, startType); }
std::string ErrorControlText(uint32_t errorControl) { return FromTable(kErrorControls, errorControl); }

std::string ServiceTypeText(uint32_t type) {
    std::string text;
    if (type & 0x10) {
        text = "WIN32_OWN_PROCESS";
    } else if (type & 0x20) {
        text = "WIN32_SHARE_PROCESS";
    } else {
        return type == 1 ? "KERNEL_DRIVER" : type == 2 ? "FILE_SYSTEM_DRIVER" : "UNKNOWN";
    }
    if (type & 0x100) text += " (INTERACTIVE_PROCESS)";
    return text;
}

bool ReadGrowing(size_t firstSize, const std::function<SizedCall(size_t size)>& attempt) {
    size_t size = std::max<size_t>(firstSize, 1);
    for (int tries = 0; tries < kTries; ++tries) {
        const SizedCall call = attempt(size);
        if (call.ok) return true;
        const bool small = call.error == kMoreData ||
                           ((call.error == kInsufficientBuffer || call.error == kInvalidParameter) &&
                            (call.needed == 0 || call.needed > size));
        if (!small) return false;
        size = std::max(call.needed, size * 2);
    }
    return false;
}

}  // namespace ovix
