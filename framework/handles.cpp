#include "framework/handles.h"

namespace fw {
namespace {
std::atomic<long> g_live[static_cast<int>(ResourceKind::Count)];
}

long LiveCount(ResourceKind kind) { return g_live[static_cast<int>(kind)].load(); }
void NoteAcquired(ResourceKind kind) { ++g_live[static_cast<int>(kind)]; }
void NoteReleased(ResourceKind kind) { --g_live[static_cast<int>(kind)]; }

FontHandle BoldTahoma(int height) {
    return FontHandle(::CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

WindowDc::WindowDc(HWND window, bool wholeWindow)
    : window_(window), dc_(wholeWindow ? ::GetWindowDC(window) : ::GetDC(window)) {
    if (dc_) NoteAcquired(ResourceKind::DeviceContext);
}

WindowDc::~WindowDc() {
    if (dc_) {
        ::ReleaseDC(window_, dc_);
        NoteReleased(ResourceKind::DeviceContext);
    }
}

}  // namespace fw
