#include "app/about_dialog.h"

#include "app/update_check.h"
#include "resources/resource_ids.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AboutDialog, CaptionTextAndHomepage) {
    ovix::AboutDialog about;
    std::vector<std::string> opened;
    about.openPage = [&](const std::string& page) { opened.push_back(page); };
    ASSERT_TRUE(about.CreateModeless());
    char caption[64] = "";
    ::GetWindowTextA(about.Hwnd(), caption, sizeof(caption));
    EXPECT_STREQ(caption, "About Ovix");

    const std::string& text = about.Scroller().Text();
    EXPECT_NE(text.find("Ovix Version: 1.0.6"), std::string::npos);
    EXPECT_NE(text.find("free of malware"), std::string::npos);
    EXPECT_EQ(about.ItemText(IDC_ABOUT_HOMEPAGE), "Homepage");
    EXPECT_NE(::SendMessageA(about.Item(IDC_ABOUT_HOMEPAGE), BM_GETIMAGE, IMAGE_ICON, 0), 0);

    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDC_ABOUT_HOMEPAGE, 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], ovix::kProductPageUrl);
    about.End(IDOK);
}

TEST(AboutDialog, TheTextScrollsUpAndComesBackFromTheBottom) {
    ovix::AboutDialog about;
    ASSERT_TRUE(about.CreateModeless());
    ::ShowWindow(about.Hwnd(), SW_SHOW);
    const widgets::TextScroller& scroller = about.Scroller();
    ASSERT_GT(scroller.TextHeight(), 0);
    const int first = scroller.Offset();
    ::SendMessageA(about.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(scroller.Offset(), first + 1);
    ::UpdateWindow(about.Hwnd());  // draws through the owner-drawn path

    RECT box;
    ::GetClientRect(about.Item(IDC_ABOUT_SCROLLER), &box);
    bool wrapped = false;
    for (int i = 0; i < 5000 && !wrapped; ++i) {
        ::SendMessageA(about.Hwnd(), WM_TIMER, 1, 0);
        wrapped = scroller.Offset() == 0;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_LE(first, box.bottom + scroller.TextHeight());
    about.End(IDOK);
}

TEST(AboutDialog, OkEndsIt) {
    ovix::AboutDialog about;
    ASSERT_TRUE(about.CreateModeless());
    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(about.Ended());
    EXPECT_EQ(about.Hwnd(), nullptr);
}

}  // namespace
