// Controls that draw themselves. A dialog receives WM_DRAWITEM for its
// owner-drawn children; the framework's dialog hands it to the object that the
// child names, so a control's drawing stays with the control and no window has
// to forward it.
#pragma once

#include "framework/win.h"

namespace fw {

class OwnerDrawn {
public:
    virtual ~OwnerDrawn() = default;
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
};

// Names (or, with null, forgets) the object that draws the control.
void SetOwnerDrawn(HWND control, OwnerDrawn* drawer);
// Hands a WM_DRAWITEM to the object its control names; false when none does.
bool DrawOwnerDrawn(const DRAWITEMSTRUCT* item);

// Draws the items of every popup menu the program's dialogs open. A dialog
// offers it each popup before the popup shows (before the window's own
// handler greys items), then the popup's WM_MEASUREITEM and WM_DRAWITEM.
class MenuDrawer {
public:
    virtual ~MenuDrawer() = default;
    // Makes the popup's items drawn by this object, as far as it wants to.
    virtual void PreparePopup(HMENU popup) = 0;
    virtual void MeasureItem(MEASUREITEMSTRUCT& item) = 0;
    virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
};

// One drawer for the whole process, used on the user-interface thread only;
// null leaves the menus to the system.
void SetMenuDrawer(MenuDrawer* drawer);
MenuDrawer* CurrentMenuDrawer();

}  // namespace fw
