// Application object: initialises what every window needs (common controls,
// sockets, OLE), runs the program's work and undoes what it did, in reverse.
#pragma once

#include "framework/win.h"

#include <string>

namespace fw {

class App {
public:
    App() = default;
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Calls InitInstance and returns its exit code.
    int Run();

    const std::string& SettingsKey() const { return settingsKey_; }

protected:
    // The program's work; returns the process exit code.
    virtual int InitInstance() = 0;

    void InitCommonControls();
    bool StartSockets();
    bool StartOle();
    void SetSettingsKey(std::string name) { settingsKey_ = std::move(name); }

private:
    bool socketsStarted_ = false;
    bool oleStarted_ = false;
    std::string settingsKey_;
};

}  // namespace fw
