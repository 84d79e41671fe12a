// A system library loaded at run time, freed by its owner. Libraries load by
// their full path in the system folder, never by bare name: a DLL of the same
// name left beside Ovix.exe (a Downloads folder) would otherwise run instead.
#pragma once

#include "framework/win.h"

#include <string>

namespace fw {

// The system folder ("C:\WINDOWS\system32"), or "" when it cannot be read.
std::string SystemFolder();

class LoadedLibrary {
public:
    LoadedLibrary() = default;
    // Loads the system folder's copy of the DLL named (a bare file name; a
    // name with a path separator is refused). Empty when it is missing.
    explicit LoadedLibrary(const char* systemDllName);
    ~LoadedLibrary() { Reset(); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    LoadedLibrary(LoadedLibrary&& other) noexcept : module_(other.module_) { other.module_ = nullptr; }
    LoadedLibrary& operator=(LoadedLibrary&& other) noexcept;

    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    void Reset();
    // A function of the library typed by the caller; null when missing.
    template <class Function>
    Function Find(const char* name) const {
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module_, name)))
                       : nullptr;
    }

    // Libraries held by owners now: tests prove none is left behind.
    static long LiveCount();

private:
    HMODULE module_ = nullptr;
};

}  // namespace fw
