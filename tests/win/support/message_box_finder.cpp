#include "support/message_box_finder.h"

namespace test {

HWND FindMessageBox(const std::string& caption) {
    // Each suite runs in a process of its own: any such box is this process's.
    HWND box = ::FindWindowA("#32770", caption.c_str());
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

std::string MessageBoxText(HWND box) {
    // Asked with a bounded wait: the box runs its own loop on another thread.
    char text[1024] = "";
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(box, 65535), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                               SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    return text;
}

bool HasButton(HWND box, int id) {
    char className[32] = "";
    HWND button = ::GetDlgItem(box, id);
    return button && ::GetClassNameA(button, className, sizeof(className)) && lstrcmpiA(className, "Button") == 0;
}

bool ClickButton(HWND box, int id) {
    return HasButton(box, id) && ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                                reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

}  // namespace test
