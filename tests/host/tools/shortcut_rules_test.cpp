// The names a shortcut may be saved under.
#include "tools/shortcut_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShortcutRules, DevicesPathsAndForbiddenCharactersAreRefused) {
    for (const char* device : {"NUL", "CON", "PRN", "AUX", "COM1", "COM9", "LPT1", "LPT9", "CONIN$", "CONOUT$", "CLOCK$"}) {
        const std::string name = device;
        std::string lower;
        for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::string mixed = lower;
        mixed[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed[0])));
        for (const std::string& n : {name, lower, mixed, mixed + ".txt", name + " .lnk", lower + ".x.y"}) {
            EXPECT_FALSE(ovix::IsValidLinkName(n)) << n;
        }
    }
    for (const char c : std::string("\\/:*?\"<>|\x01\x1f")) {
        EXPECT_FALSE(ovix::IsValidLinkName(std::string("a") + c + "b")) << int(c);
    }
    for (const char* name : {"", "..\\x", "a:b", "sub/name"}) EXPECT_FALSE(ovix::IsValidLinkName(name)) << name;
    for (const char* name : {"Ovix v1.0.6", "Add here your shortcut's name.", "COM10", "LPT0", "nulled", "CONSOLE",
                             "con_", "my.nul", "r\xe9sum\xe9", " spaced "}) {
        EXPECT_TRUE(ovix::IsValidLinkName(name)) << name;
    }
}

}  // namespace
