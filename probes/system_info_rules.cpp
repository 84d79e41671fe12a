#include "probes/system_info_rules.h"

#include "framework/text_format.h"

#include <climits>
#include <cstdlib>

namespace ovix::sysinfo {
namespace {

constexpr unsigned kPlatform9x = 1;
constexpr unsigned kPlatformNt = 2;

std::string NineXName(const OsVersionFacts& facts) {
    std::string name;
    switch (facts.minor) {
    case 0: name = "Windows 95"; break;
    case 10: name = "Windows 98"; break;
    case 90: name = "Windows ME"; break;
    default: break;
    }
    return name + facts.servicePackText;
}

bool IsServerProduct(unsigned productType) {
    return productType == kProductServer || productType == kProductDomainController;
}

// Versions after Server 2003, named from their number (and build, on 10.0).
std::string LaterNtName(const OsVersionFacts& facts) {
    const bool server = facts.extended && IsServerProduct(facts.productType);
    const unsigned build = facts.build & 0xFFFF;
    if (facts.major == 6) {
        switch (facts.minor) {
        case 0: return server ? "Windows Server 2008" : "Windows Vista";
        case 1: return server ? "Windows Server 2008 R2" : "Windows 7";
        case 2: return server ? "Windows Server 2012" : "Windows 8";
        case 3: return server ? "Windows Server 2012 R2" : "Windows 8.1";
        default: break;
        }
    }
    if (facts.major == 10 && facts.minor == 0) {
        if (!server) return build >= 22000 ? "Windows 11" : "Windows 10";
        if (build >= 26100) return "Windows Server 2025";
        if (build >= 20348) return "Windows Server 2022";
        if (build >= 17763) return "Windows Server 2019";
        return "Windows Server 2016";
    }
    return fw::Format("Windows NT %u.%u", facts.major, facts.minor);
}

// Rule 3: the edition words of NT 4 and 5, from the extended record.
std::string EditionWords(const OsVersionFacts& facts) {
    std::string words;
    if (facts.productType == kProductWorkstation) {
        if (facts.major == 5 && facts.minor == 1) {
            words += (facts.suiteMask & kSuitePersonal) ? " Home Edition" : " Professional Edition";
        } else if (facts.major == 5 && facts.minor == 0) {
            words += " Professional";
        } else if (facts.major == 4) {
            words += " Workstation";
        }
    } else if (IsServerProduct(facts.productType)) {
        if (facts.major == 5) {
            if (facts.suiteMask & kSuiteEnterprise) words += " Advanced";
            if (facts.suiteMask & kSuiteDataCenter) words += " DataCenter";
            if (facts.suiteMask & kSuiteTerminal) words += " Terminal";
            if (facts.suiteMask & kSuiteBackOffice) words += " BackOffice";
            words += " Server";
        } else if (facts.major == 4 && facts.minor == 0) {
            words += " Server";
        }
        if (facts.productType == kProductDomainController) words += " Domain Controller";
    }
    return words;
}

int ClampToInt(uint64_t value) { return value > INT_MAX ? INT_MAX : static_cast<int>(value); }

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

// One "%d" field of a dotted version: atoi-like, nothing parsed gives false.
bool ReadNumber(std::string_view& text, int& value) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    const size_t digitsStart = at;
    long long number = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (number < INT_MAX) number = number * 10 + (text[at] - '0');
        ++at;
    }
    if (at == digitsStart) return false;
    if (number > INT_MAX) number = INT_MAX;
    value = static_cast<int>(negative ? -number : number);
    text.remove_prefix(at);
    return true;
}

std::string VersionLine(const char* format, const VersionQuad& version) {
    return fw::Format(format, version.major, version.minor, version.build, version.subBuild);
}

}  // namespace

unsigned ServicePackNumber(std::string_view servicePackText) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (servicePackText.find(digit) != std::string_view::npos) return static_cast<unsigned>(digit - '0');
    }
    return 0;
}

bool NeedsExtendedRecord(unsigned major, unsigned servicePack) { return major >= 5 || servicePack >= 6; }

OsName BuildOsName(const OsVersionFacts& facts) {
    OsName result;
    if (facts.platformId == kPlatform9x) {
        result.name = NineXName(facts);
        return result;
    }
    if (facts.platformId != kPlatformNt) return result;

    result.servicePack = ServicePackNumber(facts.servicePackText);
    if (facts.major == 4 || facts.major == 5) {
        if (facts.major == 4) {
            result.name = "Windows NT 4.0";
        } else if (facts.minor == 0) {
            result.name = "Windows 2000";
        } else if (facts.minor == 1) {
            result.name = "Windows XP";
        }
        if (facts.extended && NeedsExtendedRecord(facts.major, result.servicePack)) {
            result.name += EditionWords(facts);
        }
    } else {
        result.name = LaterNtName(facts);
    }
    if (result.servicePack != 0) result.name += " " + facts.servicePackText;
    return result;
}

std::string OsVersionFactLine(unsigned major, unsigned minor, unsigned build) {
    return fw::Format("Version: %i.%i Build: %d", static_cast<int>(major), static_cast<int>(minor),
                      static_cast<int>(build & 0xFFFF));
}

UptimeParts SplitUptime(uint64_t seconds) {
    UptimeParts parts;
    parts.seconds = static_cast<int>(seconds % 60);
    parts.minutes = static_cast<int>((seconds / 60) % 60);
    const uint64_t hours = seconds / 3600;
    parts.hours = static_cast<int>(hours % 24);
    parts.days = ClampToInt(hours / 24);
    return parts;
}

std::string UptimeLine(const UptimeParts& parts, const std::string& previous) {
    const int d = parts.days, h = parts.hours, m = parts.minutes, s = parts.seconds;
    if (d > 0) {
        return fw::Format(h == 1 ? "Uptime: %i days %i hour %i min %i sec" : "Uptime: %i days %i hours %i min %i sec",
                          d, h, m, s);
    }
    if (h > 1) return fw::Format("Uptime: %i hours %i min %i sec", h, m, s);
    if (h == 1) return fw::Format("Uptime: %i hour %i min %i sec", h, m, s);
    if (m > 0) {
        return s > 0 ? fw::Format("Uptime: %i minutes %i seconds", m, s)
                     : fw::Format("Uptime: %i minutes %i second", m, 0);
    }
    if (s > 0) return fw::Format("Uptime: %i seconds", s);
    return previous;
}

LocalTime SecondsBefore(const LocalTime& now, uint64_t seconds) {
    const int64_t nowSeconds = DaysFromCivil(now.year, now.month, now.day) * 86400 + now.hour * 3600 +
                               now.minute * 60 + now.second;
    // More than the calendar can hold is not a boot time: stop at year 1.
    const int64_t limit = nowSeconds - DaysFromCivil(1, 1, 1) * 86400;
    const int64_t back = seconds > static_cast<uint64_t>(limit) ? limit : static_cast<int64_t>(seconds);
    const int64_t then = nowSeconds - back;
    int64_t days = then / 86400;
    int64_t rest = then % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    LocalTime result;
    CivilFromDays(days, result.year, result.month, result.day);
    result.hour = static_cast<int>(rest / 3600);
    result.minute = static_cast<int>(rest / 60 % 60);
    result.second = static_cast<int>(rest % 60);
    return result;
}

std::string BootTimeLine(const LocalTime& bootTime) {
    return fw::Format("Boot Time: %02d/%02d/%02d @ %02d:%02d:%02d", bootTime.month, bootTime.day, bootTime.year,
                      bootTime.hour, bootTime.minute, bootTime.second);
}

VersionQuad ParseVersionQuad(std::string_view text) {
    VersionQuad version;
    int* fields[] = {&version.major, &version.minor, &version.build, &version.subBuild};
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) {
            if (text.empty() || text.front() != '.') break;
            text.remove_prefix(1);
        }
        if (!ReadNumber(text, *fields[i])) break;
    }
    return version;
}

std::string BrowserVersionLine(const VersionQuad& version) {
    return VersionLine("IE: Version: %i.%i Build %i.%i", version);
}

std::string DataAccessVersionLine(const VersionQuad& version) {
    return VersionLine("ADO: Version: %i.%i Build %i.%i", version);
}

std::string AdminRightsLine(bool isAdmin) { return isAdmin ? "Admin rights: yes" : "Admin rights: no"; }

std::string TotalMemoryLine(uint64_t totalPhysicalBytes) {
    const uint64_t megabytes = totalPhysicalBytes / (1024 * 1024);
    return fw::Format("Total physical: %u MB", megabytes > UINT_MAX ? UINT_MAX : static_cast<unsigned>(megabytes));
}

std::string SwapSpaceLine(uint64_t totalPageFileBytes) {
    return fw::Format("Total swap space: %d MB", ClampToInt(totalPageFileBytes / (1024 * 1024)));
}

std::string ProcessorCountLine(unsigned processors) {
    return fw::Format("%d CPU.", processors > INT_MAX ? INT_MAX : static_cast<int>(processors));
}

std::string ColorDepthLine(long bitsPerPixel) { return fw::Format("Color depth: %ld Bits ", bitsPerPixel); }

std::string RefreshFrequencyLine(int hertz) { return fw::Format("Refresh frequency: %d Hz", hertz); }

void AssignInterfaceSpeeds(std::vector<AdapterRecord>& adapters, const std::vector<InterfaceRecord>& interfaces) {
    for (AdapterRecord& adapter : adapters) {
        adapter.speedBitsPerSecond = 0;
        for (const InterfaceRecord& entry : interfaces) {
            if (entry.index == adapter.index) {
                adapter.speedBitsPerSecond = entry.speedBitsPerSecond;
                break;
            }
        }
    }
}

uint32_t SpeedKilobytesPerSecond(uint32_t bitsPerSecond) { return (bitsPerSecond / 8) >> 10; }

std::string NetworkAdapterLines(const std::vector<AdapterRecord>& adapters) {
    std::string lines;
    if (!adapters.empty() && adapters.size() <= 5) {
        for (const AdapterRecord& adapter : adapters) {
            const float megabytes = static_cast<float>(SpeedKilobytesPerSecond(adapter.speedBitsPerSecond)) / 1024.0f;
            lines += fw::Format("- Name: %s\r\n- Speed: %.2f MB\r\n- Description: %s\r\n", adapter.name.c_str(),
                                static_cast<double>(megabytes), adapter.description.c_str());
        }
    }
    lines += fw::Format("Number of active network adapter(s): %i\r\n\r\n", ClampToInt(adapters.size()));
    return lines;
}

ActiveAdapterGroup ActiveAdapterLines(const std::vector<AdapterRecord>& adapters) {
    ActiveAdapterGroup group;
    group.section = fw::Format("Active: %i", ClampToInt(adapters.size()));
    if (adapters.empty() || adapters.size() > 3) return group;
    for (const AdapterRecord& adapter : adapters) {
        const uint32_t kilobytes = SpeedKilobytesPerSecond(adapter.speedBitsPerSecond);
        const float megabytes = static_cast<float>(kilobytes) / 1024.0f;
        group.items.push_back(fw::Format("Name: %s", adapter.description.c_str()));
        group.items.push_back(fw::Format("Description: %s", adapter.name.c_str()));
        group.items.push_back(fw::Format("Speed: %.f KB/s -> %.2f MB/s", static_cast<double>(kilobytes),
                                         static_cast<double>(megabytes)));
    }
    return group;
}

std::string DottedAddress(uint32_t networkOrder) {
    return fw::Format("%u.%u.%u.%u", networkOrder & 0xFF, (networkOrder >> 8) & 0xFF, (networkOrder >> 16) & 0xFF,
                      (networkOrder >> 24) & 0xFF);
}

}  // namespace ovix::sysinfo
