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
    // Value "v" written as given, then read back.
    std::string TextOf(DWORD type, const void* data, DWORD size) {
        SetRaw("v", type, data, size);
        return RegistryStringValue(Path("v"), kFallback).Text();
    }
    uint32_t NumberOf(DWORD type, const void* data, DWORD size) {
        SetRaw("v", type, data, size);
        return RegistryDwordValue(Path("v"), 55).Value();
    }

    fw::RegKey key_;
    long keysBefore_ = 0;
};

TEST_F(RegistryValue, PathsAddressKeyValueUnnamedValueRootOrTheDefault) {
    ASSERT_EQ(key_.SetString("v", "text"), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue("\\\\Software\\OvixTests\\Probes\\\\v", kFallback).Text(), "text");
    // A trailing backslash addresses the key's unnamed value.
    ASSERT_EQ(key_.SetString("", "unnamed"), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue(std::string(kTestKey) + "\\", kFallback).Text(), "unnamed");
    // A value name alone reads under the root itself.
    ASSERT_EQ(key_.SetString("alone", "under the root"), ERROR_SUCCESS);
    EXPECT_EQ(RegistryStringValue("alone", kFallback, true, key_.Get()).Text(), "under the root");
    // A missing key or value gives the default and creates nothing.
    RegistryStringValue missing(Path("absent"), kFallback);
    EXPECT_FALSE(missing.Found());
    EXPECT_EQ(missing.LastRead(), kFallback);
    EXPECT_EQ(RegistryStringValue(std::string(kTestKey) + "\\No\\Such\\Key\\v", "Not find").Text(), "Not find");
    EXPECT_EQ(RegistryDwordValue(std::string(kTestKey) + "\\No\\d", 9).Value(), 9u);
    fw::RegKey probe;
    EXPECT_NE(probe.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\No").c_str(), KEY_READ), ERROR_SUCCESS);
}

TEST_F(RegistryValue, AnyTypeIsTextUpToTheFirstNulNeverPastTheData) {
    const DWORD letters = 0x00434241, full = 0x44434241;  // "ABC" then a zero; four letters and no zero
    EXPECT_EQ(TextOf(REG_MULTI_SZ, "first\0second\0", 14), "first");
    EXPECT_EQ(TextOf(REG_BINARY, "AB\0C", 4), "AB");
    EXPECT_EQ(TextOf(REG_DWORD, &letters, 4), "ABC");
    EXPECT_EQ(TextOf(REG_DWORD, &full, 4), "ABCD");
    EXPECT_EQ(TextOf(REG_SZ, "abc", 3), "abc");
    EXPECT_EQ(TextOf(REG_EXPAND_SZ, "%TEMP%", 6), "%TEMP%");  // never expanded
    EXPECT_EQ(TextOf(REG_BINARY, nullptr, 0), "");
    EXPECT_EQ(TextOf(REG_SZ, "\xC9t\xE9 \xB0", 6), "\xC9t\xE9 \xB0");
    SetRaw("empty", REG_SZ, "", 0);
    RegistryStringValue empty(Path("empty"), kFallback);
    EXPECT_TRUE(empty.Found());
    EXPECT_EQ(empty.Text(), "");
    // 64 KB is read whole.
    std::string long64k(65536, 'a');
    long64k.back() = 'Z';
    EXPECT_EQ(TextOf(REG_SZ, long64k.c_str(), 65537), long64k);
}

TEST_F(RegistryValue, ForceReadDecidesWhetherChangesAreSeen) {
    ASSERT_EQ(key_.SetString("v", "before"), ERROR_SUCCESS);
    RegistryStringValue cached(Path("v"), kFallback, false), fresh(Path("v"), kFallback, true);
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

TEST_F(RegistryValue, NumbersFromDwordsAndFourBinaryBytesOnly) {
    const DWORD high = 0x89ABCDEF, zero = 0;
    const unsigned char bytes[] = {0x04, 0x03, 0x02, 0x01, 5, 6, 7, 8};
    EXPECT_EQ(NumberOf(REG_DWORD, &high, 4), 0x89ABCDEFu);
    EXPECT_EQ(NumberOf(REG_DWORD, &zero, 4), 0u);
    EXPECT_EQ(NumberOf(REG_BINARY, bytes, 4), 0x01020304u);
    EXPECT_EQ(NumberOf(REG_DWORD, bytes, 2), 0x0304u);  // the low bytes of a number that starts at 0
    // Anything else gives the default.
    EXPECT_EQ(NumberOf(REG_BINARY, bytes, 3), 55u);
    EXPECT_EQ(NumberOf(REG_BINARY, bytes, 5), 55u);
    EXPECT_EQ(NumberOf(REG_QWORD, bytes, 8), 55u);
    EXPECT_EQ(NumberOf(REG_DWORD, bytes, 8), 55u);
    EXPECT_EQ(NumberOf(REG_SZ, "7", 2), 55u);
    EXPECT_FALSE(RegistryDwordValue(Path("v"), 55).Found());
}

TEST_F(RegistryValue, WriteCreatesTheKeyAndStoresADword) {
    const std::string path = std::string(kTestKey) + "\\New\\Deeper\\count";
    RegistryDwordValue value(path, 55, false);
    value.Write(42);
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.Value(), 42u);
    fw::RegKey written;
    ASSERT_EQ(written.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\New\\Deeper").c_str(), KEY_READ),
              ERROR_SUCCESS);
    EXPECT_EQ(written.ValueType("count").value_or(REG_NONE), static_cast<DWORD>(REG_DWORD));
    value.Write(7);  // over an existing value; a fresh reader sees it
    EXPECT_EQ(RegistryDwordValue(path, 55).Value(), 7u);
}

}  // namespace
