// The commands that only start something: a program, a control-panel applet
// or a web page. One row each, run by one handler.
#pragma once

#include "framework/win.h"

#include <optional>
#include <string>

namespace ovix {

enum class LaunchKind { ShellOpen, CommandLine };

struct LaunchRow {
    UINT id;
    LaunchKind kind;
    const char* target;  // the file for the shell, or the command line as run
    int show;
    // Windows XP only: the text shown instead elsewhere; null for every system.
    const char* notOnXpText = nullptr;
};

// The row of a command id, or null.
const LaunchRow* FindLaunchRow(UINT commandId);

// Starts it (the result of a started program is not checked); an XP-only row
// on another system shows its text, owned by the window, instead.
void RunLaunchRow(const LaunchRow& row, HWND owner);

// True on Windows XP; else shows the text in an information box and is false.
bool RequireWindowsXp(HWND owner, const char* text);

// Asks before a list that takes seconds to read; true to go on.
bool SlowListWarning(HWND owner);

// Where the commands find fixed folders; tests point them elsewhere.
class FolderLocator {
public:
    virtual ~FolderLocator() = default;
    virtual std::optional<std::string> WindowsFolder();
    virtual std::optional<std::string> SystemFolder();
    virtual std::optional<std::string> SpecialFolder(int csidl);
};

// Opens the Fonts folder when it exists, else says it cannot.
void OpenFontsFolder(HWND owner, FolderLocator& folders);

}  // namespace ovix
