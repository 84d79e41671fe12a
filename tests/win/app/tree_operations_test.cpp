#include "app/main_window.h"
#include "app/tree_operations.h"
#include "framework/clipboard.h"
#include "framework/handles.h"
#include "probes/information_tree.h"
#include "probes/tree_image_list.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace {

// What the clipboard holds as CF_TEXT, or "<none>".
std::string ClipboardText() {
    if (!::OpenClipboard(nullptr)) return "<closed>";
    const HANDLE data = ::GetClipboardData(CF_TEXT);
    const char* bytes = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
    const std::string text = bytes ? bytes : "<none>";
    if (bytes) ::GlobalUnlock(data);
    ::CloseClipboard();
    return text;
}

int ItemImage(HWND tree, HTREEITEM item) {
    TVITEMA info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    info.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, info.iSelectedImage) << "image and selected image move together";
    return info.iImage;
}

bool Expanded(HWND tree, HTREEITEM item) { return TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED; }

// A tree shaped like the information tree: bold main sections down to the fifth level, plain sub-sections,
// the ticked "e-Mail" section, a bold leaf, a byte above 0x7F.
struct KnownTree {
    KnownTree() {
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_HASBUTTONS | TVS_HASLINES |
                                                           TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                  10, 10, 400, 600, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        images_ = ovix::BuildTreeImageList();
        TreeView_SetImageList(tree_, images_.Get(), TVSIL_NORMAL);
        ovix::TreeWriter w(tree_);
        root = w.Root("PC", 53, true);
        misc = w.Section(root, "Miscellaneous", 68, true);
        identity = w.Section(misc, "Identity", 8, false);
        user = w.Item(identity, "User: tester");
        email = w.Section(w.Section(misc, "Others", 71, true), "e-Mail", 1, true);
        w.Item(email, "Client: none");
        HTREEITEM os = w.Section(root, "Operating system", 37, true);
        w.Item(os, "Trademark: W\xAE");
        HTREEITEM windows = w.Section(w.Section(os, "Details", 45, true), "Windows Directory", 28, false);
        w.Item(w.Section(windows, "Date", 24, false), "Created: today");
        w.Item(w.Section(root, "CD/DVD", 52, true), "D:", 52, true);
        for (HTREEITEM open : {root, misc, os}) TreeView_Expand(tree_, open, TVE_EXPAND);  // as the build leaves it
        ::ShowWindow(tree_, SW_SHOWNOACTIVATE);
        test::Pump();
    }
    ~KnownTree() { ::DestroyWindow(tree_); }

    HWND Hwnd() const { return tree_; }
    // Copies through the clipboard, as the commands do.
    std::string Copy(bool visibleOnly) const {
        EXPECT_TRUE(ovix::CopyTree(tree_, tree_, visibleOnly));
        return ClipboardText();
    }

    HTREEITEM root = nullptr, misc = nullptr, identity = nullptr, user = nullptr, email = nullptr;
    HWND tree_ = nullptr;
    fw::ImageListHandle images_;
};

// The clipboard text of a tree: one line per item, three blanks per level.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

const std::string kAll = Lines({"PC", "   Miscellaneous", "      Identity", "         User: tester", "      Others",
                                "         e-Mail", "            Client: none", "   Operating system",
                                "      Trademark: W\xAE", "      Details", "         Windows Directory",
                                "            Date", "               Created: today", "   CD/DVD", "      D:"});
const std::string kAtStart = Lines({"PC", "   Miscellaneous", "      Identity", "      Others", "   Operating system",
                                    "      Trademark: W\xAE", "      Details", "   CD/DVD"});
const std::string kAfterExpandMain = Lines({"PC", "   Miscellaneous", "      Identity", "      Others",
                                            "         e-Mail", "            Client: none", "   Operating system",
                                            "      Trademark: W\xAE", "      Details", "         Windows Directory",
                                            "   CD/DVD", "      D:"});

TEST(TreeOperations, ClipboardTextAfterEachCommandButNotFromAnEmptyTreeOrIntoABusyClipboard) {
    KnownTree tree;
    EXPECT_EQ(tree.Copy(true), kAtStart);
    EXPECT_EQ(tree.Copy(false), kAll);

    ovix::ExpandAllSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAll);
    ovix::CollapseAllSections(tree.Hwnd(), tree.misc);
    EXPECT_EQ(tree.Copy(true), Lines({"PC", "   Miscellaneous", "   Operating system", "   CD/DVD"}));
    EXPECT_EQ(tree.Copy(false), kAll) << "all informations whatever is open";
    // The root stays open; below, everything is closed, not only hidden.
    EXPECT_TRUE(Expanded(tree.Hwnd(), tree.root));
    for (HTREEITEM closed : {tree.identity, tree.email}) EXPECT_FALSE(Expanded(tree.Hwnd(), closed));

    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAfterExpandMain);
    // From everything open, the main sections close what is not on a bold chain.
    ovix::ExpandAllSections(tree.Hwnd());
    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAfterExpandMain);

    // An empty tree or a busy clipboard leaves the clipboard as it was.
    ASSERT_TRUE(fw::SetClipboardText(nullptr, "kept"));
    HWND empty = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 99, 99, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(ovix::CopyTree(empty, empty, false));
    ovix::ExpandMainSections(empty);  // nothing to walk: no harm
    ::DestroyWindow(empty);
    EXPECT_EQ(ClipboardText(), "kept");
    const long blocks = fw::LiveCount(fw::ResourceKind::GlobalMemory);
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(other));  // another window holds the clipboard open
    EXPECT_FALSE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), false));
    ::CloseClipboard();
    ::DestroyWindow(other);
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::GlobalMemory), blocks) << "the unused block was freed";
    // Once the clipboard is free the copy works, and the block is the clipboard's.
    EXPECT_EQ(tree.Copy(false), kAll);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::GlobalMemory), blocks);
}

// A press (down and up, posted, as the mouse delivers them) at a point of the tree.
void Click(HWND tree, POINT at) {
    ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    test::Pump();
}

RECT Label(HWND tree, HTREEITEM item) {
    RECT rect{};
    EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE));
    return rect;
}

POINT LabelCentre(HWND tree, HTREEITEM item) {
    const RECT r = Label(tree, item);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(TreeTicking, ClicksAndTheSpaceKeySwapTicksOnlyAndDetachGivesTheProcedureBack) {
    KnownTree tree;
    HWND h = tree.Hwnd();
    const LONG_PTR own = ::GetWindowLongPtrA(h, GWLP_WNDPROC);
    auto ticker = std::make_unique<ovix::TreeTicker>();
    ASSERT_TRUE(ticker->Attach(h));
    ovix::ExpandAllSections(h);

    Click(h, LabelCentre(h, tree.user));
    EXPECT_EQ(ItemImage(h, tree.user), 1);
    EXPECT_EQ(TreeView_GetSelection(h), tree.user) << "the press still selects";
    const RECT label = Label(h, tree.user);
    const int middle = (label.top + label.bottom) / 2;
    Click(h, {label.left - 4, middle});  // the icon, just left of the label
    EXPECT_EQ(ItemImage(h, tree.user), 0);
    Click(h, {label.right + 20, middle});  // right of the label
    EXPECT_EQ(ItemImage(h, tree.user), 1);
    RECT client{};
    ::GetClientRect(h, &client);
    Click(h, {5, client.bottom - 3});  // below the last item: nothing is hit
    EXPECT_EQ(ItemImage(h, tree.user), 1);

    // The ticked "e-Mail" section swaps to unticked; other images are no ticks.
    Click(h, LabelCentre(h, tree.email));
    EXPECT_EQ(ItemImage(h, tree.email), 0);
    Click(h, LabelCentre(h, tree.identity));
    EXPECT_EQ(ItemImage(h, tree.identity), 8);

    // The space toggles the selected item, and types nothing into a search.
    TreeView_SelectItem(h, tree.user);
    for (UINT message : {WM_KEYDOWN, WM_CHAR, WM_KEYUP}) ::PostMessageA(h, message, VK_SPACE, 0);  // ' ' too
    test::Pump();
    EXPECT_EQ(ItemImage(h, tree.user), 0);
    EXPECT_EQ(TreeView_GetSelection(h), tree.user);
    EXPECT_EQ(ovix::TreeClipboardText(h, false), kAll) << "ticks are not part of the text";

    // Detached, the tree has its own procedure back.
    EXPECT_FALSE(ovix::TreeTicker().Attach(h)) << "one ticker per tree";
    ticker = std::make_unique<ovix::TreeTicker>();
    EXPECT_EQ(::GetWindowLongPtrA(h, GWLP_WNDPROC), own);
    // A tree destroyed while attached leaves nothing behind to call.
    HWND doomed = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(ticker->Attach(doomed));
    ::DestroyWindow(doomed);
    EXPECT_EQ(ticker->Tree(), nullptr);
}

// Records where the context menu opened, then closes it with Escape.
struct MenuProbe {
    static inline RECT shownAt{};
    static inline HWND owner = nullptr;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = ::FindWindowA("#32768", nullptr);
        if (!menu) return;
        ::KillTimer(nullptr, id);
        ::GetWindowRect(menu, &shownAt);
        ::PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    // Sends the request; returns where the menu showed, once it is closed.
    static std::pair<LONG, LONG> Open(HWND window, LPARAM at) {
        shownAt = {};
        owner = window;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &MenuProbe::OnTimer);
        ::SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), at);
        ::KillTimer(nullptr, timer);
        test::Pump();
        return {shownAt.left, shownAt.top};
    }
};

// The main window with its real tree: the context menu opens where the mouse is, or from the keyboard at the
// selected item, else at the tree's corner; the tree ticks.
TEST(TreeCommands, ContextMenuAndTicksOfTheMainWindow) {
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptionsWithTree()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    ::ShowWindow(window.Hwnd(), SW_SHOW);
    test::Pump();
    HWND tree = window.Tree();
    RECT box{};
    ::GetWindowRect(tree, &box);
    EXPECT_EQ(MenuProbe::Open(window.Hwnd(), MAKELPARAM(box.left + 40, box.top + 30)),
              std::make_pair(box.left + 40, box.top + 30));
    HTREEITEM misc = window.InfoTree().miscellaneous;
    TreeView_SelectItem(tree, misc);
    POINT below{Label(tree, misc).left, Label(tree, misc).bottom}, corner{0, 0};
    ::ClientToScreen(tree, &below);
    ::ClientToScreen(tree, &corner);
    EXPECT_EQ(MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1)), std::make_pair(below.x, below.y));
    TreeView_SelectItem(tree, nullptr);
    EXPECT_EQ(MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1)), std::make_pair(corner.x, corner.y));

    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_ALL, 0);
    HTREEITEM line = TreeView_GetChild(tree, TreeView_GetChild(tree, misc));
    ASSERT_NE(line, nullptr);
    TreeView_EnsureVisible(tree, line);
    const int image = ItemImage(tree, line);
    ASSERT_TRUE(image == 0 || image == 1);
    Click(tree, LabelCentre(tree, line));
    EXPECT_EQ(ItemImage(tree, line), 1 - image);
}

}  // namespace
