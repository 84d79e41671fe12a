#include "app/main_window.h"
#include "app/tree_operations.h"
#include "framework/clipboard.h"
#include "framework/handles.h"
#include "probes/information_tree.h"
#include "probes/tree_image_list.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the clipboard holds as CF_TEXT, or "<none>".
std::string ClipboardText() {
    if (!::OpenClipboard(nullptr)) return "<closed>";
    std::string text = "<none>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = bytes;
            ::GlobalUnlock(data);
        }
    }
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

// A tree of known content shaped like the information tree: bold main
// sections down to the fifth level, plain sub-sections, the ticked "e-Mail"
// section, a bold leaf, a byte above 0x7F.
class KnownTree {
public:
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
        HTREEITEM others = w.Section(misc, "Others", 71, true);
        email = w.Section(others, "e-Mail", 1, true);
        w.Item(email, "Client: none");
        HTREEITEM os = w.Section(root, "Operating system", 37, true);
        w.Item(os, "Trademark: W\xAE");
        HTREEITEM details = w.Section(os, "Details", 45, true);
        HTREEITEM windows = w.Section(details, "Windows Directory", 28, false);
        HTREEITEM date = w.Section(windows, "Date", 24, false);
        w.Item(date, "Created: today");
        HTREEITEM cd = w.Section(root, "CD/DVD", 52, true);
        w.Item(cd, "D:", 52, true);
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

private:
    HWND tree_ = nullptr;
    fw::ImageListHandle images_;
};

const char kAll[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "      Identity\r\n"
    "         User: tester\r\n"
    "      Others\r\n"
    "         e-Mail\r\n"
    "            Client: none\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "         Windows Directory\r\n"
    "            Date\r\n"
    "               Created: today\r\n"
    "   CD/DVD\r\n"
    "      D:\r\n";

const char kAfterStartup[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "      Identity\r\n"
    "      Others\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "   CD/DVD\r\n";

const char kAfterExpandMain[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "      Identity\r\n"
    "      Others\r\n"
    "         e-Mail\r\n"
    "            Client: none\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "         Windows Directory\r\n"
    "   CD/DVD\r\n"
    "      D:\r\n";

TEST(TreeOperations, ClipboardTextAfterEachCommand) {
    KnownTree tree;
    EXPECT_EQ(tree.Copy(true), kAfterStartup);
    EXPECT_EQ(tree.Copy(false), kAll);

    ovix::ExpandAllSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAll);
    ovix::CollapseAllSections(tree.Hwnd(), tree.misc);
    EXPECT_EQ(tree.Copy(true), "PC\r\n   Miscellaneous\r\n   Operating system\r\n   CD/DVD\r\n");
    EXPECT_EQ(tree.Copy(false), kAll) << "all informations whatever is open";
    // The root stays open; below, everything is closed, not only hidden.
    EXPECT_TRUE(Expanded(tree.Hwnd(), tree.root));
    EXPECT_FALSE(Expanded(tree.Hwnd(), tree.identity));
    EXPECT_FALSE(Expanded(tree.Hwnd(), tree.email));

    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAfterExpandMain);
    // From everything open, the main sections close what is not on a bold chain.
    ovix::ExpandAllSections(tree.Hwnd());
    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Copy(true), kAfterExpandMain);
}

TEST(TreeOperations, EmptyTreeOrABusyClipboardLeavesTheClipboardAsItWas) {
    ASSERT_TRUE(fw::SetClipboardText(nullptr, "kept"));
    HWND empty = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(ovix::CopyTree(empty, empty, false));
    ovix::ExpandMainSections(empty);  // nothing to walk: no harm
    ::DestroyWindow(empty);
    EXPECT_EQ(ClipboardText(), "kept");

    KnownTree tree;
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
    const RECT rect = Label(tree, item);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(TreeTicking, ClicksAndTheSpaceKeySwapTicksOnly) {
    KnownTree tree;
    ovix::TreeTicker ticker;
    ASSERT_TRUE(ticker.Attach(tree.Hwnd()));
    ovix::ExpandAllSections(tree.Hwnd());
    HWND h = tree.Hwnd();

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
    ::PostMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
    ::PostMessageA(h, WM_CHAR, ' ', 0);
    ::PostMessageA(h, WM_KEYUP, VK_SPACE, 0);
    test::Pump();
    EXPECT_EQ(ItemImage(h, tree.user), 0);
    EXPECT_EQ(TreeView_GetSelection(h), tree.user);
    ::SendMessageA(h, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(ItemImage(h, tree.user), 0);
    EXPECT_EQ(ovix::TreeClipboardText(h, false), kAll) << "ticks are not part of the text";
}

TEST(TreeTicking, DetachGivesTheTreeItsOwnProcedureBack) {
    KnownTree tree;
    const LONG_PTR own = ::GetWindowLongPtrA(tree.Hwnd(), GWLP_WNDPROC);
    {
        ovix::TreeTicker ticker;
        ASSERT_TRUE(ticker.Attach(tree.Hwnd()));
        ovix::TreeTicker second;
        EXPECT_FALSE(second.Attach(tree.Hwnd())) << "one ticker per tree";
    }
    EXPECT_EQ(::GetWindowLongPtrA(tree.Hwnd(), GWLP_WNDPROC), own);
    // A tree destroyed while attached leaves nothing behind to call.
    ovix::TreeTicker ticker;
    HWND doomed = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ticker.Attach(doomed));
    ::DestroyWindow(doomed);
    EXPECT_EQ(ticker.Tree(), nullptr);
}

// Records where the context menu opened, then picks an item with the keys.
struct MenuProbe {
    static inline RECT shownAt{};
    static inline int downs = 0;
    static inline HWND owner = nullptr;
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        HWND menu = ::FindWindowA("#32768", nullptr);
        if (!menu) return;
        ::KillTimer(nullptr, id);
        ::GetWindowRect(menu, &shownAt);
        for (int i = 0; i < downs; ++i) ::PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageA(owner, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
    }
    // Sends the request; returns once the menu is closed.
    static POINT Open(HWND window, LPARAM at, int pick) {
        shownAt = {};
        downs = pick;
        owner = window;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &MenuProbe::OnTimer);
        ::SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), at);
        ::KillTimer(nullptr, timer);
        test::Pump();
        return {shownAt.left, shownAt.top};
    }
};

// The main window with its real tree: the same commands from the menu bar and
// the context menu.
TEST(TreeCommands, MenusOfTheMainWindow) {
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptionsWithTree()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    ::ShowWindow(window.Hwnd(), SW_SHOW);
    test::Pump();
    auto copyVisible = [&] {
        ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_COPY_VISIBLE, 0);
        return ClipboardText();
    };
    HMENU treeMenu = ::GetSubMenu(::GetMenu(window.Hwnd()), 3);
    HMENU copyMenu = ::GetSubMenu(treeMenu, 4);
    ASSERT_NE(copyMenu, nullptr);
    ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(treeMenu), 3);
    ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(copyMenu), 4);
    for (UINT id : {33010u, 1175u, 1023u}) EXPECT_FALSE(::GetMenuState(treeMenu, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    for (UINT id : {33062u, 33063u}) EXPECT_FALSE(::GetMenuState(copyMenu, id, MF_BYCOMMAND) & MF_GRAYED) << id;

    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_ALL, 0);
    const std::string all = copyVisible();
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_COPY_ALL, 0);
    EXPECT_EQ(ClipboardText(), all) << "everything open: both copies agree";
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_MAIN, 0);
    const std::string text = copyVisible();
    EXPECT_NE(text.find("\r\n      Identity\r\n      Registry\r\n      Others\r\n         Computer\r\n            "),
              std::string::npos)
        << text;

    // "Collapse All Sections", the third item of the context menu, opened where
    // the mouse is, leaves the computer name and the section titles.
    RECT tree{};
    ::GetWindowRect(window.Tree(), &tree);
    const POINT at{tree.left + 40, tree.top + 30};
    POINT shown = MenuProbe::Open(window.Hwnd(), MAKELPARAM(at.x, at.y), 3);
    EXPECT_EQ(shown.x, at.x);
    EXPECT_EQ(shown.y, at.y);
    std::string titles = ovix::ReadTree(window.Tree()).at(0).text + "\r\n";
    for (const ovix::TopSection& top : ovix::TopSections()) titles += std::string("   ") + top.title + "\r\n";
    EXPECT_EQ(copyVisible(), titles);

    // From the keyboard, the menu opens at the selected item.
    HTREEITEM misc = window.InfoTree().miscellaneous;
    TreeView_SelectItem(window.Tree(), misc);
    const RECT item = Label(window.Tree(), misc);
    POINT expected{item.left, item.bottom};
    ::ClientToScreen(window.Tree(), &expected);
    shown = MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1), 0);
    EXPECT_EQ(shown.x, expected.x);
    EXPECT_EQ(shown.y, expected.y);
    // Nothing selected: the tree's top-left corner.
    TreeView_SelectItem(window.Tree(), nullptr);
    POINT corner{0, 0};
    ::ClientToScreen(window.Tree(), &corner);
    shown = MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1), 0);
    EXPECT_EQ(shown.x, corner.x);
    EXPECT_EQ(shown.y, corner.y);

    // The window's tree ticks.
    HTREEITEM line = TreeView_GetChild(window.Tree(), TreeView_GetChild(window.Tree(), misc));
    ASSERT_NE(line, nullptr);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_ALL, 0);
    TreeView_EnsureVisible(window.Tree(), line);
    const int image = ItemImage(window.Tree(), line);
    ASSERT_TRUE(image == 0 || image == 1);
    Click(window.Tree(), LabelCentre(window.Tree(), line));
    EXPECT_EQ(ItemImage(window.Tree(), line), 1 - image);
}

}  // namespace
