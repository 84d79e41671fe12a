#include "lists/wmi_lists.h"

#include "app/launcher.h"
#include "framework/clipboard.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/file_details.h"
#include "lists/list_text.h"
#include "lists/system_list_text.h"
#include "lists/wait_window.h"
#include "probes/wmi_probes.h"
#include "resources/resource_ids.h"

#include <shellapi.h>

namespace ovix {
namespace {

enum : UINT {
    kPackageSearch = 1501, kPackageLaunch, kPackageRepair, kPackageDelete, kPackageProperties, kPackageCopyLine,
    kPackageCopyAll, kCodecSearch = 1511, kCodecCopyLine, kCodecCopyAll,
};

// "Name" is W / 2.5, set once the columns exist.
constexpr ListColumn kPackageColumns[] = {
    {"Name", 1}, {"Version", 9}, {"Vendor", 5}, {"Install date", 9}, {"Package cache", 3}};
const std::string kPackageLabels[] = {"Name", "Version", "Vendor", "Install date", "Package cache"};
constexpr ListMenuItem kPackageMenu[] = {
    {nullptr, kPackageSearch, "Google"},
    {"Manage", kPackageLaunch, "Launch"},
    {"Manage", kPackageRepair, "Repair"},
    {"Manage", kPackageDelete, "Delete"},
    {nullptr, kPackageProperties, "Properties"},
    {"Copy to clipboard", kPackageCopyLine, "Selected line"},
    {"Copy to clipboard", kPackageCopyAll, "All"},
    {nullptr, 0, nullptr},
    {nullptr, 1, "Close this window"},
};
constexpr int kPackageCacheColumn = 4;
// The properties in cell order, and the status shown while each is taken.
const std::string kPackageFields[] = {"Name", "Version", "Vendor", "PackageCache", "InstallDate"};
constexpr const char* kPackageStatus[] = {"Checking...", "Checking...", "Please wait...", "Checking...",
                                          "Please wait..."};
constexpr int kPackageCell[] = {0, 1, 2, 4, 3};

constexpr ListColumn kComColumns[] = {{"Name", 1}};

constexpr ListColumn kCodecColumns[] = {{"Description", 3}, {"Name", 12},   {"Version", 8},
                                        {"Size", 12},       {"Company", 6}, {"Path", 4}};
const std::string kCodecLabels[] = {"Description", "Name", "Version", "Size", "Company", "Path"};
constexpr ListMenuItem kCodecMenu[] = {
    {nullptr, kCodecSearch, "Google"},
    {"Copy to clipboard", kCodecCopyLine, "Selected line"},
    {"Copy to clipboard", kCodecCopyAll, "All"},
    {nullptr, 1, "Close this window"},
};

wmi::ClassRows ReadRows(wmi::ClassSource* source, std::string_view className,
                        std::span<const std::string> properties) {
    if (source) return source->ReadClass(className, properties);
    wmi::ServiceRowSource service;
    return service.ReadClass(className, properties);
}

// A value as a cell: text or number; anything else (missing, null) is empty.
std::string CellText(const wmi::Value& value) {
    switch (value.type) {
    case wmi::Value::Type::Text: return value.text;
    case wmi::Value::Type::Integer: return fw::Format("%lld", static_cast<long long>(value.integer));
    default: return {};
    }
}

// The small icon of the package's file type, else of the file itself through
// the system image list; the caller destroys it.
HICON PackageIcon(const std::string& path) {
    const size_t dot = path.find_last_of(".\\/");
    const std::string extension = dot != std::string::npos && path[dot] == '.' ? path.substr(dot) : std::string();
    SHFILEINFOA info{};
    if (extension.size() >= 2 && _stricmp(extension.c_str(), ".pif") != 0 && _stricmp(extension.c_str(), ".exe") != 0 &&
        ::SHGetFileInfoA(extension.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                         SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON) &&
        info.hIcon) {
        return info.hIcon;
    }
    if (path.empty()) return nullptr;
    const auto images = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    return images ? ImageList_GetIcon(images, info.iIcon, ILD_NORMAL) : nullptr;
}

}  // namespace

CInstallers::CInstallers(wmi::ClassSource* source)
    : SimpleList(IDD_INSTALLERS, {IDC_LIST, kPackageColumns, kPackageLabels, 0, true}, kPackageMenu,
                 {.search = kPackageSearch, .copyAll = kPackageCopyAll, .properties = kPackageProperties,
                  .propertiesColumn = kPackageCacheColumn}),
      source_(source) {}

DWORD CInstallers::ListStyles() const { return LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT; }

void CInstallers::Fill() {
    RECT client{};
    ::GetClientRect(list_.List(), &client);
    ListView_SetColumnWidth(list_.List(), 0, static_cast<int>(client.right / 2.5));
    std::vector<std::vector<std::string>> rows;
    {
        WaitWindow wait(Hwnd(), WaitStyle::Packages);
        // One query: every cell of a row comes from the same package.
        const wmi::ClassRows found = ReadRows(source_, "Win32_Product", kPackageFields);
        rows.assign(found.size(), std::vector<std::string>(std::size(kPackageFields)));
        for (size_t p = 0; p < std::size(kPackageFields); ++p) {
            wait.SetStatus(kPackageStatus[p]);
            for (size_t i = 0; i < found.size(); ++i) {
                if (p >= found[i].size()) continue;
                std::string cell = CellText(found[i][p]);
                rows[i][kPackageCell[p]] = kPackageFields[p] == "InstallDate" ? PackageDateText(cell) : cell;
            }
        }
    }
    const ListPane::FillScope quiet(list_);
    for (const auto& row : rows) {
        const HICON icon = PackageIcon(row[kPackageCacheColumn]);
        list_.AddRow(row, icon);
        if (icon) ::DestroyIcon(icon);
    }
    SetCaption(fw::Format("%i installed packages.", list_.RowCount()));
}

bool CInstallers::OnAction(UINT id) {
    const char* option = id == kPackageLaunch ? "/I" : id == kPackageRepair ? "/faus" : id == kPackageDelete ? "/x"
                                                                                                              : nullptr;
    if (option) {
        for (const int row : list_.SelectedRows()) {
            const std::string line = MsiexecLine(option, list_.Cell(row, kPackageCacheColumn));
            if (!line.empty()) CurrentLauncher().CommandLine(line, kShowDefault);
        }
        return true;
    }
    if (id == kPackageCopyLine) {
        const int row = list_.SelectedRow();
        if (row >= 0) fw::SetClipboardText(Hwnd(), ListRecord(kPackageLabels, list_.Row(row)) + "\r\n");
        return true;
    }
    return false;
}

CComApp::CComApp(wmi::ClassSource* source)
    : SimpleList(IDD_COM_APPS, {IDC_LIST, kComColumns, {}, 0, false}, {}, {}), source_(source) {}

DWORD CComApp::ListStyles() const { return LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP; }

void CComApp::Fill() {
    const std::string properties[] = {"Caption"};
    const wmi::ClassRows found = ReadRows(source_, "Win32_COMApplication", properties);
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_PUZZLE, 16);
    const int image = list_.AddImage(icon.Get());
    const ListPane::FillScope quiet(list_);
    for (const auto& row : found) list_.AddRow({row.empty() ? std::string() : CellText(row[0])}, image);
}

CCodecList::CCodecList(wmi::ClassSource* source)
    : SimpleList(IDD_CODECS, {IDC_LIST, kCodecColumns, kCodecLabels, 0, false}, kCodecMenu,
                 {.search = kCodecSearch, .copyLine = kCodecCopyLine, .copyAll = kCodecCopyAll}),
      source_(source) {}

DWORD CCodecList::ListStyles() const { return LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT; }

void CCodecList::Fill() {
    std::vector<std::vector<std::string>> rows;
    {
        WaitWindow wait(Hwnd(), WaitStyle::Packages);
        const std::string properties[] = {"EightDotThreeFileName"};
        for (const auto& found : ReadRows(source_, "Win32_CodecFile", properties)) {
            const std::string path = found.empty() ? std::string() : CellText(found[0]);
            std::string name, size;
            WIN32_FIND_DATAA data{};
            const HANDLE find = path.empty() ? INVALID_HANDLE_VALUE : ::FindFirstFileA(path.c_str(), &data);
            if (find != INVALID_HANDLE_VALUE) {
                ::FindClose(find);
                name = data.cFileName;
                if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
                size = KilobytesText((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
            }
            const FileDetails details = path.empty() ? FileDetails{} : ReadFileDetails(path);
            rows.push_back({details.description, name, details.version, size, details.company, path});
        }
    }
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_SOUND, 16);
    const int image = list_.AddImage(icon.Get());
    const ListPane::FillScope quiet(list_);
    for (const auto& row : rows) list_.AddRow(row, image);
    SetCaption(fw::Format("%i Installed Codecs", list_.RowCount()));
}

}  // namespace ovix
