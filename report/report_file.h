// Saving a report: where its facts come from, and the one save that the
// report dialog, the mail report and the command line all run.
#pragma once

#include "app/safe_text_file.h"
#include "report/report_data.h"

#include <memory>
#include <string>

namespace ovix {

// A report's sources: the inventories, read once when the sources are
// gathered, and the facts, read again at every Collect. Tests give fakes.
class ReportSources {
public:
    virtual ~ReportSources() = default;
    virtual const ReportInventories& Inventories() const = 0;
    virtual ReportData Collect() = 0;
};

// The machine's own: inventories and mail accounts read now, the probes at
// each Collect.
std::unique_ptr<ReportSources> GatherReportSources();

// What a window shows around a save: told once the temporary file exists and
// the facts are about to be read, and again once the file is written (or the
// write failed). Not told when the file cannot even be created.
class ReportProgress {
public:
    virtual ~ReportProgress() = default;
    virtual void Collecting() {}
    virtual void Written() {}
};

// Writes the report to path, as given (no extension added): a temporary file
// beside it first, so that a failure leaves the old file as it was and no
// temporary file behind. Nothing is collected when that file cannot be made.
SaveResult SaveReport(const std::string& path, ReportSources& sources, ReportFlavour flavour = ReportFlavour::File,
                      ReportProgress* progress = nullptr, FileWriteCall* writes = nullptr);

}  // namespace ovix
