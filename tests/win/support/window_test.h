// Helpers for tests that drive real windows in-process.
#pragma once

#include "app/main_window.h"
#include "framework/dialog.h"

namespace test {

// Dispatches what is queued, a few times, so posted messages take effect.
inline void Pump() {
    for (int i = 0; i < 3; ++i) fw::PumpWaitingMessages();
}

// Start-up without network, waits or marks on the test's folder.
inline ovix::MainWindowOptions QuietOptions() {
    ovix::MainWindowOptions options;
    options.checkForUpdates = false;
    options.splashCheckingDelayMs = 0;
    options.splashWaitMs = 0;
    options.markProgramFolder = false;
    options.buildInformation = false;
    return options;
}

// The same, with the fact sheet and the tree built.
inline ovix::MainWindowOptions QuietOptionsWithTree() {
    ovix::MainWindowOptions options = QuietOptions();
    options.buildInformation = true;
    return options;
}

}  // namespace test
