// A menu as one line: "Text=id" per item, "*" after a greyed one, a sub-menu
// as "Title[...]"; items separated by ";".
#pragma once

#include "framework/win.h"

#include <string>

namespace test {

inline std::string MenuListing(HMENU menu) {
    std::string listing;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        if (!listing.empty()) listing += ";";
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            listing += std::string(text) + "[" + MenuListing(sub) + "]";
            continue;
        }
        listing += std::string(text) + "=" + std::to_string(::GetMenuItemID(menu, i));
        if (::GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) listing += "*";
    }
    return listing;
}

}  // namespace test
