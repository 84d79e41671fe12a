#include "probes/fact_text.h"

#include "framework/text_format.h"

#include <cmath>

namespace ovix {

std::string ScreenSizeLine(int widthMm, int heightMm) {
    return fw::Format("Size: %.1fcm x %.1fcm", widthMm / 10.0, heightMm / 10.0);
}

std::string ScreenDiagonalLine(int widthMm, int heightMm) {
    const double diagonalMm = std::sqrt(static_cast<double>(widthMm) * widthMm + static_cast<double>(heightMm) * heightMm);
    return fw::Format("Diagonal: %.1f''", diagonalMm / 25.4);
}

std::string OsLanguageLine(bool server2003, const std::string& language, const std::string& country) {
    return server2003 ? fw::Format("Language: %s", language.c_str())
                      : fw::Format("Country: %s [%s]", country.c_str(), language.c_str());
}

std::string FeatureLine(const char* name, bool present) { return fw::Format("%s: %s", name, present ? "yes" : "no"); }

}  // namespace ovix
