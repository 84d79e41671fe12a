// What an answer to the update check means. The first line of the update file
// is the newest version; any version text other than the running one is
// offered (older too), anything else stays silent.
#pragma once

#include <cstddef>
#include <string_view>

namespace ovix {

inline constexpr std::string_view kRunningVersion = "1.0.6";
// More than a version line and a little slack is never needed.
inline constexpr std::size_t kUpdateReadLimit = 4096;

// True when the user is to be asked about a new version, given the body of a
// successful answer (at most kUpdateReadLimit bytes of it are looked at).
// The first line counts, without one leading UTF-8 BOM and without trailing
// blanks and CR; it must be a version text: groups of digits joined by single
// dots ("2", "1.0.7"; never "", "1.0.7.", ".5", "1..0" or "v1.0.7"). Such a
// text is compared with the running version as text, not by version order.
bool UpdateOffersNewVersion(std::string_view body, std::string_view runningVersion = kRunningVersion);

}  // namespace ovix
