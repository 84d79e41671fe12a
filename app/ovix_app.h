// The Ovix application: initialisation, the main window for the whole run,
// and the shell windows shown again at the end.
#pragma once

#include "app/shell_windows.h"
#include "framework/app.h"

namespace ovix {

class OvixApp : public fw::App {
public:
    OvixApp() = default;

protected:
    bool InitInstance() override;

private:
    ShellWindowFinder shellWindows_;
};

}  // namespace ovix
