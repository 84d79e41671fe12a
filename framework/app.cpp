#include "framework/app.h"

#include <ole2.h>

namespace fw {

App::~App() {
    if (oleStarted_) ::OleUninitialize();
    if (socketsStarted_) ::WSACleanup();
}

int App::Run() { return InitInstance(); }

void App::InitCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES;
    ::InitCommonControlsEx(&controls);
}

bool App::StartSockets() {
    WSADATA data;
    socketsStarted_ = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
    return socketsStarted_;
}

bool App::StartOle() {
    oleStarted_ = SUCCEEDED(::OleInitialize(nullptr));
    return oleStarted_;
}

}  // namespace fw
