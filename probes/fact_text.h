// Lines of the fact sheet that Ovix formats itself from raw numbers.
#pragma once

#include <string>

namespace ovix {

// "Size: %.1fcm x %.1fcm" from the screen's millimetres.
std::string ScreenSizeLine(int widthMm, int heightMm);
// "Diagonal: %.1f''" in inches, from the same millimetres.
std::string ScreenDiagonalLine(int widthMm, int heightMm);
// "Language: %s" on Server 2003, else "Country: %s [%s]".
std::string OsLanguageLine(bool server2003, const std::string& language, const std::string& country);
// A feature line such as "PAE: yes".
std::string FeatureLine(const char* name, bool present);

}  // namespace ovix
