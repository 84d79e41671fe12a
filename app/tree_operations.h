// What the user does with the information tree once it is built: open and
// close sections in bulk, copy it as indented text, tick lines.
#pragma once

#include "app/tree_text.h"
#include "framework/subclass.h"
#include "framework/win.h"

#include <string>
#include <vector>

namespace ovix {

// Closes everything, then opens the bold sections from the first root down,
// as far as a chain of bold sections reaches.
void ExpandMainSections(HWND tree);
// Opens every node that has children.
void ExpandAllSections(HWND tree);
// Closes "first" (the "Miscellaneous" section) and every later sibling with
// everything below; the root above them stays open.
void CollapseAllSections(HWND tree, HTREEITEM first);

// The tree's nodes from the first root, with their open state.
std::vector<TextTreeNode> ReadTree(HWND tree);
// The clipboard text of the tree (empty for an empty tree).
std::string TreeClipboardText(HWND tree, bool visibleOnly);
// Copies that text to the clipboard for the owner window. An empty tree, or a
// clipboard that cannot be opened, leaves the clipboard as it was (false).
bool CopyTree(HWND tree, HWND owner, bool visibleOnly);

// Image indexes of the options tree that carry a tick.
inline constexpr int kUntickedImage = 0;
inline constexpr int kTickedImage = 1;

// Swaps an unticked item to ticked and back (image and selected image);
// items with any other image are left alone. True when it swapped.
bool ToggleTick(HWND tree, HTREEITEM item);

// Ticks by mouse (a press on an item's icon, label, indent, right-of-label or
// state icon) and by the space key (the selected item), then lets the tree
// handle the press as usual. Takes over the tree's window procedure while
// attached and gives it back on Detach or destruction.
class TreeTicker {
public:
    TreeTicker() = default;
    ~TreeTicker() { Detach(); }
    TreeTicker(const TreeTicker&) = delete;
    TreeTicker& operator=(const TreeTicker&) = delete;

    bool Attach(HWND tree);
    void Detach();
    HWND Tree() const { return subclass_.Window(); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    fw::Subclass subclass_;
};

}  // namespace ovix
