// The management-service lines in the tree. The real tree is built twice per
// suite, one query per probe and within a ClassReadScope, and the two are
// compared as the clipboard receives them; the per-instance rows are built
// from a fake service.
#include "app/tree_operations.h"
#include "probes/fact_sheet.h"
#include "probes/information_tree.h"
#include "probes/wmi_probes.h"
#include "probes/wmi_tree_rows.h"
#include "support/tree_nodes.h"
#include "tests/host/probes/fake_row_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace ovix::probes;
using Lines = std::vector<std::string>;
using ovix::wmi::Value;

using test::Children;
using test::Node;
using test::Texts;

HWND NewTree() {
    return ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
}

// The service's classes, each read recorded.
struct RecordedClasses : ovix::wmi::ClassSource {
    ovix::wmi::ServiceRowSource service;
    Lines read;
    ovix::wmi::ClassRows ReadClass(std::string_view className, std::span<const std::string> properties) override {
        read.emplace_back(className);
        return service.ReadClass(className, properties);
    }
};

class WmiTree : public testing::Test {
protected:
    static void SetUpTestSuite() {
        tree = Build(facts);
        RecordedClasses classes;
        {
            const ovix::wmi::ClassReadScope scope(classes);
            scopedTree = Build(scopedFacts);
        }
        classesRead = classes.read;
    }
    static void TearDownTestSuite() {
        ::DestroyWindow(tree);
        ::DestroyWindow(scopedTree);
    }
    static HWND Build(ovix::FactSheet& sheet) {
        HWND built = NewTree();
        ovix::BuildFactSheet(sheet);
        const Lines accounts;
        ovix::BuildInformationTree(built, nullptr, {sheet, accounts, [](const char*) {}});
        return built;
    }

    static Lines Under(const Lines& path) { return Texts(test::Under(tree, path)); }
    static inline HWND tree = nullptr, scopedTree = nullptr;
    static inline ovix::FactSheet facts, scopedFacts;
    static inline Lines classesRead;
};

// The tree's text line by line. Lines that change between any two builds
// (the boot time, worked out from the uptime, moves by a second; free space
// drifts) keep their indent and label only.
Lines StableLines(HWND tree) {
    Lines lines;
    std::string text = ovix::TreeClipboardText(tree, false);
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = text.substr(at, end - at);
        for (const char* label : {"Boot Time: ", "Used: ", "Free: ", "Total Logical drives free: "}) {
            if (line.find(label) == line.find_first_not_of(' ')) line.resize(line.find(label) + strlen(label));
        }
        lines.push_back(line);
    }
    return lines;
}

TEST_F(WmiTree, TheScopeReadsEachClassOnceAndChangesNoLine) {
    const Lines lines = StableLines(tree);
    ASSERT_GT(lines.size(), 250u);
    EXPECT_EQ(StableLines(scopedTree), lines);
    Lines distinct = classesRead;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end()) << "no class read twice";
    // All of them but the serial ports (enumerated otherwise) and, without a
    // default printer, the printers.
    EXPECT_GE(classesRead.size(), 20u);
    EXPECT_LE(classesRead.size(), 21u);
}

// The rows of one section from a fake service, into a tree of their own.
class WmiTreeRows : public testing::Test {
protected:
    void SetUp() override { parent = writer.Section(TVI_ROOT, "Section", 0, true); }
    void TearDown() override { ::DestroyWindow(tree); }
    std::vector<Node> Rows(HTREEITEM under = nullptr) { return Children(tree, under ? under : parent); }

    HWND tree = NewTree();
    ovix::TreeWriter writer{tree};
    HTREEITEM parent = nullptr;
    test::FakeRowSource service;
    ovix::FactSheet facts;
    Lines accounts, progress;
    ovix::BuildContext context{facts, accounts, [this](const char* text) {
                                   progress.push_back(text + std::to_string(service.classesRead.size()));
                               }};
};

TEST_F(WmiTreeRows, LoginProfilesShowAccountLinesUnlessTheCaptionHasNt) {
    service.Add("Win32_NetworkLoginProfile", {{"Caption", Value::OfText("NT AUTHORITY\\SYSTEM")},
                                              {"Description", Value::OfText("Built-in")}});
    service.Add("Win32_NetworkLoginProfile",
                {{"Caption", Value::OfText("alice")}, {"NumberOfLogons", Value::OfInteger(12)},
                 {"Privileges", Value::OfInteger(1)}, {"UnitsPerWeek", Value::OfInteger(40)},
                 {"UserId", Value::OfInteger(1003)}});
    const ovix::wmi::ClassReadScope scope(service);
    ovix::LoginProfileRows(writer, parent, context);
    const auto profiles = Rows();
    ASSERT_EQ(Texts(profiles), (Lines{"NT AUTHORITY\\SYSTEM", "alice"}));
    EXPECT_EQ(profiles[0].image, 45);
    EXPECT_FALSE(profiles[0].bold);
    EXPECT_EQ(Texts(Rows(profiles[0].handle)), Lines{"Description: Built-in"});
    const auto lines = Rows(profiles[1].handle);
    EXPECT_EQ(Texts(lines), (Lines{"Number of Logon: 12", "Privileges: User", "Limited Access: Yes (40h/week)",
                                   "ID: 1003", "Description: "}));
    EXPECT_EQ(lines[1].image, 0);
    EXPECT_EQ(lines[2].image, 24) << "the limited-access line";
}

TEST_F(WmiTreeRows, CdDrivesByLetter) {
    service.Add("Win32_CDROMDrive", {{"Caption", Value::OfText("DVD-ROM")}, {"Drive", Value::OfText("D:")},
                                     {"DeviceID", Value::OfText("IDE\\CDROM1")}});
    service.Add("Win32_CDROMDrive", {{"Caption", Value::OfText("Virtual")}, {"DeviceID", Value::OfText("SCSI\\2")}});
    const ovix::wmi::ClassReadScope scope(service);
    ovix::CdromRows(writer, parent, context);
    const auto rows = Rows();
    // A drive without a letter keeps its lines, without a letter item.
    ASSERT_EQ(Texts(rows), (Lines{"D:\\", "Model: DVD-ROM", "Device ID: IDE\\CDROM1", "Model: Virtual",
                                  "Device ID: SCSI\\2"}));
    EXPECT_TRUE(rows[0].bold);
    EXPECT_EQ(rows[0].image, 52);
    EXPECT_FALSE(rows[1].bold);
    EXPECT_EQ(service.classesRead, Lines{"Win32_CDROMDrive"}) << "three lists, one read: in step";
}

TEST_F(WmiTreeRows, PrintersAfterPleaseWait) {
    for (const char* name : {"Laser", "Ink"}) {
        service.Add("Win32_Printer",
                    {{"Name", Value::OfText(name)}, {"PortName", Value::OfText("LPT1:")},
                     {"DriverName", Value::OfText("PCL5")}, {"VerticalResolution", Value::OfInteger(600)},
                     {"HorizontalResolution", Value::OfInteger(1200)}, {"PrintProcessor", Value::OfText("WinPrint")},
                     {"PrintJobDataType", Value::OfText("RAW")}, {"Status", Value::OfText("OK")},
                     {"Default", Value::OfBoolean(name[0] == 'L')}, {"Local", Value::OfBoolean(true)},
                     {"Network", Value::OfBoolean(false)}});
    }
    const ovix::wmi::ClassReadScope scope(service);
    ovix::PrinterSections(writer, parent, context);
    EXPECT_EQ(progress, Lines{"Please wait...0"}) << "shown before the printers are read";
    const auto printers = Rows();
    ASSERT_EQ(Texts(printers), (Lines{"1. Laser", "2. Ink"}));
    EXPECT_TRUE(printers[1].bold);
    EXPECT_EQ(printers[1].image, 13);
    EXPECT_EQ(Texts(Rows(printers[0].handle)),
              (Lines{"Port: LPT1:", "Driver: PCL5", "Resolution: 1200 x 600", "Spooler name: WinPrint",
                     "Data type: RAW", "Status: OK", "Default: yes", "Local: yes", "Network: no"}));
    EXPECT_EQ(Texts(Rows(printers[1].handle))[6], "Default: no");
}

}  // namespace
