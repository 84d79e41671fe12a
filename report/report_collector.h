// Gathers a report's facts from the machine's probes, in the report's own
// formats, at the moment it is asked: one read per management class.
#pragma once

#include "report/report_data.h"

#include <ctime>
#include <string>
#include <vector>

namespace ovix {

class SystemInfoCollector;
namespace cpu {
class CpuProbe;
}

// The facts as they are now. The date line shows `now`; the memory status is
// refreshed first.
ReportData CollectReport(SystemInfoCollector& system, cpu::CpuProbe& processor,
                         const std::vector<std::string>& mailAccounts, time_t now);

// The inventories a report lists: the installed programs and, on Windows XP
// only, the hotfixes of Service Pack 2 and 3.
ReportInventories ReadReportInventories();

// "%c" of a moment in local time, at most 127 characters; empty when the
// moment cannot be converted.
std::string ReportDateText(time_t moment);

}  // namespace ovix
