// The installed-software list's texts: sizes, install dates, and which names
// are hotfixes rather than programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ovix {

// "1.50 MB" for 1536 KB; empty without a size.
std::string SoftwareSizeText(std::optional<uint32_t> kilobytes);

// "March 05 2006" for "20060305"; a month outside 01-12 leaves its name
// empty (the text then starts with the blank); under eight characters the
// text is shown as stored.
std::string InstallDateText(std::string_view stored);

// Names that begin (case-sensitive) with one of the hotfix prefixes.
bool IsHotfixLike(std::string_view name);

}  // namespace ovix
