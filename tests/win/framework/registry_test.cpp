#include "framework/registry.h"

#include "framework/handles.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kTestKey[] = "Software\\OvixTests\\Registry";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        TearDown();
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    }
    void TearDown() override {
        key.Close();
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }
    fw::RegKey key;
};

TEST_F(RegistryTest, ValuesAreReadWithTheirRealTypeAndSize) {
    const char raw[] = {'a', 'b', 'c'};  // no terminating zero
    ASSERT_EQ(::RegSetValueExA(key.Get(), "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 3), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("v").value_or("?"), "abc");
    ASSERT_EQ(key.SetDword("d", 7), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryDword("d").value_or(0), 7u);
    EXPECT_FALSE(key.QueryString("d").has_value());
    EXPECT_FALSE(key.QueryDword("v").has_value());
    EXPECT_FALSE(key.QueryString("missing").has_value());
    // Raw: any type, the bytes as stored, a missing value told apart.
    fw::RegKey::RawValue stored;
    for (const auto& [type, bytes] : {std::pair<DWORD, std::string>{REG_SZ, std::string("a\0b", 3)},
                                      {REG_MULTI_SZ, std::string(3000, 'x')}, {REG_BINARY, ""}}) {
        ASSERT_EQ(key.SetRaw("r", type, bytes), ERROR_SUCCESS);
        ASSERT_EQ(key.QueryRaw("r", stored), ERROR_SUCCESS);
        EXPECT_EQ(stored.type, type);
        EXPECT_EQ(stored.bytes, bytes);
    }
    EXPECT_EQ(key.QueryRaw("missing", stored), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, SubkeysInOrderUpToTheLongestNameEachClosedByItsOwner) {
    const long before = fw::LiveCount(fw::ResourceKind::RegistryKey);
    const std::string longest(255, 'k');  // the longest name a key may have
    for (const std::string& name : {std::string("alpha@mail"), longest, std::string("beta@mail")}) {
        fw::RegKey sub;
        ASSERT_EQ(sub.Create(key.Get(), name.c_str(), KEY_ALL_ACCESS), ERROR_SUCCESS) << name.size();
        fw::RegKey moved = std::move(sub);
        EXPECT_FALSE(sub.IsOpen());
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), before + 1);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), before);
    EXPECT_EQ(key.SubkeyNames(), (std::vector<std::string>{"alpha@mail", "beta@mail", longest}));
}

// A key deleted while it is open answers an error at every index: the list
// ends at once (once, every index up to 2^32 was tried: a start-up hang).
TEST_F(RegistryTest, AKeyDeletedWhileOpenListsNothingAndEnds) {
    const std::string path = std::string(kTestKey) + "\\doomed";
    fw::RegKey doomed;
    ASSERT_EQ(doomed.Create(HKEY_CURRENT_USER, path.c_str(), KEY_ALL_ACCESS), ERROR_SUCCESS);
    ASSERT_EQ(::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
    char name[256];
    DWORD length = sizeof(name);
    ASSERT_EQ(::RegEnumKeyExA(doomed.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(doomed.SubkeyNames().empty());
    EXPECT_LT(::GetTickCount() - start, 1000u);
}

}  // namespace
