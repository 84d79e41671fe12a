// "Ovix.exe /report <file>": the program itself as a child process (its error
// output through a pipe, in a job that ends it with the test), and the entry
// function with fake sources for the failures a child cannot be made to meet.
#include "report/report_command.h"

#include "app/app_paths.h"
#include "framework/handles.h"
#include "framework/resources.h"
#include "probes/probe_test_support.h"
#include "report/report_text.h"
#include "support/temp_folder.h"
#include "support/fake_report_sources.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace ovix;

struct ChildRun {
    DWORD code = 999;
    std::string errors;
    std::set<std::string> windows;  // class names of the child's top-level windows while it ran, "+" if shown
};

BOOL CALLBACK NoteWindow(HWND window, LPARAM context) {
    auto* run = reinterpret_cast<std::pair<DWORD, ChildRun*>*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[128] = "";
    if (owner == run->first && ::GetClassNameA(window, name, sizeof(name))) {
        run->second->windows.insert(std::string(name) + (::IsWindowVisible(window) ? "+" : ""));
    }
    return TRUE;
}

ChildRun RunOvix(const std::string& arguments) {
    ChildRun run;
    const std::string program = ApplicationDirectory(fw::ModulePath()) + "\\Ovix.exe";
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    fw::UniqueHandle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const fw::UniqueHandle job(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\" " + arguments;
    if (!::CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program << ": " << ::GetLastError();
        return run;
    }
    const fw::UniqueHandle child(process.hProcess), thread(process.hThread);
    ::AssignProcessToJobObject(job.Get(), child.Get());
    ::ResumeThread(thread.Get());
    writer.Reset();
    // Its windows, looked for until it ends.
    std::pair<DWORD, ChildRun*> context{process.dwProcessId, &run};
    for (int i = 0; i < 1200 && ::WaitForSingleObject(child.Get(), 50) == WAIT_TIMEOUT; ++i) {
        ::EnumWindows(NoteWindow, reinterpret_cast<LPARAM>(&context));
    }
    ::GetExitCodeProcess(child.Get(), &run.code);
    char buffer[512];
    for (DWORD got = 0; ::ReadFile(reader.Get(), buffer, sizeof(buffer), &got, nullptr) && got;) {
        run.errors.append(buffer, got);
    }
    return run;
}

TEST(ReportCommand, UsageAndAMissingFolderSayWhyWithTheirCodes) {
    test::TempFolder root{"report-command"};
    const std::string usage = "Usage: Ovix.exe /report <file>\r\n";
    for (const std::string& arguments : {std::string("/report"), std::string("/REPORT a.txt b.txt"), "/reportx " + root.File("x")}) {
        const ChildRun run = RunOvix(arguments);
        EXPECT_EQ(run.code, 1u) << arguments;
        EXPECT_EQ(run.errors, usage) << arguments;
    }
    const std::string missing = root.File("missing\\report.txt");
    const ChildRun run = RunOvix("/Report \"" + missing + "\"");
    EXPECT_EQ(run.code, 2u);
    EXPECT_EQ(run.errors, "Ovix: can't create \"" + missing + "\".\r\n");
    EXPECT_TRUE(test::FilesIn(root.Path()).empty());
}

// A real collection: silent, every section, and no window but the system's
// hidden ones (under Wine: the input method's and the 3D driver's; OLE's is
// message-only).
TEST(ReportCommand, ARealRunWritesEverySectionWithoutAWindow) {
    test::TempFolder root{"report-command-run"};
    const std::string path = root.File("machine.report");
    const ChildRun run = RunOvix("/report " + path);
    EXPECT_EQ(run.code, 0u);
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(test::FilesIn(root.Path()), std::set<std::string>{"machine.report"}) << "written as given";
    const std::string text = test::FileBytes(path);
    for (const char* heading :
         {" - Operating System:", " - CPU:", " - MotherBoard:", " - Video card:", " - BIOS:", " - Memory:",
          " - Hard Disk Drive:", " - DVD/CD:", " - Screen:", " - Printer:", " - Miscellaneous:", " - Sound device:",
          " - Mouse:", " - Keyboard:", " - Desktop:", " - Installed softwares:", " - Running Processes:"}) {
        EXPECT_NE(text.find(std::string("\r\n") + heading + "\r\n\r\n"), std::string::npos) << heading;
    }
    EXPECT_EQ(text.find("Hot-fix"), std::string::npos) << "not Windows XP";
    EXPECT_EQ(text.find("Screen saver"), std::string::npos);
    EXPECT_NE(text.find("\t- Ovix.exe\r\n"), std::string::npos);
    EXPECT_FALSE(run.windows.empty()) << "the child's hidden windows were looked for while it ran";
    for (const std::string& name : run.windows) {
        EXPECT_FALSE(name.ends_with("+")) << name;
        EXPECT_NE(name, "#32770") << "a dialog or a message box";
    }
}

// Wine plays Windows XP for Ovix.exe alone (read when the process starts):
// the screen-saver lines, and the hotfixes of both service packs.
TEST(ReportCommand, OnWindowsXpTheScreenSaverAndTheHotfixes) {
    test::TempFolder root{"report-command-xp"};
    const std::string sp2 = "Software\\Microsoft\\Updates\\Windows XP\\SP2\\KB900001";
    const std::string sp3 = "Software\\Microsoft\\Updates\\Windows XP\\SP3\\KB900002";
    test::SavedRegistryValue version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Ovix.exe", "Version");
    test::SavedRegistryValue first(HKEY_LOCAL_MACHINE, sp2, "Description"), by(HKEY_LOCAL_MACHINE, sp2, "InstalledBy");
    test::SavedRegistryValue second(HKEY_LOCAL_MACHINE, sp3, "Description");
    ASSERT_TRUE(version.SetString("winxp") && first.SetString("Ovix test fix one") && by.SetString("tester") &&
                second.SetString("Ovix test fix two"));
    const ChildRun run = RunOvix("/report " + root.File("xp.txt"));
    EXPECT_EQ(run.code, 0u);
    const std::string text = test::FileBytes(root.File("xp.txt"));
    EXPECT_NE(text.find("\r\n - Screen saver Current: "), std::string::npos);
    EXPECT_NE(text.find("\r\n - Screen saver Timeout: "), std::string::npos);
    EXPECT_NE(text.find(" - Windows XP Hot-fix:\r\n\r\n"
                        "\t- Ovix test fix one (installed by: tester on: ).\r\n"
                        "\t- Ovix test fix two (installed by:  on: ).\r\n\r\n"
                        "- 2 installed HotFix.\r\n\r\n\r\n"),
              std::string::npos);
}

struct FullDisk : FileWriteCall {
    bool Write(HANDLE, const void*, DWORD) override { return false; }
};

// Through the entry function: sockets or OLE that do not start, a write that
// fails, and the success that prints nothing.
TEST(ReportCommand, TheEntryFunctionsCodesWithFakeSources) {
    test::TempFolder root{"report-command-entry"};
    std::vector<std::string> errors;
    int gathered = 0;
    FullDisk full;
    ReportCommandEnvironment environment;
    environment.startServices = [] { return false; };
    environment.gather = [&] {
        ++gathered;
        return std::unique_ptr<ReportSources>(new test::FakeReportSources);
    };
    environment.error = [&](const std::string& line) { errors.push_back(line); };
    const std::string path = root.File("entry.txt");
    const ReportCommand command{ReportCommand::Kind::Write, path};
    EXPECT_EQ(RunReportCommand(command, environment), 4);
    EXPECT_EQ(gathered, 0);
    environment.startServices = [] { return true; };
    environment.writes = &full;
    EXPECT_EQ(RunReportCommand(command, environment), 3);
    EXPECT_FALSE(test::Exists(path));
    environment.writes = nullptr;
    EXPECT_EQ(RunReportCommand(command, environment), 0);
    EXPECT_EQ(errors, (std::vector<std::string>{"Ovix: can't start sockets or OLE.",
                                                "Ovix: writing \"" + path + "\" failed; nothing was replaced."}));
    test::FakeReportSources direct;
    EXPECT_EQ(test::FileBytes(path), ReportWriter().Text(direct.Collect(), direct.inventories));
}

}  // namespace
