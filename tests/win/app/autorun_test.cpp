#include "app/autorun.h"

#include "app/app_paths.h"
#include "app/main_window.h"
#include "framework/registry.h"
#include "support/fake_tray.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

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
        run.DeleteValue(ovix::kAutorunValueName);
        if (saved) run.SetString(ovix::kAutorunValueName, *saved);
    }

    std::optional<std::string> Value() const { return run.QueryString(ovix::kAutorunValueName); }
    std::optional<DWORD> Type() const { return run.ValueType(ovix::kAutorunValueName); }

    void Press(ovix::MainWindow& window) { ::SendMessageA(window.Hwnd(), WM_COMMAND, IDC_AUTORUN, 0); }

    fw::RegKey run;
    std::optional<std::string> saved;
};

TEST_F(AutorunTest, TwoPressesFromNothingReturnToNothing) {
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_OVIX));
    EXPECT_EQ(window.AutorunTip(), "Enable Autorun and Ovix will start on each Windows startup.");

    Press(window);
    EXPECT_EQ(Type().value_or(0), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Value().value_or(""), ovix::QuotedPath(window.ExecutablePath()));
    EXPECT_EQ(Value()->front(), '"');
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_AUTORUN_ON));
    EXPECT_EQ(window.AutorunTip(), "Disable Autorun...");
    EXPECT_EQ(window.ItemText(IDC_AUTORUN), "Autorun");

    Press(window);
    EXPECT_FALSE(Type().has_value());
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_OVIX));
    EXPECT_EQ(window.AutorunTip(), "Enable Autorun and Ovix will start on each Windows startup.");
}

TEST_F(AutorunTest, TwoPressesFromOnReturnToOn) {
    const std::string quoted = ovix::QuotedPath("C:\\Program Files\\Ovix\\Ovix.exe");
    ASSERT_EQ(run.SetString(ovix::kAutorunValueName, quoted), ERROR_SUCCESS);
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_AUTORUN_ON));
    EXPECT_EQ(window.AutorunTip(), "Disable Autorun...");

    Press(window);
    EXPECT_FALSE(Type().has_value());
    Press(window);
    EXPECT_EQ(Type().value_or(0), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Value().value_or(""), ovix::QuotedPath(window.ExecutablePath()));
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_AUTORUN_ON));
}

TEST_F(AutorunTest, ExpandableStringCountsAsOn) {
    const std::string data = "%SystemRoot%\\ovix.exe";
    ASSERT_EQ(::RegSetValueExA(run.Get(), ovix::kAutorunValueName, 0, REG_EXPAND_SZ,
                               reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS);
    EXPECT_TRUE(ovix::AutorunEnabled());
    EXPECT_EQ(ovix::ToggleAutorun("C:\\Ovix.exe"), ovix::AutorunToggle::Disabled);
    EXPECT_FALSE(Type().has_value());
}

TEST_F(AutorunTest, AWronglyTypedValueCountsAsAbsent) {
    ASSERT_EQ(run.SetDword(ovix::kAutorunValueName, 1), ERROR_SUCCESS);
    EXPECT_FALSE(ovix::AutorunEnabled());
    test::FakeTray tray;
    ovix::MainWindow window{test::QuietOptions()};
    window.SetTrayShell(&tray);
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_OVIX));

    Press(window);
    EXPECT_EQ(Type().value_or(0), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(Value().value_or(""), ovix::QuotedPath(window.ExecutablePath()));
    EXPECT_EQ(window.AutorunIconId(), static_cast<UINT>(IDI_AUTORUN_ON));
}

TEST_F(AutorunTest, WithoutAPathNothingIsWritten) {
    EXPECT_EQ(ovix::ToggleAutorun(""), ovix::AutorunToggle::NotWritten);
    EXPECT_FALSE(Type().has_value());
}

}  // namespace
