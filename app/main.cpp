#include "app/ovix_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ovix::OvixApp app;
    return app.Run();
}
