// A progress bar drawn as a horizontal gradient on the window colour, with its
// value as centred text. It stays a real progress bar: PBM_SETPOS and
// PBM_GETPOS work as usual.
#pragma once

#include "framework/handles.h"
#include "framework/subclass.h"

#include <string>

namespace widgets {

class GradientGauge {
public:
    GradientGauge() = default;
    ~GradientGauge() { Detach(); }
    GradientGauge(const GradientGauge&) = delete;
    GradientGauge& operator=(const GradientGauge&) = delete;

    // Takes over the painting of an existing progress bar.
    bool Attach(HWND progressBar, COLORREF from, COLORREF to, const char* textFormat = "%d%%");
    void Detach();

    void SetRange(int low, int high);
    void SetPos(int value);
    int Pos() const;
    // The text shown for the current value.
    std::string Text() const;
    HWND Hwnd() const { return subclass_.Window(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    fw::Subclass subclass_;
    COLORREF from_ = 0;
    COLORREF to_ = 0;
    const char* format_ = "%d%%";
};

// Fills rect with a left-to-right gradient.
void FillHorizontalGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to);

}  // namespace widgets
