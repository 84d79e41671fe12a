// Time of the information build: the fact sheet and the tree into a real tree
// control, with the share of the two folder walks shown apart, and the same
// build within a ClassReadScope (one read per management class), as the
// program runs it. The two builds alternate over the rounds.
#include "bench/bench_clock.h"
#include "framework/win.h"
#include "probes/fact_sheet.h"
#include "probes/information_tree.h"
#include "probes/system_probes.h"
#include "probes/tree_image_list.h"
#include "probes/wmi_class_cache.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

double Build(HWND tree, HIMAGELIST images) {
    const std::vector<std::string> accounts;
    const double start = NowMs();
    ovix::FactSheet facts;
    ovix::BuildFactSheet(facts);
    const ovix::BuildContext context{facts, accounts, [](const char*) {}};
    ovix::BuildInformationTree(tree, images, context);
    return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP | TVS_HASBUTTONS | TVS_HASLINES, 0, 0, 400, 400,
                                  nullptr, nullptr, nullptr, nullptr);
    fw::ImageListHandle images = ovix::BuildTreeImageList();

    double build = 0, walks = 0, scoped = 0;
    for (int round = 0; round < rounds; ++round) {
        build += Build(tree, images.Get());

        const double walkStart = NowMs();
        ovix::probes::ReadFolderFacts(ovix::probes::WindowsFolderPath());
        ovix::probes::ReadFolderFacts(ovix::probes::SystemFolderPath());
        walks += NowMs() - walkStart;

        const ovix::wmi::ClassReadScope classReads;
        scoped += Build(tree, images.Get());
    }
    std::printf("%.1f %.1f %.1f\n", build / rounds, walks / rounds, scoped / rounds);
    ::DestroyWindow(tree);
    return 0;
}
