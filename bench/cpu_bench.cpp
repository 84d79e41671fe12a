// Time processor detection adds to start-up: the first detection (with its
// 50 ms clock measurement) and the second one before the tree build, which
// reuses the fresh measurement.
#include "bench/bench_clock.h"
#include "framework/win.h"
#include "probes/cpu_probe.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    double first = 0, second = 0;
    for (int round = 0; round < rounds; ++round) {
        ovix::cpu::CpuProbe probe;
        const double start = NowMs();
        probe.Detect();
        const double middle = NowMs();
        probe.Detect();
        first += middle - start;
        second += NowMs() - middle;
    }
    std::printf("%.1f %.1f\n", first / rounds, second / rounds);
    return 0;
}
