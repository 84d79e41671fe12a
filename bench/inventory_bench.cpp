// The services, software and hotfix inventories against bare loops of the
// same system calls, with entries of the program's own (removed after):
// 300 services, 1,000 uninstall subkeys, 500 hotfixes.
//
//   inventory_bench.exe [runs]
//
// Prints medians in milliseconds: services read, bare, window fill; software
// read, bare, window fill, toggle; hotfix window fill.
#include "bench/bench_clock.h"
#include "framework/registry.h"
#include "lists/inventory.h"
#include "lists/services.h"
#include "lists/software_windows.h"
#include "resources/resource_ids.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kBenchKey[] = "OvixBench";

double Time(const std::function<void()>& work) {
    const double start = NowMs();
    work();
    return NowMs() - start;
}

void BareServices() {
    ovix::ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    std::vector<BYTE> buffer(1 << 20), config(8192);
    DWORD needed = 0, count = 0, resume = 0;
    ::EnumServicesStatusA(manager.Get(), SERVICE_WIN32, SERVICE_STATE_ALL,
                          reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data()), static_cast<DWORD>(buffer.size()),
                          &needed, &count, &resume);
    const auto* entries = reinterpret_cast<const ENUM_SERVICE_STATUSA*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        ovix::ServiceHandle service(::OpenServiceA(manager.Get(), entries[i].lpServiceName, SERVICE_QUERY_CONFIG));
        ::QueryServiceConfigA(service.Get(), reinterpret_cast<QUERY_SERVICE_CONFIGA*>(config.data()),
                              static_cast<DWORD>(config.size()), &needed);
    }
}

void BareSoftware() {
    HKEY key = nullptr;
    ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, ovix::kUninstallKey, 0, KEY_READ, &key);
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY program = nullptr;
        if (::RegOpenKeyExA(key, name, 0, KEY_READ, &program) != ERROR_SUCCESS) continue;
        for (const char* value : {"UninstallString", "DisplayName", "DisplayVersion", "Publisher", "EstimatedSize",
                                  "InstallDate", "URLInfoAbout", "InstallLocation"}) {
            char data[1024];
            DWORD size = sizeof(data);
            ::RegQueryValueExA(program, value, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        }
        ::RegCloseKey(program);
    }
    ::RegCloseKey(key);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    ::InitCommonControls();
    ovix::ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    std::vector<std::string> services;
    for (int i = 0; i < 300; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "%s%03d", kBenchKey, i);
        ovix::ServiceHandle created(::CreateServiceA(manager.Get(), name, name, SERVICE_ALL_ACCESS,
                                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                                     SERVICE_ERROR_NORMAL, "C:\\none.exe", nullptr, nullptr, nullptr,
                                                     nullptr, nullptr));
        if (created) services.push_back(name);
    }
    for (int i = 0; i < 1000; ++i) {
        fw::RegKey key;
        const std::string path = std::string(ovix::kUninstallKey) + "\\" + kBenchKey + std::to_string(i);
        key.Create(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS);
        key.SetString("DisplayName", (i % 3 ? "Program " : "KB") + std::to_string(i));
        key.SetString("UninstallString", "C:\\uninstall.exe /x " + std::to_string(i));
        key.SetString("InstallDate", "20060305");
        key.SetDword("EstimatedSize", static_cast<DWORD>(i * 10));
    }
    for (int i = 0; i < 500; ++i) {
        fw::RegKey key;
        const std::string path = std::string(ovix::kHotfixSp2Key) + "\\KB" + std::to_string(900000 - i * 7);
        key.Create(HKEY_LOCAL_MACHINE, path.c_str(), KEY_ALL_ACCESS);
        key.SetString("Description", "Update " + std::to_string(i));
    }

    std::vector<double> serviceRead, serviceBare, serviceFill, softwareRead, softwareBare, softwareFill, toggle,
        hotfixFill;
    for (int run = 0; run < runs; ++run) {
        serviceRead.push_back(Time([] { ovix::EnumerateServices(SERVICE_WIN32); }));
        serviceBare.push_back(Time(BareServices));
        serviceFill.push_back(Time([] {
            ovix::ServiceListWindow window(ovix::ServiceListWindow::Kind::Services);
            window.CreateModeless();
            window.End(IDCANCEL);
        }));
        softwareRead.push_back(Time([] { ovix::ReadSoftwareInventory(); }));
        softwareBare.push_back(Time(BareSoftware));
        ovix::CSoftware software;
        softwareFill.push_back(Time([&] { software.CreateModeless(); }));
        toggle.push_back(Time([&] { ::SendMessageA(software.Hwnd(), WM_COMMAND, IDC_AUTORUN, 0); }));
        software.End(IDCANCEL);
        hotfixFill.push_back(Time([] {
            ovix::CHotfix window;
            window.CreateModeless();
            window.End(IDCANCEL);
        }));
    }

    for (const std::string& name : services) {
        ovix::ServiceHandle service(::OpenServiceA(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
        if (service) ::DeleteService(service.Get());
    }
    for (int i = 0; i < 1000; ++i) {
        ::SHDeleteKeyA(HKEY_LOCAL_MACHINE,
                       (std::string(ovix::kUninstallKey) + "\\" + kBenchKey + std::to_string(i)).c_str());
    }
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Updates\\Windows XP");
    std::printf("%.1f %.1f %.1f %.1f %.1f %.1f %.1f %.1f\n", Median(serviceRead), Median(serviceBare),
                Median(serviceFill), Median(softwareRead), Median(softwareBare), Median(softwareFill), Median(toggle),
                Median(hotfixFill));
    return 0;
}
