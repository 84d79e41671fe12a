#include "app/about_dialog.h"

#include "app/update_check.h"
#include "support/command_fakes.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AboutDialog, ScrollingTextHomepageAndOk) {
    test::CommandFakes fakes;
    ovix::AboutDialog about;
    ASSERT_TRUE(about.CreateModeless());
    ::ShowWindow(about.Hwnd(), SW_SHOW);
    const widgets::TextScroller& scroller = about.Scroller();
    // The text moves up a step per tick and comes back from the bottom.
    ASSERT_GT(scroller.TextHeight(), 0);
    const int first = scroller.Offset();
    ::SendMessageA(about.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(scroller.Offset(), first + 1);
    ::UpdateWindow(about.Hwnd());  // draws through the owner-drawn path
    int ticks = 0;
    while (scroller.Offset() != 0 && ++ticks < 5000) ::SendMessageA(about.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(scroller.Offset(), 0) << "the text never came back";

    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDC_ABOUT_HOMEPAGE, 0);
    EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>{std::string("open|") + ovix::kProductPageUrl + "|||1"});
    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(about.Ended());
    EXPECT_EQ(about.Hwnd(), nullptr);
}

}  // namespace
