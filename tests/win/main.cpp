// The Windows suite's entry: the same process set-up as the program's
// (common controls, sockets, OLE) so dialogs behave as they do in Ovix.
#include "framework/win.h"

#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WSADATA sockets;
    ::WSAStartup(MAKEWORD(2, 2), &sockets);
    ::OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    ::WSACleanup();
    return result;
}
