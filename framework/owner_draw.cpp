#include "framework/owner_draw.h"

namespace fw {
namespace {

const char kDrawerProperty[] = "OvixDrawer";
MenuDrawer* g_menuDrawer = nullptr;

}  // namespace

void SetOwnerDrawn(HWND control, OwnerDrawn* drawer) {
    if (!control || !::IsWindow(control)) return;
    if (drawer) {
        ::SetPropA(control, kDrawerProperty, drawer);
    } else {
        ::RemovePropA(control, kDrawerProperty);
    }
}

bool DrawOwnerDrawn(const DRAWITEMSTRUCT* item) {
    if (!item || !item->hwndItem) return false;
    auto* drawer = static_cast<OwnerDrawn*>(::GetPropA(item->hwndItem, kDrawerProperty));
    if (!drawer) return false;
    drawer->DrawItem(*item);
    return true;
}

void SetMenuDrawer(MenuDrawer* drawer) { g_menuDrawer = drawer; }

MenuDrawer* CurrentMenuDrawer() { return g_menuDrawer; }

}  // namespace fw
