// The machine's own answers for the serial-port enumeration: the setup API on
// 2000 and later, the hardware registry on the 9x family.
#include "framework/registry.h"
#include "probes/os_version.h"
#include "probes/serial_ports.h"

#include <setupapi.h>

#include <vector>

namespace ovix {
namespace {

// The COM-port device interface class.
const GUID kComPortInterface = {0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

std::optional<std::string> DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    DWORD type = 0;
    DWORD size = 0;
    ::SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type, nullptr, 0, &size);
    if (size == 0) return std::nullopt;
    std::string value(size, '\0');
    if (!::SetupDiGetDeviceRegistryPropertyA(set, &device, property, &type, reinterpret_cast<BYTE*>(value.data()),
                                             size, &size)) {
        return std::nullopt;
    }
    return TextUpToZero(value);
}

class MachineSerialPorts : public SerialPortSource {
public:
    ~MachineSerialPorts() override { CloseInterfaces(); }

    bool OsVersion(unsigned& major, unsigned& platformId, std::uint32_t& error) override {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof(info);
        if (!::GetVersionExA(&info)) {
            error = ::GetLastError();
            return false;
        }
        major = info.dwMajorVersion;
        platformId = info.dwPlatformId;
        return true;
    }

    bool OpenInterfaces(std::uint32_t& error) override {
        CloseInterfaces();
        set_ = ::SetupDiGetClassDevsA(&kComPortInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
        if (set_ == INVALID_HANDLE_VALUE) {
            error = ::GetLastError();
            return false;
        }
        return true;
    }

    Next NextInterface(std::uint32_t index, Interface& found, std::uint32_t& error) override {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof(data);
        if (!::SetupDiEnumDeviceInterfaces(set_, nullptr, &kComPortInterface, index, &data)) {
            error = ::GetLastError();
            return error == ERROR_NO_MORE_ITEMS ? Next::NoMore : Next::EnumFailed;
        }
        // Ask the detail's size first: a long device path is read whole.
        DWORD required = 0;
        ::SetupDiGetDeviceInterfaceDetailA(set_, &data, nullptr, 0, &required, nullptr);
        if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
            error = ::GetLastError();
            return Next::DetailFailed;
        }
        std::vector<char> buffer(required);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!::SetupDiGetDeviceInterfaceDetailA(set_, &data, detail, required, nullptr, &device)) {
            error = ::GetLastError();
            return Next::DetailFailed;
        }
        found.devicePath = detail->DevicePath;
        found.friendlyName = DeviceProperty(set_, device, SPDRP_FRIENDLYNAME);
        found.description = DeviceProperty(set_, device, SPDRP_DEVICEDESC);
        found.location = DeviceProperty(set_, device, SPDRP_LOCATION_INFORMATION);
        return Next::Found;
    }

    void CloseInterfaces() override {
        if (set_ != INVALID_HANDLE_VALUE) {
            ::SetupDiDestroyDeviceInfoList(set_);
            set_ = INVALID_HANDLE_VALUE;
        }
    }

    bool OpenEnumKey(const std::string& path) override {
        fw::RegKey key;
        return key.Open(HKEY_LOCAL_MACHINE, EnumPath(path).c_str(), KEY_READ) == ERROR_SUCCESS;
    }

    std::vector<std::string> SubkeyNames(const std::string& path) override {
        fw::RegKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, EnumPath(path).c_str(), KEY_READ) != ERROR_SUCCESS) return {};
        return key.SubkeyNames();
    }

    std::optional<std::string> RawValue(const std::string& path, const char* name) override {
        fw::RegKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, EnumPath(path).c_str(), KEY_READ) != ERROR_SUCCESS) return std::nullopt;
        return key.QueryString(name);
    }

private:
    static std::string EnumPath(const std::string& path) { return path.empty() ? "Enum" : "Enum\\" + path; }

    HDEVINFO set_ = INVALID_HANDLE_VALUE;
};

}  // namespace

void EnumSerialPorts(std::vector<SerialPortInfo>& ports, bool ignoreBusyPorts) {
    MachineSerialPorts source;
    EnumSerialPorts(ports, ignoreBusyPorts, source);
}

}  // namespace ovix
