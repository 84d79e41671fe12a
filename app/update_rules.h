// What an answer to the update check means. The first line of the update file
// is the newest version; any well-formed version other than the running one is
// offered (older too), anything malformed stays silent.
#pragma once

#include <cstddef>
#include <string_view>

namespace ovix {

inline constexpr std::string_view kRunningVersion = "1.0.6";
// More than a version line and a little slack is never needed.
inline constexpr std::size_t kUpdateReadLimit = 4096;

// The first line without a leading UTF-8 BOM and without trailing CR and blanks.
std::string_view UpdateFirstLine(std::string_view body);

// Digits and dots only, at least one digit, not starting or ending with a dot.
bool IsVersionText(std::string_view text);

// True when the user is to be asked about a new version.
bool UpdateOffersNewVersion(unsigned httpStatus, std::string_view body,
                            std::string_view runningVersion = kRunningVersion);

}  // namespace ovix
