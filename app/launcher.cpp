#include "app/launcher.h"

#include "framework/com.h"
#include "framework/seam.h"

#include <shldisp.h>
#include <shlobj.h>

#include <vector>

namespace ovix {
namespace {

fw::SeamSlot<Launcher> g_launcher;

const char* OrNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

bool Launcher::ShellVerb(HWND owner, const std::string& verb, const std::string& file, const std::string& parameters,
                         const std::string& directory, int show) {
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof(execute);
    // The property sheet is a verb of the item's context menu, not of its file type.
    execute.fMask = verb == "properties" ? SEE_MASK_INVOKEIDLIST : 0;
    execute.hwnd = owner;
    execute.lpVerb = OrNull(verb);
    execute.lpFile = file.c_str();
    execute.lpParameters = OrNull(parameters);
    execute.lpDirectory = OrNull(directory);
    execute.nShow = show;
    return ::ShellExecuteExA(&execute) != FALSE;
}

bool Launcher::CommandLine(const std::string& text, int show, StartWith how) {
    if (how == StartWith::WinExec) return ::WinExec(text.c_str(), static_cast<UINT>(show)) > 31;
    // CreateProcess may write into the command line: it gets a copy.
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

bool Launcher::FindFiles() {
    const fw::ComInit com;
    if (!com.Usable()) return false;
    fw::ComPtr<IShellDispatch> shell;
    if (FAILED(::CoCreateInstance(CLSID_Shell, nullptr, CLSCTX_INPROC_SERVER, IID_IShellDispatch,
                                  shell.PutVoid()))) {
        return false;
    }
    return SUCCEEDED(shell->FindFiles());
}

void Launcher::TurnOffMonitor(HWND window) { ::SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2); }

Launcher& CurrentLauncher() { return g_launcher.Current(); }

Launcher* SetLauncher(Launcher* launcher) { return g_launcher.Set(launcher); }

}  // namespace ovix
