// The names a shortcut may be saved under, apart from the system.
#pragma once

#include <string_view>

namespace ovix {

// A name that saves "<name>.lnk" in the folder and nowhere else: not empty,
// no path separator, drive colon, wildcard, quote, pipe or control character,
// and no device name ("nul", "Com1.txt"...). A trailing dot is allowed:
// "name." saves "name..lnk".
bool IsValidLinkName(std::string_view name);

}  // namespace ovix
