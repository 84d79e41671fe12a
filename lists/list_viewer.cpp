#include "lists/list_viewer.h"

#include "app/launcher.h"
#include "framework/clipboard.h"
#include "lists/list_text.h"

#include <algorithm>
#include <map>

namespace ovix {

void ListPane::Attach(HWND dialog, const ListSpec& spec) {
    dialog_ = dialog;
    list_ = ::GetDlgItem(dialog, spec.listId);
    spec_ = spec;
    ListView_SetExtendedListViewStyle(list_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ListView_SetBkColor(list_, ::GetSysColor(spec.background));
    ListView_SetTextBkColor(list_, ::GetSysColor(spec.background));
    ListView_SetTextColor(list_, ::GetSysColor(COLOR_WINDOWTEXT));
    images_.Reset(ImageList_Create(16, 16, ILC_COLOR16 | ILC_MASK, 16, 16));
    ListView_SetImageList(list_, images_.Get(), LVSIL_SMALL);
    RECT client{};
    ::GetClientRect(list_, &client);
    for (size_t i = 0; i < spec.columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = client.right / std::max(1, spec.columns[i].divisor);
        column.pszText = const_cast<char*>(spec.columns[i].title);
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ListPane::Detach() {
    if (list_) ListView_SetImageList(list_, nullptr, LVSIL_SMALL);
    images_.Reset();
    list_ = nullptr;
}

void ListPane::Clear() {
    ListView_DeleteAllItems(list_);
    ImageList_RemoveAll(images_.Get());
}

int ListPane::AddImage(HICON icon) { return icon ? ImageList_AddIcon(images_.Get(), icon) : -1; }

int ListPane::AddRow(const std::vector<std::string>& cells, HICON icon) { return AddRow(cells, AddImage(icon)); }

int ListPane::AddRow(const std::vector<std::string>& cells, int imageIndex, LPARAM data) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = RowCount();
    item.iImage = imageIndex;
    item.lParam = data;
    item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
    const int row = static_cast<int>(::SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    for (size_t i = 1; i < cells.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i);
        sub.pszText = const_cast<char*>(cells[i].c_str());
        ::SendMessageA(list_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

LPARAM ListPane::RowData(int row) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ::SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : -1;
}

int ListPane::RowCount() const { return ListView_GetItemCount(list_); }

int ListPane::SelectedRow() const { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }

std::vector<int> ListPane::SelectedRows() const {
    std::vector<int> rows;
    for (int row = SelectedRow(); row >= 0; row = ListView_GetNextItem(list_, row, LVNI_SELECTED)) rows.push_back(row);
    return rows;
}

std::string ListPane::Cell(int row, int column) const {
    // The cell's length is not asked for: grow until the text fits.
    for (size_t size = 256;; size *= 4) {
        std::string text(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(size);
        const auto length =
            static_cast<size_t>(::SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size >= (1u << 20)) return text.substr(0, std::min(length, size - 1));
    }
}

std::vector<std::string> ListPane::Row(int row) const {
    std::vector<std::string> cells;
    for (size_t column = 0; column < spec_.columns.size(); ++column) {
        cells.push_back(Cell(row, static_cast<int>(column)));
    }
    return cells;
}

void ListPane::SearchSelected() const {
    for (const int row : SelectedRows()) {
        CurrentLauncher().ShellVerb(dialog_, "open", SearchAddress(Cell(row, spec_.searchColumn)), "", "",
                                    kShowDefault);
    }
}

bool ListPane::CopySelected() const {
    const int row = SelectedRow();
    if (row < 0) return false;
    return fw::SetClipboardText(dialog_, ListRecord(spec_.labels, Row(row)));
}

bool ListPane::CopyAll() const {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < RowCount(); ++row) rows.push_back(Row(row));
    return fw::SetClipboardText(dialog_, AllRecords(spec_.labels, rows, spec_.numbered));
}

void ListPane::ShowProperties(int pathColumn) const {
    for (const int row : SelectedRows()) {
        const std::string path = Cell(row, pathColumn);
        if (!path.empty()) CurrentLauncher().ShellVerb(::GetParent(dialog_), "properties", path, "", "", SW_SHOW);
    }
}

bool ListViewerDialog::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5 && HasRefresh() &&
        (message.hwnd == Hwnd() || ::IsChild(Hwnd(), message.hwnd))) {
        ::Sleep(350);
        Refresh();
        return true;
    }
    return fw::Dialog::PreTranslateMessage(message);
}

bool ListViewerDialog::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CONTEXTMENU) return fw::Dialog::Route(message, wParam, lParam, result);
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    HWND control = reinterpret_cast<HWND>(wParam);
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's corner
        at = {0, 0};
        ::ClientToScreen(control, &at);
    }
    ShowListMenu(control, at);
    result = 0;
    return true;
}

fw::MenuHandle BuildListMenu(std::span<const ListMenuItem> items, std::span<const UINT> greyed) {
    fw::MenuHandle menu(::CreatePopupMenu());
    if (!menu) return menu;
    std::map<std::string, HMENU> popups;
    for (const ListMenuItem& item : items) {
        HMENU into = menu.Get();
        if (item.popup) {
            HMENU& popup = popups[item.popup];
            if (!popup) {
                popup = ::CreatePopupMenu();  // owned by the menu once appended
                ::AppendMenuA(menu.Get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), item.popup);
            }
            into = popup;
        }
        if (!item.text) {
            ::AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const bool grey = std::find(greyed.begin(), greyed.end(), item.id) != greyed.end();
        ::AppendMenuA(into, MF_STRING | (grey ? MF_GRAYED : 0), item.id, item.text);
    }
    return menu;
}

void TrackListMenu(HWND owner, const fw::MenuHandle& menu, POINT at) {
    if (menu) ::TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

}  // namespace ovix
