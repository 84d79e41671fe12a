#include "probes/version_code.h"

namespace ovix {

int WindowsVersionCode(unsigned platformId, unsigned major, unsigned minor, unsigned build) {
    build &= 0xFFFF;
    if (platformId == kPlatformWin32Ce) return 201;
    if (platformId == kPlatformWin32Windows && major == 4) {
        if (minor < 10) {
            if (build == 950) return 1;
            if (build >= 951 && build <= 1080) return 2;
            if (build >= 1081) return 3;
            return 0;
        }
        if (minor == 10) {
            if (build == 1998) return 4;
            if (build >= 1999 && build <= 2182) return 5;
            if (build >= 2183) return 6;
            return 0;
        }
        if (minor == 90) return 7;
        return 0;
    }
    if (platformId == kPlatformWin32Nt) {
        if (major == 3 && minor == 51) return 101;
        if (major == 4 && minor == 0) return 102;
        if (major == 5 && minor == 0) return 103;
        if (major == 5 && minor == 1) return kWindowsXpCode;
        if (major == 5 && minor == 2) return 105;
    }
    return 0;
}

}  // namespace ovix
