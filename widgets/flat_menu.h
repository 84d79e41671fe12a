// Popup menus drawn flat, with an icon left of each command that has one.
// While a FlatMenuHook lives, every popup an Ovix dialog opens has its items
// made owner-drawn the first time it opens; the items keep their strings, so
// the system still finds their mnemonics and the menu can go back to the
// system's look when the hook goes.
#pragma once

#include "framework/handles.h"
#include "framework/owner_draw.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace widgets {

// A menu command and the image, in the hook's image list, drawn beside it.
struct MenuIcon {
    unsigned id;
    int index;
};

class FlatMenuHook : public fw::MenuDrawer {
public:
    // Installs this object as the process's menu drawer; the destructor puts
    // back the one it replaced.
    FlatMenuHook();
    ~FlatMenuHook() override;
    FlatMenuHook(const FlatMenuHook&) = delete;
    FlatMenuHook& operator=(const FlatMenuHook&) = delete;

    // The images are the caller's and must outlive their use: ClearIcons()
    // before destroying them.
    void SetIcons(HIMAGELIST images, std::span<const MenuIcon> table);
    void ClearIcons();

    void PreparePopup(HMENU popup) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    // Items this hook draws (those of destroyed menus are let go at the next popup).
    size_t ItemCount() const { return items_.size(); }

private:
    struct Item {
        HMENU menu;
        std::string text;
        bool separator;
        bool subMenu;
        UINT id;
    };

    // The record behind an item's data, when the data is one of ours.
    Item* Find(ULONG_PTR data) const;
    int IconIndex(UINT id) const;
    void ForgetGoneItems();
    void UpdateFonts();

    fw::MenuDrawer* previous_;
    std::vector<std::unique_ptr<Item>> items_;
    HIMAGELIST images_ = nullptr;
    std::vector<MenuIcon> icons_;
    LOGFONTA fontSpec_{};
    fw::FontHandle font_;
    fw::FontHandle boldFont_;
};

// Act on the installed FlatMenuHook, if any, so a window need not hold it.
void SetMenuIcons(HIMAGELIST images, std::span<const MenuIcon> table);
void ClearMenuIcons();

}  // namespace widgets
