// Top-level windows, display modes and shell folders, with the folder
// statistics against the test's own walk and the wait window's repaints.
#include "lists/desktop_lists.h"
#include "lists/system_list_text.h"
#include "lists/wait_window.h"
#include "list_fakes.h"
#include "probes/system_probes.h"
#include "support/command_fakes.h"
#include "resources/resource_ids.h"
#include "support/temp_folder.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Cells = std::vector<std::string>;

HWND TestWindow(const char* caption, bool visible) {
    return ::CreateWindowExA(0, "STATIC", caption, WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
}

TEST(DesktopLists, CaptionedWindowsCountedAndRefreshedWhole) {
    const HWND visible = TestWindow("Ovix test visible", true), hidden = TestWindow("Ovix test hidden", false),
               blank = TestWindow("", true);
    ovix::CEnumDesktopWindows window;
    ASSERT_TRUE(window.CreateModeless());
    const ovix::ListPane& list = window.List();
    const std::string pid = std::to_string(::GetCurrentProcessId());
    EXPECT_EQ(list.Row(test::RowWith(list, 0, "Ovix test visible")),
              (Cells{"Ovix test visible", "Static", ovix::WindowHandleText(reinterpret_cast<std::uintptr_t>(visible)),
                     pid, "No"}));
    EXPECT_EQ(list.Cell(test::RowWith(list, 0, "Ovix test hidden"), 4), "Yes");
    EXPECT_EQ(test::RowWith(list, 2, ovix::WindowHandleText(reinterpret_cast<std::uintptr_t>(blank))), -1);
    int hiddenRows = 0;
    for (int row = 0; row < list.RowCount(); ++row) hiddenRows += list.Cell(row, 4) == "Yes";
    const std::string caption = window.Caption();
    EXPECT_EQ(caption, std::to_string(list.RowCount()) + " Windows - " + std::to_string(hiddenRows) + " Hidden and " +
              std::to_string(list.RowCount() - hiddenRows) + " Visible");
    // The list's own window is listed too, its caption now the count; the
    // Z order may change as the window is activated.
    const auto others = [&] {
        auto rows = test::Rows(list);
        std::erase_if(rows, [&](const Cells& row) {
            return row[2] == ovix::WindowHandleText(reinterpret_cast<std::uintptr_t>(window.Hwnd()));
        });
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    const auto rows = others();
    for (int press = 0; press < 2; ++press) {
        ::PostMessageA(list.List(), WM_KEYDOWN, VK_F5, 0);
        test::Pump();
    }
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1551, 0);
    EXPECT_EQ(others(), rows);
    EXPECT_EQ(window.Caption(), caption);
    window.End(IDCANCEL);
    for (HWND made : {visible, hidden, blank}) ::DestroyWindow(made);
}

TEST(DesktopLists, DisplayModesAsTheSystemListsThem) {
    std::vector<std::string> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; ::EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        modes.push_back(ovix::DisplayModeText(mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
                                              mode.dmDisplayFrequency));
    }
    ASSERT_TRUE(::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    ovix::CDisplayModes window;
    EXPECT_EQ(window.Modes(), modes) << "read when made";
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.List().RowCount(), static_cast<int>(modes.size()));
    EXPECT_EQ(window.ItemText(IDC_MODES_LABEL),
              ".: Current settings :.\n" + ovix::DisplayModeText(mode.dmPelsWidth, mode.dmPelsHeight,
                                                                  mode.dmBitsPerPel, mode.dmDisplayFrequency));
    EXPECT_EQ(window.Caption(), "Supported display modes");
    window.End(IDCANCEL);
}

TEST(DesktopLists, ShellFolderPathsAreTheProbes) {
    ovix::CShellfolder window;
    ASSERT_TRUE(window.CreateModeless());
    const int csidls[] = {0x26, 0x0B, 0x00, 0x05, 0x27, 0x0D, 0x08, 0x2F, 0x21,
                          0x20, 0x06, 0x22, 0x14, 0x1A, 0x3B, 0x28, 0x09, 0x15};
    std::vector<std::string> paths = {ovix::probes::WindowsDirectory(), ovix::probes::SystemDirectory()};
    for (int csidl : csidls) paths.push_back(ovix::probes::SpecialFolderPath(csidl));
    ASSERT_EQ(window.List().RowCount(), 20);
    for (int row = 0; row < 20; ++row) EXPECT_EQ(window.List().Cell(row, 1), paths[row]) << "row " << row + 1;
    EXPECT_EQ(window.Caption(), "Shell folders");
    window.End(IDCANCEL);
}

// The statistics of a generated tree, of an empty folder, and the rows
// showing a fallback text passed by.
TEST(DesktopLists, FolderStatisticsAgainstOurOwnWalk) {
    test::TempFolder tree("statistics");
    test::TempFolder empty("statistics-empty");
    std::uint64_t bytes = 0;
    int files = 0;
    for (const char* sub : {"a", "a\\b", "c"}) ::CreateDirectoryA(tree.File(sub).c_str(), nullptr);
    for (const char* sub : {"", "a\\", "a\\b\\", "c\\"}) {
        for (int i = 0; i < 3; ++i) {
            const size_t size = 1000 + 37 * files;
            test::WriteBytes(tree.File(std::string(sub) + "f" + std::to_string(i)), size);
            bytes += size;
            ++files;
        }
    }
    test::FakeFolders folders;
    folders.windows = tree.Path();
    folders.special[0x26] = empty.Path();
    test::CommandFakes fakes;
    fakes.boxes.answer = IDYES;
    ovix::CShellfolder window(&folders);
    ASSERT_TRUE(window.CreateModeless());
    const ovix::ListPane& list = window.List();
    EXPECT_EQ(list.Row(0), (Cells{"statistics", tree.Path()}));
    EXPECT_EQ(list.Cell(1, 1), "Not find");
    EXPECT_EQ(list.Cell(3, 1), "Folder not found.");
    test::SelectRows(list, {0, 1, 2, 3});
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1561, 0);
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"open|" + tree.Path() + "|||10",
                                                              "open|" + empty.Path() + "|||10"}));
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1562, 0);
    ASSERT_EQ(fakes.boxes.shown.size(), 3u);
    EXPECT_EQ(fakes.boxes.shown[0].buttons, static_cast<UINT>(MB_YESNO));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(tree.Path().c_str(), GetFileExInfoStandard, &data);
    EXPECT_EQ(fakes.boxes.shown[1].text,
              ovix::FolderStatisticsText({tree.Path(), ovix::probes::FileTimeText(data.ftCreationTime),
                                          ovix::probes::FileTimeText(data.ftLastWriteTime), 3, files, bytes}));
    EXPECT_EQ(fakes.boxes.shown[1].caption, "statistics");
    EXPECT_NE(fakes.boxes.shown[2].text.find("\r\n\r\n- 0 Folders.\r\n- 0 Files.\r\n\r\n-Total Size: 0 Bytes"),
              std::string::npos) << fakes.boxes.shown[2].text;
    fakes.boxes.answer = IDNO;
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1562, 0);
    EXPECT_EQ(fakes.boxes.shown.size(), 4u) << "the question only";
    window.End(IDCANCEL);
}

// Many quick statuses: repainted at most once per 50 ms, the last one always.
TEST(DesktopLists, WaitWindowRepaintsThrottled) {
    widgets::SplashWindow wait;
    ASSERT_TRUE(wait.Show(ovix::WaitOptions(nullptr, ovix::WaitStyle::Files)));
    const DWORD start = ::GetTickCount();
    for (int i = 1; i <= 5000; ++i) wait.SetText("File #" + std::to_string(i));
    const DWORD elapsed = ::GetTickCount() - start;
    wait.Hide();
    EXPECT_LE(wait.TextPaints(), static_cast<int>(elapsed / 50 + 2));
    EXPECT_EQ(wait.PaintedText(), "File #5000");
}

}  // namespace
