// The probes that read one registry value each, and the System Restore check.
#include "framework/library.h"
#include "framework/registry.h"
#include "framework/text_format.h"
#include "probes/probe_text.h"
#include "probes/registry_probes.h"
#include "probes/registry_value.h"
#include "probes/system_probes.h"

namespace ovix::probes {
namespace {

// Every probe reads afresh: the settings may change while the program runs.
std::string ReadText(HKEY root, const char* fullPath, const char* fallback = kNotFind) {
    return RegistryStringValue(fullPath, fallback, true, root).LastRead();
}

std::string Labelled(const char* label, HKEY root, const char* fullPath, const char* fallback = kNotFind) {
    return label + ReadText(root, fullPath, fallback);
}

constexpr char kSystemRestoreKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";

}  // namespace

std::string SystemBiosVersion() {
    return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\SystemBiosVersion");
}

std::string MachineGuid() {
    return Labelled("Machine GUID: ", HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Cryptography\\MachineGuid");
}

std::string SystemBiosDate() { return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\SystemBiosDate"); }

std::string CpuIdentifier() {
    return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\Identifier");
}

std::string VideoBiosDate() { return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\VideoBiosDate"); }

std::string VideoBiosVersion() {
    return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\VideoBiosVersion");
}

std::string SystemIdentifier() { return ReadText(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\Identifier"); }

std::string Language() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\International\\sLanguage"); }

std::string Country() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\International\\sCountry"); }

std::string KeyboardSpeed() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\Keyboard\\KeyboardSpeed"); }

std::string MouseSensitivity() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\Mouse\\MouseSensitivity"); }

std::string ScreenSaveTimeOut() {
    return ScreenSaveTimeoutLine(ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\ScreenSaveTimeOut"));
}

std::string ScreenSaverFile() {
    return fw::Format("Current: %s", ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\SCRNSAVE.EXE", "None").c_str());
}

std::string ProductName() {
    return ReadText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductName");
}

std::string ProductId() {
    return ReadText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProductId");
}

std::string CurrentType() {
    return ReadText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\CurrentType");
}

std::string WaitToKillAppTimeout() {
    return ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WaitToKillAppTimeout");
}

std::string WheelScrollLines() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WheelScrollLines"); }

std::string TimeFormat() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\International\\sTimeFormat"); }

std::string ShortDateFormat() {
    return Labelled("Short date format: ", HKEY_CURRENT_USER, "Control Panel\\International\\sShortDate");
}

std::string DoubleClickHeight() {
    return Labelled("Double click height: ", HKEY_CURRENT_USER, "Control Panel\\Mouse\\DoubleClickHeight");
}

std::string DoubleClickWidth() {
    return Labelled("Double click width: ", HKEY_CURRENT_USER, "Control Panel\\Mouse\\DoubleClickWidth");
}

std::string ShellIconSize() {
    return WithUnit(Labelled("Shell icon size: ", HKEY_CURRENT_USER,
                             "Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size"),
                    " pixels");
}

std::string WaitToKillServiceTimeout() {
    return WithUnit(Labelled("Timeout to kill services: ", HKEY_LOCAL_MACHINE,
                             "SYSTEM\\CurrentControlSet\\Control\\WaitToKillServiceTimeout"),
                    " ms");
}

std::string DoubleClickSpeed() { return ReadText(HKEY_CURRENT_USER, "Control Panel\\Mouse\\DoubleClickSpeed"); }

std::string UserAgent() {
    return ReadText(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent");
}

std::string DirectXVersion() {
    return Labelled("DirectX version: ", HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX\\Version");
}

std::string WallpaperPath() {
    return Labelled("Wallpaper path: ", HKEY_CURRENT_USER, "Control Panel\\Desktop\\ConvertedWallpaper");
}

std::string WinsockVersion() {
    return Labelled("Winsock version: ", HKEY_LOCAL_MACHINE,
                    "SYSTEM\\ControlSet001\\Services\\WinSock2\\Parameters\\WinSock_Registry_Version");
}

std::string ScreenSaveActive() {
    return FlagLine(ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\ScreenSaveActive"), "Active: no",
                    "Active: yes");
}

std::string ScreenSaverIsSecure() {
    return FlagLine(ReadText(HKEY_CURRENT_USER, "Control Panel\\Desktop\\ScreenSaverIsSecure"), "Secure: no",
                    "Secure: yes");
}

std::string RegeditLastKey() {
    return Labelled("Last open key: ", HKEY_CURRENT_USER,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit\\LastKey", "Not find !");
}

std::string DefaultMailClientAt(HKEY root, const char* keyPath) {
    // Asking for write access too: a user who may not change the default
    // client is told it cannot be found.
    fw::RegKey key;
    if (key.Open(root, keyPath, KEY_READ | KEY_WRITE) != ERROR_SUCCESS) {
        return "Default software: not find!";
    }
    const auto name = key.QueryString("");
    if (!name) return "Default software: not find.";
    return fw::Format("Default software: %s", name->c_str());
}

std::string DefaultMailClient() { return DefaultMailClientAt(HKEY_LOCAL_MACHINE, "Software\\Clients\\Mail"); }

std::string OpenProgramCount(int* count) {
    const int programs = static_cast<int>(RegistryDwordValue("SessionInformation\\ProgramCount", 100, true,
                                                             HKEY_CURRENT_USER).LastRead());
    if (count) *count = programs;
    return fw::Format("Number of open programs: %i", programs);
}

bool SystemRestoreCheck() {
    // Loaded at run time: the library is absent on Windows 2000 and Server 2003.
    const bool clientLoads = static_cast<bool>(fw::LoadedLibrary("srclient.dll"));
    fw::RegKey settings;
    const bool keyExists = settings.Open(HKEY_LOCAL_MACHINE, kSystemRestoreKey, KEY_READ) == ERROR_SUCCESS;
    DisableSrSwitch disableSr = DisableSrSwitch::Absent;
    if (keyExists && settings.ValueType("DisableSR")) {
        const RegistryDwordValue value(std::string(kSystemRestoreKey) + "\\DisableSR", 1, true, HKEY_LOCAL_MACHINE);
        // A switch of another type is not known to be off.
        disableSr = value.Found() && value.LastRead() == 0 ? DisableSrSwitch::Zero : DisableSrSwitch::Set;
    }
    return SystemRestoreAvailable(clientLoads, keyExists, disableSr);
}

std::vector<std::string> MailAccountNames() {
    fw::RegKey key;
    if (key.Open(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\UnreadMail", KEY_READ) !=
        ERROR_SUCCESS) {
        return {};
    }
    return key.SubkeyNames();
}

}  // namespace ovix::probes
