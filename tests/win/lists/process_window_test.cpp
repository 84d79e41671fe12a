// The process window in-process, over sleepers of the test's own (in a job
// that ends them with the test); every action picks its row by PID and checks
// the name first, so nothing else of the prefix is ever touched.
#include "lists/list_text.h"
#include "lists/process_window.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/temp_folder.h"
#include "support/window_test.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

namespace {

class Sleepers {
public:
    Sleepers() : job_(::CreateJobObjectA(nullptr, nullptr)) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        ::SetInformationJobObject(job_.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    // Starts a copy of the sleeper under that name and returns its PID (0 on failure).
    DWORD Start(const std::string& name) {
        const std::string path = folder_.File(name);
        ::CopyFileA((ovix::ApplicationDirectory(fw::ModulePath()) + "\\sleeper_child.exe").c_str(), path.c_str(), TRUE);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        std::string line = "\"" + path + "\"";
        if (!::CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW | CREATE_SUSPENDED,
                              nullptr, nullptr, &startup, &process)) {
            return 0;
        }
        ::AssignProcessToJobObject(job_.Get(), process.hProcess);
        ::ResumeThread(process.hThread);
        ::CloseHandle(process.hThread);
        handles_.emplace_back(process.hProcess);
        ::Sleep(200);  // its modules loaded
        return process.dwProcessId;
    }
    HANDLE Handle(size_t i) const { return handles_[i].Get(); }
    bool Alive(size_t i) const { return ::WaitForSingleObject(handles_[i].Get(), 0) == WAIT_TIMEOUT; }
    std::string Path(const std::string& name) const { return folder_.File(name); }

private:
    test::TempFolder folder_{"sleepers"};
    fw::UniqueHandle job_;
    std::vector<fw::UniqueHandle> handles_;
};

class ProcessWindow : public testing::Test {
protected:
    static void SetUpTestSuite() {
        sleepers = new Sleepers;
        first = sleepers->Start("sleeper_one.exe");
        second = sleepers->Start("sleeper_two.exe");
        system = sleepers->Start("SystemSleeper.exe");
    }
    static void TearDownTestSuite() { delete sleepers; }
    void SetUp() override { ASSERT_TRUE(window.CreateModeless()); }
    void TearDown() override { window.End(IDCANCEL); }

    int RowOf(DWORD pid) const {
        const ovix::ListPane& list = window.Processes();
        for (int row = 0; row < list.RowCount(); ++row) {
            if (list.Cell(row, 2) == std::to_string(pid)) return row;
        }
        return -1;
    }
    // Selects the row of that process, after checking it is ours.
    int Select(DWORD pid, const char* name) {
        const int row = RowOf(pid);
        EXPECT_GE(row, 0);
        EXPECT_EQ(window.Processes().Cell(row, 0), name);
        ListView_SetItemState(window.Processes().List(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return row;
    }
    void Command(UINT id) { ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0); }

    static Sleepers* sleepers;
    static DWORD first, second, system;
    test::CommandFakes fakes;
    ovix::cpu::CpuUsagePercent load{ovix::cpu::SystemUsage()};
    ovix::CProcess window{load};
};
Sleepers* ProcessWindow::sleepers = nullptr;
DWORD ProcessWindow::first = 0, ProcessWindow::second = 0, ProcessWindow::system = 0;

TEST_F(ProcessWindow, RowsModulesAndTheSystemCase) {
    const int row = Select(first, "sleeper_one.exe");
    EXPECT_EQ(window.Processes().Cell(row, 9), sleepers->Path("sleeper_one.exe"));
    EXPECT_EQ(window.Processes().Cell(row, 3), "Normal");
    EXPECT_FALSE(window.Processes().Cell(row, 4).empty());
    const ovix::ListPane& modules = window.Modules();
    ASSERT_GT(modules.RowCount(), 1);
    EXPECT_EQ(modules.Cell(0, 1), sleepers->Path("sleeper_one.exe"));
    EXPECT_EQ(window.ItemText(IDC_MODULE_TEXT), ovix::ModulesLine(modules.RowCount(), "sleeper_one.exe"));
    const int moduleRows = modules.RowCount();
    ListView_SetItemState(window.Processes().List(), -1, 0, LVIS_SELECTED);
    EXPECT_EQ(modules.RowCount(), moduleRows) << "a cleared selection fills nothing";
    // Every process of the test's own snapshot that is still listed: same name and parent.
    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int compared = 0;
    for (bool more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        const int listed = RowOf(entry.th32ProcessID);
        if (listed < 0) continue;
        ++compared;
        EXPECT_EQ(window.Processes().Cell(listed, 0), entry.szExeFile);
        EXPECT_EQ(window.Processes().Cell(listed, 1), std::to_string(entry.th32ParentProcessID));
    }
    EXPECT_GE(compared, 4) << "at least the three sleepers and the test";

    const int systemRow = Select(system, "SystemSleeper.exe");
    EXPECT_EQ(window.Processes().Cell(systemRow, 4) + window.Processes().Cell(systemRow, 5), "");
    EXPECT_EQ(modules.RowCount(), 0);
    EXPECT_EQ(window.ItemText(IDC_MODULE_TEXT), "");

    ::SendMessageA(window.Hwnd(), WM_TIMER, 1, 0);
    char caption[128] = "";
    ::GetWindowTextA(window.Hwnd(), caption, sizeof(caption));
    EXPECT_EQ(std::string(caption).rfind(std::to_string(window.Processes().RowCount()) +
                                             " Running Processes - CPU Usage: ", 0), 0u) << caption;
}

// (The sleepers live for the suite: the tests that end them come last.)
TEST_F(ProcessWindow, SearchPropertiesAndCopiesOfBothLists) {
    Select(first, "sleeper_one.exe");
    ListView_SetItemState(window.Modules().List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    for (UINT id : {1072u, 1099u, 1168u, 1189u}) Command(id);
    const std::string path = sleepers->Path("sleeper_one.exe");
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{
                                        "open|https://www.google.com/search?q=sleeper_one.exe|||10",
                                        "properties|" + path + "|||5", "open|" + ovix::SearchAddress(window.Modules().Cell(0, 0)) + "|||10",
                                        "properties|" + path + "|||5"}));
    for (UINT id : {1090u, 1167u, 1166u}) {
        Command(id);
        ASSERT_TRUE(::OpenClipboard(nullptr));
        HANDLE data = ::GetClipboardData(CF_TEXT);
        const char* copied = data ? static_cast<const char*>(::GlobalLock(data)) : "";
        EXPECT_EQ(std::string(copied).rfind(id == 1090 ? "n\xB0: 1\r\nName: [" : "Name: [", 0), 0u) << id;
        if (data) ::GlobalUnlock(data);
        ::CloseClipboard();
    }
}

TEST_F(ProcessWindow, ActionsOnAStaleRowTouchNothing) {
    const int row = Select(first, "sleeper_one.exe");
    // The row now names the second sleeper, which it was not filled from.
    LVITEMA cell{};
    cell.iSubItem = 2;
    const std::string pid = std::to_string(second);
    cell.pszText = const_cast<char*>(pid.c_str());
    ::SendMessageA(window.Processes().List(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    Command(1075);
    Select(first, "sleeper_one.exe");
    ::SendMessageA(window.Processes().List(), LVM_SETITEMTEXTA, RowOf(first), reinterpret_cast<LPARAM>(&cell));
    Command(1073);
    EXPECT_TRUE(sleepers->Alive(0) && sleepers->Alive(1));
    EXPECT_EQ(::GetPriorityClass(sleepers->Handle(1)), DWORD(NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(fakes.boxes.Texts(), "Impossible to open PID in order to set a high priority. / Impossible to kill: "
                                   "sleeper_one.exe");
}

TEST_F(ProcessWindow, PriorityRestartKillAndCopy) {
    Select(first, "sleeper_one.exe");
    Command(1130);
    EXPECT_EQ(::GetPriorityClass(sleepers->Handle(0)), DWORD(BELOW_NORMAL_PRIORITY_CLASS));
    Select(first, "sleeper_one.exe");
    Command(1086);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    const char* copied = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
    EXPECT_EQ(std::string(copied ? copied : "").rfind("Name: [sleeper_one.exe]\r\nParent ID: [", 0), 0u);
    if (copied) ::GlobalUnlock(data);
    ::CloseClipboard();

    // Restart without a path: nothing ends, nothing starts.
    const int row = Select(second, "sleeper_two.exe");
    LVITEMA cell{};
    cell.iSubItem = 9;
    cell.pszText = const_cast<char*>("");
    ::SendMessageA(window.Processes().List(), LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&cell));
    Command(1188);
    EXPECT_TRUE(sleepers->Alive(1));
    Select(second, "sleeper_two.exe");
    Command(1188);  // ended, then its path started (through the launcher)
    EXPECT_FALSE(sleepers->Alive(1));
    Select(first, "sleeper_one.exe");
    Command(1073);
    EXPECT_FALSE(sleepers->Alive(0));
    EXPECT_EQ(RowOf(first), -1) << "refilled";
    EXPECT_EQ(fakes.boxes.Texts(), "Below-normal priority applied to: sleeper_one.exe / Impossible to kill: "
                                   "sleeper_two.exe");
    EXPECT_EQ(fakes.launcher.calls, std::vector<std::string>{"open|" + sleepers->Path("sleeper_two.exe") + "|||10"});
}

TEST_F(ProcessWindow, F5RefillsOtherKeysDoNot) {
    const DWORD late = sleepers->Start("sleeper_late.exe");
    ::PostMessageA(window.Processes().List(), WM_KEYDOWN, VK_DOWN, 0);
    test::Pump();
    EXPECT_EQ(RowOf(late), -1);
    ::PostMessageA(window.Processes().List(), WM_KEYDOWN, VK_F5, 0);
    test::Pump();
    EXPECT_GE(RowOf(late), 0);
}

TEST(ProcessWindowResources, OpeningsAndRefreshesGiveEverythingBack) {
    const fw::ResourceKind kinds[] = {fw::ResourceKind::Gdi, fw::ResourceKind::Icon, fw::ResourceKind::Menu,
                                      fw::ResourceKind::Kernel, fw::ResourceKind::ImageList};
    long before[std::size(kinds)];
    for (size_t i = 0; i < std::size(kinds); ++i) before[i] = fw::LiveCount(kinds[i]);
    ovix::cpu::CpuUsagePercent load{ovix::cpu::SystemUsage()};
    for (int round = 0; round < 10; ++round) {
        ovix::CProcess window{load};
        ASSERT_TRUE(window.CreateModeless());
        window.FillProcesses();
        window.End(IDCANCEL);
    }
    for (size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(fw::LiveCount(kinds[i]), before[i]) << "kind " << static_cast<int>(kinds[i]);
    }
}

}  // namespace
