// The colours manager against the user's colour settings, compared value by
// value and put back with the live colours; the password generator with the
// system's secure source and a failing one.
#include "tools/colours_dialog.h"
#include "tools/password_dialog.h"

#include "app/app_paths.h"
#include "framework/resources.h"
#include "probes/probe_test_support.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace {

using namespace ovix;
using Values = std::map<std::string, std::string>;  // name -> type and bytes

// The colour as a process started now sees it.
DWORD FreshSysColor(int index) {
    const std::string program = ApplicationDirectory(fw::ModulePath()) + "\\syscolor_child.exe";
    std::string command = "\"" + program + "\" " + std::to_string(index);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return 0xFFFFFFFF;
    }
    ::WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 0xFFFFFFFF;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

Values ColourValues() {
    Values values;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Colors", 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[512];
        DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
        if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        values[name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    ::RegCloseKey(key);
    return values;
}

class ColoursTest : public testing::Test {
protected:
    ColoursTest() : before(ColourValues()) {
        for (int index : {COLOR_BACKGROUND, COLOR_BTNFACE}) live[index] = ::GetSysColor(index);
    }
    ~ColoursTest() override {
        for (const auto& [index, colour] : live) ::SetSysColors(1, &index, &colour);
    }
    void Apply(int element, int colour) {
        ::SendMessageA(dialog.Item(IDC_COLORS_ELEMENT), CB_SETCURSEL, element, 0);
        ::SendMessageA(dialog.Item(IDC_COLORS_COLOUR), CB_SETCURSEL, colour, 0);
        ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_COLORS_APPLY, 0);
    }
    void SetUp() override { ASSERT_TRUE(dialog.CreateModeless()); }
    void TearDown() override { dialog.End(IDCANCEL); }

    test::SavedRegistryValue background{HKEY_CURRENT_USER, "Control Panel\\Colors", "Background"};
    test::SavedRegistryValue face{HKEY_CURRENT_USER, "Control Panel\\Colors", "ButtonFace"};
    test::SavedRegistryValue alternate{HKEY_CURRENT_USER, "Control Panel\\Colors", "ButtonAlternateFace"};
    Values before;
    std::map<int, COLORREF> live;
    test::CommandFakes fakes;
    SystemColorsDialog dialog;
};

TEST_F(ColoursTest, ApplyWritesOnlyTheChosenValues) {
    EXPECT_EQ(::SendMessageA(dialog.Item(IDC_COLORS_ELEMENT), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(dialog.Item(IDC_COLORS_COLOUR), CB_GETCURSEL, 0, 0), 31);
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_COLORS_APPLY, 0);  // as it opened: Desktop, Violet Red
    Values expected = before;
    expected["Background"] = std::string("1:208 32 144") + '\0';
    EXPECT_EQ(ColourValues(), expected);
    EXPECT_EQ(FreshSysColor(COLOR_BACKGROUND), 0x009020D0u);
    Apply(8, 0);  // Dialog box background, Cyan: both button-face values
    expected["ButtonFace"] = expected["ButtonAlternateFace"] = std::string("1:0 255 255") + '\0';
    EXPECT_EQ(ColourValues(), expected);
    EXPECT_EQ(FreshSysColor(COLOR_BTNFACE), 0x00FFFF00u);
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[0].text, "Desktop has now a Violet Red color.");
    EXPECT_EQ(fakes.boxes.shown[1].text, "Dialogs box background have now a Cyan color.");
    EXPECT_EQ(fakes.boxes.shown[1].caption, "Ovix");
    EXPECT_EQ(fakes.boxes.shown[1].icon, UINT(MB_ICONINFORMATION));

    dialog.SetValueWriter([](HKEY, const char*, const std::string&) { return false; });
    Apply(0, 3);
    EXPECT_EQ(fakes.boxes.shown.back().text, "Error !\r\nThe color can't be changed.");
    EXPECT_EQ(fakes.boxes.shown.back().icon, UINT(MB_ICONEXCLAMATION));
}

struct ScriptedBytes : RandomSource {
    bool NextByte(uint8_t& byte) override {
        byte = static_cast<uint8_t>(next++ * 7);
        return !fail;
    }
    unsigned next = 0;
    bool fail = false;
};

class PasswordsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(box.CreateModeless()); }
    void TearDown() override { box.End(IDCANCEL); }
    void Generate(const char* length) {
        box.SetItemText(IDC_PASSWORD_LENGTH, length);
        ::SendMessageA(box.Hwnd(), WM_COMMAND, IDC_PASSWORD_GENERATE, 0);
    }
    test::CommandFakes fakes;
    PasswordBox box;
};

TEST_F(PasswordsTest, GenerateRefusalsAndTheRandomKind) {
    EXPECT_EQ(box.ItemText(IDC_PASSWORD_RESULT), "Result here...");
    EXPECT_EQ(::SendMessageA(box.Item(IDC_PASSWORD_LENGTH), EM_GETLIMITTEXT, 0, 0), 2);
    Generate("8");
    const std::string first = box.ItemText(IDC_PASSWORD_RESULT);
    Generate("8");
    EXPECT_EQ(first.size(), 8u);
    EXPECT_NE(box.ItemText(IDC_PASSWORD_RESULT), first) << "two at once differ";
    const std::string kept = box.ItemText(IDC_PASSWORD_RESULT);
    Generate("3");
    EXPECT_EQ(box.ItemText(IDC_PASSWORD_RESULT), kept);
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_TRUE(fakes.boxes.shown[0].text.starts_with("Minimum 4 characters are required.\n"));
    EXPECT_EQ(fakes.boxes.shown[0].caption, "");

    ::CheckRadioButton(box.Hwnd(), IDC_PASSWORD_KIND_FIRST, IDC_PASSWORD_KIND_FIRST + 5, IDC_PASSWORD_KIND_FIRST + 5);
    ::SendMessageA(box.Hwnd(), WM_COMMAND, IDC_PASSWORD_KIND_FIRST + 5, 0);
    EXPECT_FALSE(::IsWindowVisible(box.Item(IDC_PASSWORD_LENGTH)));
    EXPECT_FALSE(::IsWindowVisible(box.Item(IDC_PASSWORD_LENGTH_LABEL)));
    Generate("3");
    EXPECT_EQ(fakes.boxes.shown.size(), 2u) << "the hidden field still counts";
    Generate("8");
    const std::string random = box.ItemText(IDC_PASSWORD_RESULT);
    EXPECT_TRUE(random.size() >= 7 && random.size() <= 11) << random;
    using ClassTest = int (*)(int);
    for (const ClassTest has : {ClassTest(::isupper), ClassTest(::islower), ClassTest(::isdigit), ClassTest(::ispunct)}) {
        EXPECT_TRUE(std::any_of(random.begin(), random.end(), [&](char c) { return has(uint8_t(c)) != 0; })) << random;
    }

    ScriptedBytes failing;
    failing.fail = true;
    box.SetRandomSource(&failing);
    Generate("8");
    EXPECT_EQ(box.ItemText(IDC_PASSWORD_RESULT), random);
    EXPECT_EQ(fakes.boxes.shown.back().text, "Error !\r\nNo secure random source is available.");
}

TEST(ColoursPasswordsResources, TwentyOpeningsGiveEverythingBack) {
    test::CommandFakes fakes;
    const long gdi = fw::LiveCount(fw::ResourceKind::Gdi), icons = fw::LiveCount(fw::ResourceKind::Icon),
               lists = fw::LiveCount(fw::ResourceKind::ImageList);
    for (int i = 0; i < 20; ++i) {
        SystemColorsDialog colours;
        PasswordBox passwords;
        ASSERT_TRUE(colours.CreateModeless() && passwords.CreateModeless());
        colours.End(IDCANCEL);
        passwords.End(IDCANCEL);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), gdi);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Icon), icons);
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::ImageList), lists);
}

}  // namespace
