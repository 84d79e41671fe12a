#include "tools/optimizer_backup_text.h"

#include <gtest/gtest.h>

namespace {

using ovix::Hive;
using ovix::SavedValue;

SavedValue Value(std::string name, uint32_t type, std::string bytes) {
    return {Hive::CurrentUser, "K", std::move(name), true, type, std::move(bytes)};
}

TEST(OptimizerBackupText, EachEncodingAndItsLine) {
    using namespace std::string_literals;
    const struct {
        SavedValue value;
        const char* line;
    } cases[] = {
        {Value("a", 1, "140\0"s), "\"a\"=\"140\""},
        {Value("q\"\\", 1, "C:\\x \"y\"\0"s), "\"q\\\"\\\\\"=\"C:\\\\x \\\"y\\\"\""},
        {Value("", 1, "\0"s), "@=\"\""},
        {Value("nul", 1, "a\0b\0"s), "\"nul\"=hex(1):61,00,62,00"},       // a NUL inside
        {Value("open", 1, "ab"s), "\"open\"=hex(1):61,62"},               // no terminating NUL
        {Value("line", 1, "a\r\n\0"s), "\"line\"=hex(1):61,0d,0a,00"},
        {Value("d", 4, "\x0a\0\0\x80"s), "\"d\"=dword:8000000a"},
        {Value("short", 4, "\x01\x02"s), "\"short\"=hex(4):01,02"},
        {Value("bin", 3, ""s), "\"bin\"=hex(3):"},
        {Value("multi", 7, "x\0\0"s), "\"multi\"=hex(7):78,00,00"},
        {{Hive::CurrentUser, "K", "gone", false, 0, ""}, "\"gone\"=-"},
    };
    for (const auto& c : cases) {
        const ovix::SettingsSnapshot one{{c.value}, {}, {}};
        EXPECT_EQ(ovix::EncodeRegedit4(one), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"s + c.line + "\r\n");
        EXPECT_EQ(ovix::ParseRegedit4(ovix::EncodeRegedit4(one)), one) << c.line;
    }
}

TEST(OptimizerBackupText, RoundTripOfASnapshotAndFileNames) {
    const ovix::SettingsSnapshot snapshot{
        {{Hive::LocalMachine, "SYSTEM\\A", "Start", true, 4, std::string("\3\0\0\0", 4)},
         {Hive::CurrentUser, "Control Panel\\Desktop", "MenuShowDelay", true, 1, std::string("400", 4)},
         {Hive::LocalMachine, "SYSTEM\\A", "Other", false, 0, ""},
         {Hive::ClassesRoot, "CLSID\\{X}", "SortOrderIndex", true, 4, std::string("\1\0\0\0", 4)},
         {Hive::LocalMachine, "SOFTWARE\\Policies\\W\\AU", "NoAutoUpdate", false, 0, ""}},
        {{Hive::LocalMachine, "SOFTWARE\\Policies\\W"}},
        {"zipfldr.dll"}};
    const std::string text = ovix::EncodeRegedit4(snapshot);
    EXPECT_EQ(text.substr(0, 48), "REGEDIT4\r\n; Registered library: zipfldr.dll\r\n\r\n[");
    EXPECT_TRUE(text.ends_with("\"NoAutoUpdate\"=-\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\W]\r\n")) << text;
    EXPECT_EQ(ovix::ParseRegedit4(text), snapshot);
    for (const char* bad : {"", "REGEDIT5\r\n", "REGEDIT4\r\n\"a\"=\"1\"\r\n", "REGEDIT4\r\n[HKEY_X\\K]\r\n",
                            "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=dword:1234567\r\n",
                            "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=hex(3):1,\r\n",
                            "REGEDIT4\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=\"open\r\n"}) {
        EXPECT_FALSE(ovix::ParseRegedit4(bad).has_value()) << bad;
    }

    EXPECT_EQ(ovix::BackupFileName("20240131-235959", 1), "optimize-20240131-235959.reg");
    const auto first = ovix::ParseBackupFileName("optimize-20240131-235959.reg");
    const auto second = ovix::ParseBackupFileName(ovix::BackupFileName("20240131-235959", 2));
    const auto tenth = ovix::ParseBackupFileName("optimize-20240131-235959-10.reg");
    ASSERT_TRUE(first && second && tenth);
    EXPECT_LT(*first, *second);
    EXPECT_LT(*second, *tenth) << "by number, not by text";
    EXPECT_LT(*tenth, *ovix::ParseBackupFileName("optimize-20240201-000000.reg"));
    for (const char* other : {"optimize-20240131-235959.undone.reg", "optimize-2024013-235959.reg",
                              "optimize-20240131-235959-1.reg", "optimize-20240131-235959-x.reg", "other.reg"}) {
        EXPECT_FALSE(ovix::ParseBackupFileName(other).has_value()) << other;
    }
}

}  // namespace
