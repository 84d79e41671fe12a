// The screenshot button on a real main window, the real save dialog driven
// from a second thread; files go to a folder of the test's own.
#include "app/main_window.h"
#include "framework/handles.h"
#include "support/command_fakes.h"
#include "support/fake_tray.h"
#include "support/temp_folder.h"
#include "support/window_test.h"
#include "../probes/probe_test_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

uint32_t Le32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

class Screenshot : public testing::Test {
protected:
    void SetUp() override {
        window.SetTrayShell(&tray);
        ASSERT_TRUE(window.CreateModeless());
        ::SetWindowPos(window.Hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        test::Pump();
    }
    void TearDown() override { window.End(IDOK); }

    // Presses the button while a second thread types the name into the save
    // dialog (or cancels it, for an empty name), after `meanwhile` ran.
    template <class Meanwhile>
    void Shoot(const std::string& name, Meanwhile meanwhile) {
        std::thread driver([&] {
            HWND dialog = nullptr;
            for (int i = 0; i < 1000 && !dialog; ++i, ::Sleep(10)) {
                dialog = ::FindWindowA("#32770", "Save screen shot as...");
            }
            if (!dialog) return;
            hiddenDuringDialog = !::IsWindowVisible(window.Hwnd());
            meanwhile();
            if (!name.empty()) {
                HWND combo = ::GetDlgItem(dialog, 0x47c);
                HWND edit = reinterpret_cast<HWND>(::SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
                ::SendMessageA(edit ? edit : combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            }
            ::PostMessageA(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
        });
        ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_SCREENSHOT, 0);
        driver.join();
    }
    void Shoot(const std::string& name) {
        Shoot(name, [] {});
    }

    test::CommandFakes fakes{false};
    test::FakeTray tray;
    test::TempFolder folder{"screenshot"};
    ovix::MainWindow window{test::QuietOptions()};
    bool hiddenDuringDialog = false;
};

TEST_F(Screenshot, WindowSavedAs24BitBitmapEvenWhenTheClipboardIsEmptiedMeanwhile) {
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi), dcs = fw::LiveCount(fw::ResourceKind::DeviceContext);
    RECT frame{}, tree{};
    ::GetWindowRect(window.Hwnd(), &frame);
    ::GetWindowRect(window.Tree(), &tree);
    Shoot(folder.File("shot"), [] {
        if (::OpenClipboard(nullptr)) {
            ::EmptyClipboard();  // deletes whatever bitmap the clipboard held
            ::CloseClipboard();
        }
    });
    EXPECT_TRUE(hiddenDuringDialog);
    EXPECT_TRUE(::IsWindowVisible(window.Hwnd()));
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_BITMAP)) << "emptied at the end";
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::DeviceContext), dcs);

    const std::string bytes = test::FileBytes(folder.File("shot.bmp"));
    ASSERT_GT(bytes.size(), 54u);
    const long width = frame.right - frame.left, height = frame.bottom - frame.top;
    const size_t row = (width * 3 + 3) & ~3;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(long(Le32(bytes, 18)), width);
    EXPECT_EQ(long(Le32(bytes, 22)), height);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(Le32(bytes, 30), 0u) << "BI_RGB";
    EXPECT_EQ(bytes.size(), 54 + row * height);
    // A pixel inside the empty tree, rows stored bottom up, blue first.
    const long x = (tree.left + tree.right) / 2 - frame.left, y = (tree.top + tree.bottom) / 2 - frame.top;
    const size_t at = 54 + (height - 1 - y) * row + x * 3;
    EXPECT_EQ(RGB(uint8_t(bytes[at + 2]), uint8_t(bytes[at + 1]), uint8_t(bytes[at])), ::GetSysColor(COLOR_WINDOW));

    const std::string answer = folder.File("identify.txt");
    ASSERT_TRUE(test::RunUnixAndWait("/bin/sh -c \"identify -format '%w %h %m' '" + test::UnixPath(folder.File("shot.bmp")) +
                                         "' > '" + test::UnixPath(answer) + "'\"",
                                     "Z:\\bin\\sh", [&] { return !test::FileBytes(answer).empty(); }));
    // "BMP3": ImageMagick's name for a bitmap with the 40-byte header.
    EXPECT_EQ(test::FileBytes(answer),
              std::to_string(width) + " " + std::to_string(height) + " BMP3");
}

TEST_F(Screenshot, TypedExtensionGetsASecondOneAndCancelWritesNothing) {
    Shoot(folder.File("shot.bmp"));
    EXPECT_TRUE(test::Exists(folder.File("shot.bmp.bmp")));
    EXPECT_FALSE(test::Exists(folder.File("shot.bmp")));
    Shoot("");
    EXPECT_TRUE(::IsWindowVisible(window.Hwnd()));
    EXPECT_TRUE(fakes.boxes.shown.empty()) << "no error on Cancel";
}

TEST_F(Screenshot, UnwritableTargetsLeaveNoFileAndSaySo) {
    test::ScriptedPickers pickers;
    ovix::SetCommonDialogs(&pickers);
    ::CreateDirectoryA(folder.File("taken.bmp").c_str(), nullptr);
    for (const std::string& name : {folder.File("taken"), folder.File("missing\\shot")}) {
        pickers.choice = name;
        ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_SCREENSHOT, 0);
        EXPECT_TRUE(::IsWindowVisible(window.Hwnd()));
    }
    ovix::SetCommonDialogs(nullptr);
    EXPECT_FALSE(test::Exists(folder.File("missing")));
    EXPECT_EQ(::GetFileAttributesA(folder.File("taken.bmp").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    for (const auto& box : fakes.boxes.shown) {
        EXPECT_EQ(box.text, "An error has occurred, impossible to save the screen shot.");
        EXPECT_EQ(box.icon, UINT(MB_ICONERROR));
    }
}

}  // namespace
