#include "app/tree_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ovix::TextTreeNode;
using ovix::TreeText;

TextTreeNode Leaf(const std::string& text) { return {text, false, {}}; }
TextTreeNode Node(const std::string& text, bool expanded, std::vector<TextTreeNode> children) {
    return {text, expanded, std::move(children)};
}

// PC > Miscellaneous (open) > Identity (closed) > user; Operating system (closed) > version.
std::vector<TextTreeNode> Sample() {
    return {Node("PC", true,
                 {Node("Miscellaneous", true, {Node("Identity", false, {Leaf("User: me")}), Leaf("Winsock 2.2")}),
                  Node("Operating system", false, {Leaf("Version 5.1")})})};
}

TEST(TreeText, AllInformationsIndentsThreeBlanksPerLevel) {
    EXPECT_EQ(TreeText(Sample(), false),
              "PC\r\n"
              "   Miscellaneous\r\n"
              "      Identity\r\n"
              "         User: me\r\n"
              "      Winsock 2.2\r\n"
              "   Operating system\r\n"
              "      Version 5.1\r\n");
}

TEST(TreeText, VisibleOnlyStopsAtClosedNodes) {
    EXPECT_EQ(TreeText(Sample(), true),
              "PC\r\n"
              "   Miscellaneous\r\n"
              "      Identity\r\n"
              "      Winsock 2.2\r\n"
              "   Operating system\r\n");
}

TEST(TreeText, AClosedRootShowsAloneAndAnOpenLeafHasNothingBelow) {
    auto tree = Sample();
    tree[0].expanded = false;
    EXPECT_EQ(TreeText(tree, true), "PC\r\n");
    // The open flag of a node without children adds nothing.
    EXPECT_EQ(TreeText({Node("lonely", true, {})}, true), "lonely\r\n");
    EXPECT_EQ(TreeText({Node("lonely", true, {})}, false), "lonely\r\n");
}

TEST(TreeText, SeveralRootsAndAStartingDepth) {
    const std::vector<TextTreeNode> roots{Leaf("a"), Node("b", false, {Leaf("c")})};
    EXPECT_EQ(TreeText(roots, false), "a\r\nb\r\n   c\r\n");
    EXPECT_EQ(TreeText(roots, false, 2), "      a\r\n      b\r\n         c\r\n");
    EXPECT_EQ(TreeText(roots, false, -3), TreeText(roots, false)) << "a negative depth counts as 0";
}

TEST(TreeText, EmptyTreeAndEmptyTextsKeepTheirLines) {
    EXPECT_EQ(TreeText({}, false), "");
    EXPECT_EQ(TreeText({}, true), "");
    // An empty label still takes its line, so the levels below stay in place.
    EXPECT_EQ(TreeText({Node("", true, {Leaf("x")})}, true), "\r\n   x\r\n");
}

TEST(TreeText, BytesOfTheCodePageAndLongTextsPassUnchanged) {
    const std::string text = "Caf\xE9 \xAE \xB0" + std::string(5000, 'x');
    EXPECT_EQ(TreeText({Node("r", true, {Leaf(text)})}, true), "r\r\n   " + text + "\r\n");
}

TEST(TreeText, DeepChainIsIndentedByItsLevel) {
    TextTreeNode deep = Leaf("bottom");
    for (int level = 0; level < 50; ++level) deep = Node("n", true, {deep});
    const std::string text = TreeText({deep}, true);
    const std::string lastLine = std::string(150, ' ') + "bottom\r\n";
    ASSERT_GE(text.size(), lastLine.size());
    EXPECT_EQ(text.substr(text.size() - lastLine.size()), lastLine);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 51);
}

}  // namespace
