#include "lists/list_text.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kDriverLabels = {"Name", "Display name", "Current state", "Start type", "Type", "Path",
                                                "Error control"};

TEST(ListRecords, OneRecordAndAllOfThemNumberedOrNot) {
    const std::vector<std::string> cells = {"a", "b", "", "d", "e", "f", "g"};
    EXPECT_EQ(ovix::ListRecord(kDriverLabels, cells),
              "Name: [a]\r\nDisplay name: [b]\r\nCurrent state: []\r\nStart type: [d]\r\nType: [e]\r\nPath: [f]\r\n"
              "Error control: [g]");
    const std::vector<std::string> labels = {"Name", "Path"};
    const std::string big(8192, 'x');
    const std::vector<std::vector<std::string>> rows = {{"one", ""}, {"two", big}};
    EXPECT_EQ(ovix::AllRecords(labels, rows, true),
              "n\xB0: 1\r\nName: [one]\r\nPath: []\r\n\r\nn\xB0: 2\r\nName: [two]\r\nPath: [" + big + "]\r\n\r\n");
    EXPECT_EQ(ovix::AllRecords(labels, rows, false).substr(0, 30), "Name: [one]\r\nPath: []\r\n\r\nName:");
    EXPECT_EQ(ovix::AllRecords(labels, {}, true), "");
}

TEST(ListRecords, SearchKeepsBlanksAndAmpersandsButNotQuotes) {
    EXPECT_EQ(ovix::SearchAddress("svchost.exe & co"), "https://www.google.com/search?q=svchost.exe & co");
    EXPECT_EQ(ovix::SearchAddress("a\" -x\r100%"), "https://www.google.com/search?q=a%22 -x%0D100%25");
}

TEST(ProcessTexts, DatesTimesClassesAddressesAndPaths) {
    EXPECT_EQ(ovix::ProcessDateText({2026, 12, 31, 23, 59, 59}), "12/31/2026 @ 23:59:59");
    EXPECT_EQ(ovix::ProcessDateText({2027, 1, 2, 3, 4, 5}), "01/02/2027 @ 03:04:05");
    EXPECT_EQ(ovix::RunningTimeText(0), "0d 0h 0m 0s");
    EXPECT_EQ(ovix::RunningTimeText(86400), "1d 0h 0m 0s");
    EXPECT_EQ(ovix::RunningTimeText(86400 + 3600 * 23 + 60 * 59 + 59), "1d 23h 59m 59s");
    EXPECT_EQ(ovix::RunningTimeText(-3600), "0d 0h 0m 0s") << "a creation time ahead of the clock";
    EXPECT_EQ(ovix::PriorityClassName(16384), "Below normal");
    EXPECT_EQ(ovix::PriorityClassName(0), "Unknown");
    EXPECT_EQ(ovix::ModuleAddressText(0x400000, 4), "0x00400000");
    EXPECT_EQ(ovix::ModuleAddressText(0x140000000ull, 8), "0x0000000140000000");
    EXPECT_EQ(ovix::ModulesLine(5, "a.exe"), "4 Modules loaded by a.exe");
    EXPECT_EQ(ovix::ModulesLine(0, "a.exe"), "0 Modules loaded by a.exe") << "a failed snapshot";
    const std::vector<ovix::ProcessPath> paths = {{8, "C:\\b.exe"}, {4, "C:\\a.exe"}};
    EXPECT_EQ(ovix::PathOfProcess(paths, 4), "C:\\a.exe") << "matched by id, whatever the order";
    EXPECT_EQ(ovix::PathOfProcess(paths, 12), "");
}

}  // namespace
