// A machine for the cleaner made of the test's own folders: every folder a
// step works in lies below one test folder, the recent documents, History and
// Recycle Bin answer as told, and the shell's delete is recorded (flags) and
// done for real without the Recycle Bin.
#pragma once

#include "support/temp_folder.h"
#include "tools/cleaner_run.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace test {

struct FakeCleanerSystem : ovix::CleanerSystem {
    explicit FakeCleanerSystem(const TempFolder& root) : root(root.Path()) {}
    std::vector<std::string> TempFolders() override { return temp; }
    std::vector<std::string> ProtectedFolders() override { return {root + "\\Windows", root + "\\Profile"}; }
    std::string CookiesFolder() override { return root + "\\Cookies"; }
    std::string InternetCacheFolder() override { return root + "\\Cache"; }
    std::string PrefetchFolder() override { return root + "\\Windows\\Prefetch"; }
    std::string TypedUrlsParent() override { return "Software\\OvixTest\\Internet Explorer"; }
    void ClearRecentDocuments() override {
        calls.push_back("recent");
        if (duringRun) duringRun();
    }
    bool CleanHistory() override { return calls.push_back("history"), historyCleaned; }
    std::optional<ovix::RecycleBinState> QueryRecycleBin() override { return bin; }
    bool EmptyRecycleBin() override { return calls.push_back("empty bin"), binEmptied; }

    std::string root;
    std::vector<std::string> temp;
    std::vector<std::string> calls;
    std::function<void()> duringRun;  // called at the first step
    bool historyCleaned = true, binEmptied = true;
    std::optional<ovix::RecycleBinState> bin = ovix::RecycleBinState{2, 3000};
};

struct RecordingDeletes : ovix::ShellFileCall {
    int Run(SHFILEOPSTRUCTA& operation) override {
        flags.push_back(operation.fFlags);
        if (during) during();
        operation.fFlags &= ~FOF_ALLOWUNDO;  // never the user's Recycle Bin
        return ::SHFileOperationA(&operation);
    }
    std::vector<FILEOP_FLAGS> flags;
    std::function<void()> during;
};

inline void WriteFile(const std::string& path, size_t bytes) {
    std::ofstream(path, std::ios::binary) << std::string(bytes, 'x');
}

}  // namespace test
