// Reading a tree control back as the user sees it: each node's text, image,
// bold and expanded state, found by the path of texts from the root.
#pragma once

#include "framework/win.h"

#include <string>
#include <vector>

namespace test {

struct Node {
    HTREEITEM handle;
    std::string text;
    int image;
    bool bold;
    bool expanded;
};

inline std::vector<Node> Children(HWND tree, HTREEITEM parent) {
    std::vector<Node> nodes;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
        char text[512] = "";
        TVITEMA info{};
        info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        info.hItem = child;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        info.stateMask = TVIS_BOLD | TVIS_EXPANDED;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
        nodes.push_back({child, text, info.iImage, (info.state & TVIS_BOLD) != 0, (info.state & TVIS_EXPANDED) != 0});
    }
    return nodes;
}

inline std::vector<std::string> Texts(const std::vector<Node>& nodes) {
    std::vector<std::string> texts;
    for (const Node& node : nodes) texts.push_back(node.text);
    return texts;
}

// The nodes below the path of texts from the first top node (or below the
// top when the path is empty and root is null); none when a step is missing.
inline std::vector<Node> Under(HWND tree, const std::vector<std::string>& path, HTREEITEM root = TVI_ROOT) {
    HTREEITEM at = root == TVI_ROOT ? TreeView_GetRoot(tree) : root;
    for (const std::string& step : path) {
        HTREEITEM next = nullptr;
        for (const Node& node : Children(tree, at)) {
            if (node.text == step) next = node.handle;
        }
        if (!next) return {};
        at = next;
    }
    return Children(tree, at);
}

}  // namespace test
