// System metrics and system parameters, one line each.
#include "framework/win.h"
#include "probes/probe_text.h"
#include "probes/system_probes.h"

#include <commdlg.h>

namespace ovix::probes {
namespace {

// One setting into one integer; a failed call leaves 0.
int ParameterInt(UINT action) {
    int value = 0;
    ::SystemParametersInfoA(action, 0, &value, 0);
    return value;
}

struct MouseSettings {
    int firstThreshold = 0;
    int secondThreshold = 0;
    int acceleration = 0;
};

MouseSettings ReadMouseSettings() {
    int values[3] = {0, 0, 0};
    ::SystemParametersInfoA(SPI_GETMOUSE, 0, values, 0);
    return {values[0], values[1], values[2]};
}

}  // namespace

std::string KeyboardType() { return KeyboardTypeName(::GetKeyboardType(0)); }

std::string MouseWheel() { return MouseWheelLine(::GetSystemMetrics(SM_MOUSEWHEELPRESENT)); }

std::string BootMode() { return BootModeLine(::GetSystemMetrics(SM_CLEANBOOT)); }

std::string MenuShowDelay() { return MenuShowDelayLine(ParameterInt(SPI_GETMENUSHOWDELAY)); }

std::string IconTitleWrap() { return IconTitleWrapLine(ParameterInt(SPI_GETICONTITLEWRAP)); }

std::string FontSmoothing() { return FontSmoothingLine(ParameterInt(SPI_GETFONTSMOOTHING)); }

std::string KeyboardDelay() { return KeyboardDelayLine(ParameterInt(SPI_GETKEYBOARDDELAY)); }

std::string MouseSpeed() { return MouseSpeedLine(ReadMouseSettings().acceleration); }

std::string MouseThreshold() {
    const MouseSettings mouse = ReadMouseSettings();
    return MouseThresholdLine(mouse.firstThreshold, mouse.secondThreshold);
}

bool HasDefaultPrinter() {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    // No warning box when there is none: a report is being written.
    dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    const bool found = ::PrintDlgA(&dialog) != FALSE;
    // The dialog hands over two memory blocks that are ours to free.
    if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
    return found;
}

}  // namespace ovix::probes
