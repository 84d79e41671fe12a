// The texts of the installer, file, window and folder lists: dates, sizes,
// handles, installer command lines, display modes and folder statistics.
// Plain values in, text out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ovix {

// An installer date "yyyymmdd..." as "mm/dd/yyyy"; empty below eight characters
// (the pieces could not be cut).
std::string PackageDateText(std::string_view date);

// A file length as "%.2f KB" (length / 1024).
std::string KilobytesText(std::uint64_t bytes);

// A total in the largest unit it passes: "%.2f KB" above 1024 bytes, "%.2f MB"
// above 1048576, "%.2f GB" above 1073741824. At or below 1024 bytes the folder
// statistics write "%i Bytes" and the font caption nothing. The sum is exact:
// the total is only divided to be written.
std::string TotalSizeText(std::uint64_t bytes, bool bytesWhenSmall);

// A window handle as eight upper-case hex digits and "LD" (its low 32 bits).
std::string WindowHandleText(std::uint64_t handle);

// "msiexec <switch> "<path>"": the path quoted so blanks cannot split it;
// empty (nothing to run) for an empty path or one holding a quote.
std::string MsiexecLine(std::string_view option, std::string_view packagePath);

// "%d x %d, %d bits, %dhtz".
std::string DisplayModeText(int width, int height, int bitsPerPixel, int hertz);

// True when the name holds ".ini", in any case: such entries are not fonts.
bool IsIniName(std::string_view name);

struct FolderStatistics {
    std::string path;
    std::string created;   // "Not find" when the folder's times cannot be read
    std::string modified;
    int folders = 0;       // below the folder, all levels
    int files = 0;
    std::uint64_t bytes = 0;
};
// The statistics box's text.
std::string FolderStatisticsText(const FolderStatistics& statistics);

}  // namespace ovix
