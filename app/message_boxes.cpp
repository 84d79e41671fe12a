#include "app/message_boxes.h"

namespace ovix {
namespace {

MessageBoxes g_systemBoxes;
MessageBoxes* g_boxes = &g_systemBoxes;

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

MessageBoxes& CurrentMessageBoxes() { return *g_boxes; }

MessageBoxes* SetMessageBoxes(MessageBoxes* boxes) {
    MessageBoxes* previous = g_boxes == &g_systemBoxes ? nullptr : g_boxes;
    g_boxes = boxes ? boxes : &g_systemBoxes;
    return previous;
}

}  // namespace ovix
