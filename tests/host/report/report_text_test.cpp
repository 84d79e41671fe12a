// The report's bytes against texts written by hand for two machines
// (tests/host/report/data), its line ends, the mail copy, and the lines made
// from lists that may differ in length.
#include "report/report_text.h"

#include "fake_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace ovix;
using Lines = std::vector<std::string>;

std::string Expected(const char* name) {
    std::ifstream file(std::string(OVIX_TEST_DATA) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
}

// The bytes with CR LF made "\n", after checking that every line end is
// exactly CR LF: no bare LF, no lone CR, no CR CR LF.
std::string Unix(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
            continue;
        }
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
        }
        text += bytes[i];
    }
    return text;
}

Lines Split(const std::string& text) {
    Lines lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

TEST(ReportText, AnXpMachineWithEverySection) {
    const std::string bytes = ReportWriter().Text(test::FakeXpMachine(), test::FakeXpInventories());
    EXPECT_EQ(Unix(bytes), Expected("report_xp.txt"));
    EXPECT_NE(bytes.back(), '\n');
}

// Not XP: no screen-saver lines and no hotfix section (their keys are not
// even read); no default printer; one CD drive; two accounts; no sound device.
TEST(ReportText, AnotherMachineWithoutPrinterOrHotfixes) {
    ReportData data = test::FakeXpMachine();
    data.adminRights = false;
    data.windowsXp = false;
    data.hasDefaultPrinter = false;
    data.cdDrives = CdDriveReportLines({"D:"}, {"CD-ROM"});
    data.mailAccounts = {"alice@example.net", "work"};
    data.soundDevices.clear();
    data.screenSaverTimeout = "never written";
    EXPECT_EQ(Unix(ReportWriter().Text(data, test::FakeXpInventories())), Expected("report_2000.txt"));
}

TEST(ReportText, TheMailCopyDiffersInTheMemoryHeadingAndTheXpTimeoutLine) {
    ReportData data = test::FakeXpMachine();
    for (bool xp : {true, false}) {
        data.windowsXp = xp;
        const Lines file = Split(ReportWriter(ReportFlavour::File).Text(data, test::FakeXpInventories()));
        const Lines mail = Split(ReportWriter(ReportFlavour::Mail).Text(data, test::FakeXpInventories()));
        ASSERT_EQ(file.size(), mail.size());
        Lines differences;
        for (size_t i = 0; i < file.size(); ++i) {
            if (file[i] != mail[i]) differences.push_back(file[i] + "|" + mail[i]);
        }
        Lines expected = {" - Memory:\r|- Memory:\r"};
        if (xp) expected.push_back(" - Screen saver Timeout: 10 min\r| - Screen saver : Timeout: 10 min\r");
        EXPECT_EQ(differences, expected) << "XP: " << xp;
    }
}

// A list of a class may be shorter than the others: its lines stop with the
// shortest, and a printer short of lines is named without reading past them.
TEST(ReportText, UnequalListsNeverReadPastTheShortest) {
    const Lines one = {"a"}, two = {"a", "b"}, none;
    EXPECT_EQ(DiskDriveReportLines(two, two, one, two),
              Lines{"Model: a (Interface type: a) (Media type: a) (Number of partition(s): a)"});
    EXPECT_TRUE(DiskDriveReportLines(two, none, two, two).empty());
    EXPECT_EQ(CdDriveReportLines(two, one), Lines{"(a) a"});
    EXPECT_EQ(SoundDeviceReportLines(two, two, one), Lines{"(1)a - a - a"});
    EXPECT_EQ(SoundDeviceReportLines(two, two, two), (Lines{"(1)a - a - a", "(2)b - b - b"}));
    EXPECT_EQ(MailAccountReportLines(two), (Lines{"#1: a", "#2: b"}));

    ReportData data = test::FakeXpMachine();
    data.printers = {{"1. Short", {"Port: X"}}};
    const std::string text = Unix(ReportWriter().Text(data, {}));
    EXPECT_NE(text.find(" - Printer:\n\n - 1. Short\n\n - Miscellaneous:"), std::string::npos);
    EXPECT_NE(text.find("- 0 installed programs."), std::string::npos);
    EXPECT_NE(text.find(" - Windows XP Hot-fix:\n\n\n- 0 installed HotFix.\n"), std::string::npos);
}

// Memory in whole mebibytes, a started one counted.
TEST(ReportText, MemoryRoundsUpToWholeMebibytes) {
    constexpr uint64_t kMiB = 1 << 20;
    EXPECT_EQ(MebibytesRoundedUp(512 * kMiB), 512u);
    EXPECT_EQ(MebibytesRoundedUp(512 * kMiB - 1), 512u);
    EXPECT_EQ(MebibytesRoundedUp(512 * kMiB + 1), 513u);
    EXPECT_EQ(MebibytesRoundedUp(511 * kMiB + 4 * kMiB / 10), 512u);
    EXPECT_EQ(MebibytesRoundedUp(0), 0u);
    EXPECT_EQ(MebibytesRoundedUp(6 * 1024 * 1024 * kMiB), 6u * 1024 * 1024);  // past 32 bits
}

}  // namespace
