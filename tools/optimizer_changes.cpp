#include "tools/optimizer_changes.h"

namespace ovix {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;
constexpr Hive HKLM = Hive::LocalMachine;
constexpr Hive HKCR = Hive::ClassesRoot;

constexpr TextChange kTexts[] = {
    {HKCU, "Software\\Microsoft\\RegEdt32\\Settings", "AutoRefresh", "1",
     "- No reboot needed when registry is modified"},
    {HKCU, "Control Panel\\Desktop", "MenuShowDelay", "140", "- Menu show Delay @ 140ms"},
    {HKLM, "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "Enable", "Y", "- Boot optimization function"},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", "2000",
     "- Wait to kill services time out @ 2000ms"},
    {HKCU, "Control Panel\\Desktop", "WaitToKillAppTimeout", "2500", "- Wait to kill applications timeout @ 2500ms"},
    {HKCU, "Control Panel\\Desktop", "HungAppTimeout", "2000", "- Faster Windows shutdown"},
    {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", "Max Cached Icons", "3072",
     "- More cached icons"},
    {HKCU, "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "Disable Script Debugger", "yes",
     "- Disable script debugger"},
    {HKCU, "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "NotifyDownloadComplete", "no",
     "- Don't notify complete downloads"},
    {HKCU, "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "ShowGoButton", "no", nullptr},
    {HKCU, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState", "Use Search Asst", "no",
     "- Search assistant as in Win 2k"},
    {HKCU, "Control Panel\\Sound", "Beep", "no", "- No beep"},
};

constexpr ServiceChange kServices[] = {
    {"ImapiService", 3}, {"Messenger", 4},  {"RemoteRegistry", 4}, {"stisvc", 3},     {"helpsvc", 3},
    {"LmHosts", 3},      {"SCardSvr", 4},   {"WmiApSrv", 3},       {"SwPrv", 3},      {"TrkWks", 3},
    {"WZCSVC", 3},       {"seclogon", 3},   {"NVSvc", 4},          {"NetDDE", 3},     {"MSDTC", 3},
    {"NetDDEdsdm", 3},   {"Wmi", 3},        {"NtLmSsp", 3},        {"AppMgmt", 3},    {"SamSs", 3},
    {"ClipSrv", 3},      {"RDSessMgr", 3},  {"uploadmgr", 3},      {"SysmonLog", 3},  {"RpcLocator", 3},
    {"wuauserv", 4},     {"UPS", 3},        {"Netlogon", 3},       {"mnmsrvc", 4},    {"RSVP", 3},
    {"RemoteAccess", 3}, {"dmadmin", 3},    {"WmdmPmSN", 3},       {"ERSvc", 3},      {"BITS", 3},
    {"cisvc", 3},        {"PolicyAgent", 3}, {"TlntSvr", 3},       {"WebClient", 3},  {"MSIServer", 3},
    {"NtmsSvc", 3},
};

constexpr NumberChange kNumbers[] = {
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters\\EnablePrefetcher", 2},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Passport\\RegistrationCompleted", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\EnableBalloonTips", 0},
    {HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDll", 1},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\PriorityControl\\Win32PrioritySeparation", 26},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\AFD\\Parameters\\TransmitWorker", 10},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\TransmitWorker", 10},
    {HKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters\\AutoShareWks", 0},
    {HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU\\NoAutoUpdate", 1},
    {HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\AUState", 7},
    {HKLM, "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\DoReport", 0},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server\\fDenyTSConnections", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoLowDiskSpaceChecks", 1},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\CrashControl", 0},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz\\NoRun", 1},
    {HKCR, "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\SortOrderIndex", 54},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\ClearPageFileAtShutdown", 1},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\DisablePagingExecutive", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Tour\\RunCount", 0},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\ClearRecentDocsOnExit", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\MemCheckBoxInRunDlg", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\PersistBrowsers", 1},
    // After the two unregistrations:
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\DisableThumbnailCache", 1},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\MaxConnectionsPerServer", 15},
    {HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\MaxConnectionsPer1_0Server", 15},
    {HKCU, "Software\\Microsoft\\Command Processor\\CompletionChar", 9},
    {HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows\\Psched\\NonBestEffortLimit", 0},
    {HKLM, "SYSTEM\\CurrentControlSet\\Control\\Network\\Connections\\StatMon\\ShowLanErrors", 1},
};

constexpr CommandChange kCommands[] = {
    {"regsvr32 /u /s zipfldr.dll", "- Disable compressed folders"},
    {"regsvr32 /u /s regwizc.dll", "- Disable regwizc.dll"},
    {"diskperf.exe -n", "- Disable performance disk monitoring"},
};

// The compressed-folder handler and the registration wizard's control.
constexpr UnregisteredLibrary kLibraries[] = {
    {"zipfldr.dll", "CLSID\\{E88DCCE0-B7B3-11D1-A9F0-00AA0060FA31}\\InprocServer32"},
    {"regwizc.dll", "CLSID\\{50E5E3D1-C07E-11D0-B9FD-00A0249F6B00}\\InprocServer32"},
};

}  // namespace

const char* HiveName(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case Hive::CurrentUser:
        return "HKEY_CURRENT_USER";
    case Hive::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    }
    return "";
}

std::span<const TextChange> TextChanges() { return kTexts; }
std::span<const ServiceChange> ServiceChanges() { return kServices; }
std::span<const NumberChange> NumberChanges() { return kNumbers; }
std::span<const CommandChange> CommandChanges() { return kCommands; }
std::span<const UnregisteredLibrary> UnregisteredLibraries() { return kLibraries; }

std::string ResultLine(const char* label, bool done) { return std::string(label) + (done ? ": OK." : ": Failed."); }

}  // namespace ovix
