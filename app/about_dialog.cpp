#include "app/about_dialog.h"

#include "app/launcher.h"
#include "app/update_check.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollPeriodMs = 100;
}  // namespace

const char kAboutText[] =
    "Ovix\r\n\r\n"
    "Ovix shows what your PC is made of: operating system, processor, memory, "
    "disks, video, sound, network and much more, in one tree.\r\n\r\n"
    "It saves or e-mails a report of it, lists processes, services, programs and "
    "fonts, and brings a cleaner, an optimiser and other small tools.\r\n\r\n"
    "Ovix is free, and free of malware: no spyware, no adware, no virus.\r\n\r\n"
    "Ovix Version: 1.0.6\r\n\r\n"
    "Thank you for using Ovix, and have a nice day!";

AboutDialog::AboutDialog() : MappedDialog(IDD_ABOUT) {}

const AboutDialog::Map& AboutDialog::MessageMap() {
    static const Map::Command commands[] = {{IDC_ABOUT_HOMEPAGE, &AboutDialog::OnHomepage}};
    static const Map map{{}, commands};
    return map;
}

BOOL AboutDialog::OnInitDialog() {
    scroller_.Attach(Item(IDC_ABOUT_SCROLLER), kAboutText, "Tahoma", FW_BOLD);
    homepageButton_.SetIcon(Item(IDC_ABOUT_HOMEPAGE), IDI_HOMEPAGE);
    ::SetTimer(Hwnd(), kScrollTimer, kScrollPeriodMs, nullptr);
    return TRUE;
}

void AboutDialog::OnTimer(UINT_PTR timerId) {
    if (timerId == kScrollTimer) scroller_.Advance();
}

void AboutDialog::OnDestroy() { ::KillTimer(Hwnd(), kScrollTimer); }

void AboutDialog::OnHomepage() { ShellOpen(kProductPageUrl, kShowNormal, Hwnd()); }

}  // namespace ovix
