#include "app/tree_text.h"

namespace ovix {
namespace {

void Append(std::string& out, const std::vector<TextTreeNode>& siblings, bool visibleOnly, int depth) {
    for (const TextTreeNode& node : siblings) {
        for (int level = 0; level < depth; ++level) out += "   ";
        out += node.text;
        out += "\r\n";
        if (!node.children.empty() && (!visibleOnly || node.expanded)) {
            Append(out, node.children, visibleOnly, depth + 1);
        }
    }
}

}  // namespace

std::string TreeText(const std::vector<TextTreeNode>& siblings, bool visibleOnly, int depth) {
    std::string out;
    Append(out, siblings, visibleOnly, depth < 0 ? 0 : depth);
    return out;
}

}  // namespace ovix
