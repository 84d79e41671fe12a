// The optimiser applied for real, so only in a throwaway prefix (main() refuses elsewhere). The fixture
// photographs every touched key and puts it back itself, never through the undo under test.
#include "framework/library.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/temp_folder.h"
#include "tools/optimize_dialog.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

using ovix::Hive;

struct KeyImage {
    bool exists = false;
    std::map<std::string, std::pair<DWORD, std::string>> values;
    std::set<std::string> subkeys;
    bool operator==(const KeyImage&) const = default;
};
using Image = std::map<std::pair<Hive, std::string>, KeyImage>;

// The values the run writes, transcribed once: hive, key|name=s:text or d:number.
constexpr char kWrites[] = R"(U Software\Microsoft\RegEdt32\Settings|AutoRefresh=s:1
U Control Panel\Desktop|MenuShowDelay=s:140
M SOFTWARE\Microsoft\Dfrg\BootOptimizeFunction|Enable=s:Y
M SYSTEM\CurrentControlSet\Control|WaitToKillServiceTimeout=s:2000
U Control Panel\Desktop|WaitToKillAppTimeout=s:2500
U Control Panel\Desktop|HungAppTimeout=s:2000
M SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer|Max Cached Icons=s:3072
U SOFTWARE\Microsoft\Internet Explorer\Main|Disable Script Debugger=s:yes
U SOFTWARE\Microsoft\Internet Explorer\Main|NotifyDownloadComplete=s:no
U SOFTWARE\Microsoft\Internet Explorer\Main|ShowGoButton=s:no
U SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\CabinetState|Use Search Asst=s:no
U Control Panel\Sound|Beep=s:no
M SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management\PrefetchParameters|EnablePrefetcher=d:2
U Software\Microsoft\Windows\CurrentVersion\Internet Settings\Passport|RegistrationCompleted=d:1
U Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced|EnableBalloonTips=d:0
M SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer|AlwaysUnloadDll=d:1
M SYSTEM\CurrentControlSet\Control\PriorityControl|Win32PrioritySeparation=d:26
M SYSTEM\CurrentControlSet\Services\AFD\Parameters|TransmitWorker=d:10
M SYSTEM\CurrentControlSet\Services\Tcpip\Parameters|TransmitWorker=d:10
M SYSTEM\CurrentControlSet\Services\lanmanserver\parameters|AutoShareWks=d:0
M SOFTWARE\Policies\Microsoft\Windows\WindowsUpdate\AU|NoAutoUpdate=d:1
M SOFTWARE\Policies\Microsoft\Windows\CurrentVersion\WindowsUpdate\Auto Update|AUState=d:7
M SOFTWARE\Microsoft\PCHealth\ErrorReporting|DoReport=d:0
M SYSTEM\CurrentControlSet\Control\Terminal Server|fDenyTSConnections=d:1
U Software\Microsoft\Windows\CurrentVersion\Policies\Explorer|NoLowDiskSpaceChecks=d:1
M SYSTEM\CurrentControlSet\Control|CrashControl=d:0
U Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz|NoRun=d:1
R CLSID\{450D8FBA-AD25-11D0-98A8-0800361B1103}|SortOrderIndex=d:54
M SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management|ClearPageFileAtShutdown=d:1
M SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management|DisablePagingExecutive=d:1
U Software\Microsoft\Windows\CurrentVersion\Applets\Tour|RunCount=d:0
U Software\Microsoft\Windows\CurrentVersion\Policies\Explorer|ClearRecentDocsOnExit=d:1
U Software\Microsoft\Windows\CurrentVersion\Policies\Explorer|MemCheckBoxInRunDlg=d:1
U Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced|PersistBrowsers=d:1
U Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced|DisableThumbnailCache=d:1
U Software\Microsoft\Windows\CurrentVersion\Internet Settings|MaxConnectionsPerServer=d:15
U Software\Microsoft\Windows\CurrentVersion\Internet Settings|MaxConnectionsPer1_0Server=d:15
U Software\Microsoft\Command Processor|CompletionChar=d:9
M SOFTWARE\Policies\Microsoft\Windows\Psched|NonBestEffortLimit=d:0
M SYSTEM\CurrentControlSet\Control\Network\Connections\StatMon|ShowLanErrors=d:1
)";
constexpr char kServices[] =
    "ImapiService:3 Messenger:4 RemoteRegistry:4 stisvc:3 helpsvc:3 LmHosts:3 SCardSvr:4 WmiApSrv:3 SwPrv:3 "
    "TrkWks:3 WZCSVC:3 seclogon:3 NVSvc:4 NetDDE:3 MSDTC:3 NetDDEdsdm:3 Wmi:3 NtLmSsp:3 AppMgmt:3 SamSs:3 "
    "ClipSrv:3 RDSessMgr:3 uploadmgr:3 SysmonLog:3 RpcLocator:3 wuauserv:4 UPS:3 Netlogon:3 mnmsrvc:4 RSVP:3 "
    "RemoteAccess:3 dmadmin:3 WmdmPmSN:3 ERSvc:3 BITS:3 cisvc:3 PolicyAgent:3 TlntSvr:3 WebClient:3 MSIServer:3 "
    "NtmsSvc:3";
constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr char kZipClass[] = "CLSID\\{E88DCCE0-B7B3-11D1-A9F0-00AA0060FA31}";

struct Write {
    Hive hive;
    std::string key, name;
    DWORD type;
    std::string bytes;
};

std::vector<Write> TranscribedWrites() {
    std::vector<Write> writes;
    std::istringstream lines(kWrites);
    for (std::string line; std::getline(lines, line);) {
        const size_t bar = line.find('|'), equals = line.rfind('='), colon = line.rfind(':');
        const Hive hive = line[0] == 'U' ? Hive::CurrentUser : line[0] == 'M' ? Hive::LocalMachine : Hive::ClassesRoot;
        const std::string data = line.substr(colon + 1);
        const DWORD number = std::stoul(line[equals + 1] == 'd' ? data : "0");
        writes.push_back({hive, line.substr(2, bar - 2), line.substr(bar + 1, equals - bar - 1),
                          DWORD(line[equals + 1] == 's' ? REG_SZ : REG_DWORD),
                          line[equals + 1] == 's' ? data + '\0' : std::string(reinterpret_cast<const char*>(&number), 4)});
    }
    std::istringstream services(kServices);
    for (std::string service; services >> service;) {
        const DWORD start = service.back() - '0';
        writes.push_back({Hive::LocalMachine, kServicesKey + service.substr(0, service.size() - 2), "Start",
                          REG_DWORD, std::string(reinterpret_cast<const char*>(&start), 4)});
    }
    return writes;
}

// Every key written, the zip class, and their parents.
std::set<std::pair<Hive, std::string>> WatchedKeys() {
    std::set<std::pair<Hive, std::string>> keys{{Hive::ClassesRoot, kZipClass}};
    for (const Write& write : TranscribedWrites()) {
        for (size_t end = write.key.find('\\');; end = write.key.find('\\', end + 1)) {
            keys.insert({write.hive, write.key.substr(0, end)});
            if (end == std::string::npos) break;
        }
    }
    return keys;
}

KeyImage CaptureKey(Hive hive, const std::string& path) {
    KeyImage key;
    HKEY open = nullptr;
    if (::RegOpenKeyExA(ovix::RootKey(hive), path.c_str(), 0, KEY_READ, &open)) return key;
    key.exists = true;
    char name[16384];
    std::string data(1 << 16, '\0');
    for (DWORD i = 0, length = sizeof(name), type = 0, size = DWORD(data.size());
         !::RegEnumValueA(open, i, name, &length, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
         ++i, length = sizeof(name), size = DWORD(data.size())) {
        key.values[name] = {type, data.substr(0, size)};
    }
    for (DWORD i = 0, length = sizeof(name); !::RegEnumKeyExA(open, i, name, &length, nullptr, nullptr, nullptr, nullptr);
         ++i, length = sizeof(name)) {
        key.subkeys.insert(name);
    }
    ::RegCloseKey(open);
    return key;
}

Image Capture() {
    Image image;
    for (const auto& [hive, path] : WatchedKeys()) image[{hive, path}] = CaptureKey(hive, path);
    return image;
}

// What differs from the expected image, one line per value or key; sub-key
// lists only when asked (a run adds the keys it creates).
std::string Differences(const Image& expected, bool subkeys = true) {
    std::string text;
    const Image now = Capture();
    for (const auto& [where, key] : expected) {
        const KeyImage& seen = now.at(where);
        const std::string path = where.second + "|";
        if (seen.exists != key.exists) text += path + (key.exists ? " missing\n" : " present\n");
        for (const auto& [name, value] : key.values) {
            if (!seen.values.contains(name) || seen.values.at(name) != value) text += path + name + " differs\n";
        }
        for (const auto& [name, value] : seen.values) {
            if (!key.values.contains(name)) text += path + name + " added\n";
        }
        if (subkeys && seen.subkeys != key.subkeys) text += path + " sub-keys differ\n";
    }
    return text;
}

// Parents first: deleting a key that did not exist takes its new children with it.
void Restore(const Image& image) {
    for (const auto& [where, key] : image) {
        const HKEY root = ovix::RootKey(where.first);
        if (!key.exists) {
            ::SHDeleteKeyA(root, where.second.c_str());
            continue;
        }
        HKEY open = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(root, where.second.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &open, nullptr),
                  ERROR_SUCCESS);
        const KeyImage now = CaptureKey(where.first, where.second);
        for (const auto& [name, value] : now.values) {
            if (!key.values.contains(name)) ::RegDeleteValueA(open, name.c_str());
        }
        for (const auto& [name, value] : key.values) {
            const std::string data = value.second + '\x01';  // no terminator guessed
            ::RegSetValueExA(open, name.c_str(), 0, value.first, reinterpret_cast<const BYTE*>(data.data()),
                             DWORD(value.second.size()));
        }
        for (const std::string& sub : now.subkeys) {
            if (!key.subkeys.contains(sub)) ::SHDeleteKeyA(open, sub.c_str());
        }
        ::RegCloseKey(open);
    }
}

struct FakeRestorePoints : ovix::RestorePointClient {
    bool Set(DWORD event, DWORD type, int64_t sequence, const std::string& description, int64_t* out) override {
        calls.push_back(std::to_string(event) + "/" + std::to_string(type) + "/" + std::to_string(sequence) + "/" +
                        description);
        if (out) *out = ++issued;
        return works;
    }
    std::vector<std::string> calls;
    int64_t issued = 76;
    bool works = true;
};
struct FakePower : ovix::PowerControl {
    bool EnableShutdownPrivilege() override { return calls.push_back("privilege"), true; }
    bool EndSession(UINT flags) override { return calls.push_back("end " + std::to_string(flags)), true; }
    std::vector<std::string> calls;
};
struct NoWait : ovix::OptimizerClock {
    void Wait(DWORD ms) override { waits.push_back(ms); }
    std::vector<DWORD> waits;
};
struct HklmRefused : ovix::SettingsWriter {
    bool Write(HKEY root, const std::string& key, const std::string& name, DWORD type, std::string_view bytes) override {
        return root != HKEY_LOCAL_MACHINE && SettingsWriter::Write(root, key, name, type, bytes);
    }
};

class Optimizer : public testing::Test {
protected:
    void TearDown() override {
        Restore(before);
        EXPECT_EQ(Differences(before), "") << "the fixture's own restore";
    }
    // Answers the boxes in turn, the last one for the rest.
    void Answer(std::vector<int> answers) {
        fakes.boxes.onShow = [this, answers] {
            fakes.boxes.answer = answers[std::min(fakes.boxes.shown.size(), answers.size()) - 1];
        };
    }
    ovix::OptimizerSeams Seams() {
        return {.writer = writer, .restorePoint = &restorePoints, .power = &power, .clock = &clock,
                .backupFolder = folder.File("Ovix")};
    }
    // One opening: the buttons pressed in turn, then closed.
    std::vector<std::string> Opening(std::vector<UINT> buttons) {
        ovix::COptimizePC dialog(Seams());
        EXPECT_TRUE(dialog.CreateModeless());
        for (UINT id : buttons) ::SendMessageA(dialog.Hwnd(), WM_COMMAND, id, 0);
        std::vector<std::string> log = dialog.LogLines();
        dialog.End(IDCANCEL);
        return log;
    }
    // The values after a run: those before with the table's written over them.
    Image AfterRun() const {
        Image after = before;
        for (const Write& write : TranscribedWrites()) {
            KeyImage& key = after[{write.hive, write.key}];
            if (!key.exists && write.name == "Start") continue;  // a service that is not installed
            key.values[write.name] = {write.type, write.bytes};
            for (size_t end = 0; end != std::string::npos;) {
                end = write.key.find('\\', end + 1);
                after[{write.hive, write.key.substr(0, end)}].exists = true;
            }
        }
        return after;
    }
    Image before = Capture();
    test::CommandFakes fakes;
    FakeRestorePoints restorePoints;
    FakePower power;
    NoWait clock;
    ovix::SettingsWriter* writer = nullptr;
    test::TempFolder folder{"optimizer"};
};

TEST_F(Optimizer, RunWithBothQuestionsNoWritesTheTablesAndNothingElse) {
    fakes.boxes.answer = IDNO;
    const auto log = Opening({IDC_OPTIMIZE});
    EXPECT_EQ(Differences(AfterRun(), false), "");
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"winexec|regsvr32 /u /s zipfldr.dll|7",
                                                              "winexec|regsvr32 /u /s regwizc.dll|7",
                                                              "winexec|diskperf.exe -n|7"}));
    EXPECT_TRUE(restorePoints.calls.empty());
    EXPECT_EQ(clock.waits, std::vector<DWORD>{1500});
    ASSERT_EQ(fakes.boxes.shown.size(), 2u);
    EXPECT_EQ(fakes.boxes.shown[1].text, "All optimizations are done.\r\nSome modifications require that you reboot "
                                         "your computer.\r\n\r\nDo you want to reboot now ?");
    ASSERT_EQ(log.size(), 16u);
    for (const std::string& line : log) EXPECT_EQ(line.find("Fail"), std::string::npos) << line;
    EXPECT_EQ(log[0], "- 4 Services have been modified.") << "of the 41, a new prefix has four";
}

TEST_F(Optimizer, UndoAndTheRegistryEditorEachGiveTheRegistryBack) {
    ::SHSetValueA(HKEY_CLASSES_ROOT, (std::string(kZipClass) + "\\InprocServer32").c_str(), "", REG_SZ,
                  "C:\\windows\\system32\\zipfldr.dll", 32);
    const Image registered = Capture();
    Answer({IDNO, IDNO, IDYES});  // no restore point, no reboot, undo: yes
    const auto log = Opening({IDC_OPTIMIZE, IDC_OPTIMIZE_UNDO});
    EXPECT_EQ(Differences(registered), "");
    EXPECT_EQ(fakes.launcher.calls.back(), "winexec|regsvr32 /s zipfldr.dll|7") << "regwizc.dll was not registered";
    EXPECT_EQ(log, (std::vector<std::string>{"- Not undone: diskperf.exe -n", "- Previous settings restored: OK.",
                                             "- Registered again: zipfldr.dll: OK."}));
    const auto files = test::FilesIn(folder.File("Ovix"));
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(files.begin()->ends_with(".undone.reg"));

    // The same file through the system's registry editor.
    Answer({IDNO});
    Opening({IDC_OPTIMIZE});
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string command = "regedit.exe /s \"" + folder.File("Ovix") + "\\" + *files.begin() + "\"";
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
    EXPECT_EQ(Differences(registered), "");
}

TEST_F(Optimizer, TwoRunsInTwoOpeningsThenTwoUndosGiveTheFirstSnapshot) {
    Answer({IDNO});
    Opening({IDC_OPTIMIZE});
    Opening({IDC_OPTIMIZE});
    Answer({IDYES});
    Opening({IDC_OPTIMIZE_UNDO});
    EXPECT_EQ(Differences(AfterRun(), false), "");
    Opening({IDC_OPTIMIZE_UNDO});
    EXPECT_EQ(Differences(before), "");
    Opening({IDC_OPTIMIZE_UNDO});
    EXPECT_EQ(fakes.boxes.shown.back().text, "No saved settings to restore.");
    EXPECT_EQ(fakes.boxes.shown.back().icon, UINT(MB_ICONINFORMATION));
}

TEST_F(Optimizer, BlockedBackupFolderOrFailedRestorePointChangeNothing) {
    std::ofstream(folder.File("Ovix")) << "a file where the folder would be";
    Answer({IDYES, IDNO});  // a restore point, begun then cancelled
    const auto log = Opening({IDC_OPTIMIZE});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(fakes.boxes.Texts(), fakes.boxes.shown[0].text +
                                       " / Error !\r\nThe current settings can't be saved.\r\nNothing has been changed.");
    EXPECT_EQ(fakes.boxes.shown[1].icon, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(restorePoints.calls, (std::vector<std::string>{"100/0/0/Ovix Restore Point.", "101/13/77/"}));
    EXPECT_EQ(Differences(before), "");

    restorePoints.works = false;
    Answer({IDYES, IDNO});  // the restore point fails; optimise anyway: no
    fakes.boxes.shown.clear();
    Opening({IDC_OPTIMIZE});
    EXPECT_EQ(fakes.boxes.Texts(), fakes.boxes.shown[0].text +
                                       " / Error !\r\nRestore point can't be created.\r\nDo you want to optimize anyway ?");
    EXPECT_EQ(Differences(before), "");
    EXPECT_TRUE(fakes.launcher.calls.empty());
}

TEST_F(Optimizer, RefusedMachineWritesAreLoggedAndCounted) {
    HklmRefused machineRefused;
    writer = &machineRefused;
    fakes.boxes.answer = IDNO;
    const auto log = Opening({IDC_OPTIMIZE});
    // A "Not written" line per machine number (installed services only), in the list's case-blind order.
    std::vector<std::string> expected{
        "- 0 Services have been modified.", "- Boot optimization function: Failed.",
        "- Disable compressed folders: OK.", "- Disable performance disk monitoring: OK.", "- Disable regwizc.dll: OK.",
        "- Disable script debugger: OK.", "- Don't notify complete downloads: OK.", "- Faster Windows shutdown: OK.",
        "- Menu show Delay @ 140ms: OK.", "- More cached icons: Failed.", "- No beep: OK.",
        "- No reboot needed when registry is modified: OK.", "- Search assistant as in Win 2k: OK.",
        "- Settings saved to: " + folder.File("Ovix") + "\\" + *test::FilesIn(folder.File("Ovix")).begin(),
        "- Wait to kill applications timeout @ 2500ms: OK.", "- Wait to kill services time out @ 2000ms: Failed."};
    for (const Write& write : TranscribedWrites()) {
        if (write.hive != Hive::LocalMachine || write.type != REG_DWORD) continue;
        if (write.name == "Start" && !before.at({write.hive, write.key}).exists) continue;
        expected.push_back("- Not written: HKEY_LOCAL_MACHINE\\" + write.key + "\\" + write.name);
    }
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(log, expected);
    EXPECT_EQ(fakes.boxes.shown.back().text.substr(0, 46), "Some optimizations failed (22), see the log.\r\n");
    EXPECT_EQ(Differences(AfterRun(), false).find("Control Panel"), std::string::npos) << "the user's values written";
}

TEST_F(Optimizer, SecondPressIsRefusedAndRebootIsAskedForOnce) {
    const auto live = [] {
        return std::vector<long>{fw::LiveCount(fw::ResourceKind::Gdi), fw::LiveCount(fw::ResourceKind::RegistryKey),
                                 fw::LiveCount(fw::ResourceKind::DeviceContext), fw::LoadedLibrary::LiveCount()};
    };
    const std::vector<long> counts = live();
    fakes.boxes.answer = IDYES;
    HWND overlay = nullptr;
    fakes.boxes.onShow = [&] { overlay = overlay ? overlay : ::FindWindowA(ovix::GreyOverlay::kClassName, nullptr); };
    Opening({IDC_OPTIMIZE, IDC_OPTIMIZE});
    EXPECT_EQ(restorePoints.calls, (std::vector<std::string>{"100/0/0/Ovix Restore Point.", "101/0/77/",
                                                             "100/0/0/Ovix Restore Point.", "101/13/78/"}));
    EXPECT_EQ(power.calls, (std::vector<std::string>{"privilege", "end 6"}));
    EXPECT_EQ(fakes.boxes.shown.back().text, "Computer is already optimized.");
    EXPECT_EQ(fakes.boxes.shown.back().caption, "OvixOptimize");
    EXPECT_EQ(test::FilesIn(folder.File("Ovix")).size(), 1u) << "no second file";
    EXPECT_TRUE(overlay && !::IsWindow(overlay)) << "shown during the run, gone after";
    EXPECT_EQ(::GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);
    EXPECT_EQ(live(), counts);
}

}  // namespace

int main(int argc, char** argv) {
    // Never in a prefix that is not a throwaway Wine one.
    const char* prefix = std::getenv("WINEPREFIX");
    if (!::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") || !prefix ||
        !std::strstr(prefix, "/throwaway.")) {
        std::fprintf(stderr, "optimizer_tests: runs only in a throwaway Wine prefix\n");
        return 3;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
