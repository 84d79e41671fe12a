#include "tools/colours_dialog.h"

#include "app/message_boxes.h"
#include "framework/owner_draw.h"
#include "framework/registry.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"
#include "tools/colour_tables.h"
#include "widgets/tooltip.h"

namespace ovix {
namespace {

constexpr COLORREF kBackground = RGB(255, 250, 250);
constexpr COLORREF kGroupText = RGB(72, 61, 139);
constexpr int kVioletRed = 31;
constexpr char kHelpText[] =
    "-> To change a system color:\n\n- Select an element (Desktop, Menu background, Tooltip text...).\n- Select a "
    "color.\n- Click on \"Apply\" button.";

bool WriteRegistryText(HKEY key, const char* name, const std::string& text) {
    return ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace

SystemColorsDialog::SystemColorsDialog() : MappedDialog(IDD_SYSTEM_COLORS), writeValue_(WriteRegistryText) {}

SystemColorsDialog::~SystemColorsDialog() = default;

const SystemColorsDialog::Map& SystemColorsDialog::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CTLCOLORSTATIC, &SystemColorsDialog::OnCtlColor},
        {WM_CTLCOLORDLG, &SystemColorsDialog::OnCtlColor},
        {WM_MEASUREITEM, &SystemColorsDialog::OnMeasureItem},
        {WM_DRAWITEM, &SystemColorsDialog::OnDrawItem},
    };
    static const Map::Command commands[] = {
        {IDC_COLORS_APPLY, &SystemColorsDialog::OnApply},
        {IDC_COLORS_HELP, &SystemColorsDialog::OnHelp},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL SystemColorsDialog::OnInitDialog() {
    background_.Reset(::CreateSolidBrush(kBackground));
    group_.Attach(Item(IDC_COLORS_GROUP), "Comic Sans MS", 18, true, kGroupText, kBackground);
    applyButton_.SetIcon(Item(IDC_COLORS_APPLY), IDI_BACKUP_DONE);
    helpButton_.SetIcon(Item(IDC_COLORS_HELP), IDI_TREE_HELP);
    helpTip_ = widgets::AddTooltip(Hwnd(), Item(IDC_COLORS_HELP), "Wizard...");

    elementIcons_.Reset(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    if (elementIcons_) {
        const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_SETTINGS, 16);
        ::ImageList_AddIcon(elementIcons_.Get(), icon.Get());
    }
    HWND elements = Item(IDC_COLORS_ELEMENT);
    ::SendMessageA(elements, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(elementIcons_.Get()));
    for (const ScreenElement& element : ScreenElements()) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<char*>(element.text);
        ::SendMessageA(elements, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(elements, CB_SETCURSEL, 0, 0);
    HWND colours = Item(IDC_COLORS_COLOUR);
    for (const NamedColour& colour : NamedColours()) {
        ::SendMessageA(colours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour.name));
    }
    ::SendMessageA(colours, CB_SETCURSEL, kVioletRed, 0);
    return TRUE;
}

void SystemColorsDialog::OnDestroy() {
    group_.Detach();
    ::SendMessageA(Item(IDC_COLORS_ELEMENT), CBEM_SETIMAGELIST, 0, 0);
}

bool SystemColorsDialog::PreTranslateMessage(MSG& message) {
    widgets::RelayToTooltip(helpTip_, message);
    return false;
}

LRESULT SystemColorsDialog::OnCtlColor(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetBkColor(dc, kBackground);
    return reinterpret_cast<LRESULT>(background_.Get());
}

LRESULT SystemColorsDialog::OnMeasureItem(WPARAM, LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlID != IDC_COLORS_COLOUR) return FALSE;
    measure->itemHeight = 16;
    ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
}

LRESULT SystemColorsDialog::OnDrawItem(WPARAM, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlID != IDC_COLORS_COLOUR) {
        // The icon buttons draw themselves.
        const bool drawn = fw::DrawOwnerDrawn(item);
        ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, drawn);
        return drawn;
    }
    const bool selected = item->itemState & ODS_SELECTED;
    ::FillRect(item->hDC, &item->rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const auto colours = NamedColours();
    if (item->itemID < colours.size()) {
        const NamedColour& colour = colours[item->itemID];
        // A swatch a quarter of the entry's width, then the name.
        RECT swatch = item->rcItem;
        swatch.right = swatch.left + (swatch.right - swatch.left) / 4;
        ::InflateRect(&swatch, -2, -2);
        const fw::BrushHandle fill(::CreateSolidBrush(ColourRef(colour)));
        ::FillRect(item->hDC, &swatch, fill.Get());
        ::FrameRect(item->hDC, &swatch, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        RECT text = item->rcItem;
        text.left = swatch.right + 6;
        ::SetBkMode(item->hDC, TRANSPARENT);
        ::SetTextColor(item->hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::DrawTextA(item->hDC, colour.name, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (item->itemState & ODS_FOCUS) ::DrawFocusRect(item->hDC, &item->rcItem);
    ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, TRUE);
    return TRUE;
}

void SystemColorsDialog::OnApply() {
    const int elementIndex = static_cast<int>(::SendMessageA(Item(IDC_COLORS_ELEMENT), CB_GETCURSEL, 0, 0));
    const int colourIndex = static_cast<int>(::SendMessageA(Item(IDC_COLORS_COLOUR), CB_GETCURSEL, 0, 0));
    const auto elements = ScreenElements();
    const auto colours = NamedColours();
    if (elementIndex < 0 || elementIndex >= static_cast<int>(elements.size()) || colourIndex < 0 ||
        colourIndex >= static_cast<int>(colours.size())) {
        return;
    }
    const ScreenElement& element = elements[elementIndex];
    const NamedColour& colour = colours[colourIndex];
    fw::RegKey key;
    bool done = key.Create(HKEY_CURRENT_USER, "Control Panel\\Colors", KEY_ALL_ACCESS) == ERROR_SUCCESS;
    if (done) {
        const int index = element.colorIndex;
        const COLORREF value = ColourRef(colour);
        const std::string text = SavedColourText(colour);
        done = ::SetSysColors(1, &index, &value) != FALSE;
        done = writeValue_(key.Get(), element.valueName, text) && done;
        // The button face is read back from its own value at logon.
        if (index == COLOR_BTNFACE) done = writeValue_(key.Get(), "ButtonFace", text) && done;
        ::Sleep(100);
    }
    if (!done) {
        ShowMessage({.owner = Hwnd(), .text = "Error !\r\nThe color can't be changed.", .icon = MB_ICONEXCLAMATION});
        return;
    }
    ShowMessage({.owner = Hwnd(), .text = fw::Format(element.confirmation, colour.name), .icon = MB_ICONINFORMATION});
}

void SystemColorsDialog::OnHelp() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    ShowMessage({.owner = ::GetWindow(Hwnd(), GW_OWNER), .text = kHelpText, .caption = "Help",
                 .icon = MB_ICONINFORMATION});
    ::ShowWindow(Hwnd(), SW_SHOW);
}

}  // namespace ovix
