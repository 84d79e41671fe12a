#include "app/screen_saver.h"

#include "app/message_boxes.h"
#include "framework/registry.h"
#include "resources/resource_ids.h"

#include <cstdlib>

namespace ovix {
namespace {

constexpr const char* kXpScreenSavers[] = {"ssbezier.scr", "sspipes.scr",  "ssmyst.scr",  "ss3dfo.scr",
                                           "ssflwbox.scr", "ssstars.scr", "sstext3d.scr"};

}  // namespace

bool ScreenSaverSwitch(HWND owner, bool on) {
    fw::RegKey key;
    if (key.Create(HKEY_CURRENT_USER, "Control Panel\\Desktop", KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    if (key.SetString("ScreenSaveActive", on ? "1" : "0") != ERROR_SUCCESS) return false;
    key.Close();
    // Without this the running system keeps the old state until the next
    // logon. No SPIF_UPDATEINIFILE: the value above stays as written.
    ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on ? TRUE : FALSE, nullptr, 0);
    ShowMessage({.owner = owner,
                 .text = on ? "Screen saver is now enable !" : "Screen saver is now disable !",
                 .userIcon = IDI_OVIX});
    return true;
}

bool LaunchScreenSaver(const ShellWindowFinder& finder) {
    HWND screen = finder.Find(ShellWindow::Screen);
    return screen && ::PostMessageA(screen, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

const char* NextXpScreenSaver() { return kXpScreenSavers[std::rand() % 7]; }

}  // namespace ovix
