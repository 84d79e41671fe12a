// The Windows suite's entry: the same process set-up as the program's
// (common controls, sockets, OLE) so dialogs behave as they do in Ovix.
#include "framework/win.h"
#include "report/mail_client.h"

#include <ole2.h>

#include <gtest/gtest.h>

namespace {

// No test may reach the system's mail client: a real call would try to send.
// Tests put their own fake in and the previous one (this) back.
struct ForbiddenMailClient : ovix::MailClient {
    Library Load() override {
        ADD_FAILURE() << "a test reached the system's mail library";
        return Library::Missing;
    }
    ULONG Send(HWND, MapiMessage&, FLAGS) override {
        ADD_FAILURE() << "a test reached the system's MAPISendMail";
        return MAPI_E_FAILURE;
    }
};

}  // namespace

int main(int argc, char** argv) {
    ForbiddenMailClient forbidden;
    ovix::SetMailClient(&forbidden);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
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
