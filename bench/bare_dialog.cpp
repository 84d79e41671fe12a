// The start-up baseline: the same dialog template as Ovix's main window, shown
// with nothing else done, in a program built and started the same way.
#include "framework/win.h"
#include "resources/resource_ids.h"

namespace {
INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        ::SetWindowTextA(window, "Bare dialog");
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, &Procedure, 0));
}
