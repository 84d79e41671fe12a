#include "tools/shortcut_dialog.h"

#include "app/common_dialogs.h"
#include "app/message_boxes.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "resources/resource_ids.h"
#include "tools/shell_link.h"

#include <shlobj.h>

namespace ovix {
namespace {

constexpr COLORREF kBackground = RGB(255, 250, 250);
constexpr COLORREF kGroupText = RGB(72, 61, 139);

struct LocationRow {
    const char* text;
    int folderId;  // -1: the recent documents
    const char* done;
};
constexpr LocationRow kLocations[] = {
    {"On Start Menu", CSIDL_STARTMENU, "Shortcut correctly created on Start menu."},
    {"On Desktop", CSIDL_DESKTOP, "Shortcut correctly created on the desktop."},
    {"On Programs menu", CSIDL_PROGRAMS, "Shortcut correctly created on Programs menu."},
    {"On my Documents folder", CSIDL_PERSONAL, "Shortcut correctly created on personal folder."},
    {"On my recent documents folder", -1, "Shortcut correctly created on \"My recents documents\" folder."},
};

}  // namespace

CShortcutCreator::CShortcutCreator() : MappedDialog(IDD_SHORTCUT) {}

CShortcutCreator::~CShortcutCreator() = default;

const CShortcutCreator::Map& CShortcutCreator::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CTLCOLORSTATIC, &CShortcutCreator::OnCtlColor},
        {WM_CTLCOLORDLG, &CShortcutCreator::OnCtlColor},
    };
    static const Map::Command commands[] = {
        {IDC_SHORTCUT_BROWSE, &CShortcutCreator::OnBrowse},
        {IDC_SHORTCUT_CREATE, &CShortcutCreator::OnCreate},
        {IDC_SHORTCUT_LOCATION, &CShortcutCreator::OnLocationChanged},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL CShortcutCreator::OnInitDialog() {
    background_.Reset(::CreateSolidBrush(kBackground));
    group_.Attach(Item(IDC_SHORTCUT_GROUP), "Comic Sans MS", 20, true, kGroupText, kBackground);
    instructionFont_ = fw::BoldTahoma(12);
    ::SendMessageA(Item(IDC_SHORTCUT_INSTRUCTIONS), WM_SETFONT, reinterpret_cast<WPARAM>(instructionFont_.Get()), FALSE);
    SetItemText(IDC_SHORTCUT_INSTRUCTIONS,
                "1. Select your shortcut's location (desktop, start menu...).\n2. Select your target's path...choose a "
                "name and a description for your shortcut.\n3. Create.");
    SetItemText(IDC_SHORTCUT_TARGET, kTargetHint);
    SetItemText(IDC_SHORTCUT_NAME, kNameHint);
    SetItemText(IDC_SHORTCUT_DESCRIPTION, kDescriptionHint);
    browseButton_.SetIcon(Item(IDC_SHORTCUT_BROWSE), IDI_TREE_FOLDER);
    createButton_.SetIcon(Item(IDC_SHORTCUT_CREATE), IDI_TREE_STAR);
    closeButton_.SetIcon(Item(IDCANCEL), IDI_EXIT);

    // Every location with the same small icon.
    locationIcons_.Reset(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    if (locationIcons_) {
        const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_PROGRAM, 16);
        ::ImageList_AddIcon(locationIcons_.Get(), icon.Get());
    }
    HWND list = Item(IDC_SHORTCUT_LOCATION);
    ::SendMessageA(list, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(locationIcons_.Get()));
    for (const LocationRow& row : kLocations) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<char*>(row.text);
        ::SendMessageA(list, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(ShortcutLocation::Desktop), 0);
    OnLocationChanged();
    return TRUE;
}

void CShortcutCreator::OnDestroy() {
    group_.Detach();
    ::SendMessageA(Item(IDC_SHORTCUT_LOCATION), CBEM_SETIMAGELIST, 0, 0);
    ::SendMessageA(Item(IDC_SHORTCUT_INSTRUCTIONS), WM_SETFONT, 0, FALSE);
}

LRESULT CShortcutCreator::OnCtlColor(WPARAM wParam, LPARAM) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, kBackground);
    return reinterpret_cast<LRESULT>(background_.Get());
}

int CShortcutCreator::SelectedLocation() const {
    return static_cast<int>(::SendMessageA(Item(IDC_SHORTCUT_LOCATION), CB_GETCURSEL, 0, 0));
}

void CShortcutCreator::OnLocationChanged() {
    const int show = SelectedLocation() == static_cast<int>(ShortcutLocation::RecentDocuments) ? SW_HIDE : SW_SHOW;
    ::ShowWindow(Item(IDC_SHORTCUT_NAME), show);
    ::ShowWindow(Item(IDC_SHORTCUT_DESCRIPTION), show);
}

void CShortcutCreator::OnBrowse() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    const auto chosen = CurrentCommonDialogs().OpenFile(
        {.owner = nullptr, .filter = "*.All extensions|*.*", .defaultExtension = "", .title = "Select your target...",
         .initialName = ""});
    if (chosen) SetItemText(IDC_SHORTCUT_TARGET, *chosen);
    ::ShowWindow(Hwnd(), SW_SHOW);
}

void CShortcutCreator::OnCreate() {
    const int index = SelectedLocation();
    if (index < 0 || index >= static_cast<int>(std::size(kLocations))) return;
    const std::string target = ItemText(IDC_SHORTCUT_TARGET);
    const std::string name = ItemText(IDC_SHORTCUT_NAME), description = ItemText(IDC_SHORTCUT_DESCRIPTION);
    const LocationRow& row = kLocations[index];
    // The hint left in place, or no path at all, is no target.
    bool made = target != kTargetHint && target.find_first_not_of(" \t") != std::string::npos;
    if (made && row.folderId < 0) {
        ::SHAddToRecentDocs(SHARD_PATHA, target.c_str());
    } else if (made) {
        made = MakeShellLink().Create(target, name, row.folderId, description, "", 0);
    }
    if (!made) {
        ShowMessage({.owner = Hwnd(), .text = kShortcutFailed, .icon = MB_ICONERROR});
        return;
    }
    ShowMessage({.owner = Hwnd(),
                 .text = fw::Format("Target's path: \"%s\".\nName: %s\nDescription: %s\n\n%s", target.c_str(),
                                    name.c_str(), description.c_str(), row.done),
                 .caption = "",
                 .icon = MB_ICONINFORMATION});
}

}  // namespace ovix
