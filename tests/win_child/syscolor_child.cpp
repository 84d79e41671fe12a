// Reads one system colour in a process of its own (a colour set by another
// process is seen only by those started after the change) and hands it back
// as its exit code: syscolor_child.exe <COLOR_ index>.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) return -1;
    return static_cast<int>(::GetSysColor(std::atoi(argv[1])));
}
