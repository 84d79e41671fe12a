// The services and drivers lists' texts and the enumeration's retry rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace ovix {

// Values outside the tables are "UNKNOWN".
std::string ServiceStateText(uint32_t state);
std::string StartTypeText(uint32_t startType);
std::string ErrorControlText(uint32_t errorControl);
// Own or shared process (" (INTERACTIVE_PROCESS)" added for 0x100), else
// kernel (1) or file-system (2) driver by equality, else "UNKNOWN".
std::string ServiceTypeText(uint32_t type);

// One call of a sized read: whether it succeeded, its error and the size it
// said it needs.
struct SizedCall {
    bool ok = false;
    unsigned long error = 0;
    size_t needed = 0;
};

// Calls `attempt` with a buffer size until it succeeds: after "more data"
// (234), or "buffer too small" / "bad parameter" (122 / 87, which some
// systems give for a buffer too small with no size), the next size is what
// was needed, at least twice the last. Gives up after a few tries or on any
// other error. Returns whether a call succeeded; the caller keeps only that
// call's results.
bool ReadGrowing(size_t firstSize, const std::function<SizedCall(size_t size)>& attempt);

}  // namespace ovix
