#include "lists/file_lists.h"

#include "app/launcher.h"
#include "app/path_rules.h"
#include "app/shell_files.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/file_details.h"
#include "lists/system_list_text.h"
#include "lists/wait_window.h"
#include "probes/system_probes.h"
#include "resources/resource_ids.h"

#include <shlobj.h>

namespace ovix {
namespace {

enum : UINT {
    kFileSearch = 1521, kFileOpen, kFileProperties, kFileCopyLine, kFileCopyAll,
    kProtectedSearch = 1531, kProtectedProperties, kProtectedOpenFolder, kProtectedCopyLine, kProtectedCopyAll,
    kFontOpen = 1541, kFontPrint, kFontExplore,
};
constexpr size_t kMaxProtectedFiles = 100000;  // a list that never ends stops here

constexpr ListColumn kDllColumns[] = {{"Name", 8},  {"Version", 8},        {"Description", 3},
                                      {"Size", 10}, {"Creation Date", 10}, {"Company", 6}};
constexpr ListColumn kExeColumns[] = {{"Name", 8},  {"Version", 8},       {"Description", 3},
                                      {"Size", 10}, {"Creation Date", 7}, {"Company", 6}};
const std::string kFileLabels[] = {"Name", "Version", "Description", "Size", "Creation time", "Company"};
constexpr ListMenuItem kDllMenu[] = {
    {nullptr, kFileSearch, "Google"},
    {nullptr, kFileProperties, "Show properties"},
    {"Copy to clipboard", kFileCopyLine, "Selected line"},
    {"Copy to clipboard", kFileCopyAll, "All"},
    {nullptr, 1, "Close this window"},
};
constexpr ListMenuItem kExeMenu[] = {
    {nullptr, kFileSearch, "Google"},
    {nullptr, kFileOpen, "Open"},
    {nullptr, kFileProperties, "Show properties"},
    {"Copy to clipboard", kFileCopyLine, "Selected line"},
    {"Copy to clipboard", kFileCopyAll, "All"},
    {nullptr, 1, "Close this window"},
};

constexpr ListColumn kProtectedColumns[] = {
    {"File", 6}, {"Version", 6}, {"Description", 3}, {"Company", 5}, {"In Folder", 2}};
const std::string kProtectedLabels[] = {"Name", "Version", "Description", "Company", "Folder"};

constexpr ListColumn kFontColumns[] = {{"File Name", 6},     {"Path", 4},          {"Size", 10},
                                       {"Creation Date", 5}, {"Last Modified", 5}, {"Hidden", 11}};
constexpr ListMenuItem kFontMenu[] = {
    {nullptr, kFontOpen, "Open"},
    {nullptr, kFontPrint, "Print"},
    {nullptr, kFontExplore, "Explore Folder"},
    {nullptr, 1, "Close this window"},
};

std::uint64_t SizeOf(const WIN32_FIND_DATAA& data) {
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool IsDotEntry(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

// Calls back for each entry of the pattern ("." and ".." left out).
template <class Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAA data{};
    const HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!IsDotEntry(data.cFileName)) visit(data);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

void VerbOnSelected(const ListPane& list, int column, const char* verb, const std::string& prefix, HWND owner,
                    int show = kShowDefault) {
    for (const int row : list.SelectedRows()) {
        const std::string cell = list.Cell(row, column);
        if (!cell.empty()) CurrentLauncher().ShellVerb(owner, verb, prefix + cell, "", "", show);
    }
}

}  // namespace

SystemFileList::SystemFileList(Kind kind, FolderLocator* folders)
    : SimpleList(kind == Kind::DllCache ? IDD_DLL_CACHE : IDD_EXECUTABLES,
                 {IDC_LIST, kind == Kind::DllCache ? std::span<const ListColumn>(kDllColumns) : kExeColumns,
                  kFileLabels, 0, false},
                 kind == Kind::DllCache ? std::span<const ListMenuItem>(kDllMenu) : kExeMenu,
                 {.search = kFileSearch, .copyLine = kFileCopyLine, .copyAll = kFileCopyAll}),
      kind_(kind),
      folders_(folders ? folders : &systemFolders_) {}

void SystemFileList::Fill() {
    // Without the system folder nothing is listed: its fallback text is no folder.
    if (const auto system = folders_->SystemFolder()) {
        folder_ = *system + (kind_ == Kind::DllCache ? "\\dllcache\\" : "\\");
    }
    std::vector<std::vector<std::string>> rows;
    if (!folder_.empty()) {
        WaitWindow wait(Hwnd(), WaitStyle::Files);
        ForEachEntry(folder_ + (kind_ == Kind::DllCache ? "*.dll" : "*.exe"), [&](const WIN32_FIND_DATAA& data) {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
            const FileDetails details = ReadFileDetails(folder_ + data.cFileName);
            rows.push_back({data.cFileName, details.version, details.description, KilobytesText(SizeOf(data)),
                            details.created, details.company});
            wait.SetStatus(fw::Format("Checking %s", data.cFileName));
        });
    }
    const fw::IconHandle icon = fw::LoadIconResource(kind_ == Kind::DllCache ? IDI_TREE_DLL : IDI_TREE_PROGRAM, 16);
    const int image = list_.AddImage(icon.Get());
    const ListPane::FillScope quiet(list_);
    for (const auto& row : rows) list_.AddRow(row, image);
    SetCaption(fw::Format("%i Files", list_.RowCount()));
}

bool SystemFileList::OnAction(UINT id) {
    if (folder_.empty() || (id != kFileOpen && id != kFileProperties)) return id == kFileOpen || id == kFileProperties;
    if (id == kFileOpen && kind_ == Kind::Executables) VerbOnSelected(list_, 0, "open", folder_, Hwnd());
    if (id == kFileProperties) VerbOnSelected(list_, 0, "properties", folder_, ::GetParent(Hwnd()), SW_SHOW);
    return true;
}

bool ProtectedFileList::Next(std::uint32_t& entry, std::string& path) {
    struct ProtectedFileData {
        WCHAR fileName[MAX_PATH];
        DWORD fileNumber;
    };
    using NextFile = BOOL(WINAPI*)(HANDLE, ProtectedFileData*);
    if (!sfc_) sfc_.emplace("sfc.dll");
    const auto next = sfc_->Find<NextFile>("SfcGetNextProtectedFile");
    if (!next) return false;
    ProtectedFileData data{};
    data.fileNumber = entry;
    if (!next(nullptr, &data)) return false;
    entry = data.fileNumber;
    data.fileName[MAX_PATH - 1] = L'\0';
    char text[MAX_PATH * 2] = "";
    ::WideCharToMultiByte(CP_ACP, 0, data.fileName, -1, text, sizeof(text), nullptr, nullptr);
    path = text;
    return true;
}

CProtectedFiles::CProtectedFiles(ProtectedFileList* files)
    : SimpleList(IDD_PROTECTED_FILES, {IDC_LIST, kProtectedColumns, kProtectedLabels, 0, false}, {},
                 {.search = kProtectedSearch, .copyLine = kProtectedCopyLine, .copyAll = kProtectedCopyAll}),
      files_(files ? files : &systemFiles_) {}

fw::MenuHandle CProtectedFiles::ContextMenu() const {
    const int row = list_.SelectedRow();
    const std::string folderItem =
        fw::Format("Open folder containing \"%s\".", row < 0 ? "" : list_.Cell(row, 0).c_str());
    const ListMenuItem menu[] = {
        {nullptr, kProtectedSearch, "Google"},
        {nullptr, kProtectedProperties, "Show properties"},
        {nullptr, kProtectedOpenFolder, folderItem.c_str()},
        {"Copy to clipboard", kProtectedCopyLine, "Selected line"},
        {"Copy to clipboard", kProtectedCopyAll, "All"},
        {nullptr, 1, "Close this window"},
    };
    return BuildListMenu(menu);
}

void CProtectedFiles::Fill() {
    const fw::IconHandle icons[] = {fw::LoadIconResource(IDI_TREE_DLL, 16), fw::LoadIconResource(IDI_TREE_PROGRAM, 16),
                                    fw::LoadIconResource(IDI_TREE_TEXT_EDITOR, 16)};
    int images[3];
    for (int i = 0; i < 3; ++i) images[i] = list_.AddImage(icons[i].Get());
    WaitWindow wait(Hwnd(), WaitStyle::Files);
    std::uint32_t entry = 0;
    std::string path;
    for (size_t count = 0; count < kMaxProtectedFiles && files_->Next(entry, path); ++count) {
        const size_t slash = path.find_last_of("\\/");
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
        const size_t dot = name.rfind('.');
        const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
        const int image = !_stricmp(extension.c_str(), "DLL") ? images[0]
                          : !_stricmp(extension.c_str(), "EXE") ? images[1]
                                                                 : images[2];
        const FileDetails details = ReadFileDetails(path);
        list_.AddRow({name, details.version, details.description, details.company, folder}, image);
        wait.SetStatus(fw::Format("Checking %s", name.c_str()));
    }
    SetCaption(fw::Format("%i Protected files", list_.RowCount()));
}

bool CProtectedFiles::OnAction(UINT id) {
    if (id == kProtectedProperties) {
        for (const int row : list_.SelectedRows()) {
            CurrentLauncher().ShellVerb(::GetParent(Hwnd()), "properties",
                                        list_.Cell(row, 4) + "\\" + list_.Cell(row, 0), "", "", SW_SHOW);
        }
        return true;
    }
    if (id == kProtectedOpenFolder) {
        VerbOnSelected(list_, 4, "open", "", Hwnd());
        return true;
    }
    return false;
}

CEnumFonts::CEnumFonts(FolderLocator* folders)
    : SimpleList(IDD_FONTS, {IDC_LIST, kFontColumns, {}, 0, false}, kFontMenu, {}),
      folders_(folders ? folders : &systemFolders_) {}

void CEnumFonts::Fill() {
    const auto fonts = folders_->SpecialFolder(CSIDL_FONTS);
    if (!fonts) return;  // its fallback text is no folder to list
    folder_ = *fonts;
    FileSearch search;
    search.AddFolder(folder_, false);
    search.Search("*.*", true, false);
    std::uint64_t total = 0;  // summed exactly: divided only to be written
    for (const FoundFile& file : search.Results()) {
        if (!IsIniName(LastPathPart(file.path))) total += file.size;
    }
    const std::string totalText = TotalSizeText(total, false);
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_TEXT_EDITOR, 16);
    const int image = list_.AddImage(icon.Get());
    ForEachEntry(folder_ + "\\*.*", [&](const WIN32_FIND_DATAA& data) {
        if (IsIniName(data.cFileName)) return;
        list_.AddRow({data.cFileName, folder_ + "\\" + data.cFileName, KilobytesText(SizeOf(data)),
                      probes::FileTimeText(data.ftCreationTime), probes::FileTimeText(data.ftLastWriteTime),
                      (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ? "Yes" : "No"},
                     image);
        SetCaption(fw::Format("%i Fonts installed: %s", list_.RowCount(), totalText.c_str()));
    });
}

bool CEnumFonts::OnAction(UINT id) {
    if (id == kFontOpen || id == kFontPrint) {
        VerbOnSelected(list_, 1, id == kFontOpen ? "open" : "print", "", Hwnd());
        return true;
    }
    if (id == kFontExplore) {
        if (!folder_.empty()) CurrentLauncher().ShellVerb(Hwnd(), "open", folder_, "", "", kShowDefault);
        return true;
    }
    return false;
}

}  // namespace ovix
