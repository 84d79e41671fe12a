// A second test process for the system-information tests: started with its
// own Windows version (a per-program setting read at process start) or its own
// DLL overrides, it writes what the collector saw, one "key=value" per line,
// to the file named on its command line.
#include "probes/os_version.h"
#include "probes/system_info.h"
#include "probes/version_code.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    ovix::ReadOsVersion();
    ovix::SystemInfoCollector collector;
    collector.Load();
    const ovix::SystemFactLines facts = ovix::BuildSystemFactLines(collector);

    std::string out;
    out += "name=" + collector.OsName() + "\n";
    out += "code=" + std::to_string(ovix::WindowsVersionCode()) + "\n";
    out += "version=" + facts.osVersion + "\n";
    out += "model=" + facts.osModel + "\n";
    out += "servicepack=" + std::to_string(collector.ServicePack()) + "\n";
    out += "adapters=" + std::to_string(collector.AdapterCount()) + "\n";
    out += "interfaces=" + std::to_string(collector.Interfaces().size()) + "\n";
    out += "addresses=" + std::to_string(collector.IpAddresses().size()) + "\n";
    for (const auto& adapter : collector.Adapters()) {
        out += "speed=" + std::to_string(adapter.speedBitsPerSecond) + "\n";
    }
    out += "report=" + collector.NetworkAdapterLines() + "\n";
    out += "end\n";

    FILE* file = std::fopen(argv[1], "wb");
    if (!file) return 3;
    std::fwrite(out.data(), 1, out.size(), file);
    std::fclose(file);
    return 0;
}
