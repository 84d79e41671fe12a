// The report's writer and the /report command, each against what it cannot
// do without.
//
//   report_bench.exe writer <folder> [runs]
//       The writer alone on a large machine (2,000 programs, 500 hotfixes,
//       300 processes): the report made and saved through the safe writer,
//       against one fwrite of the same bytes. Prints medians in ms: writer,
//       fwrite, and the report's size in bytes.
//   report_bench.exe collect
//       A bare collection, as /report starts it (sockets, OLE, the sources, one
//       Collect), with nothing written: the baseline of the command's run.
#include "bench/bench_clock.h"
#include "framework/text_format.h"
#include "report/report_file.h"
#include "report/report_text.h"
#include "tests/host/report/fake_report.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct LargeMachine : ovix::ReportSources {
    LargeMachine() {
        data.processes.clear();
        for (int i = 0; i < 300; ++i) data.processes.push_back(fw::Format("process%03d.exe", i));
        data.processCount = 300;
        for (int i = 0; i < 2000; ++i) {
            inventories.software.push_back({fw::Format("Program number %d with a long enough name", i), "1.2.3",
                                            "Publisher", "12.50 MB", "01/02/2006", "", "uninstall.exe", ""});
        }
        for (int i = 0; i < 500; ++i) {
            inventories.hotfixes.sp2.push_back({fw::Format("KB%06d", i), fw::Format("Security Update (KB%06d)", i),
                                                "Administrator", "20070403", "Update", "spuninst.exe"});
        }
    }
    const ovix::ReportInventories& Inventories() const override { return inventories; }
    ovix::ReportData Collect() override { return data; }
    ovix::ReportData data = test::FakeXpMachine();
    ovix::ReportInventories inventories;
};

int Writer(const std::string& folder, int runs) {
    LargeMachine machine;
    const std::string report = folder + "\\bench-report.txt", plain = folder + "\\bench-fwrite.txt";
    const std::string bytes = ovix::ReportWriter().Text(machine.Collect(), machine.Inventories());
    std::vector<double> writer, baseline;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms up
        double start = NowMs();
        if (ovix::SaveReport(report, machine) != ovix::SaveResult::Done) return 1;
        const double written = NowMs() - start;
        start = NowMs();
        FILE* file = std::fopen(plain.c_str(), "wb");
        if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return 1;
        std::fclose(file);
        const double plainMs = NowMs() - start;
        if (run) {
            writer.push_back(written);
            baseline.push_back(plainMs);
        }
    }
    ::DeleteFileA(report.c_str());
    ::DeleteFileA(plain.c_str());
    std::printf("%.2f %.2f %zu\n", Median(writer), Median(baseline), bytes.size());
    return 0;
}

int Collect() {
    WSADATA sockets;
    if (::WSAStartup(MAKEWORD(1, 1), &sockets) != 0 || FAILED(::OleInitialize(nullptr))) return 4;
    {
        const auto sources = ovix::GatherReportSources();
        const ovix::ReportData data = sources->Collect();
        std::printf("%zu\n", data.processes.size());
    }
    ::OleUninitialize();
    ::WSACleanup();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "writer") == 0) return Writer(argv[2], argc > 3 ? std::atoi(argv[3]) : 5);
    if (argc >= 2 && std::strcmp(argv[1], "collect") == 0) return Collect();
    std::fprintf(stderr, "usage: report_bench writer <folder> [runs] | collect\n");
    return 2;
}
