#include "app/ovix_app.h"

#include "app/main_window.h"
#include "framework/resources.h"
#include "probes/os_version.h"
#include "report/report_command.h"
#include "resources/resource_ids.h"
#include "widgets/flat_menu.h"

namespace ovix {

int OvixApp::InitInstance() {
    const ReportCommand report = ParseReportCommand(arguments_);
    if (report.kind != ReportCommand::Kind::None) return RunReportCommand(report);

    InitCommonControls();
    ReadOsVersion();
    if (!StartSockets()) {
        ::MessageBoxA(nullptr, fw::LoadStringResource(IDS_SOCKETS_FAILED).c_str(), "Ovix", MB_OK | MB_ICONERROR);
        return 1;
    }
    if (!StartOle()) {
        ::MessageBoxA(nullptr, fw::LoadStringResource(IDS_OLE_FAILED).c_str(), "Ovix", MB_OK | MB_ICONERROR);
        return 1;
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
    return 0;
}

int OvixApp::RunReportCommand(const ReportCommand& command) {
    // Run from a script: no system box may wait for a click (a drive without
    // a disc, a missing file, a crash).
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
    ReadOsVersion();
    ReportCommandEnvironment environment;
    environment.startServices = [this] { return StartSockets() && StartOle(); };
    return ovix::RunReportCommand(command, environment);
}

}  // namespace ovix
