#include "probes/fact_sheet.h"

#include "tools/dialer.h"

#include "framework/handles.h"
#include "framework/text_format.h"
#include "probes/fact_text.h"
#include "probes/system_info.h"
#include "probes/system_probes.h"
#include "probes/wmi_probes.h"

namespace ovix {
namespace {

std::string Labelled(const char* format, const std::string& value) { return fw::Format(format, value.c_str()); }

}  // namespace

ScreenFacts ReadScreenFacts() {
    ScreenFacts facts;
    facts.resolution =
        fw::Format("Resolution: %i x %i", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    fw::WindowDc screen(::GetDesktopWindow(), true);
    const int widthMm = screen.Get() ? ::GetDeviceCaps(screen.Get(), HORZSIZE) : 0;
    const int heightMm = screen.Get() ? ::GetDeviceCaps(screen.Get(), VERTSIZE) : 0;
    facts.size = ScreenSizeLine(widthMm, heightMm);
    facts.diagonal = ScreenDiagonalLine(widthMm, heightMm);
    facts.colorPlanes = fw::Format("Color planes: %i", screen.Get() ? ::GetDeviceCaps(screen.Get(), PLANES) : 0);
    return facts;
}

std::vector<std::string> NotConnectedDialUpLines() {
    return {"Device name to connect: not find.", "Device type: not find.", "Line speed: not find.",
            "Internet Login: not find.",         "Phone number: not find.", "ISP IP: not find."};
}

void BuildFactSheet(FactSheet& facts) {
    SystemInfoCollector collector;
    BuildFactSheet(facts, collector);
}

void BuildFactSheet(FactSheet& facts, SystemInfoCollector& collector, CDialer* dialer) {
    const SystemFactLines system = BuildSystemFactLines(collector);
    facts.osModel = system.osModel;
    facts.osVersion = system.osVersion;
    facts.bootTime = system.bootTime;
    facts.totalMemory = system.totalMemory;
    facts.swapSpace = system.swapSpace;
    facts.browserVersion = system.browserVersion;
    facts.dataAccessVersion = system.dataAccessVersion;
    facts.adminRights = system.adminRights;
    facts.colorDepth = system.colorDepth;
    facts.refreshRate = system.refreshRate;
    facts.localAddress = system.localAddress;
    const sysinfo::ActiveAdapterGroup adapters = ActiveNetworkAdapterGroup(collector);
    facts.activeAdapters = adapters.section;
    facts.activeAdapterLines = adapters.items;

    facts.osTrademark = Labelled("Trademark: %s", probes::ProductName());
    facts.osType = Labelled("Type: %s", probes::CurrentType());
    facts.osSerialNumber = Labelled("Serial number: %s", probes::ProductId());
    facts.osLanguage = OsLanguageLine(collector.IsServer2003(), probes::Language(), probes::Country());
    facts.systemIdentifier = Labelled("System Identifier: %s", probes::SystemIdentifier());
    facts.systemStart = probes::BootMode();
    facts.systemRestore = probes::SystemRestoreCheck() ? "System Restore: Enable" : "System Restore: Disable";

    facts.cpuIdentifier = Labelled("ID: %s", probes::CpuIdentifier());
    facts.cpuFamily = Labelled("Family: %s", probes::ProcessorFamily());

    facts.dialUp = dialer ? dialer->FactLines() : NotConnectedDialUpLines();

    facts.computerName = Labelled("Name: %s", probes::ComputerName());
    facts.userName = Labelled("User Name: %s", probes::UserName());
    facts.windowsDirectory = Labelled("Path: %s", probes::WindowsDirectory());
    facts.systemDirectory = Labelled("Path: %s", probes::SystemDirectory());

    facts.keyboardModel = Labelled("Model: %s", probes::KeyboardType());
    facts.keyboardRepeat = Labelled("Repeat speed: %s ms", probes::KeyboardSpeed());
    facts.mouseButtons = fw::Format("Number of buttons: %i", ::GetSystemMetrics(SM_CMOUSEBUTTONS));
    facts.mouseSensitivity = Labelled("Sensitivity: %s ms", probes::MouseSensitivity());
    facts.doubleClickSpeed = Labelled("Double click speed: %s ms", probes::DoubleClickSpeed());
    facts.wheel = probes::MouseWheel();
    facts.scrollLines = Labelled("Lines per scroll: %s", probes::WheelScrollLines());

    facts.timeFormat = Labelled("Time format: %s", probes::TimeFormat());
    facts.internetAgent = Labelled("Internet User Agent: %s", probes::UserAgent());
    facts.killTimeout = Labelled("Timeout to kill applications: %s ms", probes::WaitToKillAppTimeout());

    facts.videoChipset = Labelled("Chipset: %s", probes::VideoAdapterCompatibility());
    facts.videoModel = Labelled("Model: %s", probes::VideoControllerCaption());

    facts.systemBiosVersion = Labelled("Version: %s", probes::SystemBiosVersion());
    facts.systemBiosDate = Labelled("Date: %s", probes::SystemBiosDate());
    facts.videoBiosVersion = Labelled("Version: %s", probes::VideoBiosVersion());
    facts.videoBiosDate = Labelled("Date: %s", probes::VideoBiosDate());

    ScreenFacts screen = ReadScreenFacts();
    facts.screenResolution = std::move(screen.resolution);
    facts.screenSize = std::move(screen.size);
    facts.screenDiagonal = std::move(screen.diagonal);
    facts.colorPlanes = std::move(screen.colorPlanes);
}

}  // namespace ovix
