// Time of a FileSearch over a large generated tree, next to the floor: a bare
// recursive FindFirstFileA/FindNextFileA walk of the same tree that counts the
// same files, in the same program and run.
//
//   file_search_bench.exe <folder> [runs]
//
// Generates <folder> once (2,000 folders of 25 files: 50,000 files), then
// prints the folder and file counts, the generation time, and the median
// milliseconds of the search (every folder, "*.*", files only) and of the
// bare walk, interleaved run by run, and their ratio.
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

// The floor: every file below folder counted by one listing per folder, no
// records kept.
void BareWalk(const std::string& folder, size_t& folders, size_t& files) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    ++folders;
    std::vector<std::string> below;
    do {
        if (entry.cFileName[0] == '.' && (!entry.cFileName[1] || (entry.cFileName[1] == '.' && !entry.cFileName[2]))) {
            continue;
        }
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
        } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            below.push_back(folder + "\\" + entry.cFileName);
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    for (const std::string& sub : below) BareWalk(sub, folders, files);
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

    std::vector<double> search, walk;
    size_t folders = 0, files = 0, walkFolders = 0, walkFiles = 0;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs();
        ovix::FileSearch fileSearch;
        fileSearch.AddFolder(tree, true);
        fileSearch.Search("*.*", true, false);
        search.push_back(NowMs() - start);
        folders = fileSearch.Folders().size();
        files = fileSearch.Results().size();

        walkFolders = walkFiles = 0;
        start = NowMs();
        BareWalk(tree, walkFolders, walkFiles);
        walk.push_back(NowMs() - start);
    }
    if (walkFolders != folders || walkFiles != files) {
        std::fprintf(stderr, "the walk found %zu folders and %zu files, the search %zu and %zu\n", walkFolders,
                     walkFiles, folders, files);
        return 1;
    }
    const double searchMs = Median(search);
    const double walkMs = Median(walk);
    std::printf("%zu %zu %.1f %.1f %.1f %.2f\n", folders, files, generated, searchMs, walkMs,
                walkMs > 0 ? searchMs / walkMs : 0.0);
    return 0;
}
