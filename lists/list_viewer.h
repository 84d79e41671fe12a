// The frame of every list window: report-style list views (one or more per
// window) with a small-icon image list, columns as fractions of the width,
// rows appended as the source gives them, and the common actions: web search
// on a column, copy one record or all of them, the shell's property sheet of
// a path cell, and a context menu built from a table.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"

#include <span>
#include <string>
#include <vector>

namespace ovix {

struct ListColumn {
    const char* title;
    int divisor;  // the width is the list's client width divided by this
};

struct ListSpec {
    int listId;
    std::span<const ListColumn> columns;
    std::span<const std::string> labels;  // of the text record, one per column
    int searchColumn;
    bool numbered;  // "All" puts "n\xB0: <i>" before each record
    int background = COLOR_WINDOW;
};

// One list view of a window.
class ListPane {
public:
    void Attach(HWND dialog, const ListSpec& spec);
    void Detach();
    HWND List() const { return list_; }

    // Empties the rows and the image list.
    void Clear();

    // For the span of a fill: the list does not repaint after every row.
    class FillScope {
    public:
        explicit FillScope(const ListPane& pane) : list_(pane.List()) { ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0); }
        ~FillScope() {
            ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
            ::InvalidateRect(list_, nullptr, TRUE);
        }
        FillScope(const FillScope&) = delete;
        FillScope& operator=(const FillScope&) = delete;

    private:
        HWND list_;
    };
    // Appends a row (a sorted list places it) with its icon (null: none; the
    // pane keeps a copy) and returns where it went.
    int AddRow(const std::vector<std::string>& cells, HICON icon);
    // `data` stays with the row (the entry it shows, in sorted or filtered lists).
    int AddRow(const std::vector<std::string>& cells, int imageIndex, LPARAM data = 0);
    LPARAM RowData(int row) const;
    // The entry whose index the selected row holds, or null.
    template <class T>
    const T* SelectedEntry(const std::vector<T>& entries) const {
        const int row = SelectedRow();
        const LPARAM index = row < 0 ? -1 : RowData(row);
        return index >= 0 && static_cast<size_t>(index) < entries.size() ? &entries[index] : nullptr;
    }
    int AddImage(HICON icon);
    int RowCount() const;
    int SelectedRow() const;  // -1 when none
    std::vector<int> SelectedRows() const;  // in the list's order
    // The menu ids to grey: those that need a row, while none is selected.
    std::span<const UINT> GreyedWithoutSelection(std::span<const UINT> needRow) const {
        return SelectedRow() < 0 ? needRow : std::span<const UINT>();
    }
    std::string Cell(int row, int column) const;
    std::vector<std::string> Row(int row) const;

    void SearchSelected() const;
    // The selected row's record (nothing without a selection) or every row's, on the clipboard.
    bool CopySelected() const;
    bool CopyAll() const;
    // The shell's property sheet of the selected row's file; an empty cell opens nothing.
    void ShowProperties(int pathColumn) const;

private:
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
    ListSpec spec_{};
    fw::ImageListHandle images_;
};

// The base of the list windows: F5 waits 350 ms and refreshes (caught before
// the list sees the key, through the dialogs' own message loop), and a right
// click opens the menu of the list under it.
class ListViewerDialog : public fw::Dialog {
public:
    using fw::Dialog::Dialog;
    bool PreTranslateMessage(MSG& message) override;

protected:
    // The list's whole refill; lists without a refresh leave it empty.
    virtual void Refresh() {}
    virtual bool HasRefresh() const { return false; }
    // The menu for the control under the click (`at` in screen points).
    virtual void ShowListMenu(HWND control, POINT at) = 0;
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A context-menu entry: in a titled sub-menu when `popup` is set. Items with
// the same popup title share one sub-menu, placed where the first appears.
// An item without text is a separator.
struct ListMenuItem {
    const char* popup;
    UINT id;
    const char* text;
};

// The menu as the table says; ids in `greyed` are greyed.
fw::MenuHandle BuildListMenu(std::span<const ListMenuItem> items, std::span<const UINT> greyed = {});
// Tracks it at the screen point; the chosen command arrives as WM_COMMAND like any other.
void TrackListMenu(HWND owner, const fw::MenuHandle& menu, POINT at);
inline void TrackListMenu(HWND owner, std::span<const ListMenuItem> items, POINT at,
                          std::span<const UINT> greyed = {}) {
    TrackListMenu(owner, BuildListMenu(items, greyed), at);
}

}  // namespace ovix
