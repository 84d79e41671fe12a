// Everything that starts another program or hands a file to the shell goes
// through one launcher, so that tests can record what would have run instead
// of running it.
#pragma once

#include "framework/win.h"

#include <string>

namespace ovix {

inline constexpr int kShowNormal = SW_SHOWNORMAL;     // 1
inline constexpr int kShowDefault = SW_SHOWDEFAULT;   // 10
inline constexpr int kShowMinimised = SW_SHOWMINNOACTIVE;

enum class StartWith { WinExec, CreateProcess };

class Launcher {
public:
    virtual ~Launcher() = default;
    // A shell verb ("open", "properties", "explore", "print", "find"; empty:
    // the default action) on a file, folder or address. True when the shell
    // says it started.
    virtual bool ShellVerb(HWND owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int show);
    // A command line, run as typed (the search path finds the program).
    virtual bool CommandLine(const std::string& text, int show, StartWith how = StartWith::WinExec);
    // The shell's own search window.
    virtual bool FindFiles();
    // Puts the monitors into power-off, through the window's system command.
    virtual void TurnOffMonitor(HWND window);
};

// The launcher in use; tests put their own in and give the previous back.
Launcher& CurrentLauncher();
Launcher* SetLauncher(Launcher* launcher);  // null: the system's

// The "open" verb, no parameters, no directory.
inline bool ShellOpen(const std::string& file, int show, HWND owner = nullptr) {
    return CurrentLauncher().ShellVerb(owner, "open", file, "", "", show);
}

}  // namespace ovix
