// The computer summary: F2 on a main window to the summary's text shown
// (window animation off, so no fade is counted), against building the same
// text alone (the management probes of both in one read per class).
//
//   summary_bench.exe [runs]
//
// Prints medians in milliseconds: F2 to the text, the text alone.
#include "app/main_window.h"
#include "bench/bench_clock.h"
#include "framework/dialog.h"
#include "probes/system_probes.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_probes.h"
#include "report/summary_text.h"

#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

HWND ShownSummary(HWND owner) {
    for (HWND window = ::FindWindowExA(nullptr, nullptr, widgets::SplashWindow::kClassName, nullptr); window;
         window = ::FindWindowExA(nullptr, window, widgets::SplashWindow::kClassName, nullptr)) {
        if (::GetWindow(window, GW_OWNER) == owner && ::GetWindowTextLengthA(window) > 0) return window;
    }
    return nullptr;
}

std::string TextAlone() {
    const ovix::wmi::ClassReadScope classReads;
    ovix::SummaryFacts facts;
    facts.boardManufacturer = ovix::probes::BaseBoardManufacturer();
    facts.boardProduct = ovix::probes::BaseBoardProduct();
    facts.boardVersion = ovix::probes::BaseBoardVersion();
    facts.videoModel = ovix::probes::VideoControllerCaption();
    facts.videoMemory = ovix::probes::VideoAdapterRam();
    facts.computerName = ovix::probes::ComputerName();
    facts.userName = ovix::probes::UserName();
    return ovix::SummaryText(facts);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WSADATA sockets;
    if (::WSAStartup(MAKEWORD(1, 1), &sockets) != 0 || FAILED(::OleInitialize(nullptr))) return 1;
    ANIMATIONINFO animation{sizeof(animation), 0};
    ::SystemParametersInfoA(SPI_SETANIMATION, sizeof(animation), &animation, 0);  // this session only
    std::vector<double> shown, alone;
    {
        ovix::MainWindow window(ovix::MainWindowOptions::InProcess());
        if (!window.CreateModeless()) return 1;
        ::ShowWindow(window.Hwnd(), SW_SHOW);
        fw::PumpWaitingMessages();
        for (int run = 0; run <= runs; ++run) {  // run 0 warms up
            double start = NowMs();
            ::PostMessageA(window.Hwnd(), WM_KEYDOWN, VK_F2, 0);
            HWND summary = nullptr;
            for (int i = 0; i < 100000 && !summary; ++i) {
                fw::PumpWaitingMessages();
                summary = ShownSummary(window.Hwnd());
            }
            const double f2 = NowMs() - start;
            if (summary) ::SendMessageA(summary, WM_KEYDOWN, VK_ESCAPE, 0);
            fw::PumpWaitingMessages();
            start = NowMs();
            const bool built = !TextAlone().empty();
            const double text = NowMs() - start;
            if (run && summary && built) {
                shown.push_back(f2);
                alone.push_back(text);
            }
        }
        window.End(IDCANCEL);
    }
    ::OleUninitialize();
    ::WSACleanup();
    if (shown.empty()) return 1;
    std::printf("%.1f %.1f\n", Median(shown), Median(alone));
    return 0;
}
