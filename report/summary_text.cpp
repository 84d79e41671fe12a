#include "report/summary_text.h"

#include "framework/text_format.h"
#include "report/report_text.h"

#include <cinttypes>

namespace ovix {

std::string SummaryText(const SummaryFacts& f) {
    std::string text = f.server2003 ? fw::Format("Windows 2003 %s\r\n", f.servicePack.c_str()) : f.osName + "\r\n";
    text += fw::Format("Processor %s @ %u MHz\r\n", f.processorName.c_str(), f.clockMhz);
    text += fw::Format("Memory: %u MB\r\n", static_cast<unsigned>(MebibytesRoundedUp(f.totalPhysicalBytes)));
    // The capacity is summed in 64 bits; above INT64_MAX it would show negative, far past any disk.
    text += fw::Format(f.diskCount == 1 ? "%i Hard Disk Drive - Storage capacity: %" PRId64 " GB\r\n\r\n"
                                        : "%i Hard Disk Drives - Storage capacity: %" PRId64 " GB\r\n\r\n",
                       f.diskCount, static_cast<int64_t>(f.diskGigabytes));
    text += "Motherboard\r\n" + f.boardManufacturer + "\r\n";
    text += f.boardProduct + "\r\n";
    text += f.boardVersion + "\r\n\r\nVideo card\r\n";
    text += f.videoModel + "\r\n";
    text += "Memory " + f.videoMemory + "\r\n\r\n";
    text += "Computer: " + f.computerName + "\r\n";
    text += fw::Format("User: %s (%s)\r\n", f.userName.c_str(), f.adminRights ? "Admin rights: yes" : "Admin rights: no");
    text += f.bootTime;
    return text;
}

}  // namespace ovix
