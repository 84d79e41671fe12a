#include "support/message_box_finder.h"

#include <algorithm>
#include <vector>

namespace test {
namespace {

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770") return TRUE;
    if (WindowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindMessageBox(const std::string& caption) {
    Search search{caption};
    ::EnumWindows(&MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs, HANDLE stopWhenSignaled) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND box = FindMessageBox(caption)) return box;
        if (::GetTickCount() - start >= timeoutMs) return nullptr;
        if (stopWhenSignaled) {
            if (::WaitForSingleObject(stopWhenSignaled, 20) == WAIT_OBJECT_0) return FindMessageBox(caption);
        } else {
            ::Sleep(20);
        }
    }
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    return std::string(text.data(), std::min<std::size_t>(copied, length));
}

std::string MessageBoxText(HWND box) {
    HWND text = ::GetDlgItem(box, kMessageBoxTextId);
    return text ? WindowText(text) : std::string();
}

bool HasButton(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    if (!button) return false;
    char className[32] = {};
    ::GetClassNameA(button, className, sizeof(className));
    return lstrcmpiA(className, "Button") == 0;
}

bool ClickButton(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    if (!button || !HasButton(box, id)) return false;
    return ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

}  // namespace test
