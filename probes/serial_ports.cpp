#include "probes/serial_ports.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

constexpr unsigned kPlatformNt = 2;

std::string DevicePath(const std::string& portName) { return "\\\\.\\" + portName; }

// Ends the walk through the source's set whatever happens inside it.
class InterfacesOpen {
public:
    explicit InterfacesOpen(SerialPortSource& source) : source_(source) {}
    ~InterfacesOpen() { source_.CloseInterfaces(); }
    InterfacesOpen(const InterfacesOpen&) = delete;
    InterfacesOpen& operator=(const InterfacesOpen&) = delete;

private:
    SerialPortSource& source_;
};

void FromDeviceInterfaces(std::vector<SerialPortInfo>& ports, SerialPortSource& source) {
    std::uint32_t error = 0;
    if (!source.OpenInterfaces(error)) {
        throw SerialPortError(fw::Format("SetupDiGetClassDevs failed. (err=%lx)", static_cast<unsigned long>(error)));
    }
    InterfacesOpen open(source);
    for (std::uint32_t index = 0;; ++index) {
        SerialPortSource::Interface found;
        switch (source.NextInterface(index, found, error)) {
        case SerialPortSource::Next::NoMore:
            return;
        case SerialPortSource::Next::EnumFailed:
            throw SerialPortError(
                fw::Format("SetupDiEnumDeviceInterfaces failed. (err=%lx)", static_cast<unsigned long>(error)));
        case SerialPortSource::Next::DetailFailed:
            throw SerialPortError(
                fw::Format("SetupDiGetDeviceInterfaceDetail failed. (err=%lx)", static_cast<unsigned long>(error)));
        case SerialPortSource::Next::Found:
            break;
        }
        // Without both names the port cannot be shown sensibly: skipped.
        if (!found.friendlyName || !found.description) continue;
        SerialPortInfo port;
        port.devPath = found.devicePath;
        port.friendlyName = *found.friendlyName;
        port.portDesc = *found.description;
        port.usbDevice = found.location && found.location->compare(0, 3, "USB") == 0;
        ports.push_back(std::move(port));
    }
}

void FromNumberedProbe(std::vector<SerialPortInfo>& ports) {
    for (int number = 1; number <= 16; ++number) {
        SerialPortInfo port;
        port.portName = fw::Format("COM%d", number);
        port.devPath = DevicePath(port.portName);
        ports.push_back(std::move(port));
    }
}

void FromHardwareRegistry(std::vector<SerialPortInfo>& ports, SerialPortSource& source) {
    if (!source.OpenEnumKey("")) throw SerialPortError("Could not read from HKLM\\Enum");
    for (const std::string& bus : source.SubkeyNames("")) {
        if (!source.OpenEnumKey(bus)) continue;
        const bool usbBus = bus == "USBPORTS";
        for (const std::string& device : source.SubkeyNames(bus)) {
            if (!usbBus && device != "*PNP0500" && device != "*PNP0501") continue;
            const std::string devicePath = bus + "\\" + device;
            if (!source.OpenEnumKey(devicePath)) {
                throw SerialPortError("Could not read from HKLM\\Enum\\" + devicePath);
            }
            for (const std::string& instance : source.SubkeyNames(devicePath)) {
                const std::string instancePath = devicePath + "\\" + instance;
                if (!source.OpenEnumKey(instancePath)) {
                    throw SerialPortError("Could not read from HKLM\\Enum\\" + devicePath + "\\");
                }
                const auto portName = source.RawValue(instancePath, "PORTNAME");
                if (!portName) continue;
                SerialPortInfo port;
                port.portName = TextUpToZero(*portName);
                port.devPath = DevicePath(port.portName);
                if (const auto friendly = source.RawValue(instancePath, "FRIENDLYNAME")) {
                    port.friendlyName = TextUpToZero(*friendly);
                }
                port.usbDevice = usbBus;
                // The same port seen again: the later instance wins, in place.
                bool replaced = false;
                for (SerialPortInfo& existing : ports) {
                    if (existing.portName == port.portName) {
                        existing = port;
                        replaced = true;
                        break;
                    }
                }
                if (!replaced) ports.push_back(std::move(port));
            }
        }
    }
}

}  // namespace

std::string TextUpToZero(const std::string& raw) { return raw.substr(0, raw.find('\0')); }

void CompleteSerialPorts(std::vector<SerialPortInfo>& ports) {
    for (SerialPortInfo& port : ports) {
        if (port.friendlyName.empty()) port.friendlyName = port.portName;
        if (!port.portDesc.empty()) continue;
        port.portDesc = port.friendlyName;
        const size_t open = port.portDesc.find(" (");
        const size_t close = port.portDesc.find(')');
        if (open != std::string::npos && open >= 1 && close != std::string::npos &&
            close == port.portDesc.size() - 1) {
            port.portDesc.resize(open);
        }
    }
}

void EnumSerialPorts(std::vector<SerialPortInfo>& ports, bool /*ignoreBusyPorts*/, SerialPortSource& source) {
    ports.clear();
    ports.shrink_to_fit();
    unsigned major = 0, platform = 0;
    std::uint32_t error = 0;
    if (!source.OsVersion(major, platform, error)) {
        throw SerialPortError(fw::Format("Could not get OS version. (err=%lx)", static_cast<unsigned long>(error)));
    }
    // The completion pass runs over what was found, also when a method raised.
    struct Complete {
        std::vector<SerialPortInfo>& ports;
        ~Complete() { CompleteSerialPorts(ports); }
    } complete{ports};
    if (major >= 5) {
        FromDeviceInterfaces(ports, source);
    } else if (platform == kPlatformNt) {
        FromNumberedProbe(ports);
    } else {
        FromHardwareRegistry(ports, source);
    }
}

}  // namespace ovix
