#include "tools/list_extent.h"

#include "framework/handles.h"

#include <algorithm>
#include <string>

namespace ovix {

int SetListExtentToWidestLine(HWND list) {
    const fw::WindowDc dc(list);
    if (!dc.Get()) return 0;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(list, WM_GETFONT, 0, 0));
    const fw::SelectGuard select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc.Get(), &metrics);
    int widest = 0;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    std::string line;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length < 0) continue;
        line.assign(static_cast<size_t>(length) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        SIZE size{};
        ::GetTextExtentPoint32A(dc.Get(), line.c_str(), static_cast<int>(length), &size);
        widest = std::max(widest, static_cast<int>(size.cx + metrics.tmAveCharWidth));
    }
    ::SendMessageA(list, LB_SETHORIZONTALEXTENT, widest, 0);
    return widest;
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::string line(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(line.size() - 1);
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace ovix
