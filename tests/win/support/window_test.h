// Helpers for tests that drive real windows in-process.
#pragma once

#include "app/main_window.h"
#include "framework/dialog.h"

namespace test {

// Dispatches what is queued, a few times, so posted messages take effect.
inline void Pump() {
    for (int i = 0; i < 3; ++i) fw::PumpWaitingMessages();
}

// Start-up without network, waits or marks on the test's folder; the fact
// sheet and the tree only when asked for.
inline ovix::MainWindowOptions QuietOptions(bool withTree = false) {
    return ovix::MainWindowOptions::InProcess(withTree);
}
inline ovix::MainWindowOptions QuietOptionsWithTree() { return QuietOptions(true); }

}  // namespace test
