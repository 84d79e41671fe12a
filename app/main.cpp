#include "app/ovix_app.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The runtime has split the command line by the system's quoting rules.
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    ovix::OvixApp app(std::move(arguments));
    return app.Run();
}
