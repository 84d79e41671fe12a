#include "widgets/text_scroller.h"

namespace widgets {

TextScroller::~TextScroller() { fw::SetOwnerDrawn(box_, nullptr); }

bool TextScroller::Attach(HWND box, std::string text, const char* fontName, int weight) {
    if (!box) return false;
    fw::SetOwnerDrawn(box_, nullptr);
    box_ = box;
    fw::SetOwnerDrawn(box_, this);
    text_ = std::move(text);
    font_.Reset(::CreateFontA(-12, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, fontName));
    Measure();
    // Start with the first lines already in view.
    offset_ = boxHeight_ / 3;
    return true;
}

void TextScroller::Measure() {
    RECT client;
    ::GetClientRect(box_, &client);
    boxHeight_ = client.bottom;
    fw::WindowDc dc(box_);
    fw::SelectGuard selectFont(dc.Get(), font_.Get());
    RECT bounds{0, 0, client.right - 8, 0};
    textHeight_ = ::DrawTextA(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &bounds,
                              DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

void TextScroller::Advance() {
    if (!box_) return;
    ++offset_;
    // Once the last line has left at the top, come in again from the bottom.
    if (offset_ > boxHeight_ + textHeight_) offset_ = 0;
    ::InvalidateRect(box_, nullptr, FALSE);
}

void TextScroller::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& box = item.rcItem;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    fw::MemoryDc memory(::CreateCompatibleDC(item.hDC));
    fw::BitmapHandle bitmap(::CreateCompatibleBitmap(item.hDC, width, height));
    {
        fw::SelectGuard selectBitmap(memory.Get(), bitmap.Get());
        fw::SelectGuard selectFont(memory.Get(), font_.Get());
        RECT all{0, 0, width, height};
        ::FillRect(memory.Get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
        ::SetBkMode(memory.Get(), TRANSPARENT);
        ::SetTextColor(memory.Get(), ::GetSysColor(COLOR_WINDOWTEXT));
        RECT text{4, height - offset_, width - 4, height - offset_ + textHeight_};
        ::DrawTextA(memory.Get(), text_.c_str(), static_cast<int>(text_.size()), &text,
                    DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        ::BitBlt(item.hDC, box.left, box.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
}

}  // namespace widgets
