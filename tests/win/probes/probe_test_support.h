// Helpers of the probe tests: a registry value put back as it was, and folder
// links the tests build themselves.
#pragma once

#include "framework/win.h"

#include <shlwapi.h>

#include <string>
#include <vector>

namespace test {

inline std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A kernel32 function that may be missing, typed by the caller.
template <class Function>
Function Kernel32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), name)));
}

// One registry value that a test changes: its data (read and written through
// the wide calls, so nothing is lost to the code page) is saved first and put
// back at the end, or the value is deleted when it did not exist; keys that
// the test had to create are removed again.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, std::string keyPath, std::string name)
        : root_(root), keyPath_(std::move(keyPath)), name_(std::move(name)) {
        // The highest key of the path that does not exist yet is removed at the end.
        HKEY key = nullptr;
        for (size_t end = 0; end != std::string::npos && createdKey_.empty();) {
            end = keyPath_.find('\\', end + 1);
            if (::RegOpenKeyExA(root_, keyPath_.substr(0, end).c_str(), 0, KEY_READ, &key)) {
                createdKey_ = keyPath_.substr(0, end);
            } else {
                ::RegCloseKey(key);
            }
        }
        if (!createdKey_.empty() || ::RegOpenKeyExW(root_, Widen(keyPath_).c_str(), 0, KEY_READ, &key)) return;
        DWORD size = 0;
        if (::RegQueryValueExW(key, Widen(name_).c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            data_.resize(size);
            existed_ = !::RegQueryValueExW(key, Widen(name_).c_str(), nullptr, &type_, data_.data(), &size);
            data_.resize(size);
        }
        ::RegCloseKey(key);
    }
    ~SavedRegistryValue() {
        if (existed_) {
            ::SHSetValueW(root_, Widen(keyPath_).c_str(), Widen(name_).c_str(), type_, data_.data(),
                          static_cast<DWORD>(data_.size()));
        } else {
            Remove();
        }
        if (!createdKey_.empty()) ::SHDeleteKeyA(root_, createdKey_.c_str());
    }
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    // Writes the value as given, creating its key (8-bit text through the ANSI
    // call, as the program's own settings are written).
    bool SetRaw(DWORD type, const void* data, DWORD size) {
        return ::SHSetValueA(root_, keyPath_.c_str(), name_.c_str(), type, data, size) == ERROR_SUCCESS;
    }
    bool SetString(const std::string& text) { return SetRaw(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1)); }
    bool SetDword(DWORD value) { return SetRaw(REG_DWORD, &value, sizeof(value)); }
    void Remove() { ::SHDeleteValueA(root_, keyPath_.c_str(), name_.c_str()); }
    // The text, or no value at all for nullptr.
    bool SetOrRemove(const char* text) { return text ? SetString(text) : (Remove(), true); }

private:
    HKEY root_;
    std::string keyPath_, name_, createdKey_;
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    std::vector<BYTE> data_;
};

// Runs a Unix program (Wine starts ELF files given by their DOS path) and
// waits until the condition holds: Wine hands back no process handle for it.
template <class Done>
bool RunUnixAndWait(const std::string& commandLine, const char* program, Done done) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = commandLine;
    if (!::CreateProcessA(program, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                          &startup, &process)) return false;
    for (int i = 0; i < 500 && !done(); ++i) ::Sleep(10);
    return done();
}

inline std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = Kernel32Function<ToUnix>("wine_get_unix_file_name");
    char* unixPath = toUnix ? toUnix(Widen(windowsPath).c_str()) : nullptr;
    if (!unixPath) return {};
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

// A link to a folder that reads as a directory with the reparse-point mark: a
// Unix symbolic link made by ln (Wine's CreateSymbolicLinkA answers TRUE and
// creates nothing), removed again by rm (neither DeleteFile nor RemoveDirectory
// removes it under Wine, and the shell's delete would follow it).
class FolderLink {
public:
    FolderLink(const std::string& link, const std::string& relativeTarget) : link_(link), unixLink_(UnixPath(link)) {
        if (unixLink_.empty()) return;
        RunUnixAndWait("/bin/ln -s \"" + relativeTarget + "\" \"" + unixLink_ + "\"", "Z:\\bin\\ln",
                       [this] { return IsLink(); });
    }
    ~FolderLink() {
        if (!IsLink()) return;
        RunUnixAndWait("/bin/rm -f \"" + unixLink_ + "\"", "Z:\\bin\\rm",
                       [this] { return ::GetFileAttributesA(link_.c_str()) == INVALID_FILE_ATTRIBUTES; });
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    bool IsLink() const {
        const DWORD attributes = ::GetFileAttributesA(link_.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }

private:
    std::string link_, unixLink_;
};

}  // namespace test
