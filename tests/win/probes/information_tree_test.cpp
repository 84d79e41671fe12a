#include "app/main_window.h"
#include "probes/disk_probes.h"
#include "probes/tree_image_list.h"
#include "support/fake_tray.h"
#include "support/temp_folder.h"
#include "support/window_test.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Node {
    HTREEITEM handle;
    std::string text;
    int image;
    bool bold;
    bool expanded;
};

Node Read(HWND tree, HTREEITEM item) {
    char text[512] = "";
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof(text);
    info.stateMask = TVIS_BOLD | TVIS_EXPANDED;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    return {item, text, info.iImage, (info.state & TVIS_BOLD) != 0, (info.state & TVIS_EXPANDED) != 0};
}

std::vector<Node> Children(HWND tree, HTREEITEM parent) {
    std::vector<Node> nodes;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
        nodes.push_back(Read(tree, child));
    }
    return nodes;
}

// A section holds nodes or has a section image; lines have the plain, date or "no" image.
bool IsSection(HWND tree, const Node& node) {
    return TreeView_GetChild(tree, node.handle) != nullptr ||
           (node.image != 0 && node.image != 24 && node.image != 46);
}

// Sections made per disk or drive depend on the machine; they are checked apart.
bool IsPerInstance(const Node& node) {
    const std::string& text = node.text;
    return text.rfind("Hard Disk n\xB0", 0) == 0 || (text.size() == 3 && text.substr(1) == ":\\") ||
           text == "Summary" || text.rfind("Active: ", 0) == 0;
}

void ListSections(HWND tree, HTREEITEM parent, int depth, std::ostringstream& out) {
    for (const Node& node : Children(tree, parent)) {
        if (!IsSection(tree, node) || IsPerInstance(node)) continue;
        out << std::string(depth * 2, ' ') << '[' << node.image << (node.bold ? " B" : "") << (node.expanded ? " E" : "")
            << "] " << node.text << '\n';
        ListSections(tree, node.handle, depth + 1, out);
    }
}

const Node* Find(const std::vector<Node>& nodes, const std::string& text) {
    for (const Node& node : nodes) {
        if (node.text == text) return &node;
    }
    return nullptr;
}

std::vector<std::string> Texts(const std::vector<Node>& nodes) {
    std::vector<std::string> texts;
    for (const Node& node : nodes) texts.push_back(node.text);
    return texts;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class InformationTreeTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        tray = new test::FakeTray;
        window = new ovix::MainWindow(test::QuietOptionsWithTree());
        window->SetTrayShell(tray);
        ASSERT_TRUE(window->CreateModeless());
    }
    static void TearDownTestSuite() {
        delete window;
        delete tray;
    }

    HWND Tree() const { return window->Tree(); }
    std::vector<Node> Under(const std::vector<std::string>& path) const {
        HTREEITEM at = TreeView_GetRoot(Tree());
        for (const std::string& step : path) {
            const auto children = Children(Tree(), at);
            const Node* next = Find(children, step);
            if (!next) return {};
            at = next->handle;
        }
        return Children(Tree(), at);
    }

    static test::FakeTray* tray;
    static ovix::MainWindow* window;
};

test::FakeTray* InformationTreeTest::tray = nullptr;
ovix::MainWindow* InformationTreeTest::window = nullptr;

TEST_F(InformationTreeTest, RootIsTheComputerNameBoldAndOpen) {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    ASSERT_TRUE(::GetComputerNameA(name, &size));
    const Node root = Read(Tree(), TreeView_GetRoot(Tree()));
    EXPECT_EQ(root.text, name);
    EXPECT_EQ(root.image, 53);
    EXPECT_TRUE(root.bold);
    EXPECT_TRUE(root.expanded);
    EXPECT_EQ(TreeView_GetNextSibling(Tree(), root.handle), nullptr) << "a single top-level node";
    EXPECT_EQ(window->InfoTree().root, root.handle);
}

TEST_F(InformationTreeTest, SkeletonOfSectionsInOrder) {
    // Sections with image, bold (B) and expanded (E) flags, as the tree shows them.
    const std::string expected =
        "[68 B E] Miscellaneous\n"
        "  [8] Identity\n"
        "  [45] Registry\n"
        "  [71 B] Others\n"
        "    [53 B] Computer\n"
        "    [1 B] e-Mail\n"
        "      [8] address\n"
        "[37 B E] Operating system\n"
        "  [45 B] Details\n"
        "    [8] Network login profile\n"
        "    [28] Windows Directory\n"
        "      [24] Date\n"
        "    [28] System Directory\n"
        "      [24] Date\n"
        "[48 B] CPU\n"
        "  [70 B] Frequency\n"
        "  [45] Cache\n"
        "  [45] Instruction sets\n"
        "  [69] Power management features\n"
        "  [45] Misc.\n"
        "[40 B] Motherboard\n"
        "  [45] IDE controller\n"
        "  [45] Serial port(s)\n"
        "[55 B] Memory\n"
        "  [45] Cache\n"
        "  [71] PageFile\n"
        "    [24] Date\n"
        "[40 B] Video card\n"
        "  [45] Driver\n"
        "  [41] Memory\n"
        "  [71] Refresh rate\n"
        "[40 B] BIOS\n"
        "  [45] System BIOS\n"
        "  [45] Video BIOS\n"
        "[51 B] HDD\n"
        "  [51] Model\n"
        "[51 B] Logical drive\n"
        "[52 B] CD/DVD\n"
        "[21 B] Sound device\n"
        "[54 B] Printer\n"
        "[47 B] Display\n"
        "  [45] Raster capabilities\n"
        "  [45] Curve capabilities\n"
        "  [45] Line capabilities\n"
        "  [45] Polygon capabilities\n"
        "  [45] Text capabilities\n"
        "[18 B] Keyboard\n"
        "[44 B] Mouse\n"
        "[53 B] Monitor\n"
        "[57 B] Desktop\n"
        "  [45] Screen saver\n"
        "    [45] All\n"
        "  [45] Icons\n"
        "[33 B] Internet connection\n"
        "[40 B] Active network adapter\n";
    std::ostringstream actual;
    ListSections(Tree(), TreeView_GetRoot(Tree()), 0, actual);
    EXPECT_EQ(actual.str(), expected);
    EXPECT_EQ(window->InfoTree().sections.size(), 19u);
}

TEST_F(InformationTreeTest, SplashShowedEachStepInOrder) {
    const std::vector<std::string> expected = {
        "Please wait...", "OS",     "Win directory", "Sys directory", "CPU",     "Motherboard", "Memory",
        "Video card",     "BIOS",   "HDD",           "Logical Drive", "CD/DVD",  "Sound device", "Printer",
        "Display",        "Keyboard", "Mouse",       "Monitor",       "Internet"};
    std::vector<std::string> progress = window->BuildProgress();
    // With a default printer, "Please wait..." shows again while its details are read.
    if (progress.size() == expected.size() + 1 && progress[14] == "Please wait...") progress.erase(progress.begin() + 14);
    EXPECT_EQ(progress, expected);
}

TEST_F(InformationTreeTest, IdentityAndOthersHoldTheirLinesInOrder) {
    const auto identity = Under({"Miscellaneous", "Identity"});
    ASSERT_FALSE(identity.empty());
    EXPECT_TRUE(StartsWith(identity[0].text, "User Name: ")) << identity[0].text;

    EXPECT_TRUE(StartsWith(identity.at(1).text, "Admin rights: ")) << identity.at(1).text;

    const auto others = Texts(Under({"Miscellaneous", "Others"}));
    const char* prefixes[] = {"Computer", "Winsock version: ", "System start: ", "Timeout to kill applications: ",
                              "Timeout to kill services: ", "IE: Version: ", "ADO: Version: ", "Time format: ",
                              "Short date format: ", "Internet User Agent: ", "e-Mail"};
    ASSERT_EQ(others.size(), std::size(prefixes));
    for (size_t i = 0; i < others.size(); ++i) EXPECT_TRUE(StartsWith(others[i], prefixes[i])) << others[i];

    const auto dated = Under({"Miscellaneous", "Others"});
    EXPECT_EQ(dated[6].image, 0);
    EXPECT_EQ(dated[7].image, 24);
    EXPECT_EQ(dated[8].image, 24);
    EXPECT_EQ(dated[9].image, 0);

    const auto computer = Texts(Under({"Miscellaneous", "Others", "Computer"}));
    ASSERT_FALSE(computer.empty());
    EXPECT_TRUE(StartsWith(computer[0], "Name: "));

    const auto mail = Texts(Under({"Miscellaneous", "Others", "e-Mail"}));
    ASSERT_EQ(mail.size(), 2u);
    EXPECT_TRUE(StartsWith(mail[0], "Default software: ")) << mail[0];
    EXPECT_EQ(mail[1], "address");
    EXPECT_EQ(Texts(Under({"Miscellaneous", "Others", "e-Mail", "address"})), window->MailAccounts());
}

TEST_F(InformationTreeTest, OperatingSystemDetails) {
    const auto os = Texts(Under({"Operating system"}));
    ASSERT_GE(os.size(), 2u);
    // The management service's manufacturer line comes first (Wine has one).
    EXPECT_TRUE(StartsWith(os[0], "Manufacturer: ")) << os[0];
    EXPECT_TRUE(StartsWith(os[1], "Trademark: ")) << os[1];

    const auto details = Texts(Under({"Operating system", "Details"}));
    ASSERT_GE(details.size(), 7u);
    EXPECT_TRUE(StartsWith(details[0], "Version: ")) << details[0];
    EXPECT_NE(std::find_if(details.begin(), details.end(),
                           [](const std::string& line) { return StartsWith(line, "Machine GUID: "); }),
              details.end());
    EXPECT_NE(std::find(details.begin(), details.end(), "System Restore: Disable"), details.end())
        << "Wine has no System Restore";

    const auto windows = Texts(Under({"Operating system", "Details", "Windows Directory"}));
    ASSERT_GE(windows.size(), 5u);
    EXPECT_TRUE(StartsWith(windows[0], "Root: ")) << windows[0];
    EXPECT_TRUE(StartsWith(windows[1], "Path: ")) << windows[1];
    EXPECT_TRUE(StartsWith(windows[2], "Number of Folders: ")) << windows[2];
    EXPECT_TRUE(StartsWith(windows[3], "Number of Files: ")) << windows[3];
    const auto date = Texts(Under({"Operating system", "Details", "Windows Directory", "Date"}));
    ASSERT_EQ(date.size(), 2u);
    EXPECT_TRUE(StartsWith(date[0], "Creation: "));
    EXPECT_TRUE(StartsWith(date[1], "Last Modified: "));
}

TEST_F(InformationTreeTest, ProcessorLinesFromItsIdentification) {
    const auto sets = Under({"CPU", "Instruction sets"});
    ASSERT_EQ(sets.size(), 16u);
    const char* names[] = {"MMX", "MMX+", "SSE", "SSE2", "SSE FP", "SSE MMX", "3DNow", "3DNow+",
                           "IA-64", "Hyper-Threading", "CMOV", "MTRR", "CED", "FPE", "PAE", "RDTSC"};
    for (size_t i = 0; i < sets.size(); ++i) {
        const bool yes = sets[i].text == std::string(names[i]) + ": yes";
        EXPECT_TRUE(yes || sets[i].text == std::string(names[i]) + ": no") << sets[i].text;
        EXPECT_EQ(sets[i].image, yes ? 0 : 46) << sets[i].text;
    }
    EXPECT_EQ(Under({"CPU", "Power management features"}).size(), 3u);
    EXPECT_EQ(Under({"CPU", "Misc."}).size(), 3u);
    const auto cache = Texts(Under({"CPU", "Cache"}));
    ASSERT_GE(cache.size(), 3u);
    EXPECT_TRUE(StartsWith(cache[0], "L1")) << cache[0];
    EXPECT_TRUE(StartsWith(cache[1], "L2")) << cache[1];
    const auto frequency = Texts(Under({"CPU", "Frequency"}));
    ASSERT_EQ(frequency.size(), 3u);
    EXPECT_TRUE(StartsWith(frequency[0], "Speed clock: ")) << frequency[0];
    EXPECT_TRUE(StartsWith(frequency[2], "Multiplier: ")) << frequency[2];
    const auto top = Texts(Under({"CPU"}));
    EXPECT_TRUE(StartsWith(top.at(0), "Trademark: "));
    EXPECT_TRUE(StartsWith(top.at(1), "Name: "));
}

TEST_F(InformationTreeTest, DisplayAndScreenLines) {
    const auto display = Texts(Under({"Display"}));
    ASSERT_GE(display.size(), 5u);
    EXPECT_EQ(display[0], "Resolution: " + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + " x " +
                              std::to_string(::GetSystemMetrics(SM_CYSCREEN)));
    EXPECT_TRUE(StartsWith(display[1], "Color depth: ")) << display[1];
    EXPECT_TRUE(StartsWith(display[2], "Refresh frequency: ")) << display[2];
    EXPECT_TRUE(StartsWith(display[3], "Color planes: ")) << display[3];
    EXPECT_EQ(display[4], "Raster technology: yes");
    EXPECT_EQ(Under({"Display", "Curve capabilities"}).size(), 9u);
    EXPECT_EQ(Under({"Display", "Line capabilities"}).size(), 7u);
    EXPECT_EQ(Under({"Display", "Polygon capabilities"}).size(), 7u);
    EXPECT_EQ(Under({"Display", "Text capabilities"}).size(), 11u);
    EXPECT_EQ(Under({"Display", "Raster capabilities"}).size(), 5u);

    const auto monitor = Texts(Under({"Monitor"}));
    ASSERT_GE(monitor.size(), 2u);
    EXPECT_TRUE(StartsWith(monitor[0], "Size: ")) << monitor[0];
    EXPECT_TRUE(StartsWith(monitor[1], "Diagonal: ")) << monitor[1];
}

TEST_F(InformationTreeTest, KeyboardMouseAndDesktop) {
    const auto keyboard = Texts(Under({"Keyboard"}));
    ASSERT_EQ(keyboard.size(), 3u);
    EXPECT_TRUE(StartsWith(keyboard[0], "Model: "));
    EXPECT_TRUE(StartsWith(keyboard[1], "Repeat speed: "));
    EXPECT_TRUE(StartsWith(keyboard[2], "Repeat delay: "));

    const auto mouse = Texts(Under({"Mouse"}));
    const char* prefixes[] = {"Number of buttons: ", "Speed: ", "Sensitivity: ", "Double click speed: ",
                              "Double click height: ", "Double click width: ", "", "Lines per scroll: ",
                              "Threshold (x,y): "};
    ASSERT_EQ(mouse.size(), std::size(prefixes));
    for (size_t i = 0; i < mouse.size(); ++i) EXPECT_TRUE(StartsWith(mouse[i], prefixes[i])) << mouse[i];
    EXPECT_TRUE(mouse[6] == "Wheel present." || mouse[6] == "No wheel.") << mouse[6];

    const auto desktop = Texts(Under({"Desktop"}));
    ASSERT_GE(desktop.size(), 5u);
    EXPECT_TRUE(StartsWith(desktop[0], "Path: "));
    EXPECT_TRUE(StartsWith(desktop[1], "Number of Items: "));
    EXPECT_TRUE(StartsWith(desktop[2], "Wallpaper path: "));
    EXPECT_TRUE(StartsWith(desktop[3], "Menu show delay: "));
    EXPECT_TRUE(StartsWith(desktop[4], "Font smoothing: "));

    const auto saver = Under({"Desktop", "Screen saver"});
    ASSERT_EQ(saver.size(), 5u);
    EXPECT_TRUE(StartsWith(saver[0].text, "Current: "));
    EXPECT_TRUE(StartsWith(saver[1].text, "Timeout: "));
    EXPECT_EQ(saver[1].image, 24);
    EXPECT_TRUE(StartsWith(saver[2].text, "Active: "));
    EXPECT_TRUE(StartsWith(saver[3].text, "Secure: "));
    EXPECT_EQ(saver[4].text, "All");

    const auto icons = Texts(Under({"Desktop", "Icons"}));
    ASSERT_GE(icons.size(), 2u);
    EXPECT_TRUE(StartsWith(icons[icons.size() - 2], "Icon-title wrapping : "));
    EXPECT_TRUE(StartsWith(icons.back(), "Shell icon size: "));
}

TEST_F(InformationTreeTest, BiosPageFileAndInternetLines) {
    const auto systemBios = Under({"BIOS", "System BIOS"});
    ASSERT_EQ(systemBios.size(), 2u);
    EXPECT_TRUE(StartsWith(systemBios[0].text, "Version: "));
    EXPECT_TRUE(StartsWith(systemBios[1].text, "Date: "));
    EXPECT_EQ(systemBios[1].image, 24);
    const auto videoBios = Under({"BIOS", "Video BIOS"});
    ASSERT_EQ(videoBios.size(), 2u);
    EXPECT_EQ(videoBios[1].image, 24);

    const auto pageFile = Texts(Under({"Memory", "PageFile", "Date"}));
    ASSERT_EQ(pageFile.size(), 3u);
    EXPECT_TRUE(StartsWith(pageFile[0], "Creation: "));
    EXPECT_TRUE(StartsWith(pageFile[1], "Last access: "));
    EXPECT_TRUE(StartsWith(pageFile[2], "Last Modified: "));

    const auto internet = Texts(Under({"Internet connection"}));
    const std::vector<std::string> notConnected = {"Device name to connect: not find.", "Device type: not find.",
                                                   "Line speed: not find.",             "Internet Login: not find.",
                                                   "Phone number: not find.",           "ISP IP: not find."};
    std::vector<std::string> withoutAddress;
    for (const std::string& line : internet) {
        if (!StartsWith(line, "IP: ")) withoutAddress.push_back(line);
    }
    EXPECT_EQ(withoutAddress, notConnected);
}

TEST_F(InformationTreeTest, PrinterSectionSaysWhenThereIsNone) {
    const auto printer = Texts(Under({"Printer"}));
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.Flags = PD_RETURNDEFAULT;
    const bool hasDefault = ::PrintDlgA(&dialog);
    if (dialog.hDevMode) ::GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) ::GlobalFree(dialog.hDevNames);
    if (hasDefault) {
        EXPECT_EQ(std::find(printer.begin(), printer.end(), "No printer installed."), printer.end());
    } else {
        EXPECT_EQ(printer, std::vector<std::string>{"No printer installed."});
    }
}

TEST_F(InformationTreeTest, ImageListHoldsAllSeventyTwoIcons) {
    HIMAGELIST images = TreeView_GetImageList(Tree(), TVSIL_NORMAL);
    EXPECT_EQ(images, window->TreeImages());
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), ovix::kTreeImageCount);
}

TEST_F(InformationTreeTest, OpenProgramTimerShowsItsLine) {
    ::ShowWindow(window->Hwnd(), SW_SHOW);
    window->OnTimer(400);
    EXPECT_TRUE(StartsWith(window->ItemText(IDC_OPEN_PROGRAMS), "Number of open programs: "));
}

TEST_F(InformationTreeTest, DisksAndDrivesHaveTheirSections) {
    const ovix::DiskFacts facts = ovix::ReadDiskFacts();
    const auto hdd = Under({"HDD"});
    size_t disks = 0;
    for (const Node& node : hdd) {
        if (node.text.rfind("Hard Disk n\xB0", 0) != 0) continue;
        EXPECT_EQ(node.image, 51);
        EXPECT_TRUE(node.bold);
        const auto lines = Texts(Children(Tree(), node.handle));
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines, ovix::PhysicalDiskGroup(facts.disks[disks]).lines);
        ++disks;
    }
    EXPECT_EQ(disks, facts.disks.size());

    const auto drives = Under({"Logical drive"});
    const auto groups = ovix::LogicalDriveGroups(facts);
    ASSERT_GE(drives.size(), groups.size());
    for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(drives[i].text, groups[i].title);
        EXPECT_EQ(drives[i].image, 51);
        EXPECT_TRUE(drives[i].bold);
        const auto lines = Texts(Children(Tree(), drives[i].handle));
        ASSERT_EQ(lines.size(), groups[i].lines.size());
        EXPECT_EQ(lines[0], groups[i].lines[0]) << "the total is fixed; free space may drift";
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.end()),
                  std::vector<std::string>(groups[i].lines.begin() + 3, groups[i].lines.end()));
    }
    if (facts.drives.size() > 1) {
        ASSERT_EQ(drives.size(), groups.size() + 1);
        EXPECT_EQ(drives.back().text, "Summary");
        EXPECT_EQ(drives.back().image, 45);
        EXPECT_EQ(Children(Tree(), drives.back().handle).size(), 2u);
    }
}

// A Windows or system folder that cannot be found gives its "Not find"
// lines: the fallback text is never searched as a path.
TEST(InformationTreeFolders, AMissingFolderGivesItsNotFindLines) {
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(tree, nullptr);
    ovix::FactSheet facts;
    facts.windowsDirectory = "Path: Not find";
    facts.systemDirectory = "Path: Not find";
    const std::vector<std::string> accounts;
    ovix::BuildContext context{facts, accounts, [](const char*) {}};
    context.windowsFolder = [] { return std::optional<std::string>(); };
    context.systemFolder = [] { return std::optional<std::string>(); };
    // A folder named like the fallback in the current folder must not be read.
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof(current), current);
    test::TempFolder folder("info-tree-folders");
    ::SetCurrentDirectoryA(folder.Path().c_str());
    ::CreateDirectoryA("Not find", nullptr);
    ::CreateDirectoryA("Not find\\inside", nullptr);
    ovix::BuildInformationTree(tree, nullptr, context);
    ::SetCurrentDirectoryA(current);

    HTREEITEM at = TreeView_GetRoot(tree);
    for (const char* step : {"Operating system", "Details"}) at = Find(Children(tree, at), step)->handle;
    const std::vector<std::string> notFind = {"Path: Not find", "Number of Folders: Not find",
                                              "Number of Files: Not find", "Size: Not find"};
    for (const char* name : {"Windows Directory", "System Directory"}) {
        const Node* section = Find(Children(tree, at), name);
        ASSERT_NE(section, nullptr) << name;
        auto lines = Texts(Children(tree, section->handle));
        ASSERT_FALSE(lines.empty());
        ASSERT_EQ(lines.back(), "Date") << name;
        lines.pop_back();
        EXPECT_EQ(lines, notFind) << name;
        EXPECT_TRUE(Children(tree, Find(Children(tree, section->handle), "Date")->handle).empty());
    }
    ::DestroyWindow(tree);
}

// A section whose insert failed leaves its rows out rather than beside the root.
TEST(InformationTreeWriter, NothingIsInsertedWithoutAParent) {
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ovix::TreeWriter writer(tree);
    HTREEITEM root = writer.Root("PC", 53, true);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(writer.Section(nullptr, "Lost", 45, true), nullptr);
    EXPECT_EQ(writer.Item(nullptr, "Lost line"), nullptr);
    EXPECT_EQ(TreeView_GetCount(tree), 1u);
    EXPECT_EQ(TreeView_GetNextSibling(tree, root), nullptr);
    ::DestroyWindow(tree);
}

TEST(ShellIconLocation, SplitsPathAndIndex) {
    std::string path;
    int index = -1;
    EXPECT_TRUE(ovix::SplitIconLocation("C:\\icons\\my.dll,-12", path, index));
    EXPECT_EQ(path, "C:\\icons\\my.dll");
    EXPECT_EQ(index, -12);
    EXPECT_TRUE(ovix::SplitIconLocation("\"C:\\a b\\x.ico\",0", path, index));
    EXPECT_EQ(path, "C:\\a b\\x.ico");
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(ovix::SplitIconLocation("C:\\no-index.ico", path, index));
    EXPECT_FALSE(ovix::SplitIconLocation(",3", path, index));
    EXPECT_FALSE(ovix::SplitIconLocation("C:\\x.dll,abc", path, index));
}

}  // namespace
