// The dial-up monitor on Wine's own remote-access libraries, with a RasMan
// service key (Start 3) that the program makes and removes.
//
//   dialer_bench.exe calls [runs]
//       IsConnected with no connection, 100,000 calls, against as many bare
//       RasEnumConnectionsA calls. Prints medians in ns per call: IsConnected,
//       bare enumeration.
//   dialer_bench.exe first
//       A CDialer made and asked IsConnected once, in this fresh process.
//       Prints ms: both together, the construction alone.
#include "bench/bench_clock.h"
#include "framework/library.h"
#include "framework/registry.h"
#include "probes/os_version.h"
#include "tools/dialer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr char kRasMan[] = "System\\CurrentControlSet\\Services\\RasMan";
int kCalls = 100000;

// The service key for the run; removed afterwards when the run made it.
class ServiceKey {
public:
    ServiceKey() {
        fw::RegKey existing;
        made_ = existing.Open(HKEY_LOCAL_MACHINE, kRasMan, KEY_READ) != ERROR_SUCCESS;
        if (!made_) return;
        fw::RegKey key;
        key.Create(HKEY_LOCAL_MACHINE, kRasMan, KEY_WRITE);
        key.SetDword("Start", 3);
    }
    ~ServiceKey() {
        if (made_) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kRasMan);
    }

private:
    bool made_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool first = argc > 1 && std::strcmp(argv[1], "first") == 0;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    if (argc > 3) kCalls = std::max(1, std::atoi(argv[3]));
    ServiceKey key;
    ovix::ReadOsVersion();
    if (first) {
        const double start = NowMs();
        ovix::CDialer dialer(ovix::OsVersion().info);
        const double made = NowMs();
        const bool connected = dialer.IsConnected();
        const double end = NowMs();
        std::printf("%.3f %.3f\n", end - start, made - start);
        return connected ? 1 : 0;
    }
    ovix::CDialer dialer(ovix::OsVersion().info);
    if (!dialer.Available()) {
        std::fprintf(stderr, "remote access is not available\n");
        return 2;
    }
    fw::LoadedLibrary library("rasapi32.dll");
    using Enum = DWORD(WINAPI*)(ovix::ras::Connection*, DWORD*, DWORD*);
    const auto bare = library.Find<Enum>("RasEnumConnectionsA");
    if (!bare) return 2;
    std::vector<double> calls, bares;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        for (int i = 0; i < kCalls; ++i) {
            if (dialer.IsConnected()) return 1;
        }
        calls.push_back((NowMs() - start) * 1e6 / kCalls);
        start = NowMs();
        for (int i = 0; i < kCalls; ++i) {
            ovix::ras::Connection record{};
            record.dwSize = sizeof(record);
            DWORD bytes = sizeof(record), count = 0;
            bare(&record, &bytes, &count);
        }
        bares.push_back((NowMs() - start) * 1e6 / kCalls);
    }
    std::printf("%.1f %.1f\n", Median(calls), Median(bares));
    return 0;
}
