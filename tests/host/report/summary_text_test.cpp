// The F2 summary's lines, byte for byte.
#include "report/summary_text.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix;

SummaryFacts Facts() {
    SummaryFacts f;
    f.osName = "Microsoft Windows XP Professional";
    f.servicePack = "Service Pack 3";
    f.processorName = "Intel(R) Pentium(R) 4 CPU 3.00GHz";
    f.clockMhz = 2992;
    f.totalPhysicalBytes = 1ull << 30;
    f.diskCount = 2;
    f.diskGigabytes = 225;
    f.boardManufacturer = "Manufacturer: ASUSTeK";
    f.boardProduct = "Model: P5GD1";
    f.boardVersion = "Version: Not find";
    f.videoModel = "Model: GeForce 6600";
    f.videoMemory = "Size: 128 MB";
    f.computerName = "WORKSTATION";
    f.userName = "alice";
    f.adminRights = true;
    f.bootTime = "Boot Time: 12/07/2026 @ 08:01:02";
    return f;
}

TEST(SummaryText, TheTwelveRowsInOrder) {
    EXPECT_EQ(SummaryText(Facts()),
              "Microsoft Windows XP Professional\r\n"
              "Processor Intel(R) Pentium(R) 4 CPU 3.00GHz @ 2992 MHz\r\n"
              "Memory: 1024 MB\r\n"
              "2 Hard Disk Drives - Storage capacity: 225 GB\r\n\r\n"
              "Motherboard\r\nManufacturer: ASUSTeK\r\n"
              "Model: P5GD1\r\n"
              "Version: Not find\r\n\r\nVideo card\r\n"
              "Model: GeForce 6600\r\n"
              "Memory Size: 128 MB\r\n\r\n"
              "Computer: WORKSTATION\r\n"
              "User: alice (Admin rights: yes)\r\n"
              "Boot Time: 12/07/2026 @ 08:01:02");
}

std::string Line(const std::string& text, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

TEST(SummaryText, ServerDisksMemoryAndRights) {
    SummaryFacts f = Facts();
    f.server2003 = true;
    f.adminRights = false;
    const std::string server = SummaryText(f);
    EXPECT_EQ(Line(server, 0), "Windows 2003 Service Pack 3");
    EXPECT_EQ(Line(server, 15), "User: alice (Admin rights: no)");

    const struct {
        int count;
        uint64_t gigabytes;
        const char* line;
    } disks[] = {
        {0, 0, "0 Hard Disk Drives - Storage capacity: 0 GB"},
        {1, 76, "1 Hard Disk Drive - Storage capacity: 76 GB"},
        {2, 5000000000ull, "2 Hard Disk Drives - Storage capacity: 5000000000 GB"},
    };
    for (const auto& d : disks) {
        f.diskCount = d.count;
        f.diskGigabytes = d.gigabytes;
        EXPECT_EQ(Line(SummaryText(f), 3), d.line);
    }
    const struct {
        uint64_t bytes;
        const char* line;
    } memory[] = {{(1ull << 30) - 1, "Memory: 1024 MB"}, {1ull << 30, "Memory: 1024 MB"}, {(1ull << 30) + 1, "Memory: 1025 MB"}};
    for (const auto& m : memory) {
        f.totalPhysicalBytes = m.bytes;
        EXPECT_EQ(Line(SummaryText(f), 2), m.line);
    }
}

}  // namespace
