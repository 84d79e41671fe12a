// "About Ovix": a scrolling text about the program and a Homepage button.
#pragma once

#include "framework/dialog.h"
#include "widgets/icon_button.h"
#include "widgets/text_scroller.h"

#include <string>

namespace ovix {

extern const char kAboutText[];

class AboutDialog : public fw::MappedDialog<AboutDialog> {
public:
    AboutDialog();
    static const Map& MessageMap();

    const widgets::TextScroller& Scroller() const { return scroller_; }

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnDestroy() override;

private:
    void OnHomepage();

    widgets::TextScroller scroller_;
    widgets::IconButton homepageButton_;
};

}  // namespace ovix
