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
#include <vector>

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

void PutOnClipboard(const std::string& text) { ASSERT_TRUE(fw::SetClipboardText(nullptr, text)); }

int ItemImage(HWND tree, HTREEITEM item) {
    TVITEMA info{};
    info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    info.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iImage, info.iSelectedImage) << "image and selected image move together";
    return info.iImage;
}

// A tree of known content shaped like the information tree: bold main
// sections, plain sub-sections, a bold section without children.
class KnownTree {
public:
    KnownTree() {
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_OVERLAPPEDWINDOW | TVS_HASBUTTONS | TVS_HASLINES |
                                                           TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                  10, 10, 400, 600, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
        images_ = ovix::BuildTreeImageList();
        TreeView_SetImageList(tree_, images_.Get(), TVSIL_NORMAL);
        ovix::TreeWriter w(tree_);
        root = w.Section(nullptr, "PC", 53, true);
        misc = w.Section(root, "Miscellaneous", 68, true);
        identity = w.Section(misc, "Identity", 8, false);
        user = w.Item(identity, "User: tester");
        HTREEITEM registry = w.Section(misc, "Registry", 45, false);
        w.Item(registry, "Last key: HKLM");
        HTREEITEM others = w.Section(misc, "Others", 71, true);
        HTREEITEM computer = w.Section(others, "Computer", 53, true);
        w.Item(computer, "Name: PC");
        email = w.Section(others, "e-Mail", 1, true);
        w.Item(email, "Client: none");
        HTREEITEM address = w.Section(email, "address", 8, false);
        w.Item(address, "me@example.com");
        HTREEITEM os = w.Section(root, "Operating system", 37, true);
        w.Item(os, "Trademark: W\xAE");
        HTREEITEM details = w.Section(os, "Details", 45, true);
        w.Item(details, "Version 5.1");
        HTREEITEM windows = w.Section(details, "Windows Directory", 28, false);
        HTREEITEM date = w.Section(windows, "Date", 24, false);
        w.Item(date, "Created: today");
        HTREEITEM cpu = w.Section(root, "CPU", 48, true);
        HTREEITEM cache = w.Section(cpu, "Cache", 45, false);
        w.Item(cache, "L1: 64 KB");
        HTREEITEM cd = w.Section(root, "CD/DVD", 52, true);
        w.Item(cd, "D:", 52, true);
        // As the build leaves it.
        for (HTREEITEM open : {root, misc, os}) TreeView_Expand(tree_, open, TVE_EXPAND);
        ::ShowWindow(tree_, SW_SHOWNOACTIVATE);
        test::Pump();
    }
    ~KnownTree() { ::DestroyWindow(tree_); }
    KnownTree(const KnownTree&) = delete;
    KnownTree& operator=(const KnownTree&) = delete;

    HWND Hwnd() const { return tree_; }
    std::string Visible() const { return ovix::TreeClipboardText(tree_, true); }

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
    "      Registry\r\n"
    "         Last key: HKLM\r\n"
    "      Others\r\n"
    "         Computer\r\n"
    "            Name: PC\r\n"
    "         e-Mail\r\n"
    "            Client: none\r\n"
    "            address\r\n"
    "               me@example.com\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "         Version 5.1\r\n"
    "         Windows Directory\r\n"
    "            Date\r\n"
    "               Created: today\r\n"
    "   CPU\r\n"
    "      Cache\r\n"
    "         L1: 64 KB\r\n"
    "   CD/DVD\r\n"
    "      D:\r\n";

const char kAfterStartup[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "      Identity\r\n"
    "      Registry\r\n"
    "      Others\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "   CPU\r\n"
    "   CD/DVD\r\n";

const char kAfterCollapse[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "   Operating system\r\n"
    "   CPU\r\n"
    "   CD/DVD\r\n";

const char kAfterExpandMain[] =
    "PC\r\n"
    "   Miscellaneous\r\n"
    "      Identity\r\n"
    "      Registry\r\n"
    "      Others\r\n"
    "         Computer\r\n"
    "            Name: PC\r\n"
    "         e-Mail\r\n"
    "            Client: none\r\n"
    "            address\r\n"
    "   Operating system\r\n"
    "      Trademark: W\xAE\r\n"
    "      Details\r\n"
    "         Version 5.1\r\n"
    "         Windows Directory\r\n"
    "   CPU\r\n"
    "      Cache\r\n"
    "   CD/DVD\r\n"
    "      D:\r\n";

TEST(TreeOperations, ClipboardTextAfterEachCommand) {
    KnownTree tree;
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), true));
    EXPECT_EQ(ClipboardText(), kAfterStartup);
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), false));
    EXPECT_EQ(ClipboardText(), kAll);

    ovix::CollapseAllSections(tree.Hwnd(), tree.misc);
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), true));
    EXPECT_EQ(ClipboardText(), kAfterCollapse);
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), false));
    EXPECT_EQ(ClipboardText(), kAll) << "all informations whatever is open";

    ovix::ExpandMainSections(tree.Hwnd());
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), true));
    EXPECT_EQ(ClipboardText(), kAfterExpandMain);

    ovix::ExpandAllSections(tree.Hwnd());
    ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), true));
    EXPECT_EQ(ClipboardText(), kAll);

    // From everything open, the main sections close what is not on a bold chain.
    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Visible(), kAfterExpandMain);
    // Twice is the same as once.
    ovix::ExpandMainSections(tree.Hwnd());
    EXPECT_EQ(tree.Visible(), kAfterExpandMain);
}

TEST(TreeOperations, CollapseKeepsTheRootOpenAndStartsAtTheGivenSection) {
    KnownTree tree;
    ovix::ExpandAllSections(tree.Hwnd());
    ovix::CollapseAllSections(tree.Hwnd(), tree.misc);
    EXPECT_TRUE(TreeView_GetItemState(tree.Hwnd(), tree.root, TVIS_EXPANDED) & TVIS_EXPANDED);
    // Everything below is closed too, not only hidden.
    EXPECT_FALSE(TreeView_GetItemState(tree.Hwnd(), tree.identity, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(TreeView_GetItemState(tree.Hwnd(), tree.email, TVIS_EXPANDED) & TVIS_EXPANDED);
    // Without a start section nothing changes.
    ovix::ExpandAllSections(tree.Hwnd());
    ovix::CollapseAllSections(tree.Hwnd(), nullptr);
    EXPECT_EQ(tree.Visible(), kAll);
}

TEST(TreeOperations, EmptyTreeLeavesTheClipboardAsItWas) {
    PutOnClipboard("before");
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(ovix::CopyTree(tree, tree, true));
    EXPECT_FALSE(ovix::CopyTree(tree, tree, false));
    EXPECT_EQ(ClipboardText(), "before");
    ovix::ExpandMainSections(tree);  // nothing to walk: no harm
    ovix::ExpandAllSections(tree);
    ::DestroyWindow(tree);
}

TEST(TreeOperations, ClipboardHeldElsewhereIsDroppedAndFreesTheBlock) {
    KnownTree tree;
    PutOnClipboard("kept");
    const long blocks = fw::LiveCount(fw::ResourceKind::GlobalMemory);
    // Another window holds the clipboard open.
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::OpenClipboard(other));
    EXPECT_FALSE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), false));
    ::CloseClipboard();
    ::DestroyWindow(other);
    EXPECT_EQ(ClipboardText(), "kept");
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::GlobalMemory), blocks) << "the unused block was freed";
    // Once the clipboard is free the copy works, and the block is the clipboard's.
    EXPECT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), false));
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::GlobalMemory), blocks);
    EXPECT_EQ(ClipboardText(), kAll);
    // Repeated copies leave the clipboard closed every time.
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(ovix::CopyTree(tree.Hwnd(), tree.Hwnd(), true));
    EXPECT_EQ(ClipboardText(), kAfterStartup);
}

// A press (down and up, posted, as the mouse delivers them) at a point of the tree.
void Click(HWND tree, POINT at) {
    ::PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    test::Pump();
}

POINT LabelCentre(HWND tree, HTREEITEM item) {
    RECT rect{};
    EXPECT_TRUE(TreeView_GetItemRect(tree, item, &rect, TRUE));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(TreeTicking, ClickOnTheLabelOrIconTogglesAndSelects) {
    KnownTree tree;
    ovix::TreeTicker ticker;
    ASSERT_TRUE(ticker.Attach(tree.Hwnd()));
    ovix::ExpandAllSections(tree.Hwnd());
    const std::string before = tree.Visible();

    Click(tree.Hwnd(), LabelCentre(tree.Hwnd(), tree.user));
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 1);
    EXPECT_EQ(TreeView_GetSelection(tree.Hwnd()), tree.user) << "the press still selects";
    Click(tree.Hwnd(), LabelCentre(tree.Hwnd(), tree.user));
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 0);

    // The icon lies just left of the label.
    RECT label{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.Hwnd(), tree.user, &label, TRUE));
    Click(tree.Hwnd(), {label.left - 4, (label.top + label.bottom) / 2});
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 1);
    // Right of the label.
    Click(tree.Hwnd(), {label.right + 20, (label.top + label.bottom) / 2});
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 0);

    // The ticked "e-Mail" section swaps to unticked and back.
    Click(tree.Hwnd(), LabelCentre(tree.Hwnd(), tree.email));
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.email), 0);
    Click(tree.Hwnd(), LabelCentre(tree.Hwnd(), tree.email));
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.email), 1);

    // Other images are no ticks.
    Click(tree.Hwnd(), LabelCentre(tree.Hwnd(), tree.identity));
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.identity), 8);

    // Below the last item: nothing is hit, nothing changes.
    RECT client{};
    ::GetClientRect(tree.Hwnd(), &client);
    Click(tree.Hwnd(), {5, client.bottom - 3});
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 0);

    EXPECT_EQ(tree.Visible(), before) << "ticks are not part of the text";
}

TEST(TreeTicking, SpaceTogglesTheSelectedItemOnly) {
    KnownTree tree;
    ovix::TreeTicker ticker;
    ASSERT_TRUE(ticker.Attach(tree.Hwnd()));
    ovix::ExpandAllSections(tree.Hwnd());
    TreeView_SelectItem(tree.Hwnd(), tree.user);
    ::PostMessageA(tree.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    ::PostMessageA(tree.Hwnd(), WM_CHAR, ' ', 0);
    ::PostMessageA(tree.Hwnd(), WM_KEYUP, VK_SPACE, 0);
    test::Pump();
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 1);
    EXPECT_EQ(TreeView_GetSelection(tree.Hwnd()), tree.user);
    ::SendMessageA(tree.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 0);
    // Other keys tick nothing.
    ::SendMessageA(tree.Hwnd(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.user), 0);
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.email), 1);
    EXPECT_EQ(tree.Visible(), kAll);
}

TEST(TreeTicking, DetachGivesTheTreeItsOwnProcedureBack) {
    KnownTree tree;
    const LONG_PTR own = ::GetWindowLongPtrA(tree.Hwnd(), GWLP_WNDPROC);
    {
        ovix::TreeTicker ticker;
        ASSERT_TRUE(ticker.Attach(tree.Hwnd()));
        EXPECT_NE(::GetWindowLongPtrA(tree.Hwnd(), GWLP_WNDPROC), own);
        ovix::TreeTicker second;
        EXPECT_FALSE(second.Attach(tree.Hwnd())) << "one ticker per tree";
    }
    EXPECT_EQ(::GetWindowLongPtrA(tree.Hwnd(), GWLP_WNDPROC), own);
    ::SendMessageA(tree.Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ItemImage(tree.Hwnd(), tree.root), 53);
    // A tree destroyed while attached leaves nothing behind to call.
    ovix::TreeTicker ticker;
    HWND doomed = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ticker.Attach(doomed));
    ::DestroyWindow(doomed);
    EXPECT_EQ(ticker.Tree(), nullptr);
}

// The main window: the same commands from the menu bar and the context menu.
class TreeCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        window.SetTrayShell(&tray);
        ASSERT_TRUE(window.CreateModeless());
        ::ShowWindow(window.Hwnd(), SW_SHOW);
        test::Pump();
    }
    std::string CopyVisible() {
        ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_COPY_VISIBLE, 0);
        return ClipboardText();
    }
    std::vector<std::string> TopTitles() const {
        std::vector<std::string> titles;
        for (const ovix::TopSection& top : ovix::TopSections()) titles.push_back(top.title);
        return titles;
    }
    std::string RootText() const {
        const auto nodes = ovix::ReadTree(window.Tree());
        return nodes.empty() ? std::string() : nodes[0].text;
    }

    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptionsWithTree()};
};

TEST_F(TreeCommandsTest, TreeCommandsAreEnabledInTheMenu) {
    HMENU treeMenu = ::GetSubMenu(::GetMenu(window.Hwnd()), 3);
    HMENU copyMenu = ::GetSubMenu(treeMenu, 4);
    ASSERT_NE(copyMenu, nullptr);
    ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(treeMenu), 3);
    ::SendMessageA(window.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(copyMenu), 4);
    for (UINT id : {33010u, 1175u, 1023u}) {
        EXPECT_FALSE(::GetMenuState(treeMenu, id, MF_BYCOMMAND) & MF_GRAYED) << id;
    }
    for (UINT id : {33062u, 33063u}) EXPECT_FALSE(::GetMenuState(copyMenu, id, MF_BYCOMMAND) & MF_GRAYED) << id;
}

TEST_F(TreeCommandsTest, CollapseLeavesTheComputerNameAndTheSectionTitles) {
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_COLLAPSE_ALL, 0);
    std::string expected = RootText() + "\r\n";
    for (const std::string& title : TopTitles()) expected += "   " + title + "\r\n";
    EXPECT_EQ(CopyVisible(), expected);
}

TEST_F(TreeCommandsTest, StartupShowsTheOpenSectionsAndTheirSubsectionTitles) {
    const std::string text = CopyVisible();
    EXPECT_EQ(text.rfind(RootText() + "\r\n   Miscellaneous\r\n      Identity\r\n      Registry\r\n      Others\r\n", 0),
              0u)
        << text;
    EXPECT_NE(text.find("\r\n   Operating system\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n      Details\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\r\n         "), std::string::npos) << "nothing from inside a closed sub-section";
    EXPECT_NE(text.find("\r\n   CPU\r\n   Motherboard\r\n"), std::string::npos) << "closed sections: titles only";
}

TEST_F(TreeCommandsTest, ExpandMainOpensOthersAndComputerButNotIdentity) {
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_ALL, 0);
    const std::string all = CopyVisible();
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_COPY_ALL, 0);
    EXPECT_EQ(ClipboardText(), all) << "everything open: both copies agree";

    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_MAIN, 0);
    const std::string text = CopyVisible();
    EXPECT_NE(text.find("\r\n      Identity\r\n      Registry\r\n      Others\r\n         Computer\r\n            "),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("\r\n         User name"), std::string::npos);
    EXPECT_LT(text.size(), all.size());
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
    static void Open(HWND window, LPARAM at, int pick) {
        shownAt = {};
        downs = pick;
        owner = window;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &MenuProbe::OnTimer);
        ::SendMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), at);
        ::KillTimer(nullptr, timer);
        test::Pump();
    }
};

TEST_F(TreeCommandsTest, ContextMenuFromTheMouseOpensAtThePointer) {
    RECT tree{};
    ::GetWindowRect(window.Tree(), &tree);
    const POINT at{tree.left + 40, tree.top + 30};
    MenuProbe::Open(window.Hwnd(), MAKELPARAM(at.x, at.y), 3);  // the third item: Collapse All Sections
    EXPECT_EQ(MenuProbe::shownAt.left, at.x);
    EXPECT_EQ(MenuProbe::shownAt.top, at.y);
    std::string expected = RootText() + "\r\n";
    for (const std::string& title : TopTitles()) expected += "   " + title + "\r\n";
    EXPECT_EQ(CopyVisible(), expected) << "the chosen command ran";
}

TEST_F(TreeCommandsTest, ContextMenuFromTheKeyboardOpensAtTheSelectedItem) {
    HTREEITEM misc = window.InfoTree().miscellaneous;
    TreeView_SelectItem(window.Tree(), misc);
    RECT item{};
    ASSERT_TRUE(TreeView_GetItemRect(window.Tree(), misc, &item, TRUE));
    POINT expected{item.left, item.bottom};
    ::ClientToScreen(window.Tree(), &expected);
    MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1), 0);
    EXPECT_EQ(MenuProbe::shownAt.left, expected.x);
    EXPECT_EQ(MenuProbe::shownAt.top, expected.y);

    // Nothing selected: the tree's top-left corner.
    TreeView_SelectItem(window.Tree(), nullptr);
    POINT corner{0, 0};
    ::ClientToScreen(window.Tree(), &corner);
    MenuProbe::Open(window.Hwnd(), MAKELPARAM(-1, -1), 0);
    EXPECT_EQ(MenuProbe::shownAt.left, corner.x);
    EXPECT_EQ(MenuProbe::shownAt.top, corner.y);
}

TEST_F(TreeCommandsTest, TickingInTheMainWindowChangesNoText) {
    ::SendMessageA(window.Hwnd(), WM_COMMAND, ID_TREE_EXPAND_ALL, 0);
    const std::string before = CopyVisible();
    HTREEITEM line = TreeView_GetChild(window.Tree(), TreeView_GetChild(window.Tree(), window.InfoTree().miscellaneous));
    ASSERT_NE(line, nullptr);
    const int image = ItemImage(window.Tree(), line);
    ASSERT_TRUE(image == 0 || image == 1);
    TreeView_EnsureVisible(window.Tree(), line);
    Click(window.Tree(), LabelCentre(window.Tree(), line));
    EXPECT_EQ(ItemImage(window.Tree(), line), 1 - image);
    ::SendMessageA(window.Tree(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(ItemImage(window.Tree(), line), image);
    Click(window.Tree(), LabelCentre(window.Tree(), line));
    EXPECT_EQ(CopyVisible(), before);
}

}  // namespace
