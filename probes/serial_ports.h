// The serial (COM) ports of the machine, USB adapters included, found by the
// method that fits the family of Windows. The system calls sit behind
// SerialPortSource so each method can be followed on any machine.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ovix {

struct SerialPortInfo {
    std::string devPath;
    std::string portName;
    std::string friendlyName;
    bool usbDevice = false;
    std::string portDesc;
};

// Raised with one text; the list keeps what was appended before.
class SerialPortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SerialPortSource {
public:
    virtual ~SerialPortSource() = default;

    // Operating-system version; false with the system error code.
    virtual bool OsVersion(unsigned& major, unsigned& platformId, std::uint32_t& error) = 0;

    // Device-interface method (2000 and later).
    struct Interface {
        std::string devicePath;
        std::optional<std::string> friendlyName;
        std::optional<std::string> description;
        std::optional<std::string> location;
    };
    enum class Next { Found, NoMore, EnumFailed, DetailFailed };
    // Opens the set of present COM-port interfaces; false with the error code.
    virtual bool OpenInterfaces(std::uint32_t& error) = 0;
    virtual Next NextInterface(std::uint32_t index, Interface& found, std::uint32_t& error) = 0;
    virtual void CloseInterfaces() = 0;

    // Hardware registry (9x): keys below HKLM\Enum, by path relative to it ("" is Enum itself).
    virtual bool OpenEnumKey(const std::string& path) = 0;
    virtual std::vector<std::string> SubkeyNames(const std::string& path) = 0;
    // The raw bytes of a string value, which need not end in a zero.
    virtual std::optional<std::string> RawValue(const std::string& path, const char* name) = 0;
};

// Fills ports (cleared first). ignoreBusyPorts is accepted for its callers,
// which all pass false: no port is ever opened.
void EnumSerialPorts(std::vector<SerialPortInfo>& ports, bool ignoreBusyPorts, SerialPortSource& source);

// The same with the machine's own calls.
void EnumSerialPorts(std::vector<SerialPortInfo>& ports, bool ignoreBusyPorts);

// Fills friendly names and descriptions left empty, and cuts " (COMn)" from a
// description taken from the friendly name.
void CompleteSerialPorts(std::vector<SerialPortInfo>& ports);

// A registry text as stored, up to its first zero (if any).
std::string TextUpToZero(const std::string& raw);

}  // namespace ovix
