// winctl: drives the program's windows from outside for the scripts (Wine
// typing does not reach dialogs, messages do).
//   winctl wait TITLE [TIMEOUT_MS]          until a visible top-level window has that title
//   winctl gone CLASS [TIMEOUT_MS]           until no window of that class is left (e.g. the splash)
//   winctl post TITLE MSG WPARAM LPARAM     post a message (numbers, decimal or 0x hex)
//   winctl command TITLE ID                 post WM_COMMAND ID
//   winctl close TITLE                      post WM_CLOSE
//   winctl expand TITLE [PAGES]             expand every node of the window's tree (control 352)
//                                           and scroll it down by PAGES pages
//   winctl probe                            print "winctl runs" (does this build run here?)
//   winctl start EXE TITLE [TIMEOUT_MS]     start EXE, print the milliseconds until its window
//                                           is shown and the program idle; the program keeps running
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND FindVisible(const char* title) {
    HWND window = ::FindWindowA(nullptr, title);
    return window && ::IsWindowVisible(window) ? window : nullptr;
}

HWND WaitFor(const char* title, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND window = FindVisible(title)) return window;
        if (::GetTickCount() - start > timeoutMs) return nullptr;
        ::Sleep(5);
    }
}

void ExpandAll(HWND tree, HTREEITEM item) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        ExpandAll(tree, reinterpret_cast<HTREEITEM>(
                            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))));
    }
}

// The labels of another process's tree: the item record and its text live in
// a buffer inside that process, since the control reads and writes there.
class RemoteLabels {
public:
    explicit RemoteLabels(HWND tree) : tree_(tree) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(tree, &pid);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) {
            buffer_ = static_cast<char*>(
                ::VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteLabels() {
        if (buffer_) ::VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE);
        if (process_) ::CloseHandle(process_);
    }
    std::string Label(HTREEITEM item) const {
        if (!buffer_) return {};
        TVITEMA data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = buffer_ + sizeof(TVITEMA);
        data.cchTextMax = kSize - sizeof(TVITEMA);
        char text[kSize - sizeof(TVITEMA)] = "";
        if (!::WriteProcessMemory(process_, buffer_, &data, sizeof(data), nullptr) ||
            !::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer_)) ||
            !::ReadProcessMemory(process_, buffer_ + sizeof(TVITEMA), text, sizeof(text) - 1, nullptr)) {
            return {};
        }
        return text;
    }

private:
    static constexpr size_t kSize = 512;
    HWND tree_;
    HANDLE process_ = nullptr;
    char* buffer_ = nullptr;
};

// The first item, depth first, whose label is that text.
HTREEITEM FindItem(HWND tree, const RemoteLabels& labels, HTREEITEM item, const std::string& label) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        if (labels.Label(item) == label) return item;
        const auto child = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (HTREEITEM found = FindItem(tree, labels, child, label)) return found;
    }
    return nullptr;
}

UINT_PTR Number(const char* text) { return static_cast<UINT_PTR>(std::strtoull(text, nullptr, 0)); }

int Usage() {
    std::fprintf(stderr, "usage: winctl wait|post|command|close|start ...\n");
    return 2;
}

}  // namespace

int Run(int argc, char** argv);

// Started through "explorer /desktop", whose own exit says nothing: the exit
// code goes to the file named by OVIX_DONE_FILE, where the script waits for it.
int main(int argc, char** argv) {
    const int code = Run(argc, argv);
    char done[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("OVIX_DONE_FILE", done, sizeof(done)) > 0) {
        if (FILE* file = std::fopen(done, "w")) {
            std::fprintf(file, "%d\n", code);
            std::fclose(file);
        }
    }
    return code;
}

int Run(int argc, char** argv) {
    // Proves that a program of this build actually runs here.
    if (argc == 2 && std::string(argv[1]) == "probe") {
        std::printf("winctl runs\n");
        return 0;
    }
    if (argc < 3) return Usage();
    const std::string verb = argv[1];
    if (verb == "wait") {
        return WaitFor(argv[2], argc > 3 ? static_cast<DWORD>(Number(argv[3])) : 30000) ? 0 : 1;
    }
    if (verb == "gone") {
        const DWORD timeout = argc > 3 ? static_cast<DWORD>(Number(argv[3])) : 60000;
        const DWORD start = ::GetTickCount();
        while (::FindWindowA(argv[2], nullptr)) {
            if (::GetTickCount() - start > timeout) return 1;
            ::Sleep(20);
        }
        return 0;
    }
    if (verb == "post" && argc == 6) {
        HWND window = ::FindWindowA(nullptr, argv[2]);
        return window && ::PostMessageA(window, static_cast<UINT>(Number(argv[3])), Number(argv[4]),
                                        static_cast<LPARAM>(Number(argv[5])))
                   ? 0
                   : 1;
    }
    if (verb == "command" && argc == 4) {
        HWND window = ::FindWindowA(nullptr, argv[2]);
        return window && ::PostMessageA(window, WM_COMMAND, Number(argv[3]), 0) ? 0 : 1;
    }
    if (verb == "expand") {
        HWND window = ::FindWindowA(nullptr, argv[2]);
        HWND tree = window ? ::GetDlgItem(window, 352) : nullptr;
        if (!tree) return 1;
        const auto root = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        ExpandAll(tree, root);
        // A label: scrolled so that its item is the first line shown.
        if (argc > 3 && !std::isdigit(static_cast<unsigned char>(argv[3][0]))) {
            const RemoteLabels labels(tree);
            HTREEITEM item = FindItem(tree, labels, root, argv[3]);
            return item && ::SendMessageA(tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item)) ? 0
                                                                                                                    : 1;
        }
        // Scroll by whole pages of visible lines from the top.
        const UINT_PTR pages = argc > 3 ? Number(argv[3]) : 0;
        const LRESULT lines = ::SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0);
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        info.nPos = static_cast<int>(pages * (lines > 1 ? lines - 1 : 1));
        ::SetScrollInfo(tree, SB_VERT, &info, FALSE);
        ::SendMessageA(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, info.nPos), 0);
        return 0;
    }
    if (verb == "close") {
        HWND window = ::FindWindowA(nullptr, argv[2]);
        return window && ::PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (verb == "start" && argc >= 4) {
        LARGE_INTEGER frequency, begin, end;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&begin);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        // No standard handles: the program must not hold our output pipe open.
        startup.dwFlags = STARTF_USESTDHANDLES;
        PROCESS_INFORMATION process{};
        std::string commandLine = std::string("\"") + argv[2] + "\"";
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            std::fprintf(stderr, "cannot start %s\n", argv[2]);
            return 1;
        }
        const DWORD timeout = argc > 4 ? static_cast<DWORD>(Number(argv[4])) : 30000;
        HWND window = WaitFor(argv[3], timeout);
        // Start-up has ended when the splash is gone and the program waits for input.
        while (window && ::FindWindowA("SplashScreenExClass", nullptr)) ::Sleep(5);
        if (window) ::WaitForInputIdle(process.hProcess, 10000);
        ::QueryPerformanceCounter(&end);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        if (!window) return 1;
        std::printf("%.1f\n", (end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart);
        return 0;
    }
    return Usage();
}
