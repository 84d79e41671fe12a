// The menu commands posted to a real main window, every system call answered
// by a stand-in that records it.
#include "app/main_window.h"
#include "probes/os_version.h"
#include "support/command_fakes.h"
#include "support/fake_tray.h"
#include "support/own_shell_windows.h"
#include "support/window_test.h"
#include "../probes/probe_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ovix::ShellWindow;

// The machine as the commands see it: power, CD drives, folders and the
// dial-up link, each call recorded in one list.
struct FakeSystem : ovix::PowerControl, ovix::CdDrives, ovix::FolderLocator, ovix::DialUpLink {
    bool EnableShutdownPrivilege() override { return Note("privilege"); }
    bool EndSession(UINT flags) override { return Note("exit " + std::to_string(flags)); }
    bool SetSystemPowerState(bool suspend, bool force) override {
        return Note(std::string("power ") + (suspend ? "1" : "0") + (force ? "1" : "0"));
    }
    DWORD LogicalDrives() override { return driveMask; }
    UINT DriveType(const std::string& root) override {
        return cdRoms.find(root[0]) != std::string::npos ? DRIVE_CDROM : DRIVE_FIXED;
    }
    bool SetDoor(const std::string& element, bool open) override {
        return Note((element.empty() ? "default" : element) + (open ? " open" : " close"));
    }
    std::optional<std::string> SpecialFolder(int) override { return fonts; }
    bool IsConnected() override { return connected; }
    bool Disconnect() override { return closes; }
    bool Note(const std::string& call) {
        calls.push_back(call);
        return true;
    }
    std::vector<std::string> calls;
    DWORD driveMask = 0;
    std::string cdRoms;
    std::optional<std::string> fonts;
    bool connected = false, closes = false;
};

// Plays another system (major 0: a version that could not be read).
void PlayVersion(DWORD major, DWORD minor) {
    ovix::OsVersionRecord record;
    record.read = major != 0;
    record.info = {sizeof(OSVERSIONINFOEXA), major, minor, 2600, VER_PLATFORM_WIN32_NT, "", 0, 0, 0, 0, 0};
    ovix::SetOsVersion(record);
}

class Commands : public testing::Test {
protected:
    void SetUp() override {
        window.SetTrayShell(&tray);
        window.SetCommandSeams({&shell, &system, &system, &system, &system, nullptr});
        ASSERT_TRUE(window.CreateModeless());
    }
    void TearDown() override {
        window.End(IDOK);
        ovix::ReadOsVersion();
    }
    void Run(std::initializer_list<UINT> ids) {
        for (UINT id : ids) ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
    }

    test::CommandFakes fakes;
    test::FakeTray tray;
    test::OwnShellWindows shell{ShellWindow::Taskbar, ShellWindow::Desktop};
    FakeSystem system;
    ovix::MainWindow window{test::QuietOptions()};
};

TEST_F(Commands, EachLaunchRowRunsItsLineOrFile) {
    // As the catalogue has them: "open" rows are the shell's verb with no
    // parameters or folder; show 1 normal, 10 default.
    const std::string cpl = "winexec|rundll32.exe shell32.dll,Control_RunDLL ";
    const std::pair<UINT, std::string> rows[] = {
        {32789, "open|ssmypics.scr|||1"}, {33036, "open|https://network-tools.com/|||10"},
        {33035, "open|https://network-tools.com/|||10"}, {32953, "open|https://www.google.com/|||10"},
        {32954, "open|https://www.yahoo.com/|||10"}, {33033, "open|http://www.ovix.example/donate.html|||10"},
        {32811, "open|explorer.exe|||10"}, {32824, "open|compmgmt.msc|||1"}, {32850, cpl + "powercfg.cpl|1"},
        {32821, "open|regedit.exe|||1"}, {32820, "open|services.msc|||1"}, {32817, cpl + "appwiz.cpl|1"},
        {33053, cpl + "hotplug.dll|10"}, {33041, "winexec|RunDll32.exe shdocvw.dll,DoOrganizeFavDlg|10"},
        {32886, "winexec|rundll32.exe shell32.dll,SHFormatDrive|1"}, {32884, "open|cmd.exe|||10"},
        {33042, "winexec|RunDll32.exe msrating.dll,ClickedOnRAT %1|10"}, {32836, cpl + "odbccp32.cpl|1"},
        {32846, cpl + "inetcpl.cpl|1"}, {32855, cpl + "sysdm.cpl|1"}, {32845, cpl + "desk.cpl|1"},
        {32852, cpl + "mmsys.cpl|1"}, {32853, cpl + "intl.cpl|1"}, {32854, cpl + "main.cpl|1"},
        {33043, "winexec|RunDll32.exe shell32.dll,Control_RunDLL main.cpl @1,0|10"},
        {33045, "winexec|RunDll32.exe shell32.dll,Options_RunDLL 0|10"},
        {33040, "winexec|RunDll32.exe shell32.dll,Control_RunDLL access.cpl|10"}, {32843, cpl + "timedate.cpl|1"},
        {1107, cpl + "telephon.cpl|1"}, {32837, "open|dfrg.msc|||1"}, {32819, "open|diskmgmt.msc|||1"},
        {32839, "open|cleanmgr.exe|||10"}, {32838, "open|control.exe|||10"},
        {32976, "winexec|Control.exe Printers|1"}, {32822, "open|taskmgr.exe|||1"}, {32818, "open|msconfig.exe|||1"},
        {1106, "winexec|rundll32.exe shell32.dll, Control_RunDLL hdwwiz.cpl|1"}, {33025, cpl + "ncpa.cpl|1"},
        {1058, "open|dxdiag.exe|||10"}, {32844, "open|calc.exe|||10"}, {32867, "open|mspaint.exe|||10"},
        {32868, "open|wordpad.exe|||10"}, {32849, "open|notepad.exe|||10"}, {1057, "open|sigverif.exe|||10"},
        {32971, "find files"}, {32981, "monitor off"}, {32978, "monitor off"},
    };
    for (const auto& [id, call] : rows) {
        fakes.launcher.calls.clear();
        Run({id});
        EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>{call}) << "command " << id;
    }
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(Commands, XpOnlyRowsAskForXp) {
    PlayVersion(5, 1);
    Run({33044, 33052});
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{
                                        "winexec|RunDll32.exe shell32.dll,Control_RunDLL nusrmgr.cpl|10", "winexec|OSK|10"}));
    fakes.launcher.calls.clear();
    for (DWORD major : {0u, 6u}) {
        PlayVersion(major, 1);
        Run({33044, 33052});
    }
    EXPECT_TRUE(fakes.launcher.calls.empty());
    const std::string texts = "Sorry, only available on Windows XP. / This feature is only available on Windows XP.";
    EXPECT_EQ(fakes.boxes.Texts(), texts + " / " + texts);
    EXPECT_EQ(fakes.boxes.shown[0].owner, window.Hwnd());
    EXPECT_EQ(fakes.boxes.shown[0].icon, UINT(MB_ICONINFORMATION));
}

TEST_F(Commands, PowerActionsOnlyAfterYes) {
    fakes.boxes.answer = IDNO;
    Run({32826, 32827, 32999, 33000, 32829, 32830, 33068, 32781});
    EXPECT_TRUE(system.calls.empty());
    EXPECT_TRUE(fakes.launcher.calls.empty());
    ASSERT_EQ(fakes.boxes.shown.size(), 8u);
    EXPECT_EQ(fakes.boxes.shown[3].text, "Are you sure ?");
    EXPECT_EQ(fakes.boxes.shown[3].caption, "Stand by");
    EXPECT_EQ(fakes.boxes.shown[3].buttons, UINT(MB_YESNO));
    EXPECT_EQ(fakes.boxes.shown[3].userIcon, 1121u);

    fakes.boxes.answer = IDYES;
    const std::pair<UINT, const char*> effects[] = {{32826, "exit 12"},  {33068, "exit 12"},  {32827, "exit 6"},
                                                    {32779, "exit 6"},   {32829, "exit 4"},   {32780, "exit 4"},
                                                    {32999, "power 00"}, {33001, "power 00"}, {33000, "power 11"},
                                                    {33002, "power 11"}};
    for (const auto& [id, effect] : effects) {
        system.calls.clear();
        Run({id});
        EXPECT_EQ(system.calls, (std::vector<std::string>{"privilege", effect})) << "command " << id;
    }
    Run({32830, 32781});
    EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>(2, "winexec|rundll32 user32.dll,LockWorkStation|1"));
}

TEST_F(Commands, ShellWindowsToggleAndTaskbarCommands) {
    HWND taskbar = shell.windows[ShellWindow::Taskbar];
    Run({32786});  // the Start button, hidden: shown
    EXPECT_TRUE(::IsWindowVisible(shell.windows[ShellWindow::StartButton]));
    Run({32841});  // the taskbar, shown: hidden
    EXPECT_FALSE(::IsWindowVisible(taskbar));
    Run({32785});
    EXPECT_FALSE(::IsWindowVisible(shell.windows[ShellWindow::Desktop]));
    for (UINT id : {32842u, 32787u, 32823u, 32835u}) {
        Run({id});
        EXPECT_EQ(test::OwnShellWindows::Posted(taskbar, WM_COMMAND), id == 32823 ? 401u : id == 32835 ? 413u : 415u);
    }
    Run({32788});
    EXPECT_EQ(test::OwnShellWindows::Posted(shell.windows[ShellWindow::Screen], WM_SYSCOMMAND), WPARAM(SC_SCREENSAVE));
    // A system without them: skipped, nothing else happens.
    shell.windows.clear();
    Run({32841, 32832, 32834, 32833, 32842, 32788});
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(Commands, CdDoorsOfEveryCdRomDrive) {
    system.driveMask = (1 << 2) | (1 << 3) | (1 << 5);  // C: fixed, D: and F: CD-ROM
    system.cdRoms = "DF";
    Run({32814, 32808, 32805, 32815});
    EXPECT_EQ(system.calls, (std::vector<std::string>{"D: open", "F: open", "default close", "D: close", "F: close",
                                                  "default open"}));
    system.calls.clear();
    system.cdRoms.clear();
    Run({32814});
    EXPECT_TRUE(system.calls.empty());
}

TEST_F(Commands, DisconnectSaysWhatHappened) {
    Run({32922});
    system.connected = true;
    Run({32922});
    system.closes = true;
    Run({32922});
    EXPECT_EQ(fakes.boxes.Texts(), "You are not connected to Internet... / Error !\r\nThe connection can't be closed."
                                   " / Disconnected from Internet.");
    EXPECT_EQ(fakes.boxes.shown[1].icon, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(fakes.boxes.shown[2].icon, UINT(MB_ICONINFORMATION));
}

TEST_F(Commands, FontsFolderOpenedOnlyWhenItExists) {
    for (const std::optional<std::string>& fonts : {std::optional<std::string>("C:\\no such\\Fonts"),
                                                   std::optional<std::string>(), std::optional<std::string>("C:\\windows")}) {
        system.fonts = fonts;
        Run({33034});
    }
    EXPECT_EQ(fakes.boxes.Texts(), "Can't open Fonts directory. / Can't open Fonts directory.");
    EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>{"open|C:\\windows|||10"});
}

TEST_F(Commands, SlowListWarningGoesOnOnlyOnYes) {
    fakes.boxes.answer = IDYES;
    EXPECT_TRUE(ovix::SlowListWarning(window.Hwnd()));
    fakes.boxes.answer = IDNO;
    EXPECT_FALSE(ovix::SlowListWarning(window.Hwnd()));
    EXPECT_EQ(fakes.boxes.shown[0].text,
              "This operation takes several seconds to retrieve all informations.\r\nDo you want to continue ?");
    EXPECT_EQ(fakes.boxes.shown[0].buttons | fakes.boxes.shown[0].icon, UINT(MB_YESNO | MB_ICONQUESTION));
}

// On the real user key: the value as a 2-byte string, the box, and the state
// every process reads follows at once.
TEST_F(Commands, ScreenSaverSwitchWritesTheValueAndTellsTheSystem) {
    test::SavedRegistryValue saved(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveActive");
    BOOL before = FALSE;
    ::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &before, 0);
    for (bool on : {true, false, true}) {
        ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, !on, nullptr, 0);  // the opposite first
        Run({on ? 32882u : 32883u});
        char data[8] = "";
        DWORD type = 0, size = sizeof(data);
        ASSERT_EQ(::SHGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveActive", &type, data, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, DWORD(REG_SZ));
        EXPECT_EQ(size, 2u);
        EXPECT_STREQ(data, on ? "1" : "0");
        BOOL active = !on;
        ::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
        EXPECT_EQ(active != FALSE, on);
    }
    ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, before, nullptr, 0);
    EXPECT_EQ(fakes.boxes.Texts(), "Screen saver is now enable ! / Screen saver is now disable ! / Screen saver is now "
                                   "enable !");
    EXPECT_EQ(fakes.boxes.shown[0].userIcon, 101u);
}

}  // namespace
