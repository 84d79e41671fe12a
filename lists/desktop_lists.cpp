#include "lists/desktop_lists.h"

#include "app/launcher.h"
#include "app/message_boxes.h"
#include "app/shell_files.h"
#include "framework/library.h"
#include "framework/resources.h"
#include "framework/text_format.h"
#include "lists/system_list_text.h"
#include "lists/wait_window.h"
#include "probes/system_probes.h"
#include "resources/resource_ids.h"

#include <shellapi.h>

namespace ovix {
namespace {

enum : UINT {
    kWindowsRefresh = 1551, kWindowsCopyLine, kWindowsCopyAll,
    kFolderExplore = 1561, kFolderProperties,
};

constexpr ListColumn kWindowColumns[] = {
    {"Caption", 3}, {"Real Window Class", 4}, {"Handle", 6}, {"PID", 10}, {"Hidden", 8}};
const std::string kWindowLabels[] = {"Caption", "Real Window Class", "Handle", "PID", "Hidden"};
constexpr ListMenuItem kWindowMenu[] = {
    {nullptr, kWindowsRefresh, "Refresh  (F5)"},
    {"Copy to clipboard", kWindowsCopyLine, "Selected line"},
    {"Copy to clipboard", kWindowsCopyAll, "All"},
    {nullptr, 1, "Close this window"},
};

constexpr ListColumn kModeColumns[] = {{"Modes", 1}};

// "Path" takes what "Friendly Name" leaves, set once the columns exist.
constexpr ListColumn kFolderColumns[] = {{"Friendly Name", 4}, {"Path", 1}};
constexpr ListMenuItem kFolderMenu[] = {
    {nullptr, kFolderExplore, "Explore"},
    {nullptr, kFolderProperties, "Properties"},
    {nullptr, 1, "Close this window"},
};
constexpr int kWindowsRow = -1, kSystemRow = -2;
struct FolderRow {
    int csidl;  // or one of the two rows above
    int shellIcon;  // index in the shell's icon library
};
constexpr FolderRow kFolderRows[] = {
    {kWindowsRow, 3}, {kSystemRow, 3}, {0x26, 3},  {0x0B, 39}, {0x00, 34}, {0x05, 1},  {0x27, 3},
    {0x0D, 40},       {0x08, 20},      {0x2F, 21}, {0x21, 3},  {0x20, 13}, {0x06, 43}, {0x22, 20},
    {0x14, 38},       {0x1A, 3},       {0x3B, 11}, {0x28, 3},  {0x09, 3},  {0x15, 1},
};

struct WindowRow {
    std::vector<std::string> cells;
    bool hidden;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    char caption[256] = "";
    if (::GetWindowTextA(window, caption, sizeof(caption)) <= 0 || !caption[0]) return TRUE;
    char className[256] = "";
    ::RealGetWindowClassA(window, className, sizeof(className));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    const bool hidden = !::IsWindowVisible(window);
    reinterpret_cast<std::vector<WindowRow>*>(context)->push_back(
        {{caption, className, WindowHandleText(reinterpret_cast<std::uintptr_t>(window)),
          fw::Format("%d", static_cast<int>(processId)), hidden ? "Yes" : "No"},
         hidden});
    return TRUE;
}

std::string ModeText(const DEVMODEA& mode) {
    return DisplayModeText(static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                           static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency));
}

std::string FolderTime(const FILETIME* time) {
    const std::string text = time ? probes::FileTimeText(*time) : std::string();
    return text.empty() ? std::string(probes::kNotFind) : text;
}

}  // namespace

FolderStatistics ReadFolderStatistics(const std::string& folder, WaitWindow& wait) {
    FolderStatistics s;
    s.path = folder;
    // The search never enters links or junctions: a walk cannot loop or leave the volume.
    FileSearch search;
    search.AddFolder(folder, true);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const bool timed = ::GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data);
    s.created = FolderTime(timed ? &data.ftCreationTime : nullptr);
    s.modified = FolderTime(timed ? &data.ftLastWriteTime : nullptr);
    wait.SetStatus("Wait...");
    search.Search("*.*", true, false);
    for (const FoundFile& file : search.Results()) {
        ++s.files;
        s.bytes += file.size;  // exact: divided only to be written
        wait.SetStatus(fw::Format("File #%i", s.files));
    }
    const size_t folders = search.Folders().size();
    s.folders = folders ? static_cast<int>(folders - 1) : 0;
    return s;
}

CEnumDesktopWindows::CEnumDesktopWindows()
    : SimpleList(IDD_DESKTOP_WINDOWS, {IDC_LIST, kWindowColumns, kWindowLabels, 0, false}, kWindowMenu,
                 {.copyLine = kWindowsCopyLine, .copyAll = kWindowsCopyAll}) {}

void CEnumDesktopWindows::Fill() {
    // The system's walk in Z order stays safe while windows come and go.
    std::vector<WindowRow> windows;
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    const ListPane::FillScope quiet(list_);
    list_.Clear();
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_DISPLAY, 16);
    const int image = list_.AddImage(icon.Get());
    int hidden = 0;
    for (const WindowRow& window : windows) {
        list_.AddRow(window.cells, image);
        hidden += window.hidden ? 1 : 0;
    }
    const int count = static_cast<int>(windows.size());
    SetCaption(fw::Format("%i Windows - %i Hidden and %i Visible", count, hidden, count - hidden));
}

bool CEnumDesktopWindows::OnAction(UINT id) {
    if (id != kWindowsRefresh) return false;
    Fill();
    return true;
}

CDisplayModes::CDisplayModes()
    : MappedDialog(IDD_DISPLAY_MODES, ListSpec{IDC_LIST, kModeColumns, {}, 0, false}, {}, FrameCommands{}) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD number = 0; ::EnumDisplaySettingsA(nullptr, number, &mode); ++number) modes_.push_back(ModeText(mode));
    if (::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) current_ = ModeText(mode);
}

const CDisplayModes::Map& CDisplayModes::MessageMap() {
    static const Map::Message messages[] = {{WM_CTLCOLORSTATIC, &CDisplayModes::OnLabelColour}};
    static const Map map{messages, {}};
    return map;
}

void CDisplayModes::Fill() {
    const fw::IconHandle icon = fw::LoadIconResource(IDI_TREE_DISPLAY, 16);
    const int image = list_.AddImage(icon.Get());
    {
        const ListPane::FillScope quiet(list_);
        for (const std::string& mode : modes_) list_.AddRow({mode}, image);
    }
    labelFont_ = fw::BoldTahoma(-12);
    labelBrush_.Reset(::CreateSolidBrush(RGB(255, 250, 250)));
    ::SendMessageA(Item(IDC_MODES_LABEL), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.Get()), FALSE);
    SetItemText(IDC_MODES_LABEL, current_.empty() ? std::string() : ".: Current settings :.\n" + current_);
}

LRESULT CDisplayModes::OnLabelColour(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != Item(IDC_MODES_LABEL)) return 0;
    ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 250, 250));
    return reinterpret_cast<LRESULT>(labelBrush_.Get());
}

CShellfolder::CShellfolder(FolderLocator* folders)
    : SimpleList(IDD_SHELL_FOLDERS, {IDC_LIST, kFolderColumns, {}, 0, false}, kFolderMenu, {}),
      folders_(folders ? folders : &systemFolders_) {}

void CShellfolder::Fill() {
    RECT client{};
    ::GetClientRect(list_.List(), &client);
    ListView_SetColumnWidth(list_.List(), 1, client.right - client.right / 4);
    const std::string shell = fw::SystemFolder() + "\\shell32.dll";
    const ListPane::FillScope quiet(list_);
    for (const FolderRow& row : kFolderRows) {
        const std::optional<std::string> path = row.csidl == kWindowsRow  ? folders_->WindowsFolder()
                                                : row.csidl == kSystemRow ? folders_->SystemFolder()
                                                                          : folders_->SpecialFolder(row.csidl);
        std::string name;
        WIN32_FIND_DATAA data{};
        const HANDLE find = path ? ::FindFirstFileA(path->c_str(), &data) : INVALID_HANDLE_VALUE;
        if (find != INVALID_HANDLE_VALUE) {
            ::FindClose(find);
            name = data.cFileName;
        } else if (path) {
            name = path->substr(path->find_last_of("\\/") + 1);
        }
        HICON icon = nullptr;
        if (::ExtractIconExA(shell.c_str(), row.shellIcon, nullptr, &icon, 1) != 1 || !icon) {
            icon = fw::LoadIconResource(IDI_TREE_FOLDER, 16).Release();
        }
        const int image = list_.AddImage(icon);
        if (icon) ::DestroyIcon(icon);
        // Rows holding a fallback text are no folder: Explore and Properties pass them by.
        const std::string shown = path ? *path : row.csidl < 0 ? std::string(probes::kNotFind) : "Folder not found.";
        list_.AddRow({name, shown}, image, path ? 1 : 0);
    }
}

bool CShellfolder::OnAction(UINT id) {
    if (id == kFolderExplore) {
        for (const int row : list_.SelectedRows()) {
            if (list_.RowData(row) == 1) ShellOpen(list_.Cell(row, 1), kShowDefault, Hwnd());
        }
        return true;
    }
    if (id == kFolderProperties) {
        ShowStatistics();
        return true;
    }
    return false;
}

void CShellfolder::ShowStatistics() {
    if (ShowMessage({.owner = Hwnd(),
                     .text = "This operation takes several seconds to retrieve all informations depending on the "
                             "selected folder.\r\nDo you want to continue ?",
                     .buttons = MB_YESNO,
                     .icon = MB_ICONQUESTION}) != IDYES) {
        return;
    }
    struct Result {
        std::string name;
        FolderStatistics statistics;
    };
    std::vector<Result> results;
    {
        WaitWindow wait(Hwnd(), WaitStyle::Statistics);
        for (const int row : list_.SelectedRows()) {
            if (list_.RowData(row) != 1) continue;
            Result& result = results.emplace_back();
            result.name = list_.Cell(row, 0);
            result.statistics = ReadFolderStatistics(list_.Cell(row, 1), wait);
        }
    }
    for (const Result& result : results) {
        ShowMessage({.owner = Hwnd(),
                     .text = FolderStatisticsText(result.statistics),
                     .caption = result.name,
                     .icon = MB_ICONINFORMATION});
    }
}

}  // namespace ovix
