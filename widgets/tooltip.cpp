#include "widgets/tooltip.h"

#include "framework/resources.h"

namespace widgets {

HWND AddTooltip(HWND owner, HWND tool, const std::string& text) {
    HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, fw::ModuleInstance(),
                                 nullptr);
    if (!tip) return nullptr;
    ::SendMessageA(tip, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ::SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
    return tip;
}

void RelayToTooltip(HWND tip, const MSG& message) {
    if (tip && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
        ::SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
}

}  // namespace widgets
