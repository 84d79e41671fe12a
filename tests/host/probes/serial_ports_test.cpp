#include "probes/serial_ports.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

using ovix::SerialPortInfo;
using ovix::SerialPortSource;

// A machine described by the test: version, COM interfaces and the 9x Enum tree.
class FakePorts : public SerialPortSource {
public:
    bool OsVersion(unsigned& major, unsigned& platformId, std::uint32_t& error) override {
        std::tie(major, platformId, error) = std::tie(this->major, platform, versionError);
        return versionError == 0;
    }
    bool OpenInterfaces(std::uint32_t& error) override {
        error = openError;
        return (openSets += openError == 0, openError == 0);
    }
    Next NextInterface(std::uint32_t index, Interface& found, std::uint32_t& error) override {
        error = index == failAt ? 0x5 : 259;
        if (index == failAt || index >= interfaces.size()) return index == failAt ? failWith : Next::NoMore;
        found = interfaces[index];
        return Next::Found;
    }
    void CloseInterfaces() override { --openSets; }
    bool OpenEnumKey(const std::string& path) override {
        return path.empty() ? enumOpens : keys.count(path) || children.count(path);
    }
    std::vector<std::string> SubkeyNames(const std::string& path) override {
        return children.count(path) ? children[path] : std::vector<std::string>{};
    }
    std::optional<std::string> RawValue(const std::string& path, const char* name) override {
        if (!keys.count(path) || !keys[path].count(name)) return std::nullopt;
        return keys[path][name];
    }

    // The text of the error raised, or "" when none is.
    std::string ErrorOf(std::vector<SerialPortInfo>& ports) try {
        ovix::EnumSerialPorts(ports, false, *this);
        return "";
    } catch (const ovix::SerialPortError& error) {
        return error.what();
    }

    unsigned major = 5, platform = 2;
    std::uint32_t versionError = 0, openError = 0;
    std::vector<Interface> interfaces;
    std::uint32_t failAt = 9999;
    Next failWith = Next::EnumFailed;
    int openSets = 0;  // sets opened and not yet closed
    bool enumOpens = true;
    std::map<std::string, std::vector<std::string>> children;        // Enum paths and their sub-keys
    std::map<std::string, std::map<std::string, std::string>> keys;  // instance values
};

// Each port as "device path|port name|friendly name|description", then "|usb" for a USB one.
std::vector<std::string> Rows(const std::vector<SerialPortInfo>& ports) {
    std::vector<std::string> rows;
    for (const SerialPortInfo& port : ports) {
        rows.push_back(port.devPath + "|" + port.portName + "|" + port.friendlyName + "|" + port.portDesc +
                       (port.usbDevice ? "|usb" : ""));
    }
    return rows;
}

TEST(SerialPorts, DeviceInterfacesSkipPortsWithoutBothNamesAndCompletionCutsAFinalBracket) {
    FakePorts fake;
    const std::string longPath = "\\\\?\\usb#" + std::string(400, 'x');
    fake.interfaces = {{"\\\\?\\acpi#pnp0501#1", "Communications Port (COM1)", "Communications Port", {}},
                       {"\\\\?\\acpi#pnp0501#2", std::nullopt, "Communications Port", {}},
                       {"\\\\?\\usb#vid_0403#3", "USB Serial Port (COM5)", std::nullopt, "USB Serial"},
                       {longPath, "USB Serial Port (COM6)", "USB Serial Port", "USB Serial Converter"}};
    std::vector<SerialPortInfo> ports(3);  // stale records are thrown away first
    EXPECT_EQ(fake.ErrorOf(ports), "");
    EXPECT_EQ(Rows(ports), (std::vector<std::string>{
                               "\\\\?\\acpi#pnp0501#1||Communications Port (COM1)|Communications Port",
                               longPath + "||USB Serial Port (COM6)|USB Serial Port|usb"}));
    EXPECT_EQ(fake.openSets, 0) << "the set is released";
    // Completing a description cuts only a final bracket; " (" at position 0 is kept.
    const std::pair<const char*, const char*> cases[] = {{"Communications Port (COM1)", "Communications Port"},
        {"(COM2) first", "(COM2) first"}, {"Port (COM3) extra", "Port (COM3) extra"}, {" (COM4)", " (COM4)"}};
    for (const auto& [friendly, description] : cases) {
        std::vector<SerialPortInfo> one{{"", "", friendly, false, ""}};
        ovix::CompleteSerialPorts(one);
        EXPECT_EQ(one[0].portDesc, description) << friendly;
    }
}

TEST(SerialPorts, ErrorsKeepWhatWasFoundAndReleaseTheSet) {
    FakePorts fake;
    // An empty description is completed from the friendly name.
    fake.interfaces = {{"one", "Communications Port (COM1)", std::string(), {}}};
    fake.failAt = 1;
    std::vector<SerialPortInfo> ports;
    EXPECT_EQ(fake.ErrorOf(ports), "SetupDiEnumDeviceInterfaces failed. (err=5)");
    EXPECT_EQ(Rows(ports), std::vector<std::string>{"one||Communications Port (COM1)|Communications Port"});
    EXPECT_EQ(fake.openSets, 0);
    fake.failWith = SerialPortSource::Next::DetailFailed;
    EXPECT_EQ(fake.ErrorOf(ports), "SetupDiGetDeviceInterfaceDetail failed. (err=5)");
    EXPECT_EQ(fake.openSets, 0);
    fake.openError = 0xd;
    EXPECT_EQ(fake.ErrorOf(ports), "SetupDiGetClassDevs failed. (err=d)");
    EXPECT_TRUE(ports.empty());
    fake.versionError = 0x57;
    EXPECT_EQ(fake.ErrorOf(ports), "Could not get OS version. (err=57)");
}

TEST(SerialPorts, NtFourByNumberNineXFromTheRegistryKeepingTheLaterInstance) {
    FakePorts fake;
    fake.major = 4;  // NT 4: COM1 to COM16, nothing asked
    std::vector<SerialPortInfo> ports;
    EXPECT_EQ(fake.ErrorOf(ports), "");
    ASSERT_EQ(ports.size(), 16u);
    EXPECT_EQ(Rows(ports)[15], "\\\\.\\COM16|COM16|COM16|COM16");

    fake.platform = 1;
    fake.children = {{"", {"BIOS", "USBPORTS", "PCI"}},  {"BIOS", {"*PNP0500", "*PNP0303"}},
                     {"BIOS\\*PNP0500", {"0D", "0E"}},    {"BIOS\\*PNP0303", {"00"}},
                     {"USBPORTS", {"VID_1234"}},           {"USBPORTS\\VID_1234", {"0001"}}};
    // Registry texts need not end in a zero; some carry garbage after one.
    fake.keys = {{"BIOS\\*PNP0500\\0D", {{"PORTNAME", "COM1"}, {"FRIENDLYNAME", "Old (COM1)"}}},
                 {"BIOS\\*PNP0500\\0E",
                  {{"PORTNAME", std::string("COM1\0junk", 9)}, {"FRIENDLYNAME", "Communications Port (COM1)"}}},
                 {"BIOS\\*PNP0303\\00", {{"PORTNAME", "KBD"}}}, {"USBPORTS\\VID_1234\\0001", {{"PORTNAME", "COM7"}}}};
    EXPECT_EQ(fake.ErrorOf(ports), "");
    EXPECT_EQ(Rows(ports), (std::vector<std::string>{"\\\\.\\COM1|COM1|Communications Port (COM1)|Communications Port",
                                                      "\\\\.\\COM7|COM7|COM7|COM7|usb"}));

    fake.children["BIOS"] = {"*PNP0501"};  // listed, but cannot be opened
    EXPECT_EQ(fake.ErrorOf(ports), "Could not read from HKLM\\Enum\\BIOS\\*PNP0501");
    fake.enumOpens = false;
    EXPECT_EQ(fake.ErrorOf(ports), "Could not read from HKLM\\Enum");
}

}  // namespace
