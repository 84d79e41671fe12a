// What the system lists tests share: folders pointed at the test's own,
// files of a given size, the rows of a list and the clipboard's text.
#pragma once

#include "app/launch_commands.h"
#include "lists/list_viewer.h"

#include <shlobj.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct FakeFolders : ovix::FolderLocator {
    std::optional<std::string> WindowsFolder() override { return windows; }
    std::optional<std::string> SystemFolder() override { return system; }
    std::optional<std::string> SpecialFolder(int csidl) override {
        const auto found = special.find(csidl);
        return found == special.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::optional<std::string> windows, system;
    std::map<int, std::string> special;
};

inline void WriteBytes(const std::string& path, size_t count) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string bytes(count, 'x');
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

inline std::vector<std::vector<std::string>> Rows(const ovix::ListPane& list) {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < list.RowCount(); ++row) rows.push_back(list.Row(row));
    return rows;
}

inline int RowWith(const ovix::ListPane& list, int column, const std::string& text) {
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.Cell(row, column) == text) return row;
    }
    return -1;
}

inline void SelectRows(const ovix::ListPane& list, std::initializer_list<int> rows) {
    ListView_SetItemState(list.List(), -1, 0, LVIS_SELECTED);
    for (int row : rows) ListView_SetItemState(list.List(), row, LVIS_SELECTED, LVIS_SELECTED);
}

inline std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) text = bytes;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

}  // namespace test
