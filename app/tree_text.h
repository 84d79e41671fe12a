// The tree as the clipboard receives it: one line per node, three blanks per
// level, "\r\n" after every line. Plain nodes, so the layout is checked
// without a tree control.
#pragma once

#include <string>
#include <vector>

namespace ovix {

struct TextTreeNode {
    std::string text;
    bool expanded = false;
    std::vector<TextTreeNode> children;
};

// The siblings in order, each followed by its children when it has some and
// either every node is wanted or the node is open.
std::string TreeText(const std::vector<TextTreeNode>& siblings, bool visibleOnly, int depth = 0);

}  // namespace ovix
