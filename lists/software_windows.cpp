#include "lists/software_windows.h"

#include "app/launcher.h"
#include "framework/library.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/software_text.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr char kKnowledgeBase[] = "https://support.microsoft.com/kb/";

constexpr ListColumn kSoftwareColumns[] = {{"Name", 4},         {"Version", 8},         {"Publisher", 6},
                                           {"Size", 10},        {"Install Date", 7},    {"URL Info/About", 5},
                                           {"Uninstall Command", 3}};
const std::string kSoftwareLabels[] = {"Name", "Version", "Publisher", "Size", "Install date", "URL Info/About",
                                       "Uninstall path"};
constexpr ListMenuItem kSoftwareMenu[] = {
    {nullptr, 1079, "Google"},
    {nullptr, 1165, "Check Updates"},
    {nullptr, 1164, "Delete"},
    {"Copy to clipboard", 1128, "Selected line"},
    {"Copy to clipboard", 1129, "All"},
    {nullptr, 1177, "Refresh list  (F5)"},
    {nullptr, 1, "Close this window"},
};
constexpr UINT kSoftwareNeedsRow[] = {1079, 1165, 1164, 1128, 1129, 1177};

// "Description" is W / 2.5: five columns of W / 2 each take 2.
constexpr ListColumn kHotfixColumns[] = {{"Name", 7}, {"Description", 0},  {"Installed By", 7},
                                         {"Installed Date", 7}, {"Type", 11}, {"Uninstall Path", 2}};
const std::string kHotfixLabels[] = {"Name", "Description", "Installed by", "Installed date", "Type",
                                     "Uninstall command"};
constexpr ListMenuItem kHotfixMenu[] = {
    {nullptr, 1081, "Google"},
    {"Search informations on", 1132, "Microsoft help and support"},
    {"Copy to clipboard", 1105, "Selected line"},
    {"Copy to clipboard", 1092, "All"},
    {nullptr, 1082, "Delete"},
    {nullptr, 1, "Close this window"},
};
constexpr UINT kHotfixNeedsRow[] = {1081, 1132, 1105, 1092, 1082};

// Icon 1502 of the system's appwiz.cpl, else our own 1138.
fw::IconHandle ProgramIcon() {
    HICON icon = nullptr;
    const std::string applet = fw::SystemFolder() + "\\appwiz.cpl";
    if (::ExtractIconExA(applet.c_str(), -1502, nullptr, &icon, 1) == 1 && icon) return fw::IconHandle(icon);
    return fw::LoadIconResource(IDI_TREE_PUZZLE, 16);
}

}  // namespace

CSoftware::CSoftware() : MappedDialog(IDD_SOFTWARE) {}

const CSoftware::Map& CSoftware::MessageMap() {
    static const Map::Command commands[] = {
        {IDC_AUTORUN, &CSoftware::OnToggle},  {1079, &CSoftware::OnSearch},   {1165, &CSoftware::OnCheckUpdates},
        {1164, &CSoftware::OnUninstall},      {1128, &CSoftware::OnCopyLine}, {1129, &CSoftware::OnCopyAll},
        {1177, &CSoftware::Refresh},
    };
    static const Map map{{}, commands};
    return map;
}

BOOL CSoftware::OnInitDialog() {
    list_.Attach(Hwnd(), {IDC_SOFTWARE_LIST, kSoftwareColumns, kSoftwareLabels, 0, true});
    entries_ = ReadSoftwareInventory();
    Fill();
    return TRUE;
}

void CSoftware::OnDestroy() { list_.Detach(); }

void CSoftware::Refresh() {
    entries_ = ReadSoftwareInventory();
    Fill();
}

void CSoftware::Fill() {
    const ListPane::FillScope quiet(list_);
    list_.Clear();
    const fw::IconHandle icon = ProgramIcon();
    const int image = list_.AddImage(icon.Get());
    for (size_t i = 0; i < entries_.size(); ++i) {
        const SoftwareEntry& entry = entries_[i];
        if (hideHotfixes_ && IsHotfixLike(entry.name)) continue;
        list_.AddRow({entry.name, entry.version, entry.publisher, entry.size, entry.installDate, entry.url,
                      entry.uninstall},
                     image, static_cast<LPARAM>(i));
    }
    ::SetWindowTextA(Hwnd(), fw::Format(hideHotfixes_ ? "%i installed softwares without XP Hot-fix"
                                                      : "%i installed softwares",
                                        list_.RowCount())
                                 .c_str());
    SetItemText(IDC_AUTORUN, hideHotfixes_ ? "Show XP Hotfix" : "Hide XP Hotfix");
    toggle_.SetIcon(Item(IDC_AUTORUN), hideHotfixes_ ? IDI_TREE_SETTINGS : IDI_TREE_SCREEN_SAVER);
}

void CSoftware::OnToggle() {
    hideHotfixes_ = !hideHotfixes_;
    Fill();
}

void CSoftware::OnCheckUpdates() {
    const SoftwareEntry* entry = list_.SelectedEntry(entries_);
    if (entry && !entry->url.empty()) ShellOpen(entry->url, kShowNormal, Hwnd());
}

void CSoftware::OnUninstall() {
    const SoftwareEntry* entry = list_.SelectedEntry(entries_);
    if (entry && !entry->uninstall.empty()) CurrentLauncher().CommandLine(entry->uninstall, kShowDefault);
}

fw::MenuHandle CSoftware::ContextMenu() const {
    return BuildListMenu(kSoftwareMenu, list_.GreyedWithoutSelection(kSoftwareNeedsRow));
}

void CSoftware::ShowListMenu(HWND /*control*/, POINT at) { TrackListMenu(Hwnd(), ContextMenu(), at); }

CHotfix::CHotfix() : MappedDialog(IDD_HOTFIXES) {}

const CHotfix::Map& CHotfix::MessageMap() {
    static const Map::Command commands[] = {
        {1081, &CHotfix::OnSearch},   {1132, &CHotfix::OnKnowledgeBase}, {1105, &CHotfix::OnCopyLine},
        {1092, &CHotfix::OnCopyAll},  {1082, &CHotfix::OnUninstall},
    };
    static const Map map{{}, commands};
    return map;
}

BOOL CHotfix::OnInitDialog() {
    list_.Attach(Hwnd(), {IDC_HOTFIX_LIST, kHotfixColumns, kHotfixLabels, 1, true});
    ListView_SetExtendedListViewStyle(list_.List(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    RECT client{};
    ::GetClientRect(list_.List(), &client);
    ListView_SetColumnWidth(list_.List(), 1, client.right * 2 / 5);
    const HotfixInventory inventory = ReadHotfixInventory();
    entries_ = inventory.sp2;
    entries_.insert(entries_.end(), inventory.sp3.begin(), inventory.sp3.end());
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_PACKAGE, 16);
    const int image = list_.AddImage(icon.Get());
    const ListPane::FillScope quiet(list_);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const HotfixEntry& entry = entries_[i];
        list_.AddRow({entry.name, entry.description, entry.installedBy, entry.installedDate, entry.type,
                      entry.uninstallCommand},
                     image, static_cast<LPARAM>(i));
    }
    ::SetWindowTextA(Hwnd(), fw::Format("%i XP Hot-Fix installed", list_.RowCount()).c_str());
    return TRUE;
}

void CHotfix::OnDestroy() { list_.Detach(); }

void CHotfix::OnKnowledgeBase() {
    if (const HotfixEntry* entry = list_.SelectedEntry(entries_)) {
        ShellOpen(kKnowledgeBase + entry->name, kShowDefault, Hwnd());
    }
}

void CHotfix::OnUninstall() {
    const HotfixEntry* entry = list_.SelectedEntry(entries_);
    if (entry && !entry->uninstallCommand.empty()) ShellOpen(entry->uninstallCommand, kShowDefault, Hwnd());
}

fw::MenuHandle CHotfix::ContextMenu() const {
    return BuildListMenu(kHotfixMenu, list_.GreyedWithoutSelection(kHotfixNeedsRow));
}

void CHotfix::ShowListMenu(HWND /*control*/, POINT at) { TrackListMenu(Hwnd(), ContextMenu(), at); }

}  // namespace ovix
