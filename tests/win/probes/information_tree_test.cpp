#include "app/main_window.h"
#include "probes/disk_probes.h"
#include "probes/tree_image_list.h"
#include "support/fake_tray.h"
#include "support/tree_nodes.h"
#include "support/temp_folder.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include <sstream>
#include <string>
#include <vector>

namespace {

using test::Children;
using test::Node;
using test::Texts;

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

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

std::vector<Node> Under(HWND tree, const std::vector<std::string>& path) { return test::Under(tree, path); }

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
    std::vector<Node> Under(const std::vector<std::string>& path) const { return ::Under(Tree(), path); }

    static test::FakeTray* tray;
    static ovix::MainWindow* window;
};

test::FakeTray* InformationTreeTest::tray = nullptr;
ovix::MainWindow* InformationTreeTest::window = nullptr;

TEST_F(InformationTreeTest, RootIsTheComputerNameBoldAndOpen) {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof(name);
    ASSERT_TRUE(::GetComputerNameA(name, &size));
    const auto top = Children(Tree(), TVI_ROOT);
    ASSERT_EQ(top.size(), 1u) << "a single top-level node";
    const Node& root = top[0];
    EXPECT_EQ(root.text, name);
    EXPECT_EQ(root.image, 53);
    EXPECT_TRUE(root.bold);
    EXPECT_TRUE(root.expanded);
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

// The lines of each section, in order, by the label each begins with (the
// values are the machine's). "=" marks a line that must match whole.
struct SectionLines {
    std::vector<std::string> path;
    std::vector<std::string> labels;
};

TEST_F(InformationTreeTest, LinesOfEachSectionInOrder) {
    const std::string resolution = "=Resolution: " + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + " x " +
                                   std::to_string(::GetSystemMetrics(SM_CYSCREEN));
    const SectionLines sections[] = {
        {{"Miscellaneous", "Identity"}, {"User Name: ", "Admin rights: "}},
        {{"Miscellaneous", "Others"},
         {"=Computer", "Winsock version: ", "System start: ", "Timeout to kill applications: ",
          "Timeout to kill services: ", "IE: Version: ", "ADO: Version: ", "Time format: ", "Short date format: ",
          "Internet User Agent: ", "=e-Mail"}},
        {{"Miscellaneous", "Others", "e-Mail"}, {"Default software: ", "=address"}},
        {{"Operating system", "Details", "Windows Directory"},
         {"Root: ", "Path: ", "Number of Folders: ", "Number of Files: "}},
        {{"Operating system", "Details", "Windows Directory", "Date"}, {"Creation: ", "Last Modified: "}},
        {{"CPU", "Frequency"}, {"Speed clock: ", "", "Multiplier: "}},
        {{"Display"}, {resolution, "Color depth: ", "Refresh frequency: ", "Color planes: ", "=Raster technology: yes"}},
        {{"Monitor"}, {"Size: ", "Diagonal: "}},
        {{"Keyboard"}, {"Model: ", "Repeat speed: ", "Repeat delay: "}},
        {{"Mouse"},
         {"Number of buttons: ", "Speed: ", "Sensitivity: ", "Double click speed: ", "Double click height: ",
          "Double click width: ", "", "Lines per scroll: ", "Threshold (x,y): "}},
        {{"Desktop"}, {"Path: ", "Number of Items: ", "Wallpaper path: ", "Menu show delay: ", "Font smoothing: "}},
        {{"Desktop", "Screen saver"}, {"Current: ", "Timeout: ", "Active: ", "Secure: ", "=All"}},
        {{"BIOS", "System BIOS"}, {"Version: ", "Date: "}},
        {{"BIOS", "Video BIOS"}, {"", "Date: "}},
        {{"Memory", "PageFile", "Date"}, {"Creation: ", "Last access: ", "Last Modified: "}},
    };
    for (const SectionLines& section : sections) {
        const auto lines = Texts(Under(section.path));
        ASSERT_GE(lines.size(), section.labels.size()) << section.path.back();
        for (size_t i = 0; i < section.labels.size(); ++i) {
            const std::string& label = section.labels[i];
            if (!label.empty() && label[0] == '=') {
                EXPECT_EQ(lines[i], label.substr(1)) << section.path.back();
            } else {
                EXPECT_TRUE(StartsWith(lines[i], label)) << section.path.back() << ": " << lines[i];
            }
        }
    }
    EXPECT_EQ(Texts(Under({"Miscellaneous", "Others", "e-Mail", "address"})), window->MailAccounts());
    const auto mouse = Texts(Under({"Mouse"}));
    EXPECT_TRUE(mouse.at(6) == "Wheel present." || mouse.at(6) == "No wheel.") << mouse.at(6);
    const auto details = Texts(Under({"Operating system", "Details"}));
    EXPECT_NE(std::find(details.begin(), details.end(), "System Restore: Disable"), details.end())
        << "Wine has no System Restore";

    // Dates carry the date image.
    const auto others = Under({"Miscellaneous", "Others"});
    EXPECT_EQ(others.at(6).image, 0);
    EXPECT_EQ(others.at(7).image, 24);
    EXPECT_EQ(others.at(8).image, 24);
    EXPECT_EQ(Under({"Desktop", "Screen saver"}).at(1).image, 24);
    EXPECT_EQ(Under({"BIOS", "System BIOS"}).at(1).image, 24);
    EXPECT_EQ(Under({"BIOS", "Video BIOS"}).at(1).image, 24);

    EXPECT_EQ(Under({"Display", "Curve capabilities"}).size(), 9u);
    EXPECT_EQ(Under({"Display", "Line capabilities"}).size(), 7u);
    EXPECT_EQ(Under({"Display", "Polygon capabilities"}).size(), 7u);
    EXPECT_EQ(Under({"Display", "Text capabilities"}).size(), 11u);
    EXPECT_EQ(Under({"Display", "Raster capabilities"}).size(), 5u);

    std::vector<std::string> internet;
    for (const std::string& line : Texts(Under({"Internet connection"}))) {
        if (!StartsWith(line, "IP: ")) internet.push_back(line);
    }
    EXPECT_EQ(internet, (std::vector<std::string>{"Device name to connect: not find.", "Device type: not find.",
                                                  "Line speed: not find.", "Internet Login: not find.",
                                                  "Phone number: not find.", "ISP IP: not find."}));
}

TEST_F(InformationTreeTest, ProcessorFeaturesWithTheNoImage) {
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
}

TEST_F(InformationTreeTest, ImagesAndTheOpenProgramLine) {
    EXPECT_EQ(TreeView_GetImageList(Tree(), TVSIL_NORMAL), window->TreeImages());
    EXPECT_EQ(::ImageList_GetImageCount(window->TreeImages()), ovix::kTreeImageCount);
    ::ShowWindow(window->Hwnd(), SW_SHOW);
    window->OnTimer(400);
    EXPECT_TRUE(StartsWith(window->ItemText(IDC_OPEN_PROGRAMS), "Number of open programs: "));
    // Wine has no default printer.
    EXPECT_EQ(Texts(Under({"Printer"})), std::vector<std::string>{"No printer installed."});
}

TEST_F(InformationTreeTest, DisksAndDrivesHaveTheirSections) {
    const ovix::DiskFacts facts = ovix::ReadDiskFacts();
    size_t disks = 0;
    for (const Node& node : Under({"HDD"})) {
        if (!StartsWith(node.text, "Hard Disk n\xB0")) continue;
        EXPECT_EQ(Texts(Children(Tree(), node.handle)), ovix::PhysicalDiskGroup(facts.disks.at(disks++)).lines);
    }
    EXPECT_EQ(disks, facts.disks.size());
    const auto drives = Under({"Logical drive"});
    const auto groups = ovix::LogicalDriveGroups(facts);
    ASSERT_EQ(drives.size(), groups.size() + (facts.drives.size() > 1 ? 1 : 0)) << "and a summary of several";
    for (size_t i = 0; i < groups.size(); ++i) {
        // The total is fixed; used and free space may drift between two reads.
        EXPECT_EQ(drives[i].text, groups[i].title);
        EXPECT_EQ(Texts(Children(Tree(), drives[i].handle)).at(0), groups[i].lines.at(0)) << groups[i].title;
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

    for (const char* name : {"Windows Directory", "System Directory"}) {
        EXPECT_EQ(Texts(Under(tree, {"Operating system", "Details", name})),
                  (std::vector<std::string>{"Path: Not find", "Number of Folders: Not find",
                                            "Number of Files: Not find", "Size: Not find", "Date"}))
            << name;
        EXPECT_TRUE(Under(tree, {"Operating system", "Details", name, "Date"}).empty());
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
