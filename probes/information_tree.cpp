#include "probes/information_tree.h"

#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/disk_probes.h"
#include "probes/cpu_text.h"
#include "probes/fact_text.h"
#include "probes/serial_ports.h"
#include "probes/system_probes.h"
#include "probes/wmi_probes.h"
#include "probes/wmi_tree_rows.h"

#include <shlobj.h>

namespace ovix {
namespace {

using Kind = TreeRow::Kind;

// Row makers, so the tables below read as lists of facts.
constexpr TreeRow Section(int level, const char* title, int image, bool bold = false) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Section;
    row.text = title;
    row.image = image;
    row.bold = bold;
    return row;
}

constexpr TreeRow Fact(int level, const std::string FactSheet::*fact, int image = image::kItem) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Fact;
    row.fact = fact;
    row.image = image;
    return row;
}

constexpr TreeRow Line(int level, TreeRow::LineFn line, int image = image::kItem) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Line;
    row.line = line;
    row.image = image;
    return row;
}

constexpr TreeRow Lines(int level, TreeRow::LinesFn lines) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Lines;
    row.lines = lines;
    return row;
}

// "name: yes", or "name: no" with the "no" image.
constexpr TreeRow Feature(int level, const char* name, TreeRow::FeatureFn present) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Feature;
    row.text = name;
    row.feature = present;
    return row;
}

constexpr TreeRow Progress(const char* text) {
    TreeRow row;
    row.level = 0;
    row.kind = Kind::Progress;
    row.text = text;
    return row;
}

constexpr TreeRow Custom(int level, TreeRow::CustomFn custom) {
    TreeRow row;
    row.level = level;
    row.kind = Kind::Custom;
    row.custom = custom;
    return row;
}

// A probe without arguments as a row's line.
template <std::string (*Probe)()>
std::string Call(const BuildContext&) {
    return Probe();
}

template <void (*Probe)(std::vector<std::string>&)>
std::vector<std::string> CallList(const BuildContext&) {
    std::vector<std::string> lines;
    Probe(lines);
    return lines;
}

template <DWORD Feature>
bool OsFeature() {
    return ::IsProcessorFeaturePresent(Feature) != FALSE;
}

// The facts of the Windows or the system folder, from one walk.
void FolderRows(TreeWriter& tree, HTREEITEM parent, const std::optional<std::string>& folder,
                const std::string& pathLine) {
    const probes::FolderFacts facts = probes::ReadFolderFacts(folder);
    tree.Item(parent, facts.root);
    tree.Item(parent, pathLine);
    tree.Item(parent, facts.folderCount);
    tree.Item(parent, facts.fileCount);
    tree.Item(parent, facts.size);
    HTREEITEM date = tree.Section(parent, "Date", image::kDate, false);
    tree.Item(date, facts.created);
    tree.Item(date, facts.modified);
}

void WindowsFolderRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    const auto folder = context.windowsFolder ? context.windowsFolder() : probes::WindowsFolderPath();
    FolderRows(tree, parent, folder, context.facts.windowsDirectory);
}

void SystemFolderRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    const auto folder = context.systemFolder ? context.systemFolder() : probes::SystemFolderPath();
    FolderRows(tree, parent, folder, context.facts.systemDirectory);
}

std::vector<std::string> MailAccounts(const BuildContext& context) { return context.mailAccounts; }

std::vector<std::string> NotConnectedHead(const BuildContext& context) {
    // Device name and type come before the local address...
    const auto& lines = context.facts.dialUp;
    return {lines.begin(), lines.begin() + std::min<size_t>(2, lines.size())};
}

std::vector<std::string> NotConnectedTail(const BuildContext& context) {
    // ...line speed, login, phone number and ISP address after it.
    const auto& lines = context.facts.dialUp;
    return {lines.begin() + std::min<size_t>(2, lines.size()), lines.end()};
}

void PrinterRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    if (!probes::HasDefaultPrinter()) {
        tree.Item(parent, "No printer installed.");
        return;
    }
    // The printers' details come from the management service.
    PrinterSections(tree, parent, context);
}

void RasterCapabilities(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    if (probes::RasterTechnology().find("Raster technology: no") != std::string::npos) return;
    HTREEITEM section = tree.Section(parent, "Raster capabilities", image::kSubsection, false);
    std::vector<std::string> lines;
    probes::RasterCapsList(lines);
    for (const std::string& line : lines) tree.Item(section, line);
}

std::string DesktopPath(const BuildContext&) {
    return fw::Format("Path: %s", probes::SpecialFolderPath(CSIDL_DESKTOP).c_str());
}

std::string ScreenSaverCurrent(const BuildContext&) { return probes::ScreenSaverFile(); }

// One section per physical disk, and the capacity of all of them.
void PhysicalDiskRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    DiskFacts gathered;
    if (!context.physicalDisks) {
        WindowsDiskSystem system;
        GatherPhysicalDisks(system, gathered);
    }
    const DiskFacts& facts = context.physicalDisks ? *context.physicalDisks : gathered;
    for (const PhysicalDisk& disk : facts.disks) {
        const TreeGroup group = PhysicalDiskGroup(disk);
        HTREEITEM section = tree.Section(parent, group.title, image::kDisk, true);
        for (const std::string& line : group.lines) tree.Item(section, line);
    }
    tree.Item(parent, StorageCapacityLine(facts));
}

void LogicalDriveRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    WindowsDiskSystem system;
    DiskFacts facts;
    GatherLogicalDrives(system, facts);
    for (const TreeGroup& group : LogicalDriveGroups(facts)) {
        HTREEITEM section = tree.Section(parent, group.title, image::kDisk, true);
        for (const std::string& line : group.lines) tree.Item(section, line);
    }
    const std::vector<std::string> summary = LogicalDriveSummary(facts);
    if (summary.empty()) return;
    HTREEITEM section = tree.Section(parent, "Summary", image::kSubsection, false);
    for (const std::string& line : summary) tree.Item(section, line);
}

// A raised enumeration error keeps the ports found before it.
void SerialPortRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    std::vector<SerialPortInfo> ports;
    try {
        EnumSerialPorts(ports, false);
    } catch (const SerialPortError&) {
    }
    for (const SerialPortInfo& port : ports) tree.Item(parent, port.friendlyName);
}

void ActiveAdapterRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    if (context.facts.activeAdapters.empty()) return;
    HTREEITEM section = tree.Section(parent, context.facts.activeAdapters, image::kSubsection, false);
    for (const std::string& line : context.facts.activeAdapterLines) tree.Item(section, line);
}

// The processor's own lines, from its identification.
std::string CpuSerialNumber(const BuildContext& context) {
    return context.cpu ? cpu::SerialNumberLine(*context.cpu) : std::string();
}

// The bus clock was taken with the processor clock at detection.
std::string CpuMultiplier(const BuildContext& context) {
    return context.cpu ? cpu::MultiplierLine(*context.cpu) : std::string();
}

std::string CpuL1Cache(const BuildContext& context) { return context.cpu ? cpu::L1CacheLine(*context.cpu) : std::string(); }
std::string CpuL2Cache(const BuildContext& context) { return context.cpu ? cpu::L2CacheLine(*context.cpu) : std::string(); }
std::string CpuL3Cache(const BuildContext& context) { return context.cpu ? cpu::L3CacheLine(*context.cpu) : std::string(); }

// "name: yes", or "name: no" with the "no" image where noImage says so.
void CpuFeatureRows(TreeWriter& tree, HTREEITEM parent, const BuildContext& context,
                    std::span<const cpu::FeatureRow> rows, bool noImage) {
    if (!context.cpu) return;
    for (const auto& [name, present] : cpu::FeaturePairs(rows, *context.cpu)) {
        tree.Item(parent, FeatureLine(name.c_str(), present), present || !noImage ? image::kItem : image::kNo);
    }
}

void CpuInstructionSets(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    CpuFeatureRows(tree, parent, context, cpu::InstructionSetRows(), true);
}

void CpuPowerFeatures(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    CpuFeatureRows(tree, parent, context, cpu::PowerManagementRows(), false);
}

void CpuMiscFeatures(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    CpuFeatureRows(tree, parent, context, cpu::MiscRows(), false);
}

// --- The sections, in tree order --------------------------------------------

const TreeRow kMiscellaneous[] = {
    Section(1, "Identity", image::kIdentity),
        Fact(2, &FactSheet::userName),
        Fact(2, &FactSheet::adminRights),
    Section(1, "Registry", image::kSubsection),
        Line(2, Call<probes::RegistryCurrentSize>),
        Line(2, Call<probes::RegistryMaximumSize>),
        Line(2, Call<probes::RegeditLastKey>),
        Line(2, Call<probes::RegistryStatus>),
    Section(1, "Others", image::kOthers, true),
        Section(2, "Computer", image::kComputer, true),
            Fact(3, &FactSheet::computerName),
            Line(3, Call<probes::PrimaryOwnerName>),
            Line(3, Call<probes::ComputerSystemManufacturer>),
            Line(3, Call<probes::ComputerSystemType>),
            Line(3, Call<probes::ComputerSystemModel>),
        Line(2, Call<probes::WinsockVersion>),
        Fact(2, &FactSheet::systemStart),
        Fact(2, &FactSheet::killTimeout),
        Line(2, Call<probes::WaitToKillServiceTimeout>),
        Fact(2, &FactSheet::browserVersion),
        Fact(2, &FactSheet::dataAccessVersion),
        Fact(2, &FactSheet::timeFormat, image::kDate),
        Line(2, Call<probes::ShortDateFormat>, image::kDate),
        Fact(2, &FactSheet::internetAgent),
        Section(2, "e-Mail", image::kEmail, true),
            Line(3, Call<probes::DefaultMailClient>),
            Section(3, "address", image::kIdentity),
                Lines(4, MailAccounts),
};

const TreeRow kOperatingSystem[] = {
    Line(1, Call<probes::OsManufacturer>),
    Fact(1, &FactSheet::osTrademark),
    Fact(1, &FactSheet::osModel),
    Section(1, "Details", image::kSubsection, true),
        Fact(2, &FactSheet::osVersion),
        Fact(2, &FactSheet::bootTime, image::kDate),
        Line(2, Call<probes::OsInstallDate>, image::kDate),
        Fact(2, &FactSheet::systemIdentifier),
        Fact(2, &FactSheet::osType),
        Fact(2, &FactSheet::osSerialNumber),
        Line(2, Call<probes::OsEncryptionLevel>),
        Line(2, Call<probes::MachineGuid>),
        Line(2, Call<probes::OsProductType>),
        Line(2, Call<probes::Workgroup>),
        Line(2, Call<probes::ActivationRequired>),
        Fact(2, &FactSheet::systemRestore),
        Line(2, Call<probes::WakeUpType>),
        Line(2, Call<probes::OsSystemDrive>),
        Line(2, Call<probes::OsSystemDevice>),
        Fact(2, &FactSheet::osLanguage),
        Line(2, Call<probes::OsStatus>),
        Section(2, "Network login profile", image::kIdentity),
            Custom(3, LoginProfileRows),
        Progress("Win directory"),
        Section(2, "Windows Directory", image::kFolder),
            Custom(3, WindowsFolderRows),
        Progress("Sys directory"),
        Section(2, "System Directory", image::kFolder),
            Custom(3, SystemFolderRows),
};

const TreeRow kCpu[] = {
    Fact(1, &FactSheet::cpuTrademark),
    Fact(1, &FactSheet::cpuName),
    Line(1, Call<probes::ProcessorArchitecture>),
    Line(1, Call<probes::ProcessorType>),
    Fact(1, &FactSheet::cpuFamily),
    Fact(1, &FactSheet::cpuIdentifier),
    Line(1, Call<probes::ProcessorRevision>),
    Line(1, Call<probes::ProcessorUpgradeMethod>),
    Line(1, CpuSerialNumber),
    Line(1, Call<probes::ProcessorAddressWidth>),
    Line(1, Call<probes::ProcessorDataWidth>),
    Line(1, Call<probes::ProcessorStatus>),
    Section(1, "Frequency", image::kFrequency, true),
        Fact(2, &FactSheet::cpuClock),
        Line(2, Call<probes::ProcessorExtClock>),
        Line(2, CpuMultiplier),
    Section(1, "Cache", image::kSubsection),
        Line(2, CpuL1Cache),
        Line(2, CpuL2Cache),
        Line(2, Call<probes::ProcessorL2CacheSpeed>),
        Line(2, CpuL3Cache),
    Section(1, "Instruction sets", image::kSubsection),
        Custom(2, CpuInstructionSets),
        Feature(2, "CED", OsFeature<PF_COMPARE_EXCHANGE_DOUBLE>),
        Feature(2, "FPE", OsFeature<PF_FLOATING_POINT_EMULATED>),
        Feature(2, "PAE", OsFeature<PF_PAE_ENABLED>),
        Feature(2, "RDTSC", OsFeature<PF_RDTSC_INSTRUCTION_AVAILABLE>),
    Section(1, "Power management features", image::kPowerFeatures),
        Custom(2, CpuPowerFeatures),
    Section(1, "Misc.", image::kSubsection),
        Custom(2, CpuMiscFeatures),
};

const TreeRow kMotherboard[] = {
    Line(1, Call<probes::BaseBoardDescription>),
    Line(1, Call<probes::BaseBoardManufacturer>),
    Line(1, Call<probes::BaseBoardProduct>),
    Line(1, Call<probes::BaseBoardVersion>),
    Line(1, Call<probes::ProcessorSocket>),
    Section(1, "IDE controller", image::kSubsection),
        Lines(2, CallList<probes::IdeControllerList>),
    Section(1, "Serial port(s)", image::kSubsection),
        Custom(2, SerialPortRows),
};

const TreeRow kMemory[] = {
    Fact(1, &FactSheet::totalMemory),
    Fact(1, &FactSheet::swapSpace),
    Line(1, Call<probes::OsLargeSystemCache>),
    Section(1, "Cache", image::kSubsection),
        Custom(2, CacheMemoryRows),
    Section(1, "PageFile", image::kOthers),
        Line(2, Call<probes::PageFileCurrentSize>),
        Line(2, Call<probes::PageFileMaximumSize>),
        Line(2, Call<probes::PageFilePath>),
        Section(2, "Date", image::kDate),
            Line(3, Call<probes::PageFileCreated>),
            Line(3, Call<probes::PageFileLastAccess>),
            Line(3, Call<probes::PageFileModified>),
};

const TreeRow kVideoCard[] = {
    Fact(1, &FactSheet::videoChipset),
    Line(1, Call<probes::VideoArchitecture>),
    Fact(1, &FactSheet::videoModel),
    Line(1, Call<probes::VideoProcessor>),
    Line(1, Call<probes::DirectXVersion>),
    Line(1, Call<probes::VideoScanMode>),
    Line(1, Call<probes::VideoDacType>),
    Line(1, Call<probes::VideoControllerStatus>),
    Section(1, "Driver", image::kSubsection),
        Line(2, Call<probes::VideoDriverVersion>),
        Line(2, Call<probes::VideoDriverDate>, image::kDate),
        Line(2, Call<probes::VideoDisplayDrivers>),
        Line(2, Call<probes::VideoInfFilename>),
    Section(1, "Memory", image::kVideoMemory),
        Line(2, Call<probes::VideoAdapterRam>),
        Line(2, Call<probes::VideoMemoryType>),
    Section(1, "Refresh rate", image::kOthers),
        Line(2, Call<probes::VideoMinRefreshRate>),
        Line(2, Call<probes::VideoMaxRefreshRate>),
};

const TreeRow kBios[] = {
    Line(1, Call<probes::BiosManufacturer>),
    Line(1, Call<probes::BiosName>),
    Section(1, "System BIOS", image::kSubsection),
        Fact(2, &FactSheet::systemBiosVersion),
        Fact(2, &FactSheet::systemBiosDate, image::kDate),
    Section(1, "Video BIOS", image::kSubsection),
        Fact(2, &FactSheet::videoBiosVersion),
        Fact(2, &FactSheet::videoBiosDate, image::kDate),
    Line(1, Call<probes::BiosStatus>),
};

const TreeRow kHdd[] = {
    Section(1, "Model", image::kDisk),
        Custom(2, DiskModelRows),
    Custom(1, PhysicalDiskRows),
};

const TreeRow kLogicalDrive[] = {
    Custom(1, LogicalDriveRows),
};

const TreeRow kCdDvd[] = {
    Custom(1, CdromRows),
};

const TreeRow kSoundDevice[] = {
    Custom(1, SoundDeviceRows),
};

const TreeRow kPrinter[] = {
    Custom(1, PrinterRows),
};

const TreeRow kDisplay[] = {
    Fact(1, &FactSheet::screenResolution),
    Fact(1, &FactSheet::colorDepth),
    Fact(1, &FactSheet::refreshRate),
    Fact(1, &FactSheet::colorPlanes),
    Line(1, Call<probes::RasterTechnology>),
    Custom(1, RasterCapabilities),
    Section(1, "Curve capabilities", image::kSubsection),
        Lines(2, CallList<probes::CurveCapsList>),
    Section(1, "Line capabilities", image::kSubsection),
        Lines(2, CallList<probes::LineCapsList>),
    Section(1, "Polygon capabilities", image::kSubsection),
        Lines(2, CallList<probes::PolygonCapsList>),
    Section(1, "Text capabilities", image::kSubsection),
        Lines(2, CallList<probes::TextCapsList>),
};

const TreeRow kKeyboard[] = {
    Fact(1, &FactSheet::keyboardModel),
    Fact(1, &FactSheet::keyboardRepeat),
    Line(1, Call<probes::KeyboardDelay>),
    Line(1, Call<probes::KeyboardFunctionKeys>),
    Line(1, Call<probes::KeyboardDeviceId>),
};

const TreeRow kMouse[] = {
    Line(1, Call<probes::PointingDeviceCaption>),
    Line(1, Call<probes::PointingDeviceManufacturer>),
    Fact(1, &FactSheet::mouseButtons),
    Line(1, Call<probes::MouseSpeed>),
    Fact(1, &FactSheet::mouseSensitivity),
    Fact(1, &FactSheet::doubleClickSpeed),
    Line(1, Call<probes::DoubleClickHeight>),
    Line(1, Call<probes::DoubleClickWidth>),
    Fact(1, &FactSheet::wheel),
    Fact(1, &FactSheet::scrollLines),
    Line(1, Call<probes::MouseThreshold>),
    Line(1, Call<probes::PointingDeviceInfFileName>),
};

const TreeRow kMonitor[] = {
    Fact(1, &FactSheet::screenSize),
    Fact(1, &FactSheet::screenDiagonal),
    Line(1, Call<probes::MonitorManufacturer>),
    Line(1, Call<probes::MonitorType>),
    Line(1, Call<probes::MonitorDeviceId>),
    Line(1, Call<probes::MonitorPixelsPerXInch>),
    Line(1, Call<probes::MonitorPixelsPerYInch>),
    Line(1, Call<probes::MonitorPnpDeviceId>),
    Line(1, Call<probes::MonitorStatus>),
};

const TreeRow kDesktop[] = {
    Line(1, DesktopPath),
    Line(1, Call<probes::DesktopItemCount>),
    Line(1, Call<probes::WallpaperPath>),
    Line(1, Call<probes::MenuShowDelay>),
    Line(1, Call<probes::FontSmoothing>),
    Section(1, "Screen saver", image::kSubsection),
        Line(2, ScreenSaverCurrent),
        Line(2, Call<probes::ScreenSaveTimeOut>, image::kDate),
        Line(2, Call<probes::ScreenSaveActive>),
        Line(2, Call<probes::ScreenSaverIsSecure>),
        Section(2, "All", image::kSubsection),
            Lines(3, CallList<probes::ScreenSaverFiles>),
    Section(1, "Icons", image::kSubsection),
        Line(2, Call<probes::IconTitleFont>),
        Line(2, Call<probes::IconTitleSize>),
        Line(2, Call<probes::IconTitleWrap>),
        Line(2, Call<probes::ShellIconSize>),
};

const TreeRow kInternetConnection[] = {
    Lines(1, NotConnectedHead),
    Fact(1, &FactSheet::localAddress),
    Lines(1, NotConnectedTail),
};

const TreeRow kActiveNetworkAdapter[] = {
    Custom(1, ActiveAdapterRows),
};

// Each with the progress text shown while it is built (none: the last one stays).
const TopSection kTopSections[] = {
    {"Miscellaneous", image::kMiscellaneous, nullptr, kMiscellaneous},
    {"Operating system", image::kOperatingSystem, "OS", kOperatingSystem},
    {"CPU", image::kCpu, "CPU", kCpu},
    {"Motherboard", image::kHardware, "Motherboard", kMotherboard},
    {"Memory", image::kMemory, "Memory", kMemory},
    {"Video card", image::kHardware, "Video card", kVideoCard},
    {"BIOS", image::kHardware, "BIOS", kBios},
    {"HDD", image::kDisk, "HDD", kHdd},
    {"Logical drive", image::kDisk, "Logical Drive", kLogicalDrive},
    {"CD/DVD", image::kOptical, "CD/DVD", kCdDvd},
    {"Sound device", image::kSound, "Sound device", kSoundDevice},
    {"Printer", image::kPrinter, "Printer", kPrinter},
    {"Display", image::kDisplay, "Display", kDisplay},
    {"Keyboard", image::kKeyboard, "Keyboard", kKeyboard},
    {"Mouse", image::kMouse, "Mouse", kMouse},
    {"Monitor", image::kComputer, "Monitor", kMonitor},
    {"Desktop", image::kDesktop, nullptr, kDesktop},
    {"Internet connection", image::kInternet, "Internet", kInternetConnection},
    {"Active network adapter", image::kHardware, nullptr, kActiveNetworkAdapter},
};

void InsertRows(TreeWriter& tree, HTREEITEM section, std::span<const TreeRow> rows, const BuildContext& context) {
    // parents[level] is the node that rows of that level go into.
    std::vector<HTREEITEM> parents{nullptr, section};
    for (const TreeRow& row : rows) {
        if (row.kind == Kind::Progress) {
            context.progress(row.text);
            continue;
        }
        if (static_cast<size_t>(row.level) >= parents.size()) continue;  // a table error: no parent
        parents.resize(static_cast<size_t>(row.level) + 1);
        HTREEITEM parent = parents[static_cast<size_t>(row.level)];
        if (!parent) {
            // The section above failed to insert: its rows have no place.
            if (row.kind == Kind::Section) parents.push_back(nullptr);
            continue;
        }
        switch (row.kind) {
        case Kind::Section:
            parents.push_back(tree.Section(parent, row.text, row.image, row.bold));
            break;
        case Kind::Fact:
            tree.Item(parent, context.facts.*row.fact, row.image);
            break;
        case Kind::Line:
            tree.Item(parent, row.line(context), row.image);
            break;
        case Kind::Lines:
            for (const std::string& line : row.lines(context)) tree.Item(parent, line, row.image);
            break;
        case Kind::Feature: {
            const bool present = row.feature();
            tree.Item(parent, FeatureLine(row.text, present), present ? image::kItem : image::kNo);
            break;
        }
        case Kind::Custom:
            row.custom(tree, parent, context);
            break;
        case Kind::Progress:
            break;
        }
    }
}

}  // namespace

HTREEITEM TreeWriter::Insert(HTREEITEM parent, const std::string& text, int image, bool bold) {
    if (!parent) return nullptr;
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = bold ? TVIS_BOLD : 0;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM TreeWriter::Root(const std::string& text, int image, bool bold) {
    return Insert(TVI_ROOT, text, image, bold);
}

HTREEITEM TreeWriter::Section(HTREEITEM parent, const std::string& text, int image, bool bold) {
    return Insert(parent, text, image, bold);
}

HTREEITEM TreeWriter::Item(HTREEITEM parent, const std::string& text, int image, bool bold) {
    if (text.empty()) return nullptr;
    return Insert(parent, text, image, bold);
}

std::span<const TopSection> TopSections() { return kTopSections; }

InformationTree BuildInformationTree(HWND tree, HIMAGELIST images, const BuildContext& context) {
    context.progress("Please wait...");
    TreeView_DeleteAllItems(tree);
    if (images) TreeView_SetImageList(tree, images, TVSIL_NORMAL);

    TreeWriter writer(tree);
    InformationTree result;
    result.root = writer.Root(probes::ComputerName(), image::kComputer, true);
    for (const TopSection& top : kTopSections) {
        if (top.progress) context.progress(top.progress);
        HTREEITEM section = writer.Section(result.root, top.title, top.image, true);
        result.sections.push_back(section);
        InsertRows(writer, section, top.rows, context);
    }
    result.miscellaneous = result.sections[0];
    result.operatingSystem = result.sections[1];
    for (HTREEITEM open : {result.root, result.miscellaneous, result.operatingSystem}) {
        TreeView_Expand(tree, open, TVE_EXPAND);
    }
    return result;
}

}  // namespace ovix
