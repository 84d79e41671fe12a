// A group box (a BS_GROUPBOX button of a dialog template) drawn by this
// object: an etched frame whose top edge runs at the caption's mid-height and
// breaks under it, and the caption in a font and colour of its own. The
// system draws a group box's caption in the dialog's text colour, and a themed
// one (common controls 6) ignores the colour altogether; painting it here
// looks the same with or without themes.
#pragma once

#include "framework/handles.h"
#include "framework/subclass.h"

namespace widgets {

class GroupBox {
public:
    GroupBox() = default;
    ~GroupBox() { Detach(); }
    // The box's window procedure finds this object: it stays where it is.
    GroupBox(const GroupBox&) = delete;
    GroupBox& operator=(const GroupBox&) = delete;

    // Draws `box` from now on: its caption in `face`, `height` pixels high
    // (the character cell), bold or not, in `text` on `background`, which
    // also fills the caption's band. False for no window, a box another
    // GroupBox draws, or a font that cannot be made.
    bool Attach(HWND box, const char* face, int height, bool bold, COLORREF text, COLORREF background);
    // Gives the box back to its own drawing and releases the font. Also done
    // when the box is destroyed.
    void Detach();

    HWND Hwnd() const { return subclass_.Window(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc) const;

    fw::Subclass subclass_;
    fw::FontHandle font_;
    COLORREF text_ = 0;
    COLORREF background_ = 0;
};

}  // namespace widgets
