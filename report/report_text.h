// The report as text: the lines the collector makes from raw values, and the
// writer that lays a ReportData out as the file's bytes. No system headers:
// every layout and every edge is tested natively.
#pragma once

#include "report/report_data.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ovix {

// Bytes in whole mebibytes, a started one counted (512 MiB -> 512, one byte
// more -> 513). The report and the summary show memory this way.
uint64_t MebibytesRoundedUp(uint64_t bytes);

// Lines of the multi-instance classes, one per instance. The lists come from
// one read of their class; should one be shorter, the lines stop with it.
// "Model: %s (Interface type: %s) (Media type: %s) (Number of partition(s): %s)"
std::vector<std::string> DiskDriveReportLines(const std::vector<std::string>& captions,
                                              const std::vector<std::string>& interfaces,
                                              const std::vector<std::string>& mediaTypes,
                                              const std::vector<std::string>& partitions);
// "(%s) %s": drive, then caption.
std::vector<std::string> CdDriveReportLines(const std::vector<std::string>& drives,
                                            const std::vector<std::string>& captions);
// "(%i)%s - %s - %s": number from 1, manufacturer, description, status.
std::vector<std::string> SoundDeviceReportLines(const std::vector<std::string>& manufacturers,
                                                const std::vector<std::string>& descriptions,
                                                const std::vector<std::string>& statuses);
// "#%i: %s" per account, numbered from 1.
std::vector<std::string> MailAccountReportLines(const std::vector<std::string>& accounts);

// Lays a report out. The saved file and the e-mailed copy differ only in the
// flavour given here.
class ReportWriter {
public:
    explicit ReportWriter(ReportFlavour flavour = ReportFlavour::File) : flavour_(flavour) {}
    // The whole report: header, eighteen sections (the hotfix section on
    // Windows XP only), every line end CR LF, the last line without one.
    std::string Text(const ReportData& data, const ReportInventories& inventories) const;

private:
    ReportFlavour flavour_;
};

}  // namespace ovix
