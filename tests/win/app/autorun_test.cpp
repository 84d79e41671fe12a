#include "app/autorun.h"

#include "app/main_window.h"
#include "framework/registry.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

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
    void ExpectShown(bool on) {
        EXPECT_EQ(window->AutorunIconId(), static_cast<UINT>(on ? IDI_AUTORUN_ON : IDI_OVIX));
        EXPECT_EQ(window->AutorunTip(), on ? "Disable Autorun..." :
                                             "Enable Autorun and Ovix will start on each Windows startup.");
        EXPECT_EQ(window->ItemText(IDC_AUTORUN), "Autorun");
    }
    // On: the program's path in quotes, since a path with blanks would otherwise
    // start the wrong program or none.
    void ExpectWritten() {
        EXPECT_EQ(run.ValueType(ovix::kAutorunValueName).value_or(0), static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(run.QueryString(ovix::kAutorunValueName).value_or(""), '"' + window->ExecutablePath() + '"');
    }
    bool Absent() const { return !run.ValueType(ovix::kAutorunValueName).has_value(); }

    fw::RegKey run;
    std::optional<std::string> saved;
    test::FakeTray tray;
    std::unique_ptr<ovix::MainWindow> window;
};

TEST_F(AutorunTest, TwoPressesFromOffReturnToOff) {
    Start();
    ExpectShown(false);
    Press();
    ExpectWritten();
    ExpectShown(true);
    Press();
    EXPECT_TRUE(Absent());
    ExpectShown(false);
}

// A string or an expandable string is on, and a press deletes it; any other
// type is off, and a press replaces it.
TEST_F(AutorunTest, OnlyStringValuesCountAsOn) {
    const std::string data = "%SystemRoot%\\ovix.exe";
    ASSERT_EQ(::RegSetValueExA(run.Get(), ovix::kAutorunValueName, 0, REG_EXPAND_SZ,
                               reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS);
    Start();
    ExpectShown(true);
    Press();
    EXPECT_TRUE(Absent());
    ExpectShown(false);

    ASSERT_EQ(run.SetDword(ovix::kAutorunValueName, 1), ERROR_SUCCESS);
    Start();
    ExpectShown(false);
    Press();
    ExpectWritten();
    ExpectShown(true);
}

TEST_F(AutorunTest, WithoutAPathNothingIsWritten) {
    EXPECT_EQ(ovix::ToggleAutorun(""), ovix::AutorunToggle::NotWritten);
    EXPECT_TRUE(Absent());
}

}  // namespace
