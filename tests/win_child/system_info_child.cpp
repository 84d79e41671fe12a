// A second test process for the system-information tests: started with its
// own Windows version (a per-program setting read at process start) or its own
// DLL overrides, it writes what the collector and the fact sheet saw, one
// "key=value" per line, to the file named on its command line.
#include "probes/fact_sheet.h"
#include "probes/os_version.h"
#include "probes/system_info.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    ovix::ReadOsVersion();
    ovix::SystemInfoCollector collector;
    ovix::FactSheet facts;
    ovix::BuildFactSheet(facts, collector);
    std::string speeds;  // in list order, joined by commas
    for (const auto& adapter : collector.Adapters()) {
        speeds += (speeds.empty() ? "" : ",") + std::to_string(adapter.speedBitsPerSecond);
    }
    const std::string out = "code=" + std::to_string(ovix::WindowsVersionCode()) + "\nversion=" + facts.osVersion +
                            "\nmodel=" + facts.osModel + "\nlanguage=" + facts.osLanguage +
                            "\nadapters=" + std::to_string(collector.AdapterCount()) + "\nspeed=" + speeds +
                            "\ninterfaces=" + std::to_string(collector.Interfaces().size()) +
                            "\naddresses=" + std::to_string(collector.IpAddresses().size()) + "\nend=yes\n";
    FILE* file = std::fopen(argv[1], "wb");
    if (!file) return 3;
    std::fwrite(out.data(), 1, out.size(), file);
    std::fclose(file);
    return 0;
}
