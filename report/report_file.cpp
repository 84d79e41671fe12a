#include "report/report_file.h"

#include "probes/cpu_probe.h"
#include "probes/system_info.h"
#include "probes/system_probes.h"
#include "report/report_collector.h"
#include "report/report_text.h"

#include <ctime>

namespace ovix {
namespace {

class MachineSources : public ReportSources {
public:
    MachineSources() : inventories_(ReadReportInventories()), mailAccounts_(probes::MailAccountNames()) {}
    const ReportInventories& Inventories() const override { return inventories_; }
    ReportData Collect() override { return CollectReport(system_, processor_, mailAccounts_, std::time(nullptr)); }

private:
    ReportInventories inventories_;
    std::vector<std::string> mailAccounts_;
    SystemInfoCollector system_;
    cpu::CpuProbe processor_;
};

}  // namespace

std::unique_ptr<ReportSources> GatherReportSources() { return std::make_unique<MachineSources>(); }

SaveResult SaveReport(const std::string& path, ReportSources& sources, ReportFlavour flavour,
                      ReportProgress* progress, FileWriteCall* writes) {
    SafeTextFile file(path, writes);
    if (!file.Begin()) return SaveResult::CantCreate;
    if (progress) progress->Collecting();
    const std::string bytes = ReportWriter(flavour).Text(sources.Collect(), sources.Inventories());
    file.Write(bytes);
    const SaveResult result = file.Commit();
    if (progress) progress->Written();
    return result;
}

}  // namespace ovix
