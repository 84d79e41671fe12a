#include "app/ovix_app.h"

#include "app/main_window.h"
#include "framework/resources.h"
#include "probes/os_version.h"
#include "resources/resource_ids.h"
#include "widgets/flat_menu.h"

namespace ovix {

bool OvixApp::InitInstance() {
    InitCommonControls();
    ReadOsVersion();
    if (!StartSockets()) {
        ::MessageBoxA(nullptr, fw::LoadStringResource(IDS_SOCKETS_FAILED).c_str(), "Ovix", MB_OK | MB_ICONERROR);
        return false;
    }
    if (!StartOle()) {
        ::MessageBoxA(nullptr, fw::LoadStringResource(IDS_OLE_FAILED).c_str(), "Ovix", MB_OK | MB_ICONERROR);
        return false;
    }
    SetSettingsKey("Ovix");

    {
        // Flat menus with icons for as long as the window runs.
        const widgets::FlatMenuHook flatMenus;
        MainWindow mainWindow;
        ReadOsVersion();
        mainWindow.DoModal();
    }
    // Whatever the window returned: a command may have hidden a shell window.
    ShowHiddenShellWindows(shellWindows_);
    return true;
}

}  // namespace ovix
