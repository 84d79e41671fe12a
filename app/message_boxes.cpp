#include "app/message_boxes.h"

#include "framework/seam.h"

namespace ovix {
namespace {

fw::SeamSlot<MessageBoxes> g_boxes;

}  // namespace

int MessageBoxes::Show(const MessageBoxRequest& request) {
    MSGBOXPARAMSA params{};
    params.cbSize = sizeof(params);
    params.hwndOwner = request.owner;
    params.hInstance = ::GetModuleHandleA(nullptr);
    params.lpszText = request.text.c_str();
    params.lpszCaption = request.caption.c_str();
    params.dwStyle = request.buttons | request.defaultButton;
    if (request.userIcon) {
        params.dwStyle |= MB_USERICON;
        params.lpszIcon = MAKEINTRESOURCEA(request.userIcon);
    } else {
        params.dwStyle |= request.icon;
    }
    return ::MessageBoxIndirectA(&params);
}

MessageBoxes& CurrentMessageBoxes() { return g_boxes.Current(); }

MessageBoxes* SetMessageBoxes(MessageBoxes* boxes) { return g_boxes.Set(boxes); }

}  // namespace ovix
