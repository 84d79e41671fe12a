#include "probes/registry_value.h"

#include "framework/handles.h"
#include "framework/registry.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

namespace {

using ovix::probes::RegistryDwordValue;
using ovix::probes::RegistryStringValue;

constexpr char kTestKey[] = "Software\\OvixTests\\Probes";
constexpr char kFallback[] = "fallback";

class RegistryValueFixture : public testing::Test {
protected:
    void SetUp() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(key_.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
        keysBefore_ = fw::LiveCount(fw::ResourceKind::RegistryKey);
    }
    void TearDown() override {
        // Every read and write closes the key it opened.
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), keysBefore_);
        key_.Close();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\OvixTests");  // only when nothing else is left in it
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetValueExA(key_.Get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    static std::string Path(const char* name) { return std::string(kTestKey) + "\\" + name; }

    fw::RegKey key_;
    long keysBefore_ = 0;
};

using RegistryStringValueTest = RegistryValueFixture;
using RegistryDwordValueTest = RegistryValueFixture;

TEST_F(RegistryStringValueTest, PathSplitDropsOuterBackslashes) {
    ASSERT_EQ(key_.SetString("v", "text"), ERROR_SUCCESS);
    RegistryStringValue value("\\\\Software\\OvixTests\\Probes\\\\v", kFallback);
    EXPECT_EQ(value.KeyPath(), kTestKey);
    EXPECT_EQ(value.ValueName(), "v");
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.LastRead(), "text");
    EXPECT_EQ(value.Text(), "text");

    // A trailing backslash addresses the key's unnamed value.
    ASSERT_EQ(key_.SetString("", "unnamed"), ERROR_SUCCESS);
    RegistryStringValue unnamed(std::string(kTestKey) + "\\", kFallback);
    EXPECT_EQ(unnamed.ValueName(), "");
    EXPECT_EQ(unnamed.Text(), "unnamed");
}

TEST_F(RegistryStringValueTest, ValueNameWithoutKeyPathReadsUnderTheRoot) {
    ASSERT_EQ(key_.SetString("alone", "under the root"), ERROR_SUCCESS);
    RegistryStringValue value("alone", kFallback, true, key_.Get());
    EXPECT_EQ(value.KeyPath(), "");
    EXPECT_EQ(value.ValueName(), "alone");
    EXPECT_EQ(value.Text(), "under the root");
}

TEST_F(RegistryStringValueTest, AnyTypeIsTextUpToTheFirstNul) {
    const char multi[] = "first\0second\0";  // with the array's own NUL: two strings, then the end
    SetRaw("multi", REG_MULTI_SZ, multi, sizeof(multi));
    EXPECT_EQ(RegistryStringValue(Path("multi"), kFallback).Text(), "first");

    const char binary[] = {'A', 'B', '\0', 'C'};
    SetRaw("binary", REG_BINARY, binary, sizeof(binary));
    EXPECT_EQ(RegistryStringValue(Path("binary"), kFallback).Text(), "AB");

    const DWORD letters = 0x00434241;  // "ABC" then a zero byte
    SetRaw("dword", REG_DWORD, &letters, sizeof(letters));
    EXPECT_EQ(RegistryStringValue(Path("dword"), kFallback).Text(), "ABC");

    // Four letters and no zero: the text stops at the data's end.
    const DWORD full = 0x44434241;
    SetRaw("dword4", REG_DWORD, &full, sizeof(full));
    EXPECT_EQ(RegistryStringValue(Path("dword4"), kFallback).Text(), "ABCD");

    const std::string high = "\xC9t\xE9 \xB0";
    ASSERT_EQ(key_.SetString("high", high), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue(Path("high"), kFallback).Text(), high);
}

TEST_F(RegistryStringValueTest, DataWithoutTerminatingNulStopsAtItsEnd) {
    SetRaw("sz", REG_SZ, "abc", 3);
    EXPECT_EQ(RegistryStringValue(Path("sz"), kFallback).Text(), "abc");
    SetRaw("bin", REG_BINARY, "xyz", 3);
    EXPECT_EQ(RegistryStringValue(Path("bin"), kFallback).Text(), "xyz");
    SetRaw("expand", REG_EXPAND_SZ, "%TEMP%", 6);
    EXPECT_EQ(RegistryStringValue(Path("expand"), kFallback).Text(), "%TEMP%");  // never expanded
}

TEST_F(RegistryStringValueTest, EmptyValueIsFoundAndEmpty) {
    SetRaw("empty", REG_SZ, "", 0);
    RegistryStringValue empty(Path("empty"), kFallback);
    EXPECT_TRUE(empty.Found());
    EXPECT_EQ(empty.Text(), "");
    SetRaw("nothing", REG_BINARY, nullptr, 0);
    EXPECT_EQ(RegistryStringValue(Path("nothing"), kFallback).Text(), "");
}

TEST_F(RegistryStringValueTest, MissingKeyOrValueGivesTheDefault) {
    RegistryStringValue missingValue(Path("absent"), kFallback);
    EXPECT_FALSE(missingValue.Found());
    EXPECT_EQ(missingValue.LastRead(), kFallback);
    EXPECT_EQ(missingValue.Text(), kFallback);
    RegistryStringValue missingKey(std::string(kTestKey) + "\\No\\Such\\Key\\v", "Not find");
    EXPECT_FALSE(missingKey.Found());
    EXPECT_EQ(missingKey.Text(), "Not find");
    // Reading creates nothing.
    fw::RegKey probe;
    EXPECT_NE(probe.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\No").c_str(), KEY_READ), ERROR_SUCCESS);
}

TEST_F(RegistryStringValueTest, LongValueIsReadWhole) {
    std::string long64k(65536, '\0');
    for (size_t i = 0; i < long64k.size(); ++i) long64k[i] = static_cast<char>('a' + i % 26);
    long64k.back() = 'Z';
    ASSERT_EQ(key_.SetString("long", long64k), ERROR_SUCCESS);
    const std::string text = RegistryStringValue(Path("long"), kFallback).Text();
    EXPECT_EQ(text.size(), long64k.size());
    EXPECT_EQ(text, long64k);
}

TEST_F(RegistryStringValueTest, ForceReadDecidesWhetherChangesAreSeen) {
    ASSERT_EQ(key_.SetString("v", "before"), ERROR_SUCCESS);
    RegistryStringValue cached(Path("v"), kFallback, false);
    RegistryStringValue fresh(Path("v"), kFallback, true);
    ASSERT_EQ(key_.SetString("v", "after"), ERROR_SUCCESS);
    EXPECT_EQ(cached.Text(), "before");
    EXPECT_EQ(fresh.Text(), "after");
    ASSERT_EQ(key_.DeleteValue("v"), ERROR_SUCCESS);
    EXPECT_EQ(cached.Text(), "before");
    EXPECT_EQ(fresh.Text(), kFallback);

    // Not found yet: even without forceRead the next request reads again.
    RegistryStringValue late(Path("late"), kFallback, false);
    EXPECT_EQ(late.Text(), kFallback);
    ASSERT_EQ(key_.SetString("late", "now here"), ERROR_SUCCESS);
    EXPECT_EQ(late.Text(), "now here");
    ASSERT_EQ(key_.SetString("late", "changed"), ERROR_SUCCESS);
    EXPECT_EQ(late.Text(), "now here");
}

TEST_F(RegistryDwordValueTest, ReadsDwordAndFourBinaryBytes) {
    ASSERT_EQ(key_.SetDword("d", 0x89ABCDEF), ERROR_SUCCESS);
    RegistryDwordValue value(Path("d"), 55);
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.Value(), 0x89ABCDEFu);
    const unsigned char bytes[] = {0x04, 0x03, 0x02, 0x01};
    SetRaw("b4", REG_BINARY, bytes, 4);
    EXPECT_EQ(RegistryDwordValue(Path("b4"), 55).Value(), 0x01020304u);
    // A shorter REG_DWORD fills the low bytes of a number that starts at 0.
    SetRaw("d2", REG_DWORD, bytes, 2);
    EXPECT_EQ(RegistryDwordValue(Path("d2"), 55).Value(), 0x0304u);
    ASSERT_EQ(key_.SetDword("zero", 0), ERROR_SUCCESS);
    EXPECT_EQ(RegistryDwordValue(Path("zero"), 55).Value(), 0u);
}

TEST_F(RegistryDwordValueTest, OtherTypesAndSizesGiveTheDefault) {
    ASSERT_EQ(key_.SetString("text", "7"), ERROR_SUCCESS);
    RegistryDwordValue text(Path("text"), 55);
    EXPECT_FALSE(text.Found());
    EXPECT_EQ(text.Value(), 55u);
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetRaw("b3", REG_BINARY, bytes, 3);
    SetRaw("b5", REG_BINARY, bytes, 5);
    SetRaw("q", REG_QWORD, bytes, 8);
    SetRaw("d8", REG_DWORD, bytes, 8);
    for (const char* name : {"b3", "b5", "q", "d8", "absent"}) {
        EXPECT_EQ(RegistryDwordValue(Path(name), 55).Value(), 55u) << name;
    }
    EXPECT_EQ(RegistryDwordValue(std::string(kTestKey) + "\\No\\d", 9).Value(), 9u);
}

TEST_F(RegistryDwordValueTest, ForceReadDecidesWhetherChangesAreSeen) {
    ASSERT_EQ(key_.SetDword("n", 1), ERROR_SUCCESS);
    RegistryDwordValue cached(Path("n"), 55, false);
    RegistryDwordValue fresh(Path("n"), 55, true);
    ASSERT_EQ(key_.SetDword("n", 2), ERROR_SUCCESS);
    EXPECT_EQ(cached.Value(), 1u);
    EXPECT_EQ(fresh.Value(), 2u);
    ASSERT_EQ(key_.DeleteValue("n"), ERROR_SUCCESS);
    EXPECT_EQ(cached.Value(), 1u);
    EXPECT_EQ(fresh.Value(), 55u);
}

TEST_F(RegistryDwordValueTest, WriteCreatesTheKeyAndStoresADword) {
    const std::string path = std::string(kTestKey) + "\\New\\Deeper\\count";
    RegistryDwordValue value(path, 55, false);
    EXPECT_FALSE(value.Found());
    value.Write(42);
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.Value(), 42u);
    fw::RegKey written;
    ASSERT_EQ(written.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\New\\Deeper").c_str(), KEY_READ),
              ERROR_SUCCESS);
    EXPECT_EQ(written.ValueType("count").value_or(REG_NONE), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(written.QueryDword("count").value_or(0), 42u);
    // Written again over an existing value; a fresh reader sees it.
    value.Write(7);
    EXPECT_EQ(RegistryDwordValue(path, 55).Value(), 7u);
}

}  // namespace
