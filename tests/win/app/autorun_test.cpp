#include "app/autorun.h"

#include "app/main_window.h"
#include "framework/registry.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// Keeps whatever the prefix had under the value and puts it back afterwards.
class AutorunTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(run.Create(HKEY_CURRENT_USER, ovix::kRunKeyPath, KEY_ALL_ACCESS), ERROR_SUCCESS);
        saved = run.QueryString(ovix::kAutorunValueName);
        run.DeleteValue(ovix::kAutorunValueName);
    }
    void TearDown() override {
        window.reset();
        run.DeleteValue(ovix::kAutorunValueName);
        if (saved) run.SetString(ovix::kAutorunValueName, *saved);
    }

    // A main window started with the registry as it is now.
    void Start() {
        window = std::make_unique<ovix::MainWindow>(test::QuietOptions());
        window->SetTrayShell(&tray);
        ASSERT_TRUE(window->CreateModeless());
    }
    void Press() { ::SendMessageA(window->Hwnd(), WM_COMMAND, IDC_AUTORUN, 0); }
    // The button as shown, then the value: when on, the program's path in
    // quotes as a plain string, since a path with blanks would otherwise start
    // the wrong program or none.
    void Expect(bool on) {
        EXPECT_EQ(window->AutorunIconId(), static_cast<UINT>(on ? IDI_AUTORUN_ON : IDI_OVIX));
        EXPECT_EQ(window->AutorunTip(), on ? "Disable Autorun..."
                                           : "Enable Autorun and Ovix will start on each Windows startup.");
        const DWORD type = on ? REG_SZ : REG_NONE;
        EXPECT_EQ(run.ValueType(ovix::kAutorunValueName).value_or(REG_NONE), type);
        if (on) {
            EXPECT_EQ(run.QueryString(ovix::kAutorunValueName).value_or(""), '"' + window->ExecutablePath() + '"');
        }
    }

    fw::RegKey run;
    std::optional<std::string> saved;
    test::FakeTray tray;
    std::unique_ptr<ovix::MainWindow> window;
};

TEST_F(AutorunTest, PressesToggleAndOnlyStringValuesCountAsOn) {
    Start();
    Expect(false);
    Press();
    Expect(true);
    Press();
    Expect(false);
    // Without a path nothing is written.
    EXPECT_EQ(ovix::ToggleAutorun(""), ovix::AutorunToggle::NotWritten);
    Expect(false);

    // A string or an expandable string is on, and a press deletes it; any
    // other type is off, and a press replaces it.
    const char data[] = "%SystemRoot%\\ovix.exe";
    ASSERT_EQ(::SHSetValueA(run.Get(), nullptr, ovix::kAutorunValueName, REG_EXPAND_SZ, data, sizeof(data)), 0);
    Start();
    EXPECT_EQ(window->AutorunIconId(), static_cast<UINT>(IDI_AUTORUN_ON));
    Press();
    Expect(false);
    ASSERT_EQ(run.SetDword(ovix::kAutorunValueName, 1), ERROR_SUCCESS);
    Start();
    EXPECT_EQ(window->AutorunIconId(), static_cast<UINT>(IDI_OVIX));
    Press();
    Expect(true);
}

}  // namespace
