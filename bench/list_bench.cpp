// The slow lists against bare loops, medians of N runs (default 5), one line:
//   statistics bare ratio   executables bare ratio   one-query five-queries ratio
// 1. folder statistics of a generated tree (5,000 files in 50 folders) with
//    the wait window up, against a bare two-pass walk (sub-folders, then files);
// 2. the executables list of the system folder filled (window made and
//    closed), against a bare loop reading the same version resources and times;
// 3. one Win32_Service query read five times over, against five queries.
#include "bench/bench_clock.h"
#include "framework/library.h"
#include "lists/desktop_lists.h"
#include "lists/file_lists.h"
#include "lists/wait_window.h"
#include "probes/wmi_probes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

double Time(const std::function<void()>& run) {
    const double start = NowMs();
    run();
    return NowMs() - start;
}

void MakeTree(const std::string& root) {
    ::CreateDirectoryA(root.c_str(), nullptr);
    for (int folder = 0; folder < 50; ++folder) {
        const std::string path = root + "\\d" + std::to_string(folder);
        ::CreateDirectoryA(path.c_str(), nullptr);
        for (int file = 0; file < 100; ++file) {
            const HANDLE handle = ::CreateFileA((path + "\\f" + std::to_string(file)).c_str(), GENERIC_WRITE, 0,
                                                nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            ::WriteFile(handle, "0123456789", 10, &written, nullptr);
            ::CloseHandle(handle);
        }
    }
}

void RemoveTree(const std::string& root) {
    for (int folder = 0; folder < 50; ++folder) {
        const std::string path = root + "\\d" + std::to_string(folder);
        for (int file = 0; file < 100; ++file) ::DeleteFileA((path + "\\f" + std::to_string(file)).c_str());
        ::RemoveDirectoryA(path.c_str());
    }
    ::RemoveDirectoryA(root.c_str());
}

// Sub-folders first, then the files of each: the search's two passes, bare.
unsigned long long BareWalk(const std::string& root) {
    std::vector<std::string> folders{root};
    for (size_t i = 0; i < folders.size(); ++i) {
        WIN32_FIND_DATAA data;
        const HANDLE find = ::FindFirstFileA((folders[i] + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.') {
                folders.push_back(folders[i] + "\\" + data.cFileName);
            }
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    unsigned long long bytes = 0;
    for (const std::string& folder : folders) {
        WIN32_FIND_DATAA data;
        const HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) bytes += data.nFileSizeLow;
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    return bytes;
}

void BareExecutables(const std::string& system) {
    WIN32_FIND_DATAA data;
    const HANDLE find = ::FindFirstFileA((system + "\\*.exe").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string path = system + "\\" + data.cFileName;
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
        std::vector<char> block(size);
        if (size && ::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
            void* value = nullptr;
            UINT length = 0;
            ::VerQueryValueA(block.data(), "\\", &value, &length);
            ::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length);
            ::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileDescription", &value, &length);
            ::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\CompanyName", &value, &length);
        }
        WIN32_FILE_ATTRIBUTE_DATA attributes;
        ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
        SYSTEMTIME local;
        FILETIME localTime;
        ::FileTimeToLocalFileTime(&attributes.ftCreationTime, &localTime);
        ::FileTimeToSystemTime(&localTime, &local);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(temp), temp);
    const std::string root = std::string(temp) + "ovix-list-bench";
    MakeTree(root);
    const std::string system = fw::SystemFolder();
    const std::string properties[] = {"Name", "DisplayName", "State", "StartMode", "PathName"};

    std::vector<double> statistics, bare, executables, bareExecutables, oneQuery, fiveQueries;
    for (int run = 0; run <= runs; ++run) {  // run 0 warms the caches up
        const double s = Time([&] {
            ovix::WaitWindow wait(nullptr, ovix::WaitStyle::Statistics);
            ovix::ReadFolderStatistics(root, wait);
        });
        const double b = Time([&] { BareWalk(root); });
        const double e = Time([&] {
            ovix::CExeList window;
            window.CreateModeless();
            window.End(IDCANCEL);
        });
        const double be = Time([&] { BareExecutables(system); });
        ovix::wmi::ServiceRowSource service;
        const double one = Time([&] {
            const auto rows = service.ReadClass("Win32_Service", properties);
            std::vector<std::string> cells;
            for (size_t p = 0; p < std::size(properties); ++p) {
                for (const auto& row : rows) cells.push_back(row[p].text);
            }
        });
        const double five = Time([&] {
            for (const std::string& property : properties) service.Read("Win32_Service", property, false);
        });
        if (run == 0) continue;
        statistics.push_back(s);
        bare.push_back(b);
        executables.push_back(e);
        bareExecutables.push_back(be);
        oneQuery.push_back(one);
        fiveQueries.push_back(five);
    }
    RemoveTree(root);
    const double s = Median(statistics), b = Median(bare), e = Median(executables), be = Median(bareExecutables),
                 one = Median(oneQuery), five = Median(fiveQueries);
    std::printf("%.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", s, b, s / b, e, be, e / be, one, five, one / five);
    return 0;
}
