#include "framework/library.h"

#include <atomic>
#include <cstring>

namespace fw {
namespace {

std::atomic<long> g_liveLibraries{0};

}  // namespace

std::string SystemFolder() {
    std::string folder(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const UINT length = ::GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0) return {};
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.assign(length + 1, '\0');  // the size needed, with its zero
    }
    return {};
}

LoadedLibrary::LoadedLibrary(const char* systemDllName) {
    if (!systemDllName || !*systemDllName || std::strpbrk(systemDllName, "\\/:")) return;
    const std::string folder = SystemFolder();
    if (folder.empty()) return;
    const std::string path = folder + "\\" + systemDllName;
    module_ = ::LoadLibraryA(path.c_str());
    if (module_) ++g_liveLibraries;
}

LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
    if (this != &other) {
        Reset();
        module_ = other.module_;
        other.module_ = nullptr;
    }
    return *this;
}

void LoadedLibrary::Reset() {
    if (module_) {
        ::FreeLibrary(module_);
        --g_liveLibraries;
        module_ = nullptr;
    }
}

long LoadedLibrary::LiveCount() { return g_liveLibraries.load(); }

}  // namespace fw
