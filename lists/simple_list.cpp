#include "lists/simple_list.h"

namespace ovix {

BOOL SimpleList::OnInitDialog() {
    list_.Attach(Hwnd(), spec_);
    ListView_SetExtendedListViewStyle(list_.List(), ListStyles());
    Fill();
    return TRUE;
}

bool SimpleList::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (id != 0) {
        if (id == commands_.search) return list_.SearchSelected(), true;
        if (id == commands_.copyLine) return list_.CopySelected(), true;
        if (id == commands_.copyAll) return list_.CopyAll(), true;
        if (id == commands_.properties) return list_.ShowProperties(commands_.propertiesColumn), true;
        if (OnAction(id)) return true;
    }
    return ListViewerDialog::OnCommand(id, notifyCode, control);
}

void SimpleList::ShowListMenu(HWND /*control*/, POINT at) {
    if (fw::MenuHandle menu = ContextMenu()) TrackListMenu(Hwnd(), menu, at);
}

}  // namespace ovix
