// "Disconnect from Internet": hangs up the dial-up connection, if any. The
// connection object is the dial-up monitor's; until a monitor is given, a
// stand-in that is never connected answers.
#pragma once

#include "framework/win.h"

namespace ovix {

class DialUpLink {
public:
    virtual ~DialUpLink() = default;
    virtual bool IsConnected() { return false; }
    // True when the connection was closed.
    virtual bool Disconnect() { return false; }
};

void DisconnectInternet(HWND owner, DialUpLink& link);

}  // namespace ovix
