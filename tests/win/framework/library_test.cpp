#include "framework/library.h"

#include "app/app_paths.h"
#include "framework/resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ModuleFile(HMODULE module) {
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(module, path, sizeof(path));
    return std::string(path, length);
}

// A DLL left beside the program under a system DLL's name must never be the
// one that loads.
TEST(LoadedLibrary, LoadsFromTheSystemFolderOnly) {
    const std::string system = fw::SystemFolder();
    ASSERT_FALSE(system.empty());
    const long live = fw::LoadedLibrary::LiveCount();
    {
        fw::LoadedLibrary version("version.dll");
        ASSERT_TRUE(version);
        EXPECT_TRUE(ovix::SamePath(ovix::ApplicationDirectory(ModuleFile(version.Get())), system))
            << ModuleFile(version.Get());
        EXPECT_NE(version.Find<FARPROC>("GetFileVersionInfoSizeA"), nullptr);
        EXPECT_EQ(fw::LoadedLibrary::LiveCount(), live + 1);
    }
    EXPECT_EQ(fw::LoadedLibrary::LiveCount(), live);

    // A copy of a real DLL beside the test program, under a name the system
    // folder lacks: the bare name would load it, the owner does not.
    const std::string planted = ovix::ApplicationDirectory(fw::ModulePath()) + "\\ovix_planted.dll";
    ASSERT_TRUE(::CopyFileA((system + "\\version.dll").c_str(), planted.c_str(), FALSE));
    HMODULE bare = ::LoadLibraryA("ovix_planted.dll");
    EXPECT_NE(bare, nullptr) << "the search order finds the program's folder";
    if (bare) ::FreeLibrary(bare);
    EXPECT_FALSE(fw::LoadedLibrary("ovix_planted.dll"));
    ::DeleteFileA(planted.c_str());

    for (const char* refused : {"", "..\\version.dll", "C:\\windows\\system32\\version.dll", "sub/version.dll"}) {
        EXPECT_FALSE(fw::LoadedLibrary(refused)) << refused;
    }
    EXPECT_EQ(fw::LoadedLibrary::LiveCount(), live);
}

}  // namespace
