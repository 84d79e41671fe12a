#include "app/about_dialog.h"

#include "app/update_check.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(AboutDialog, CaptionTextHomepageAndOk) {
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
    // Drawn by its icon button: a plain one shows no icon on older systems.
    EXPECT_EQ(::GetWindowLongPtrA(about.Item(IDC_ABOUT_HOMEPAGE), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDC_ABOUT_HOMEPAGE, 0);
    EXPECT_EQ(opened, std::vector<std::string>{ovix::kProductPageUrl});
    ::SendMessageA(about.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(about.Ended());
    EXPECT_EQ(about.Hwnd(), nullptr);
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
    int ticks = 0;
    while (scroller.Offset() != 0 && ++ticks < 5000) ::SendMessageA(about.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(scroller.Offset(), 0) << "the text never came back";
    about.End(IDOK);
}

}  // namespace
