// The management-service lines in the built tree, walked through the tree
// control: each in its section, in the order of the section's table.
#include "probes/fact_sheet.h"
#include "probes/information_tree.h"
#include "probes/wmi_probes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ovix::probes;

struct Node {
    HTREEITEM handle;
    std::string text;
    int image;
    bool bold;
};

class WmiTree : public testing::Test {
protected:
    static void SetUpTestSuite() {
        tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        facts = new ovix::FactSheet;
        ovix::BuildFactSheet(*facts);
        const std::vector<std::string> accounts;
        const ovix::BuildContext context{*facts, accounts, [](const char*) {}};
        ovix::BuildInformationTree(tree, nullptr, context);
    }
    static void TearDownTestSuite() {
        ::DestroyWindow(tree);
        delete facts;
    }

    static std::vector<Node> Children(HTREEITEM parent) {
        std::vector<Node> nodes;
        for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
            char text[512] = "";
            TVITEMA item{};
            item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
            item.hItem = child;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            item.stateMask = TVIS_BOLD;
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            nodes.push_back({child, text, item.iImage, (item.state & TVIS_BOLD) != 0});
        }
        return nodes;
    }
    static std::vector<Node> Under(const std::vector<std::string>& path) {
        HTREEITEM at = TreeView_GetRoot(tree);
        for (const std::string& step : path) {
            HTREEITEM next = nullptr;
            for (const Node& node : Children(at)) {
                if (node.text == step) next = node.handle;
            }
            if (!next) return {};
            at = next;
        }
        return Children(at);
    }
    static std::vector<std::string> Texts(const std::vector<Node>& nodes) {
        std::vector<std::string> texts;
        for (const Node& node : nodes) texts.push_back(node.text);
        return texts;
    }
    // The lines appear in this order among the section's nodes; empty lines
    // are never inserted, so they are left out of the expectation.
    static void ExpectInOrder(const std::vector<std::string>& path, const std::vector<std::string>& lines) {
        const auto texts = Texts(Under(path));
        size_t at = 0;
        for (const std::string& line : lines) {
            if (line.empty()) continue;
            while (at < texts.size() && texts[at] != line) ++at;
            EXPECT_LT(at, texts.size()) << "\"" << line << "\" missing or out of order under " << path.back();
            if (at < texts.size()) ++at;
        }
    }

    static HWND tree;
    static ovix::FactSheet* facts;
};

HWND WmiTree::tree = nullptr;
ovix::FactSheet* WmiTree::facts = nullptr;

TEST_F(WmiTree, FactSheetLinesFromTheService) {
    EXPECT_EQ(facts->cpuFamily, "Family: " + ProcessorFamily());
    EXPECT_EQ(facts->videoChipset, "Chipset: " + VideoAdapterCompatibility());
    EXPECT_EQ(facts->videoModel, "Model: " + VideoControllerCaption());
}

TEST_F(WmiTree, LinesSitInTheirSections) {
    ExpectInOrder({"Miscellaneous", "Registry"}, {RegistryCurrentSize(), RegistryMaximumSize(), RegistryStatus()});
    ExpectInOrder({"Miscellaneous", "Others", "Computer"},
                  {facts->computerName, PrimaryOwnerName(), ComputerSystemManufacturer(), ComputerSystemType(),
                   ComputerSystemModel()});
    const auto os = Texts(Under({"Operating system"}));
    ASSERT_GE(os.size(), 2u);
    EXPECT_EQ(os[0], OsManufacturer());
    EXPECT_EQ(os[1], facts->osTrademark);
    ExpectInOrder({"Operating system", "Details"},
                  {facts->osVersion, facts->bootTime, OsInstallDate(), facts->systemIdentifier, facts->osType,
                   facts->osSerialNumber, OsEncryptionLevel(), OsProductType(), Workgroup(), ActivationRequired(),
                   facts->systemRestore, WakeUpType(), OsSystemDrive(), OsSystemDevice(), facts->osLanguage,
                   OsStatus(), "Network login profile"});
    ExpectInOrder({"CPU"}, {facts->cpuName, ProcessorArchitecture(), ProcessorType(), facts->cpuFamily,
                            facts->cpuIdentifier, ProcessorRevision(), ProcessorUpgradeMethod(),
                            ProcessorAddressWidth(), ProcessorDataWidth(), ProcessorStatus(), "Frequency"});
    ExpectInOrder({"CPU", "Frequency"}, {facts->cpuClock, ProcessorExtClock()});
    ExpectInOrder({"CPU", "Cache"}, {ProcessorL2CacheSpeed()});
    ExpectInOrder({"Motherboard"}, {BaseBoardDescription(), BaseBoardManufacturer(), BaseBoardProduct(),
                                    BaseBoardVersion(), ProcessorSocket(), "IDE controller"});
    ExpectInOrder({"Memory"}, {facts->swapSpace, OsLargeSystemCache(), "Cache", "PageFile"});
    ExpectInOrder({"Memory", "PageFile"}, {PageFileCurrentSize(), PageFileMaximumSize(), PageFilePath(), "Date"});
    ExpectInOrder({"Video card"}, {facts->videoChipset, VideoArchitecture(), facts->videoModel, VideoProcessor(),
                                   VideoScanMode(), VideoDacType(), VideoControllerStatus(), "Driver"});
    ExpectInOrder({"Video card", "Driver"},
                  {VideoDriverVersion(), VideoDriverDate(), VideoDisplayDrivers(), VideoInfFilename()});
    ExpectInOrder({"Video card", "Memory"}, {VideoAdapterRam(), VideoMemoryType()});
    ExpectInOrder({"Video card", "Refresh rate"}, {VideoMinRefreshRate(), VideoMaxRefreshRate()});
    ExpectInOrder({"BIOS"}, {BiosManufacturer(), BiosName(), "System BIOS", "Video BIOS", BiosStatus()});
    ExpectInOrder({"Keyboard"}, {facts->keyboardRepeat, KeyboardFunctionKeys(), KeyboardDeviceId()});
    ExpectInOrder({"Mouse"}, {PointingDeviceCaption(), PointingDeviceManufacturer(), facts->mouseButtons,
                              PointingDeviceInfFileName()});
    ExpectInOrder({"Monitor"}, {facts->screenDiagonal, MonitorManufacturer(), MonitorType(), MonitorDeviceId(),
                                MonitorPixelsPerXInch(), MonitorPixelsPerYInch(), MonitorPnpDeviceId(),
                                MonitorStatus()});
    ExpectInOrder({"Desktop", "Icons"}, {IconTitleFont(), IconTitleSize()});
}

TEST_F(WmiTree, ServiceAnswersReachTheTree) {
    // Under Wine these have instances: the tree shows them, not just empty probes.
    const auto os = Texts(Under({"Operating system"}));
    ASSERT_FALSE(os.empty());
    EXPECT_EQ(os[0].rfind("Manufacturer: ", 0), 0u);
    EXPECT_GT(os[0].size(), std::string("Manufacturer: ").size());
    const auto details = Under({"Operating system", "Details"});
    bool installDate = false;
    for (const Node& node : details) {
        if (node.text.rfind("Installation date: ", 0) == 0) {
            installDate = true;
            EXPECT_EQ(node.image, 24);
        }
    }
    EXPECT_TRUE(installDate);
    const auto driver = Under({"Video card", "Driver"});
    for (const Node& node : driver) {
        if (node.text.rfind("Date: ", 0) == 0) {
            EXPECT_EQ(node.image, 24);
        }
    }
}

TEST_F(WmiTree, OneGroupPerDiskAndSoundDevice) {
    std::vector<std::string> interfaces, models;
    DiskDriveInterfaceList(interfaces);
    const auto disks = Texts(Under({"HDD", "Model"}));
    ASSERT_EQ(disks.size(), 4 * interfaces.size());
    for (size_t n = 0; n < interfaces.size(); ++n) {
        EXPECT_EQ(disks[4 * n].rfind("#" + std::to_string(n + 1) + " ", 0), 0u) << disks[4 * n];
        EXPECT_EQ(disks[4 * n + 1], "Interface type: " + interfaces[n]);
        EXPECT_EQ(disks[4 * n + 2].rfind("Media type: ", 0), 0u);
        EXPECT_EQ(disks[4 * n + 3].rfind("Number of partition(s): ", 0), 0u);
    }
    SoundDeviceModelList(models);
    const auto sound = Texts(Under({"Sound device"}));
    ASSERT_EQ(sound.size(), 3 * models.size());
    for (size_t n = 0; n < models.size(); ++n) {
        EXPECT_EQ(sound[3 * n].rfind("#" + std::to_string(n + 1) + " Manufacturer: ", 0), 0u) << sound[3 * n];
        EXPECT_EQ(sound[3 * n + 1], models[n]);
        EXPECT_EQ(sound[3 * n + 2].rfind("Status: ", 0), 0u);
    }
    // Classes without instance here leave their sections empty.
    std::vector<std::string> drives, ide, caches, profiles;
    CdromDriveList(drives);
    IdeControllerList(ide);
    CacheMemoryPurposeList(caches);
    LoginProfileCaptionList(profiles);
    EXPECT_EQ(Under({"CD/DVD"}).size(), 3 * drives.size());
    EXPECT_EQ(Under({"Motherboard", "IDE controller"}).size(), ide.size());
    EXPECT_EQ(Under({"Memory", "Cache"}).size(), caches.size());
    EXPECT_EQ(Under({"Operating system", "Details", "Network login profile"}).size(), profiles.size());
}

}  // namespace
