// Time of a FileSearch over a large generated tree, next to the command
// interpreter's own recursive listing of the same tree.
//
//   file_search_bench.exe <folder> [runs]
//
// Generates <folder> once (2,000 folders of 25 files: 50,000 files), then
// prints the median milliseconds of: the search (every folder, "*.*", files
// only), `cmd /c dir /s /b` with its output to a file, and `cmd /c rem` (the
// interpreter's own start-up, taken off dir's time), and the ratio.
#include "bench/bench_clock.h"
#include "app/shell_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kTopFolders = 40;
constexpr int kSubFolders = 49;  // 40 + 40 * 49 = 2,000 folders
constexpr int kFilesPerFolder = 25;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool FillFolder(const std::string& folder) {
    if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    for (int i = 0; i < kFilesPerFolder; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "\\file_%02d.dat", i);
        HANDLE file = ::CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        ::WriteFile(file, name, 8, &written, nullptr);
        ::CloseHandle(file);
    }
    return true;
}

bool Generate(const std::string& root) {
    const std::string done = root + "\\generated.mark";
    if (::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    ::CreateDirectoryA(root.c_str(), nullptr);
    const std::string tree = root + "\\tree";
    if (!::CreateDirectoryA(tree.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    for (int top = 0; top < kTopFolders; ++top) {
        char name[32];
        std::snprintf(name, sizeof(name), "\\top_%02d", top);
        const std::string topFolder = tree + name;
        if (!FillFolder(topFolder)) return false;
        for (int sub = 0; sub < kSubFolders; ++sub) {
            std::snprintf(name, sizeof(name), "\\sub_%02d", sub);
            if (!FillFolder(topFolder + name)) return false;
        }
    }
    HANDLE mark = ::CreateFileA(done.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (mark == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(mark);
    return true;
}

// Milliseconds from the start of the command line to the end of its process.
double RunCommand(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = commandLine;
    const double start = NowMs();
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process)) {
        return -1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double elapsed = NowMs() - start;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: file_search_bench <folder> [runs]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 3;
    const double generateStart = NowMs();
    if (!Generate(root)) {
        std::fprintf(stderr, "cannot generate the tree in %s\n", root.c_str());
        return 1;
    }
    const double generated = NowMs() - generateStart;
    const std::string tree = root + "\\tree";
    const std::string listing = root + "\\dir-output.txt";

    std::vector<double> search, dir, rem;
    size_t folders = 0, files = 0;
    for (int run = 0; run < runs; ++run) {
        const double start = NowMs();
        ovix::FileSearch fileSearch;
        fileSearch.AddFolder(tree, true);
        fileSearch.Search("*.*", true, false);
        search.push_back(NowMs() - start);
        folders = fileSearch.Folders().size();
        files = fileSearch.Results().size();

        dir.push_back(RunCommand("cmd /c dir /s /b \"" + tree + "\" > \"" + listing + "\""));
        rem.push_back(RunCommand("cmd /c rem"));
    }
    const double searchMs = Median(search);
    const double dirMs = Median(dir) - Median(rem);
    std::printf("%zu %zu %.1f %.1f %.1f %.1f %.2f\n", folders, files, generated, searchMs, Median(dir), Median(rem),
                dirMs > 0 ? searchMs / dirMs : 0.0);
    return 0;
}
