// The base of the lists with one list view: the pane attached and filled when
// the window opens, the frame's commands (web search, copy, properties) bound
// to the ids each list gives, and its context menu from a table.
#pragma once

#include "lists/list_viewer.h"

#include <span>
#include <string>

namespace ovix {

// The ids of the frame's commands in one list's menu; 0: not offered.
struct FrameCommands {
    UINT search = 0;
    UINT copyLine = 0;
    UINT copyAll = 0;
    UINT properties = 0;
    int propertiesColumn = 0;  // the cell that holds the file's path
};

class SimpleList : public ListViewerDialog {
public:
    const ListPane& List() const { return list_; }
    // The right-click menu as it stands.
    virtual fw::MenuHandle ContextMenu() const { return menu_.empty() ? fw::MenuHandle() : BuildListMenu(menu_); }
    std::string Caption() const { return fw::WindowText(Hwnd()); }

protected:
    SimpleList(UINT templateId, const ListSpec& spec, std::span<const ListMenuItem> menu, FrameCommands commands)
        : ListViewerDialog(templateId), spec_(spec), menu_(menu), commands_(commands) {}

    // The first fill, when the window opens.
    virtual void Fill() = 0;
    // A command of the list's own; true when handled.
    virtual bool OnAction(UINT /*id*/) { return false; }
    // Extended styles other than grid lines and full-row selection.
    virtual DWORD ListStyles() const { return LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT; }

    BOOL OnInitDialog() override;
    void OnDestroy() override { list_.Detach(); }
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void ShowListMenu(HWND control, POINT at) override;
    void SetCaption(const std::string& caption) { ::SetWindowTextA(Hwnd(), caption.c_str()); }

    ListPane list_;

private:
    ListSpec spec_;
    std::span<const ListMenuItem> menu_;
    FrameCommands commands_;
};

}  // namespace ovix
