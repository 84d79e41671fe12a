// Both menus as the program loads them, against the catalogue written out
// once by hand: every popup, text (trailing blanks included), id and order.
#include "app/main_window.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

// "Text=id" per item, "Name>" for a sub-menu, "-" for a separator, ";" between.
void Walk(HMENU menu, const std::string& path, std::map<std::string, std::string>& popups) {
    std::string& items = popups[path];
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        if (!items.empty()) items += ";";
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            items += std::string(text) + ">";
            Walk(sub, path.empty() ? text : path + ">" + text, popups);
        } else if (::GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) {
            items += "-";
        } else {
            items += std::string(text) + "=" + std::to_string(::GetMenuItemID(menu, i));
        }
    }
}

std::map<std::string, std::string> Listing(UINT menuId) {
    std::map<std::string, std::string> popups;
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
    Walk(menu, "", popups);
    ::DestroyMenu(menu);
    return popups;
}

const std::map<std::string, std::string> kTrayMenu = {
    {"", "TrayMenu>"},
    {"TrayMenu", "Exit=1;Restore=32909;-;Report>;Computer>;Show / Hide>;Screen saver>;CD Drives>;Options>;"
                 "Search on>;Quick Launch>;-;About Ovix...=32995"},
    {"TrayMenu>Report", "On local computer=32875;Send by e-mail=33007"},
    {"TrayMenu>Computer", "Shutdown=33068;Reboot=32779;Hibernate=33001;Stand by=33002;Log Off=32780;Lock=32781;"
                          "Summary=33051"},
    {"TrayMenu>Show / Hide", "Desktop=32785;Start up button=32786;Hide all active windows=32787"},
    {"TrayMenu>Screen saver", "Enable screen saver=32882;Disable screen saver=32883;Launch your screen saver=32788;"
                              "Launch a screen saver with your own pictures...=32789;"
                              "Launch a Windows XP screen saver=32790"},
    {"TrayMenu>CD Drives", "Open>;Close>"},
    {"TrayMenu>CD Drives>Open", "All=32814;Default one=32815"},
    {"TrayMenu>CD Drives>Close", "All=32805;Default one=32808"},
    {"TrayMenu>Options", "OvixCleaner=32983;OvixOptimize=33003;System colors=33009;Network tools=33036;"
                         "Turn off monitor=32981"},
    {"TrayMenu>Search on", "My computer=32971;Google=32953;Yahoo=32954"},
    {"TrayMenu>Quick Launch", "Explorer=32811;Manage>;Properties>;Disk>;Open>"},
    {"TrayMenu>Quick Launch>Manage",
     "Computer=32824;Power=32850;Registry=32821;Services=32820;Programs=32817;Disconnect Device=33053;"
     "User Accounts=33044;Organize Favorites=33041;Format Windows=32886;Cmd=32884;Run=32823;"
     "IE Rating System File=33042;ODBC admin=32836"},
    {"TrayMenu>Quick Launch>Properties",
     "Internet=32846;System=32855;Systray=32835;Display=32845;Multimedia=32852;Regional=32853;Mouse=32854;"
     "Keyboard=33043;Folders=33045;Accessibility=33040;Date and Time=32843;Modem and Phone=1107"},
    {"TrayMenu>Quick Launch>Disk", "Defrag.=32837;Manage=32819;Clean=32839"},
    {"TrayMenu>Quick Launch>Open",
     "Control Panel=32838;Printers Folder=32976;Fonts Folder=33034;Task manager=32822;MsConfig=32818;"
     "Hardware Wizard=1106;Network Connections=33025;DirectX=1058;Calculator=32844;Paint=32867;"
     "Virtual Keyboard=33052;Wordpad=32868;Notepad=32849;Files signatures verification=1057"},
};

const std::map<std::string, std::string> kMainMenu = {
    {"", "Options>;More informations>;Computer>;Tree>;Hide / Show>;?>"},
    {"Options", "Send report by e-mail=33005;Save report=32857;OvixCleaner      (F3)=32982;OvixOptimize   =32885;"
                "Others>;Ovix shortcut>;-;Reduce       (Down arrow)=33004;Exit=1"},
    {"Options>Others", "System Colors=32858;Password Generator=32856;Shortcut Maker=32889;Network Tools=33035;"
                       "Backup NT Drivers=33060;Disconnect from Internet=32922;Turn off monitor=32978"},
    {"Options>Ovix shortcut", "On Desktop=410;On Start menu=411;On Programs menu=412;On My Documents folder=33022"},
    {"More informations", "Windows XP Hotfix=33008;Running Processes=32905;Installed Softwares=32994;"
                          "NT Services=32891;NT Drivers=32927;Shell Folders=33006;Codecs List=33057;"
                          "Packages (.msi)=33031;Protected Files=33069;System Files>;Others>"},
    {"More informations>System Files", "DLL=33015;Executable=1145;Fonts=33049"},
    {"More informations>Others", "Active windows=33071;COM Applications=32975;Supported display modes=32993"},
    {"Computer", "Shutdown=32826;Reboot=32827;Hibernate=32999;Stand by=33000;Log Off=32829;Lock=32830;"
                 "Summary   (F2)=33050"},
    {"Tree", "Expand Main Sections=33010;Expand All Sections=1175;Collapse All Sections =1023;-;"
             "Copy to Clipboard>"},
    {"Tree>Copy to Clipboard", "All Visible Informations=33062;All Informations=33063"},
    {"Hide / Show", "Desktop=32832;TrayWnd=32841;Systray=32834;StartUp button=32833;Minimize all windows=32842"},
    {"?", "About Ovix=32813;Make a donation...=33033"},
};

// Commands whose windows come with later work: greyed until then.
TEST(Menus, BothMenusAsCatalogued) {
    EXPECT_EQ(Listing(IDR_TRAY_MENU), kTrayMenu);
    EXPECT_EQ(Listing(IDR_MAIN_MENU), kMainMenu);
}

// Every id on a menu has a handler, and no item is greyed.
TEST(Menus, EveryCommandHandled) {
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    int checked = 0;
    const auto checkPopup = [&](auto& self, HMENU popup) -> void {
        ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            if (HMENU sub = ::GetSubMenu(popup, i)) {
                self(self, sub);
                continue;
            }
            const UINT id = ::GetMenuItemID(popup, i);
            if (id == 0) continue;
            ++checked;
            EXPECT_TRUE(window.HandlesCommand(id)) << "command " << id;
            EXPECT_EQ(::GetMenuState(popup, i, MF_BYPOSITION) & MF_GRAYED, 0u) << "command " << id;
        }
    };
    checkPopup(checkPopup, ::GetMenu(window.Hwnd()));
    checkPopup(checkPopup, window.TrayMenu());
    EXPECT_EQ(checked, 126);
    // The screenshot button works now.
    EXPECT_FALSE(::EnableWindow(window.Item(IDC_SCREENSHOT), TRUE)) << "it was enabled";
    window.End(IDOK);
}

}  // namespace
