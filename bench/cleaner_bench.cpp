// The cleaner's temporary-files step over 5,000 generated 1 KB files in 50
// folders, next to its floor: a bare recursive FindFirstFileA/DeleteFileA
// walk of an identical tree. Also the step logging into a list box (as the
// dialog does, redraw off) against logging nowhere, and the safe writer on a
// 5,000-line log against one fwrite of the same bytes.
//
//   cleaner_bench.exe <folder> [runs]
//
// Prints the median milliseconds of: the step with the list, the step without
// a log, the bare walk, the safe writer, fwrite.
#include "app/safe_text_file.h"
#include "bench/bench_clock.h"
#include "tools/cleaner_run.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 100;

// <root>\Temp with 50 folders of 100 files of 1 KB.
std::string Generate(const std::string& root) {
    const std::string temp = root + "\\Temp";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA(temp.c_str(), nullptr);
    const std::string kilobyte(1024, 'x');
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::string path = temp + "\\d" + std::to_string(folder);
        ::CreateDirectoryA(path.c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            HANDLE handle = ::CreateFileA((path + "\\f" + std::to_string(file) + ".tmp").c_str(), GENERIC_WRITE, 0,
                                          nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            ::WriteFile(handle, kilobyte.data(), 1024, &written, nullptr);
            ::CloseHandle(handle);
        }
    }
    return temp;
}

void BareDelete(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            BareDelete(folder + "\\" + name);
        } else {
            ::DeleteFileA((folder + "\\" + name).c_str());
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

struct OneTempFolder : ovix::CleanerSystem {
    std::vector<std::string> TempFolders() override { return {folder}; }
    std::vector<std::string> ProtectedFolders() override { return {}; }
    std::string folder;
};

double TimeStep(const std::string& root, HWND list) {
    OneTempFolder system;
    system.folder = Generate(root);
    if (list) ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const double start = NowMs();
    ovix::RunCleaner(ovix::kCleanTempFiles, [list](const std::string& line) {
        if (list) ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }, &system);
    return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string root = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    HWND list = ::CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0,
                                  400, 300, nullptr, nullptr, nullptr, nullptr);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    std::vector<double> withList, withoutLog, bare, writer, plain;
    std::string log;
    for (int i = 0; i < 5000; ++i) log += "Deleted: C:\\WINDOWS\\Temp\\folder " + std::to_string(i) + "\\file.tmp\r\n";
    for (int run = 0; run < runs; ++run) {
        withList.push_back(TimeStep(root + "\\list", list));
        withoutLog.push_back(TimeStep(root + "\\quiet", nullptr));
        const std::string tree = Generate(root + "\\bare");
        double start = NowMs();
        BareDelete(tree);
        bare.push_back(NowMs() - start);

        start = NowMs();
        ovix::SaveTextFile(root + "\\log-safe.txt", log);
        writer.push_back(NowMs() - start);
        start = NowMs();
        if (std::FILE* file = std::fopen((root + "\\log-plain.txt").c_str(), "wb")) {
            std::fwrite(log.data(), 1, log.size(), file);
            std::fclose(file);
        }
        plain.push_back(NowMs() - start);
    }
    ::DestroyWindow(list);
    std::printf("%.1f %.1f %.1f %.2f %.2f\n", Median(withList), Median(withoutLog), Median(bare), Median(writer),
                Median(plain));
    return 0;
}
