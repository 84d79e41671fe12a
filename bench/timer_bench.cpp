// What each of the main window's timers costs per tick: wall time (which
// includes the wineserver's share of the calls) and this process's CPU, over
// many ticks of a shown window without the information tree.
//
//   timer_bench.exe [ticks]
// Output: one line per timer, "<id> <wall us per tick> <cpu us per tick>".
#include "app/main_window.h"
#include "bench/bench_clock.h"
#include "framework/app.h"
#include "framework/dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::max(100, std::atoi(argv[1])) : 2000;
    ::InitCommonControls();
    ovix::MainWindow window(ovix::MainWindowOptions::InProcess());
    if (!window.CreateModeless()) return 1;
    ::ShowWindow(window.Hwnd(), SW_SHOW);
    fw::PumpWaitingMessages();
    for (ovix::MainTimer timer : {ovix::MainTimer::Uptime, ovix::MainTimer::Processes, ovix::MainTimer::OpenPrograms,
                                  ovix::MainTimer::Memory, ovix::MainTimer::Cpu}) {
        const UINT_PTR id = static_cast<UINT_PTR>(timer);
        window.OnTimer(id);
        const double wall = NowMs();
        const double cpu = CpuMs();
        for (int i = 0; i < ticks; ++i) {
            window.OnTimer(id);
            fw::PumpWaitingMessages();  // the repaints the tick asked for
        }
        std::printf("%u %.1f %.1f\n", static_cast<unsigned>(id), (NowMs() - wall) * 1000.0 / ticks,
                    (CpuMs() - cpu) * 1000.0 / ticks);
    }
    window.End(IDOK);
    return 0;
}
