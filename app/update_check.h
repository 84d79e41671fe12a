// The background check for a newer version: one attempt per run, on a worker
// thread, silent on every failure; asks the user only when the update file's
// first line is a well-formed version other than the running one.
#pragma once

#include "framework/handles.h"

#include <string>

namespace ovix {

// The maker's endpoints (".example" until the site has its real name).
inline constexpr char kUpdateFileUrl[] = "http://www.ovix.example/Update_Ovix.txt";
inline constexpr char kProductPageUrl[] = "http://www.ovix.example/";

inline constexpr char kNewVersionQuestion[] =
    "A new version of Ovix has been detected...\r\nDo you want to download it ?";

struct UpdateCheckSettings {
    std::string url = kUpdateFileUrl;
    std::string productPage = kProductPageUrl;
    // Connect, send and receive time-outs; the library's own receive time-out is infinite.
    DWORD timeoutMs = 10000;
};

enum class UpdateOutcome {
    Unreachable,  // no connection, no file, not HTTP 200, no data or a read error
    UpToDate,     // the running version, or a first line that is no version
    Declined,     // a new version, and the user answered No
    Accepted,     // a new version, and the product page was opened
};

// The whole check, on the calling thread.
UpdateOutcome RunUpdateCheck(const UpdateCheckSettings& settings);

// Starts the check on a worker thread of normal priority. The handle is only
// for whoever wants to wait for it; nobody has to (exit never waits for it).
fw::UniqueHandle StartUpdateCheck(UpdateCheckSettings settings);

// What the check did last in this process (for tests).
UpdateOutcome LastUpdateOutcome();

}  // namespace ovix
