// The information tree: every section and line of the main window's tree,
// written as tables that read like the list of facts they show, and the one
// loop that inserts them.
#pragma once

#include "framework/win.h"
#include "probes/fact_sheet.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ovix {

struct DiskFacts;

// Image indexes of the tree's image list that the tables use by name.
namespace image {
inline constexpr int kItem = 0;
inline constexpr int kEmail = 1;
inline constexpr int kIdentity = 8;
inline constexpr int kPrinterEntry = 13;
inline constexpr int kKeyboard = 18;
inline constexpr int kSound = 21;
inline constexpr int kDate = 24;
inline constexpr int kFolder = 28;
inline constexpr int kInternet = 33;
inline constexpr int kOperatingSystem = 37;
inline constexpr int kHardware = 40;
inline constexpr int kVideoMemory = 41;
inline constexpr int kMouse = 44;
inline constexpr int kSubsection = 45;
inline constexpr int kNo = 46;
inline constexpr int kDisplay = 47;
inline constexpr int kCpu = 48;
inline constexpr int kDisk = 51;
inline constexpr int kOptical = 52;
inline constexpr int kComputer = 53;
inline constexpr int kPrinter = 54;
inline constexpr int kMemory = 55;
inline constexpr int kDesktop = 57;
inline constexpr int kMiscellaneous = 68;
inline constexpr int kPowerFeatures = 69;
inline constexpr int kFrequency = 70;
inline constexpr int kOthers = 71;
}  // namespace image

// Inserts nodes into a tree control, each as the last child of its parent.
class TreeWriter {
public:
    explicit TreeWriter(HWND tree) : tree_(tree) {}
    // The top node. Everything else needs a parent: a null parent (a section
    // whose own insert failed) inserts nothing, rather than beside the root.
    HTREEITEM Root(const std::string& text, int image, bool bold);
    HTREEITEM Section(HTREEITEM parent, const std::string& text, int image, bool bold);
    // A line; an empty text is not inserted (nothing to show).
    HTREEITEM Item(HTREEITEM parent, const std::string& text, int image = image::kItem, bool bold = false);
    HWND Tree() const { return tree_; }

private:
    HTREEITEM Insert(HTREEITEM parent, const std::string& text, int image, bool bold);
    HWND tree_;
};

namespace cpu {
struct CpuInfo;
}

struct BuildContext {
    const FactSheet& facts;
    const std::vector<std::string>& mailAccounts;
    // Shows what is being built (the splash text).
    std::function<void(const char*)> progress;
    // The processor as identified; without it the processor's own lines are left out.
    const cpu::CpuInfo* cpu = nullptr;
    // Where the Windows and system folders are; nothing when the call fails.
    // Tests make them fail.
    std::optional<std::string> (*windowsFolder)() = nullptr;
    std::optional<std::string> (*systemFolder)() = nullptr;
    // The physical disks as the caller already gathered them; null: read here.
    const DiskFacts* physicalDisks = nullptr;
};

// One row of a section's table.
struct TreeRow {
    enum class Kind { Section, Fact, Line, Lines, Feature, Progress, Custom };
    using LineFn = std::string (*)(const BuildContext&);
    using LinesFn = std::vector<std::string> (*)(const BuildContext&);
    using FeatureFn = bool (*)();
    using CustomFn = void (*)(TreeWriter&, HTREEITEM parent, const BuildContext&);

    int level = 1;  // 1: directly below the top-level section; a section holds the deeper rows after it
    Kind kind = Kind::Line;
    const char* text = nullptr;  // section title, feature name or progress text
    int image = image::kItem;
    bool bold = false;
    const std::string FactSheet::*fact = nullptr;
    LineFn line = nullptr;
    LinesFn lines = nullptr;
    FeatureFn feature = nullptr;
    CustomFn custom = nullptr;
};

struct TopSection {
    const char* title;
    int image;
    const char* progress;  // shown while the section is built; null keeps the last text
    std::span<const TreeRow> rows;
};

// The top-level sections in the order the tree shows them.
std::span<const TopSection> TopSections();

// The handles kept for the life of the window.
struct InformationTree {
    HTREEITEM root = nullptr;
    std::vector<HTREEITEM> sections;  // top-level, in the order of TopSections()
    HTREEITEM miscellaneous = nullptr;
    HTREEITEM operatingSystem = nullptr;
};

// Clears the tree and inserts everything; expands the root, "Miscellaneous"
// and "Operating system".
InformationTree BuildInformationTree(HWND tree, HIMAGELIST images, const BuildContext& context);

}  // namespace ovix
