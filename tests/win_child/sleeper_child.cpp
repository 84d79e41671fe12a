// A process for the process-list tests to find, prioritise, kill and restart:
// it only sleeps until it is ended. Given a title, it holds a hidden top-level
// window of that name instead (and answers the messages sent to it).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        ::Sleep(INFINITE);
        return 0;
    }
    ::CreateWindowExA(0, "STATIC", argv[1], WS_POPUP, 0, 0, 100, 40, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    return 0;
}
