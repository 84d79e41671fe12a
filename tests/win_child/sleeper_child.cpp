// A process for the process-list tests to find, prioritise, kill and restart:
// it only sleeps until it is ended.
#include <windows.h>

int main() {
    ::Sleep(INFINITE);
    return 0;
}
