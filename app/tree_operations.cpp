#include "app/tree_operations.h"

#include "framework/clipboard.h"

namespace ovix {
namespace {

const char kTickerProperty[] = "OvixTreeTicker";

bool HasState(HWND tree, HTREEITEM item, UINT state) {
    return (TreeView_GetItemState(tree, item, state) & state) != 0;
}

// Each sibling from "first" on: its subtree first, then the node itself.
void CollapseSiblings(HWND tree, HTREEITEM first) {
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree, node)) {
        if (HTREEITEM child = TreeView_GetChild(tree, node)) {
            CollapseSiblings(tree, child);
            TreeView_Expand(tree, node, TVE_COLLAPSE);
        }
    }
}

void ExpandSiblings(HWND tree, HTREEITEM first, bool boldOnly) {
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree, node)) {
        HTREEITEM child = TreeView_GetChild(tree, node);
        if (!child) continue;
        if (boldOnly && !HasState(tree, node, TVIS_BOLD)) continue;
        TreeView_Expand(tree, node, TVE_EXPAND);
        ExpandSiblings(tree, child, boldOnly);
    }
}

std::string ItemText(HWND tree, HTREEITEM item) {
    // Tree items hold at most 260 characters of text; longer texts come back cut.
    char text[1024] = "";
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    if (!::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return {};
    text[sizeof(text) - 1] = '\0';
    // A control may hand back its own buffer instead of filling ours.
    return info.pszText ? std::string(info.pszText) : std::string();
}

std::vector<TextTreeNode> ReadSiblings(HWND tree, HTREEITEM first) {
    std::vector<TextTreeNode> nodes;
    for (HTREEITEM node = first; node; node = TreeView_GetNextSibling(tree, node)) {
        TextTreeNode read;
        read.text = ItemText(tree, node);
        read.expanded = HasState(tree, node, TVIS_EXPANDED);
        if (HTREEITEM child = TreeView_GetChild(tree, node)) read.children = ReadSiblings(tree, child);
        nodes.push_back(std::move(read));
    }
    return nodes;
}

}  // namespace

void ExpandMainSections(HWND tree) {
    HTREEITEM root = TreeView_GetRoot(tree);
    CollapseSiblings(tree, root);
    ExpandSiblings(tree, root, true);
}

void ExpandAllSections(HWND tree) { ExpandSiblings(tree, TreeView_GetRoot(tree), false); }

void CollapseAllSections(HWND tree, HTREEITEM first) {
    if (first) CollapseSiblings(tree, first);
}

std::vector<TextTreeNode> ReadTree(HWND tree) { return ReadSiblings(tree, TreeView_GetRoot(tree)); }

std::string TreeClipboardText(HWND tree, bool visibleOnly) { return TreeText(ReadTree(tree), visibleOnly); }

bool CopyTree(HWND tree, HWND owner, bool visibleOnly) {
    const std::string text = TreeClipboardText(tree, visibleOnly);
    if (text.empty()) return false;
    return fw::SetClipboardText(owner, text);
}

bool ToggleTick(HWND tree, HTREEITEM item) {
    if (!item) return false;
    TVITEMA info{};
    info.mask = TVIF_IMAGE | TVIF_HANDLE;
    info.hItem = item;
    if (!::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return false;
    int swapped;
    if (info.iImage == kUntickedImage) {
        swapped = kTickedImage;
    } else if (info.iImage == kTickedImage) {
        swapped = kUntickedImage;
    } else {
        return false;
    }
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    info.iImage = swapped;
    info.iSelectedImage = swapped;
    return ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool TreeTicker::Attach(HWND tree) {
    Detach();
    return subclass_.Install(tree, kTickerProperty, &TreeTicker::Procedure, this);
}

void TreeTicker::Detach() { subclass_.Remove(); }

LRESULT CALLBACK TreeTicker::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = fw::Subclass::OwnerOf<TreeTicker>(window, kTickerProperty);
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC original = self->subclass_.Original();
    switch (message) {
    case WM_LBUTTONDOWN: {
        TVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        HTREEITEM item = TreeView_HitTest(window, &hit);
        constexpr UINT kTickAreas =
            TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT | TVHT_ONITEMSTATEICON;
        if (item && (hit.flags & kTickAreas)) ToggleTick(window, item);
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) ToggleTick(window, TreeView_GetSelection(window));
        break;
    case WM_CHAR:
        // The space ticks; it is not the start of an incremental search.
        if (wParam == ' ') return 0;
        break;
    case WM_NCDESTROY:
        // The tree goes first: give its procedure back while it can still be called.
        self->Detach();
        break;
    default:
        break;
    }
    return ::CallWindowProcA(original, window, message, wParam, lParam);
}

}  // namespace ovix
