// The screen-saver commands: switch it on or off, start the user's own, or
// one of the seven savers that Windows XP ships.
#pragma once

#include "app/shell_windows.h"

namespace ovix {

// Stores "ScreenSaveActive" ("1" or "0") for the user and tells the running
// system, then says so. Silent when the key cannot be opened; the message
// only when the value was written. Returns whether it was.
bool ScreenSaverSwitch(HWND owner, bool on);

// The system command that starts the user's screen saver now.
bool LaunchScreenSaver(const ShellWindowFinder& finder);

// The next of the seven XP savers from the runtime's generator, which is
// never seeded: every run picks the same sequence.
const char* NextXpScreenSaver();

}  // namespace ovix
