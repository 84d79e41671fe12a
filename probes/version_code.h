// Classification of an operating-system version into one number, the test
// every Windows-XP-only decision of Ovix is made on (104).
#pragma once

namespace ovix {

inline constexpr unsigned kPlatformWin32Windows = 1;  // 95, 98, ME
inline constexpr unsigned kPlatformWin32Nt = 2;
inline constexpr unsigned kPlatformWin32Ce = 3;

inline constexpr int kWindowsXpCode = 104;

// The build number counts by its low 16 bits (the 9x family keeps its
// version in the high ones). 0 for anything unknown, newer than 5.2 included.
int WindowsVersionCode(unsigned platformId, unsigned major, unsigned minor, unsigned build);

}  // namespace ovix
