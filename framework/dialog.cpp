#include "framework/dialog.h"

#include "framework/owner_draw.h"

#include <cstring>
#include <vector>

namespace fw {
namespace {

const char kDialogProperty[] = "OvixDialog";

// Messages whose result a dialog procedure returns directly instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

bool Offer(MSG& message) {
    HWND top = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    Dialog* dialog = top ? Dialog::FromHandle(top) : nullptr;
    if (dialog && dialog->PreTranslateMessage(message)) return true;
    // Only a dialog gets the dialog keys: to any other window IsDialogMessage
    // would turn Escape into a Cancel it never asked for, and swallow the key.
    char name[8] = "";
    return top && (dialog || (::GetClassNameA(top, name, sizeof(name)) && std::strcmp(name, "#32770") == 0)) &&
           ::IsDialogMessageA(top, &message);
}

// Popups of the menu bar, the tray and context menus go to the menu drawer, if
// one is set; the window menu stays the system's. True when it drew or measured.
bool OfferToMenuDrawer(UINT message, WPARAM wParam, LPARAM lParam) {
    MenuDrawer* menus = CurrentMenuDrawer();
    if (!menus) return false;
    if (message == WM_INITMENUPOPUP && HIWORD(lParam) == 0) {
        menus->PreparePopup(reinterpret_cast<HMENU>(wParam));
        return false;  // the window's own handler still greys items after
    }
    if (message == WM_MEASUREITEM && reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        menus->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return true;
    }
    if (message == WM_DRAWITEM && reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
        menus->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return true;
    }
    return false;
}

}  // namespace

Dialog::Dialog(UINT templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

HINSTANCE Dialog::Instance() const { return ::GetModuleHandleA(nullptr); }

Dialog* Dialog::FromHandle(HWND window) {
    return static_cast<Dialog*>(::GetPropA(window, kDialogProperty));
}

bool Dialog::CreateModeless(HWND owner) {
    ended_ = false;
    modal_ = false;
    HWND window = ::CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId_), owner, &Dialog::Procedure,
                                       reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

INT_PTR Dialog::DoModal(HWND owner) {
    ended_ = false;
    result_ = -1;
    modal_ = true;
    HWND window = ::CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId_), owner, &Dialog::Procedure,
                                       reinterpret_cast<LPARAM>(this));
    if (!window) {
        modal_ = false;
        return -1;
    }
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    if (!ended_ && ::IsWindow(window) && !(::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) {
        ::ShowWindow(window, SW_SHOWNORMAL);
    }
    bool quit = false;
    while (!ended_ && ::IsWindow(window)) {
        MSG message;
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (!Offer(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    (void)quit;
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (::IsWindow(window)) {
        // Give activation back to the owner before the window goes, as a modal dialog does.
        if (owner) ::SetActiveWindow(owner);
        ::DestroyWindow(window);
    }
    modal_ = false;
    return result_;
}

void Dialog::End(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (!modal_ && hwnd_) ::DestroyWindow(hwnd_);
    // A modal loop wakes on this and leaves.
    if (modal_) ::PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void Dialog::SetItemText(int id, std::string_view text) const {
    ::SetDlgItemTextA(hwnd_, id, std::string(text).c_str());
}

std::string Dialog::ItemText(int id) const {
    HWND item = Item(id);
    return item ? WindowText(item) : std::string();
}

bool Dialog::PreTranslateMessage(MSG& /*message*/) { return false; }

bool Dialog::OnCommand(UINT id, UINT /*notifyCode*/, HWND /*control*/) {
    if (id == IDOK || id == IDCANCEL) {
        End(id);
        return true;
    }
    return false;
}

bool Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
            result = 0;
            return true;
        }
        return false;
    case WM_TIMER:
        OnTimer(wParam);
        result = 0;
        return true;
    case WM_DRAWITEM:
        if (!DrawOwnerDrawn(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = window;
        ::SetPropA(window, kDialogProperty, self);
    } else {
        self = FromHandle(window);
    }
    if (!self) return FALSE;
    return self->Handle(message, wParam, lParam);
}

INT_PTR Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog();
    }
    if (message == WM_DESTROY) {
        OnDestroy();
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd_, kDialogProperty);
        hwnd_ = nullptr;
        if (!ended_) ended_ = true;
        return FALSE;
    }
    LRESULT result = 0;
    if (OfferToMenuDrawer(message, wParam, lParam)) {
        result = TRUE;
    } else if (!Route(message, wParam, lParam, result)) {
        return FALSE;
    }
    if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool PumpWaitingMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (!Offer(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return true;
}

}  // namespace fw
