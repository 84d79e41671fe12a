#include "widgets/flat_menu.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace widgets {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconLeft = 3;                                 // the icon cell's place in the item
constexpr int kIconColumn = kIconLeft + kIconSize + 3;       // the cell and its margins
constexpr int kTextLeft = kIconColumn + 5;
constexpr int kMinItemHeight = kIconSize + 4;
constexpr int kTextPadding = 6;                              // above and below the text, together
constexpr int kShortcutGap = 16;                             // between a label and its tab part
constexpr int kRightRoom = 16;                               // the system's sub-menu arrow goes there
constexpr int kSeparatorHeight = 6;

std::string ItemString(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoA(menu, position, TRUE, &info) || info.cch == 0) return {};
    std::string text(info.cch + 1, '\0');
    info.dwTypeData = text.data();
    info.cch += 1;
    if (!::GetMenuItemInfoA(menu, position, TRUE, &info)) return {};
    text.resize(std::min<size_t>(info.cch, text.size() - 1));
    return text;
}

ULONG_PTR ItemData(HMENU menu, UINT position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    return ::GetMenuItemInfoA(menu, position, TRUE, &info) ? info.dwItemData : 0;
}

// "Summary\tF2": the label, and the part drawn against the right edge.
struct TextParts {
    std::string label;
    std::string shortcut;
};

TextParts Split(const std::string& text) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos) return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

int TextWidth(HDC dc, const std::string& text) {
    if (text.empty()) return 0;
    RECT bounds{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_SINGLELINE | DT_CALCRECT);
    return bounds.right - bounds.left;
}

// A tick in the icon cell, for a checked item without an icon of its own.
void DrawTick(HDC dc, int x, int y, COLORREF colour) {
    fw::PenHandle pen(::CreatePen(PS_SOLID, 1, colour));
    fw::SelectGuard selectPen(dc, pen.Get());
    for (int row = 0; row < 2; ++row) {
        const POINT tick[] = {{x + 4, y + 7 + row}, {x + 6, y + 9 + row}, {x + 11, y + 4 + row}};
        ::Polyline(dc, tick, 3);
    }
}

}  // namespace

FlatMenuHook::FlatMenuHook() : previous_(fw::CurrentMenuDrawer()) { fw::SetMenuDrawer(this); }

FlatMenuHook::~FlatMenuHook() {
    if (fw::CurrentMenuDrawer() == this) fw::SetMenuDrawer(previous_);
    // Menus that outlive the hook go back to the system's drawing: they kept their strings.
    std::unordered_set<HMENU> menus;
    for (const auto& item : items_) menus.insert(item->menu);
    for (HMENU menu : menus) {
        if (!::IsMenu(menu)) continue;
        const int count = ::GetMenuItemCount(menu);
        for (int position = 0; position < count; ++position) {
            if (!Find(ItemData(menu, position))) continue;
            MENUITEMINFOA info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            if (!::GetMenuItemInfoA(menu, position, TRUE, &info)) continue;
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            info.fType &= ~MFT_OWNERDRAW;
            info.dwItemData = 0;
            ::SetMenuItemInfoA(menu, position, TRUE, &info);
        }
    }
}

void FlatMenuHook::SetIcons(HIMAGELIST images, std::span<const MenuIcon> table) {
    images_ = images;
    icons_.assign(table.begin(), table.end());
}

void FlatMenuHook::ClearIcons() {
    images_ = nullptr;
    icons_.clear();
}

FlatMenuHook::Item* FlatMenuHook::Find(ULONG_PTR data) const {
    if (data == 0) return nullptr;
    for (const auto& item : items_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
    }
    return nullptr;
}

int FlatMenuHook::IconIndex(UINT id) const {
    if (!images_ || id == 0) return -1;
    for (const MenuIcon& icon : icons_) {
        if (icon.id == id) return icon.index;
    }
    return -1;
}

void FlatMenuHook::ForgetGoneItems() {
    // An item's record lives as long as some live menu still points to it.
    std::unordered_set<HMENU> menus;
    std::unordered_set<ULONG_PTR> referenced;
    for (const auto& item : items_) {
        if (!menus.insert(item->menu).second || !::IsMenu(item->menu)) continue;
        const int count = ::GetMenuItemCount(item->menu);
        for (int position = 0; position < count; ++position) referenced.insert(ItemData(item->menu, position));
    }
    std::erase_if(items_, [&](const auto& item) {
        return !referenced.contains(reinterpret_cast<ULONG_PTR>(item.get()));
    });
}

void FlatMenuHook::UpdateFonts() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTA spec{};
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        spec = metrics.lfMenuFont;
    } else {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(spec), &spec);
    }
    // The user may change the menu font while we run: follow it, else keep what we have.
    if (font_ && std::memcmp(&spec, &fontSpec_, sizeof(spec)) == 0) return;
    fontSpec_ = spec;
    font_.Reset(::CreateFontIndirectA(&spec));
    spec.lfWeight = FW_BOLD;
    boldFont_.Reset(::CreateFontIndirectA(&spec));
}

void FlatMenuHook::PreparePopup(HMENU popup) {
    if (!::IsMenu(popup)) return;
    ForgetGoneItems();
    UpdateFonts();
    const int count = ::GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!::GetMenuItemInfoA(popup, position, TRUE, &info)) continue;
        if (info.fType & MFT_OWNERDRAW) {
            // Ours since an earlier opening: its text may have been changed in between.
            if (Item* ours = Find(info.dwItemData)) ours->text = ItemString(popup, position);
            continue;
        }
        if (info.fType & MFT_BITMAP) continue;  // a picture, not ours to draw
        const bool subMenu = info.hSubMenu != nullptr;
        auto item = std::make_unique<Item>(Item{popup, ItemString(popup, position), (info.fType & MFT_SEPARATOR) != 0,
                                                subMenu, subMenu ? 0u : info.wID});
        // Only the type and the data change: the string stays with the item.
        MENUITEMINFOA change{};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = info.fType | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
        if (::SetMenuItemInfoA(popup, position, TRUE, &change)) items_.push_back(std::move(item));
    }
}

void FlatMenuHook::MeasureItem(MEASUREITEMSTRUCT& measure) {
    const Item* item = Find(measure.itemData);
    if (!item) return;
    if (item->separator) {
        measure.itemWidth = 0;
        measure.itemHeight = kSeparatorHeight;
        return;
    }
    if (!font_) UpdateFonts();
    const bool isDefault = !item->subMenu && ::GetMenuDefaultItem(item->menu, FALSE, GMDI_USEDISABLED) == item->id;
    fw::WindowDc screen(nullptr);
    fw::SelectGuard selectFont(screen.Get(), (isDefault ? boldFont_ : font_).Get());
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen.Get(), &metrics);
    const TextParts parts = Split(item->text);
    int width = kTextLeft + TextWidth(screen.Get(), parts.label) + kRightRoom;
    if (!parts.shortcut.empty()) width += kShortcutGap + TextWidth(screen.Get(), parts.shortcut);
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(std::max<int>(kMinItemHeight, metrics.tmHeight + kTextPadding));
}

void FlatMenuHook::DrawItem(const DRAWITEMSTRUCT& draw) {
    const Item* item = Find(draw.itemData);
    if (!item) return;
    HDC dc = draw.hDC;
    RECT rect = draw.rcItem;
    if (item->separator) {
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_MENU));
        RECT line{rect.left + 1, rect.top + (rect.bottom - rect.top) / 2 - 1, rect.right - 1, rect.bottom};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool greyed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    // A greyed item under the cursor is only framed: grey text on the highlight would not read.
    ::FillRect(dc, &rect, ::GetSysColorBrush(selected && !greyed ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (selected && greyed) ::FrameRect(dc, &rect, ::GetSysColorBrush(COLOR_HIGHLIGHT));

    const COLORREF textColour =
        ::GetSysColor(greyed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    const int iconX = rect.left + kIconLeft;
    const int iconY = rect.top + (rect.bottom - rect.top - kIconSize) / 2;
    const int icon = IconIndex(item->id);
    if (icon >= 0 && greyed) {
        fw::IconHandle picture(ImageList_GetIcon(images_, icon, ILD_NORMAL));
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.Get()), 0, iconX, iconY, kIconSize,
                     kIconSize, DST_ICON | DSS_DISABLED);
    } else if (icon >= 0) {
        ImageList_Draw(images_, icon, dc, iconX, iconY, ILD_TRANSPARENT);
    }
    if (draw.itemState & ODS_CHECKED) {
        if (icon >= 0) {
            RECT cell{iconX - 1, iconY - 1, iconX + kIconSize + 1, iconY + kIconSize + 1};
            ::DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
        } else {
            DrawTick(dc, iconX, iconY, textColour);
        }
    }

    if (!font_) UpdateFonts();
    fw::SelectGuard selectFont(dc, ((draw.itemState & ODS_DEFAULT) ? boldFont_ : font_).Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColour);
    RECT textRect{rect.left + kTextLeft, rect.top, rect.right - kRightRoom, rect.bottom};
    const UINT flags = DT_SINGLELINE | DT_VCENTER | ((draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    const TextParts parts = Split(item->text);
    ::DrawTextA(dc, parts.label.c_str(), static_cast<int>(parts.label.size()), &textRect, flags | DT_LEFT);
    if (!parts.shortcut.empty()) {
        ::DrawTextA(dc, parts.shortcut.c_str(), static_cast<int>(parts.shortcut.size()), &textRect, flags | DT_RIGHT);
    }
}

void SetMenuIcons(HIMAGELIST images, std::span<const MenuIcon> table) {
    if (auto* hook = dynamic_cast<FlatMenuHook*>(fw::CurrentMenuDrawer())) hook->SetIcons(images, table);
}

void ClearMenuIcons() {
    if (auto* hook = dynamic_cast<FlatMenuHook*>(fw::CurrentMenuDrawer())) hook->ClearIcons();
}

}  // namespace widgets
