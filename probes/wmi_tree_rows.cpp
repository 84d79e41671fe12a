#include "probes/wmi_tree_rows.h"

#include "probes/wmi_groups.h"
#include "probes/wmi_probes.h"

namespace ovix {
namespace {

using Lines = std::vector<std::string>;

Lines Read(void (*probe)(Lines&)) {
    Lines lines;
    probe(lines);
    return lines;
}

void Items(TreeWriter& tree, HTREEITEM parent, const Lines& lines) {
    for (const std::string& line : lines) tree.Item(parent, line);
}

}  // namespace

void LoginProfileRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    wmi::LoginProfileLists lists;
    lists.captions = Read(probes::LoginProfileCaptionList);
    lists.logons = Read(probes::LoginProfileLogonsList);
    lists.descriptions = Read(probes::LoginProfileDescriptionList);
    lists.privileges = Read(probes::LoginProfilePrivilegesList);
    lists.access = Read(probes::LoginProfileAccessList);
    lists.userIds = Read(probes::LoginProfileUserIdList);
    for (const wmi::LoginProfileGroup& profile : wmi::LoginProfileGroups(lists)) {
        // Always inserted, even with an empty caption, so its lines have a parent.
        HTREEITEM caption = tree.Section(parent, profile.caption, image::kSubsection, false);
        for (size_t i = 0; i < profile.accountLines.size(); ++i) {
            // The third line, the limited access, carries the time image.
            tree.Item(caption, profile.accountLines[i], i == 2 ? image::kDate : image::kItem);
        }
        tree.Item(caption, profile.description);
    }
}

void CacheMemoryRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    Items(tree, parent,
          wmi::CacheMemoryLines(Read(probes::CacheMemoryPurposeList), Read(probes::CacheMemorySizeList)));
}

void DiskModelRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    const Lines captions = Read(probes::DiskDriveCaptionList);
    const Lines interfaces = Read(probes::DiskDriveInterfaceList);
    const Lines partitions = Read(probes::DiskDrivePartitionsList);
    const Lines mediaTypes = Read(probes::DiskDriveMediaTypeList);
    Items(tree, parent, wmi::DiskModelLines(captions, interfaces, partitions, mediaTypes));
}

void CdromRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    const Lines captions = Read(probes::CdromCaptionList);
    const Lines drives = Read(probes::CdromDriveList);
    const Lines deviceIds = Read(probes::CdromDeviceIdList);
    for (const wmi::Group& drive : wmi::CdromGroups(captions, drives, deviceIds)) {
        tree.Item(parent, drive.title, image::kOptical, true);
        Items(tree, parent, drive.lines);
    }
}

void SoundDeviceRows(TreeWriter& tree, HTREEITEM parent, const BuildContext&) {
    const Lines manufacturers = Read(probes::SoundDeviceManufacturerList);
    const Lines models = Read(probes::SoundDeviceModelList);
    const Lines statuses = Read(probes::SoundDeviceStatusList);
    Items(tree, parent, wmi::SoundDeviceLines(manufacturers, models, statuses));
}

void PrinterSections(TreeWriter& tree, HTREEITEM parent, const BuildContext& context) {
    context.progress("Please wait...");
    wmi::PrinterLists lists;
    lists.names = Read(probes::PrinterNameList);
    lists.ports = Read(probes::PrinterPortList);
    lists.drivers = Read(probes::PrinterDriverList);
    lists.verticalResolutions = Read(probes::PrinterVerticalResolutionList);
    lists.horizontalResolutions = Read(probes::PrinterHorizontalResolutionList);
    lists.processors = Read(probes::PrinterProcessorList);
    lists.dataTypes = Read(probes::PrinterDataTypeList);
    lists.statuses = Read(probes::PrinterStatusList);
    lists.defaults = Read(probes::PrinterDefaultList);
    lists.locals = Read(probes::PrinterLocalList);
    lists.networks = Read(probes::PrinterNetworkList);
    for (const wmi::Group& printer : wmi::PrinterGroups(lists)) {
        HTREEITEM section = tree.Section(parent, printer.title, image::kPrinterEntry, true);
        Items(tree, section, printer.lines);
    }
}

}  // namespace ovix
