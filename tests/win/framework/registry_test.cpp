#include "framework/registry.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

namespace {

constexpr char kTestKey[] = "Software\\OvixTests\\Registry";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
};

TEST_F(RegistryTest, StringWithoutTerminatingZeroIsReadWhole) {
    fw::RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    const char raw[] = {'a', 'b', 'c'};
    ASSERT_EQ(::RegSetValueExA(key.Get(), "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 3), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("v").value_or("?"), "abc");
}

TEST_F(RegistryTest, WrongTypesAreAbsent) {
    fw::RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    ASSERT_EQ(key.SetDword("d", 7), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("s", "text"), ERROR_SUCCESS);
    EXPECT_FALSE(key.QueryString("d").has_value());
    EXPECT_FALSE(key.QueryDword("s").has_value());
    EXPECT_EQ(key.QueryDword("d").value_or(0), 7u);
    EXPECT_FALSE(key.QueryString("missing").has_value());
}

TEST_F(RegistryTest, KeysAreClosedByTheirOwner) {
    const long before = fw::LiveCount(fw::ResourceKind::RegistryKey);
    {
        fw::RegKey key;
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), before + 1);
        fw::RegKey moved = std::move(key);
        EXPECT_FALSE(key.IsOpen());
        EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), before + 1);
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::RegistryKey), before);
}

TEST_F(RegistryTest, SubkeyNamesInOrder) {
    fw::RegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    for (const char* name : {"alpha@mail", "beta@mail"}) {
        fw::RegKey sub;
        ASSERT_EQ(sub.Create(key.Get(), name, KEY_ALL_ACCESS), ERROR_SUCCESS);
    }
    const auto names = key.SubkeyNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "alpha@mail");
    EXPECT_EQ(names[1], "beta@mail");
    for (const char* name : {"alpha@mail", "beta@mail"}) ::RegDeleteKeyA(key.Get(), name);
}

}  // namespace
