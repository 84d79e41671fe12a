// A box whose text scrolls upwards, one pixel per tick, and starts again from
// the bottom once it has passed. Paints an owner-drawn static control.
#pragma once

#include "framework/handles.h"
#include "framework/owner_draw.h"

#include <string>

namespace widgets {

class TextScroller : public fw::OwnerDrawn {
public:
    TextScroller() = default;
    ~TextScroller() override;
    TextScroller(const TextScroller&) = delete;
    TextScroller& operator=(const TextScroller&) = delete;

    // box: an SS_OWNERDRAW static of an Ovix dialog, which hands its
    // WM_DRAWITEM to this object.
    bool Attach(HWND box, std::string text, const char* fontName, int weight);
    // One step up; call from the owner's timer.
    void Advance();
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    const std::string& Text() const { return text_; }
    int Offset() const { return offset_; }
    int TextHeight() const { return textHeight_; }

private:
    void Measure();

    HWND box_ = nullptr;
    std::string text_;
    fw::FontHandle font_;
    int offset_ = 0;  // pixels the text has moved up from the box's bottom
    int textHeight_ = 0;
    int boxHeight_ = 0;
};

}  // namespace widgets
