// The report's writer and the /report command, each against what it cannot
// do without.
//
//   report_bench.exe writer <folder> [runs]
//       The writer alone on a large machine (2,000 programs, 500 hotfixes,
//       300 processes): the report made and saved through the safe writer,
//       against one fwrite of the same bytes. Prints medians in ms: writer,
//       fwrite, and the report's size in bytes.
//   report_bench.exe mail <folder> [runs]
//       The same machine: the writer in the mail flavour against the file
//       flavour, then a Send of the e-mail dialog (a mail client that only
//       answers) against a Generate of the report dialog (a save dialog and a
//       question that only answer), interleaved. Prints medians in ms: mail
//       writer, file writer, Send, Generate.
//   report_bench.exe collect
//       A bare collection, as /report starts it (sockets, OLE, the sources, one
//       Collect), with nothing written: the baseline of the command's run.
#include "bench/bench_clock.h"
#include "framework/text_format.h"
#include "app/common_dialogs.h"
#include "app/message_boxes.h"
#include "report/mail_client.h"
#include "report/mail_report_dialog.h"
#include "report/report_dialog.h"
#include "report/report_file.h"
#include "report/report_text.h"
#include "resources/resource_ids.h"
#include "tests/host/report/fake_report.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

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

struct AnsweringPickers : ovix::CommonDialogs {
    std::optional<std::string> SaveFile(const ovix::FileDialogRequest&) override { return path; }
    std::string path;
};
struct AnsweringBoxes : ovix::MessageBoxes {
    int Show(const ovix::MessageBoxRequest&) override { return IDNO; }
};
struct AnsweringMail : ovix::MailClient {
    Library Load() override { return Library::Ready; }
    ULONG Send(HWND, MapiMessage&, FLAGS) override { return MAPI_USER_ABORT; }
};

double Timed(HWND dialog, UINT command) {
    const double start = NowMs();
    ::SendMessageA(dialog, WM_COMMAND, command, 0);
    return NowMs() - start;
}

int Mail(const std::string& folder, int runs) {
    LargeMachine machine;
    std::vector<double> mailWriter, fileWriter, send, generate;
    for (int run = 0; run <= runs; ++run) {
        double start = NowMs();
        const std::string mail = ovix::ReportWriter(ovix::ReportFlavour::Mail).Text(machine.data, machine.inventories);
        const double mailMs = NowMs() - start;
        start = NowMs();
        const std::string file = ovix::ReportWriter().Text(machine.data, machine.inventories);
        const double fileMs = NowMs() - start;
        if (run && !mail.empty() && !file.empty()) {
            mailWriter.push_back(mailMs);
            fileWriter.push_back(fileMs);
        }
    }
    AnsweringPickers pickers;
    pickers.path = folder + "\\bench-generate.txt";
    AnsweringBoxes boxes;
    AnsweringMail client;
    ovix::SetCommonDialogs(&pickers);
    ovix::SetMessageBoxes(&boxes);
    ovix::SetMailClient(&client);
    {
        ovix::MailReportDialog mailDialog(std::make_unique<LargeMachine>());
        ovix::ReportDialog reportDialog(std::make_unique<LargeMachine>());
        if (!mailDialog.CreateModeless() || !reportDialog.CreateModeless()) return 1;
        mailDialog.SetItemText(IDC_MAIL_RECIPIENT1, "bench");
        for (int run = 0; run <= runs; ++run) {
            const double sendMs = Timed(mailDialog.Hwnd(), IDC_MAIL_SEND);
            const double generateMs = Timed(reportDialog.Hwnd(), IDC_REPORT_BROWSE);
            if (run) {
                send.push_back(sendMs);
                generate.push_back(generateMs);
            }
        }
        mailDialog.End(IDCANCEL);
        reportDialog.End(IDCANCEL);
    }
    ::DeleteFileA(pickers.path.c_str());
    std::printf("%.2f %.2f %.2f %.2f\n", Median(mailWriter), Median(fileWriter), Median(send), Median(generate));
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
    if (argc >= 3 && std::strcmp(argv[1], "mail") == 0) return Mail(argv[2], argc > 3 ? std::atoi(argv[3]) : 5);
    if (argc >= 2 && std::strcmp(argv[1], "collect") == 0) return Collect();
    std::fprintf(stderr, "usage: report_bench writer|mail <folder> [runs] | collect\n");
    return 2;
}
