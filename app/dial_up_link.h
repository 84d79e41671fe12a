// "Disconnect from Internet": hangs up the dial-up connection, if any. The
// connection object is the dial-up monitor (tools/dialer.h); the plain link
// is never connected.
#pragma once

#include "framework/win.h"

namespace ovix {

class DialUpLink {
public:
    virtual ~DialUpLink() = default;
    virtual bool IsConnected() { return false; }
    // True when the line is down afterwards.
    virtual bool Disconnect() { return false; }
};

void DisconnectInternet(HWND owner, DialUpLink& link);

}  // namespace ovix
