// The wall clock every benchmark program measures with.
#pragma once

#include "framework/win.h"

// Milliseconds of the performance counter.
inline double NowMs() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
