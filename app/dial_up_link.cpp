#include "app/dial_up_link.h"

#include "app/message_boxes.h"

namespace ovix {

void DisconnectInternet(HWND owner, DialUpLink& link) {
    if (!link.IsConnected()) {
        ShowInformation(owner, "You are not connected to Internet...");
    } else if (link.Disconnect()) {
        ShowInformation(owner, "Disconnected from Internet.");
    } else {
        ShowMessage({.owner = owner, .text = "Error !\r\nThe connection can't be closed.", .icon = MB_ICONEXCLAMATION});
    }
}

}  // namespace ovix
