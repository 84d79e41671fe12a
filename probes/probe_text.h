// The rules that turn the raw values of the registry, system-parameter, screen
// and folder probes into their lines. Plain values in, text out: no
// <windows.h>, so every threshold and text is tested natively.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovix::probes {

inline constexpr char kNotFind[] = "Not find";

// A registry value addressed by one path: the key path before the last
// backslash, the value name after it. Leading backslashes of the whole path,
// trailing ones of the key path and those at either end of the value name are
// dropped; a path without backslash is a value name under the root itself.
struct RegistryPath {
    std::string keyPath;
    std::string valueName;
};
RegistryPath SplitRegistryPath(std::string_view fullPath);

// Registry data as text: the bytes up to the first NUL, never past the data's
// end (stored data need not be terminated).
std::string TextUpToNul(std::string_view data);

// The number at the start of a text by atoi's rules (blanks, a sign, digits;
// no digits gives 0), held within the range of int.
int AtoiValue(std::string_view text);

// "Timeout: %i min" above 59 seconds (remainder dropped), else "Timeout: %i sec".
std::string ScreenSaveTimeoutLine(std::string_view secondsText);

// The unit (" pixels", " ms") is appended unless the line holds "Not", the
// mark of a fallback ("Not find").
std::string WithUnit(std::string line, std::string_view unit);

// A registry flag: exactly "0" gives the "no" line, anything else (the
// fallback included) the "yes" line.
std::string FlagLine(std::string_view value, std::string_view noLine, std::string_view yesLine);

// Lines from system metrics and parameters.
const char* KeyboardTypeName(int type);
std::string BootModeLine(int mode);
std::string MouseWheelLine(int present);
std::string MenuShowDelayLine(int milliseconds);
std::string IconTitleWrapLine(int wrap);
std::string FontSmoothingLine(int smoothing);
std::string KeyboardDelayLine(int delay);
std::string MouseSpeedLine(int acceleration);
std::string MouseThresholdLine(int first, int second);
std::string RasterTechnologyLine(int technology);

// One bit of a screen capability mask and the text of its line; an inverted
// bit says "no" when set.
struct CapabilityBit {
    const char* text;
    uint32_t bit;
    bool inverted;
};
// Appends "<text>: yes" or "<text>: no" per row, in the table's order.
void AppendCapabilityLines(std::span<const CapabilityBit> table, uint32_t mask, std::vector<std::string>& lines);

inline constexpr CapabilityBit kRasterCapBits[] = {
    {"Requires banding support", 0x2, false},
    {"Transfer bitmaps", 0x1, false},
    {"Support bitmaps larger than 64 KB", 0x8, false},
    {"Perform flood fills", 0x1000, false},
    {"Capable of scaling", 0x4, false},
};
inline constexpr CapabilityBit kLineCapBits[] = {
    {"Draw interiors", 0x80, false},
    {"Draw marker", 0x4, false},
    {"Draw polyline", 0x2, false},
    {"Draw multiple markers", 0x8, false},
    {"Draw styled lines", 0x20, false},
    {"Draw wide lines", 0x10, false},
    {"Draw lines that are wide and styled", 0x40, false},
};
inline constexpr CapabilityBit kTextCapBits[] = {
    {"Character output precision", 0x1, false},
    {"Stroke output precision", 0x2, false},
    {"Stroke clip precision", 0x4, false},
    {"90-degree character rotation", 0x8, false},
    {"Draw double-weight characters", 0x200, false},
    {"Italic", 0x400, false},
    {"Underline", 0x800, false},
    {"Draw strikeouts", 0x1000, false},
    {"Draw Raster fonts", 0x2000, false},
    {"Draw vector fonts", 0x4000, false},
    // The bit says the device cannot scroll by a bit-block transfer.
    {"Scroll using a bit-block transfer", 0x10000, true},
};
inline constexpr CapabilityBit kPolygonCapBits[] = {
    {"Draw interiors", 0x80, false},
    {"Draw alternate-fill polygons", 0x1, false},
    {"Draw rectangles", 0x2, false},
    {"Draw a single scanline", 0x8, false},
    {"Draw styled borders", 0x20, false},
    {"Draw wide borders", 0x10, false},
    {"Draw borders that are wide and styled", 0x40, false},
};
inline constexpr CapabilityBit kCurveCapBits[] = {
    {"Draw chord arcs", 0x4, false},
    {"Draw circles", 0x1, false},
    {"Draw ellipses", 0x8, false},
    {"Draw interiors", 0x80, false},
    {"Draw pie wedges", 0x2, false},
    {"Draw rounded rectangles", 0x100, false},
    {"Draw styled borders", 0x20, false},
    {"Draw wide borders", 0x10, false},
    {"Draw borders that are wide and styled", 0x40, false},
};

// Folder facts. Counts are held within the range of int when printed.
std::string FolderCountLine(long long folders);
std::string FileCountLine(long long files);
// "Size: %.2f MB" above 1 MiB, "Size: %.2f GB" above 1 GiB, else empty.
std::string FolderSizeLine(uint64_t totalBytes);
// The three "Not find" lines of a folder that cannot be opened.
inline constexpr char kFolderCountNotFind[] = "Number of Folders: Not find";
inline constexpr char kFileCountNotFind[] = "Number of Files: Not find";
inline constexpr char kSizeNotFind[] = "Size: Not find";

// The folder that holds a full path ("C:\WINDOWS" -> "C:\"); empty without a
// backslash.
std::string ParentFolder(std::string_view fullPath);

// "Number of Items: %i", with "(including %i folder)" or "(... folders)" when
// some of the items are folders.
std::string DesktopItemLine(long long items, long long folders);
inline constexpr char kDesktopItemsNotFind[] = "Number of Items: Not find";

// System Restore is available when its client library loads and its settings
// key exists with the DisableSR switch absent or 0.
enum class DisableSrSwitch { Absent, Zero, Set };
bool SystemRestoreAvailable(bool clientLoads, bool settingsKeyExists, DisableSrSwitch disableSr);

}  // namespace ovix::probes
