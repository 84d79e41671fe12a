// The two registry value classes on a test key of their own: values of odd
// types and sizes, missing keys, the cache that forceRead switches off, and
// the write that creates its key.
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

class RegistryValue : public testing::Test {
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
    static std::string Text(const char* name) { return RegistryStringValue(Path(name), kFallback).Text(); }
    static uint32_t Number(const char* name) { return RegistryDwordValue(Path(name), 55).Value(); }

    fw::RegKey key_;
    long keysBefore_ = 0;
};

TEST_F(RegistryValue, PathsAddressKeyValueUnnamedValueAndRoot) {
    ASSERT_EQ(key_.SetString("v", "text"), ERROR_SUCCESS);
    RegistryStringValue value("\\\\Software\\OvixTests\\Probes\\\\v", kFallback);
    EXPECT_EQ(value.KeyPath(), kTestKey);
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.Text(), "text");
    // A trailing backslash addresses the key's unnamed value.
    ASSERT_EQ(key_.SetString("", "unnamed"), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue(std::string(kTestKey) + "\\", kFallback).Text(), "unnamed");
    // A value name alone reads under the root itself.
    ASSERT_EQ(key_.SetString("alone", "under the root"), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue("alone", kFallback, true, key_.Get()).Text(), "under the root");
}

TEST_F(RegistryValue, AnyTypeIsTextUpToTheFirstNulNeverPastTheData) {
    SetRaw("multi", REG_MULTI_SZ, "first\0second\0", 14);
    SetRaw("binary", REG_BINARY, "AB\0C", 4);
    const DWORD letters = 0x00434241, full = 0x44434241;  // "ABC" then a zero; four letters and no zero
    SetRaw("dword", REG_DWORD, &letters, sizeof(letters));
    SetRaw("dword4", REG_DWORD, &full, sizeof(full));
    SetRaw("sz", REG_SZ, "abc", 3);
    SetRaw("expand", REG_EXPAND_SZ, "%TEMP%", 6);
    SetRaw("empty", REG_SZ, "", 0);
    SetRaw("nothing", REG_BINARY, nullptr, 0);
    ASSERT_EQ(key_.SetString("high", "\xC9t\xE9 \xB0"), ERROR_SUCCESS);
    EXPECT_EQ(Text("multi"), "first");
    EXPECT_EQ(Text("binary"), "AB");
    EXPECT_EQ(Text("dword"), "ABC");
    EXPECT_EQ(Text("dword4"), "ABCD");
    EXPECT_EQ(Text("sz"), "abc");
    EXPECT_EQ(Text("expand"), "%TEMP%");  // never expanded
    EXPECT_EQ(Text("nothing"), "");
    EXPECT_EQ(Text("high"), "\xC9t\xE9 \xB0");
    RegistryStringValue empty(Path("empty"), kFallback);
    EXPECT_TRUE(empty.Found());
    EXPECT_EQ(empty.Text(), "");
    // 64 KB is read whole.
    std::string long64k(65536, 'a');
    long64k.back() = 'Z';
    ASSERT_EQ(key_.SetString("long", long64k), ERROR_SUCCESS);
    EXPECT_EQ(Text("long"), long64k);
}

TEST_F(RegistryValue, MissingKeyOrValueGivesTheDefaultAndCreatesNothing) {
    RegistryStringValue missing(Path("absent"), kFallback);
    EXPECT_FALSE(missing.Found());
    EXPECT_EQ(missing.LastRead(), kFallback);
    EXPECT_EQ(RegistryStringValue(std::string(kTestKey) + "\\No\\Such\\Key\\v", "Not find").Text(), "Not find");
    EXPECT_EQ(RegistryDwordValue(std::string(kTestKey) + "\\No\\d", 9).Value(), 9u);
    fw::RegKey probe;
    EXPECT_NE(probe.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\No").c_str(), KEY_READ), ERROR_SUCCESS);
}

TEST_F(RegistryValue, ForceReadDecidesWhetherChangesAreSeen) {
    ASSERT_EQ(key_.SetString("v", "before"), ERROR_SUCCESS);
    ASSERT_EQ(key_.SetDword("n", 1), ERROR_SUCCESS);
    RegistryStringValue cached(Path("v"), kFallback, false), fresh(Path("v"), kFallback, true);
    RegistryDwordValue cachedNumber(Path("n"), 55, false), freshNumber(Path("n"), 55, true);
    ASSERT_EQ(key_.SetString("v", "after"), ERROR_SUCCESS);
    ASSERT_EQ(key_.SetDword("n", 2), ERROR_SUCCESS);
    EXPECT_EQ(cached.Text(), "before");
    EXPECT_EQ(fresh.Text(), "after");
    EXPECT_EQ(cachedNumber.Value(), 1u);
    EXPECT_EQ(freshNumber.Value(), 2u);
    ASSERT_EQ(key_.DeleteValue("v"), ERROR_SUCCESS);
    ASSERT_EQ(key_.DeleteValue("n"), ERROR_SUCCESS);
    EXPECT_EQ(cached.Text(), "before");
    EXPECT_EQ(fresh.Text(), kFallback);
    EXPECT_EQ(cachedNumber.Value(), 1u);
    EXPECT_EQ(freshNumber.Value(), 55u);
    // Not found yet: even without forceRead the next request reads again.
    RegistryStringValue late(Path("late"), kFallback, false);
    EXPECT_EQ(late.Text(), kFallback);
    ASSERT_EQ(key_.SetString("late", "now here"), ERROR_SUCCESS);
    EXPECT_EQ(late.Text(), "now here");
    ASSERT_EQ(key_.SetString("late", "changed"), ERROR_SUCCESS);
    EXPECT_EQ(late.Text(), "now here");
}

TEST_F(RegistryValue, NumbersFromDwordsAndFourBinaryBytesOnly) {
    ASSERT_EQ(key_.SetDword("d", 0x89ABCDEF), ERROR_SUCCESS);
    ASSERT_EQ(key_.SetDword("zero", 0), ERROR_SUCCESS);
    ASSERT_EQ(key_.SetString("text", "7"), ERROR_SUCCESS);
    const unsigned char bytes[] = {0x04, 0x03, 0x02, 0x01, 5, 6, 7, 8};
    SetRaw("b4", REG_BINARY, bytes, 4);
    SetRaw("d2", REG_DWORD, bytes, 2);  // the low bytes of a number that starts at 0
    SetRaw("b3", REG_BINARY, bytes, 3);
    SetRaw("b5", REG_BINARY, bytes, 5);
    SetRaw("q", REG_QWORD, bytes, 8);
    SetRaw("d8", REG_DWORD, bytes, 8);
    EXPECT_EQ(Number("d"), 0x89ABCDEFu);
    EXPECT_EQ(Number("zero"), 0u);
    EXPECT_EQ(Number("b4"), 0x01020304u);
    EXPECT_EQ(Number("d2"), 0x0304u);
    for (const char* name : {"text", "b3", "b5", "q", "d8", "absent"}) EXPECT_EQ(Number(name), 55u) << name;
    EXPECT_FALSE(RegistryDwordValue(Path("text"), 55).Found());
}

TEST_F(RegistryValue, WriteCreatesTheKeyAndStoresADword) {
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
    value.Write(7);  // over an existing value; a fresh reader sees it
    EXPECT_EQ(RegistryDwordValue(path, 55).Value(), 7u);
}

}  // namespace
