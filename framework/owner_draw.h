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

}  // namespace fw
