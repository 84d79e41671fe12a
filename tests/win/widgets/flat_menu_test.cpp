#include "app/menu_icons.h"
#include "framework/dialog.h"
#include "framework/resources.h"
#include "probes/tree_image_list.h"
#include "resources/resource_ids.h"
#include "support/painted.h"
#include "widgets/flat_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr int kWidth = 200, kHeight = 20, kCell = 22;  // the icon's column: 16 pixels and their margins

MENUITEMINFOA Info(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    ::GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

struct CountingHook : widgets::FlatMenuHook {
    void MeasureItem(MEASUREITEMSTRUCT& item) override { ++measured, FlatMenuHook::MeasureItem(item); }
    void DrawItem(const DRAWITEMSTRUCT& item) override { ++drawn, FlatMenuHook::DrawItem(item); }
    int measured = 0, drawn = 0;
};

// Greys a command as its popup opens, as the main window does.
struct GreyingDialog : fw::Dialog {
    GreyingDialog() : Dialog(IDD_ABOUT) {}
    bool Route(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
        return message == WM_INITMENUPOPUP && ::EnableMenuItem(HMENU(wParam), 40001, MF_GRAYED) != -1;
    }
};

// The popup's messages go through a dialog, as a real menu's do.
class FlatMenu : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateModeless());
        ::AppendMenuA(popup, MF_STRING, 32857, "Save report");    // image 51
        ::AppendMenuA(popup, MF_STRING, 40000, "&Copy\tCtrl+C");  // no image
        ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(popup, MF_STRING, 40001, "Copy");
        ::AppendMenuA(popup, MF_OWNERDRAW, 40002, reinterpret_cast<const char*>(1234));  // someone else's
    }
    void TearDown() override { ::DestroyMenu(popup); }

    void Prepare(HMENU menu, LPARAM lParam = 0) {
        ::SendMessageA(dialog.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), lParam);
    }
    MEASUREITEMSTRUCT Measure(int position) {
        MEASUREITEMSTRUCT item{ODT_MENU, 0, Info(popup, position).wID, 0, 0, Info(popup, position).dwItemData};
        EXPECT_TRUE(::SendMessageA(dialog.Hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item)));
        return item;
    }
    // The item drawn kWidth wide, seen through a bitmap that wide or only its icon's column.
    std::vector<COLORREF> Draw(int position, UINT state, int seen = kWidth) {
        return test::Painted(seen, kHeight, [&](HDC dc) {
            DRAWITEMSTRUCT item{ODT_MENU, Info(popup, position).wID, 0, ODA_DRAWENTIRE, state, HWND(popup), dc,
                                {0, 0, kWidth, kHeight}, Info(popup, position).dwItemData};
            return ::SendMessageA(dialog.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)) != 0;
        });
    }

    CountingHook hook;
    GreyingDialog dialog;
    HMENU popup = ::CreatePopupMenu();
};

bool Has(const std::vector<COLORREF>& pixels, int colour) {
    return std::find(pixels.begin(), pixels.end(), ::GetSysColor(colour)) != pixels.end();
}

TEST_F(FlatMenu, ItemsBecomeOwnerDrawnOnceKeepTheirStringsAndGoBackWhenTheHookGoes) {
    Prepare(popup, MAKELPARAM(0, 1));  // the window menu is the system's
    EXPECT_EQ(hook.ItemCount(), 0u);
    Prepare(popup);
    Prepare(popup);
    EXPECT_EQ(hook.ItemCount(), 4u) << "once per item, another's item left alone";
    EXPECT_EQ(Info(popup, 4).dwItemData, 1234u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Info(popup, i).fType & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(Info(popup, 2).fType & MFT_SEPARATOR);
    char text[32] = "";
    ::GetMenuStringA(popup, 1, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "&Copy\tCtrl+C");
    EXPECT_TRUE(::GetMenuState(popup, 40001, MF_BYCOMMAND) & MF_GRAYED) << "the window's own handler ran too";

    fw::MenuHandle tray = fw::LoadMenuResource(IDR_TRAY_MENU);
    HMENU trayPopup = ::GetSubMenu(tray.Get(), 0);
    {
        widgets::FlatMenuHook inner;
        Prepare(trayPopup);
        EXPECT_TRUE(Info(trayPopup, 0).fType & MFT_OWNERDRAW);
    }
    EXPECT_EQ(fw::CurrentMenuDrawer(), &hook) << "the previous drawer is back";
    for (int i = 0; i < ::GetMenuItemCount(trayPopup); ++i) {
        EXPECT_TRUE(!(Info(trayPopup, i).fType & MFT_OWNERDRAW) && !Info(trayPopup, i).dwItemData) << i;
    }
    ::GetMenuStringA(trayPopup, 0, text, sizeof(text), MF_BYPOSITION);
    EXPECT_STREQ(text, "Exit");

    Prepare(trayPopup);
    EXPECT_EQ(hook.ItemCount(), 4u + ::GetMenuItemCount(trayPopup));
    tray.Reset();
    Prepare(popup);
    EXPECT_EQ(hook.ItemCount(), 4u) << "the items of a destroyed menu are let go";
}

TEST_F(FlatMenu, MeasuresTextInTheMenuFontBesideTheIconColumn) {
    Prepare(popup);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    fw::FontHandle font(::CreateFontIndirectA(&metrics.lfMenuFont));
    fw::MemoryDc dc(::CreateCompatibleDC(nullptr));
    fw::SelectGuard select(dc.Get(), font.Get());
    auto width = [&](const char* text) {
        SIZE size{};
        ::GetTextExtentPoint32A(dc.Get(), text, static_cast<int>(std::strlen(text)), &size);
        return static_cast<int>(size.cx);
    };
    const MEASUREITEMSTRUCT save = Measure(0), copyTab = Measure(1), separator = Measure(2), copy = Measure(3);
    EXPECT_TRUE(copy.itemHeight >= 20 && save.itemHeight == copy.itemHeight) << "a 16-pixel icon and margins";
    EXPECT_TRUE(separator.itemHeight > 0 && separator.itemHeight < copy.itemHeight) << separator.itemHeight;
    // The same room beside every label (icon column, sub-menu arrow), the shortcut beyond it.
    const int room = static_cast<int>(copy.itemWidth) - width("Copy");
    EXPECT_TRUE(static_cast<int>(save.itemWidth) - width("Save report") == room && room >= 32) << room;
    EXPECT_GT(static_cast<int>(copyTab.itemWidth), static_cast<int>(copy.itemWidth) + width("Ctrl+C"));
}

TEST_F(FlatMenu, DrawsIconsStatesAndSeparatorsAndReleasesWhatItMakes) {
    fw::ImageListHandle images = ovix::BuildTreeImageList();
    widgets::SetMenuIcons(images.Get(), ovix::kMenuIcons);
    Prepare(popup);
    const std::vector<COLORREF> emptyCell(kCell * kHeight, ::GetSysColor(COLOR_MENU));
    const auto expectedCell = test::Painted(kCell, kHeight, [&](HDC dc) {
        const RECT cell{0, 0, kCell, kHeight};
        ::FillRect(dc, &cell, ::GetSysColorBrush(COLOR_MENU));
        return ImageList_Draw(images.Get(), 51, dc, 3, 2, ILD_TRANSPARENT);
    });
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi), icons = fw::LiveCount(fw::ResourceKind::Icon);
    EXPECT_EQ(Draw(0, 0, kCell), expectedCell);
    const auto greyed = Draw(0, ODS_GRAYED), greyedCell = Draw(0, ODS_GRAYED, kCell);
    EXPECT_TRUE(Has(greyed, COLOR_GRAYTEXT) && !Has(greyed, COLOR_MENUTEXT));
    EXPECT_TRUE(greyedCell != expectedCell && greyedCell != emptyCell) << "the icon drawn disabled";
    const auto selected = Draw(1, ODS_SELECTED);
    EXPECT_EQ(selected[kWidth - 1], ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(Has(selected, COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(Draw(1, 0, kCell), emptyCell) << "no image for that command";
    for (int i = 0; i < 100; ++i) Draw(0, i % 2 ? ODS_GRAYED : ODS_SELECTED | ODS_DEFAULT), Measure(0);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Icon), icons);
    widgets::ClearMenuIcons();
    EXPECT_EQ(Draw(0, 0, kCell), emptyCell);
}

TEST_F(FlatMenu, ARealPopupIsPreparedMeasuredAndDrawnByTheHook) {
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) { ::KillTimer(nullptr, timer), ::EndMenu(); });
    ::TrackPopupMenu(popup, TPM_RETURNCMD, 10, 10, 0, dialog.Hwnd(), nullptr);
    EXPECT_EQ(hook.ItemCount(), 4u);
    EXPECT_TRUE(hook.measured >= 4 && hook.drawn >= 4) << hook.measured << " " << hook.drawn;
}

TEST_F(FlatMenu, EveryCommandWithAnIconIsOnAMenuWithAnImageOfTheTree) {
    fw::MenuHandle tray = fw::LoadMenuResource(IDR_TRAY_MENU), bar = fw::LoadMenuResource(IDR_MAIN_MENU);
    std::set<unsigned> seen;
    for (const widgets::MenuIcon& icon : ovix::kMenuIcons) {
        // By command, the search goes into the sub-menus.
        const bool onMenu = ::GetMenuState(tray.Get(), icon.id, MF_BYCOMMAND) != UINT(-1) ||
                            ::GetMenuState(bar.Get(), icon.id, MF_BYCOMMAND) != UINT(-1);
        EXPECT_TRUE(onMenu && seen.insert(icon.id).second) << icon.id << " missing or twice";
        EXPECT_TRUE(icon.index >= 0 && icon.index < ovix::kTreeImageCount) << icon.id;
    }
}

}  // namespace
