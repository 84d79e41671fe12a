// CPU cost of the memory timer's work (refresh the memory status, read the
// load) against a bare GlobalMemoryStatusEx call, over many repetitions since
// the process clock counts in 10 ms steps; the collector's full first load is
// printed apart. Output: "<timer us> <bare us> <load wall ms> <load cpu ms> <rounds>".
#include "bench/bench_clock.h"
#include "framework/win.h"
#include "probes/system_info.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 5000000;

    ovix::SystemInfoCollector collector;
    const double loadWall = NowMs();
    const double loadCpu = CpuMs();
    collector.Refresh();  // the first refresh loads everything
    const double loadCpuMs = CpuMs() - loadCpu;
    const double loadWallMs = NowMs() - loadWall;

    volatile int sink = 0;
    double start = CpuMs();
    for (int i = 0; i < rounds; ++i) sink = sink + ovix::MemoryLoadPercent(collector);
    const double timerUs = (CpuMs() - start) * 1000.0 / rounds;

    start = CpuMs();
    for (int i = 0; i < rounds; ++i) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof(status);
        ::GlobalMemoryStatusEx(&status);
        sink = sink + static_cast<int>(status.dwMemoryLoad);
    }
    const double bareUs = (CpuMs() - start) * 1000.0 / rounds;

    std::printf("%.3f %.3f %.1f %.1f %d\n", timerUs, bareUs, loadWallMs, loadCpuMs, rounds);
    return 0;
}
