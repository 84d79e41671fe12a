// The two registry value classes on a test key of their own: odd types and sizes, missing keys, the cache
// that forceRead switches off, and the write that creates its key.
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

TEST_F(RegistryValue, PathsAddressKeyValueUnnamedValueRootOrTheDefaultAndForceReadSeesChanges) {
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
    // forceRead decides whether changes are seen.
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

TEST_F(RegistryValue, AnyTypeIsTextUpToTheFirstNulNeverPastTheData) {
    const DWORD letters = 0x00434241, full = 0x44434241;  // "ABC" then a zero; four letters and no zero
    const std::string long64k = std::string(65535, 'a') + "Z";  // read whole
    // An expandable text is never expanded.
    const struct { DWORD type; const void* data; DWORD size; std::string text; } cases[] = {
        {REG_MULTI_SZ, "first\0second\0", 14, "first"}, {REG_BINARY, "AB\0C", 4, "AB"}, {REG_DWORD, &letters, 4, "ABC"},
        {REG_DWORD, &full, 4, "ABCD"}, {REG_SZ, "abc", 3, "abc"}, {REG_EXPAND_SZ, "%TEMP%", 6, "%TEMP%"},
        {REG_SZ, "\xC9t\xE9 \xB0", 6, "\xC9t\xE9 \xB0"}, {REG_SZ, long64k.c_str(), 65537, long64k},
        {REG_SZ, "", 0, ""}};
    for (const auto& c : cases) EXPECT_EQ(TextOf(c.type, c.data, c.size), c.text) << c.type << " " << c.size;
    EXPECT_TRUE(RegistryStringValue(Path("v"), kFallback).Found()) << "an empty value is found";
}

TEST_F(RegistryValue, NumbersFromDwordsAndFourBinaryBytesOnlyAndTheirWrite) {
    const DWORD high = 0x89ABCDEF, zero = 0;
    const unsigned char bytes[] = {0x04, 0x03, 0x02, 0x01, 5, 6, 7, 8};
    EXPECT_EQ(NumberOf(REG_DWORD, &high, 4), 0x89ABCDEFu);
    EXPECT_EQ(NumberOf(REG_DWORD, &zero, 4), 0u);
    EXPECT_EQ(NumberOf(REG_BINARY, bytes, 4), 0x01020304u);
    EXPECT_EQ(NumberOf(REG_DWORD, bytes, 2), 0x0304u);  // the low bytes of a number that starts at 0
    // Anything else gives the default.
    for (const auto& [type, size] : {std::pair<DWORD, DWORD>{REG_BINARY, 3}, {REG_BINARY, 5}, {REG_QWORD, 8},
                                     {REG_DWORD, 8}}) {
        EXPECT_EQ(NumberOf(type, bytes, size), 55u) << type << " " << size;
    }
    EXPECT_EQ(NumberOf(REG_SZ, "7", 2), 55u);
    EXPECT_FALSE(RegistryDwordValue(Path("v"), 55).Found());

    // A write creates its key.
    const std::string path = std::string(kTestKey) + "\\New\\Deeper\\count";
    RegistryDwordValue value(path, 55, false);
    EXPECT_TRUE(value.Write(42));
    EXPECT_TRUE(value.Found());
    EXPECT_EQ(value.Value(), 42u);
    fw::RegKey written;
    ASSERT_EQ(written.Open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\New\\Deeper").c_str(), KEY_READ),
              ERROR_SUCCESS);
    EXPECT_EQ(written.ValueType("count").value_or(REG_NONE), static_cast<DWORD>(REG_DWORD));
    EXPECT_TRUE(value.Write(7));  // over an existing value; a fresh reader sees it
    EXPECT_EQ(RegistryDwordValue(path, 55).Value(), 7u);
    // A key name longer than the registry allows: reported, nothing found.
    RegistryDwordValue tooLong(std::string(kTestKey) + "\\" + std::string(300, 'k') + "\\v", 55);
    EXPECT_FALSE(tooLong.Write(1));
    EXPECT_FALSE(tooLong.Found());
}

}  // namespace
