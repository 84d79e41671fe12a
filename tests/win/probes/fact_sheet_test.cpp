// The fact sheet's whole lines, labels and suffixes included, against values
// the test sets in the registry.
#include "probes/fact_sheet.h"

#include "probes/probe_test_support.h"
#include "probes/system_info.h"

#include <gtest/gtest.h>

namespace {

using ovix::FactSheet;

TEST(FactSheet, WholeLinesWithTheirLabelsAndSuffixes) {
    test::SavedRegistryValue sensitivity(HKEY_CURRENT_USER, "Control Panel\\Mouse", "MouseSensitivity");
    test::SavedRegistryValue timeFormat(HKEY_CURRENT_USER, "Control Panel\\International", "sTimeFormat");
    // HARDWARE is volatile: set in the running server.
    test::SavedRegistryValue videoDate(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System", "VideoBiosDate");
    sensitivity.Remove();
    videoDate.Remove();
    ASSERT_TRUE(timeFormat.SetString("h%n:mm %s"));
    ovix::SystemInfoCollector collector;
    FactSheet facts;
    ovix::BuildFactSheet(facts, collector);
    EXPECT_EQ(facts.mouseSensitivity, "Sensitivity: Not find ms");  // a suffix stands after the fallback too
    EXPECT_EQ(facts.timeFormat, "Time format: h%n:mm %s");          // a value is never read as a format
    EXPECT_EQ(facts.videoBiosDate, "Date: Not find");
}

}  // namespace
