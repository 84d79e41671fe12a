// A tooltip over one control. The owner relays the mouse messages to it
// (TTM_RELAYEVENT) before they are dispatched; the tip goes with its owner.
#pragma once

#include "framework/win.h"

#include <string>

namespace widgets {

HWND AddTooltip(HWND owner, HWND tool, const std::string& text);

// Hands a queued mouse message to the tip.
void RelayToTooltip(HWND tip, const MSG& message);

}  // namespace widgets
