// The management-service probes. Outside a build each runs one query of its
// own: COM set up for the call and left as it was found, one connection, one
// property read, everything released before it returns. Within a build's
// ClassReadScope each class is read once (probes/wmi_class_cache.h). Line
// probes give the first instance's line (empty without instance); list probes
// append one line per instance to the caller's list and never clear it.
#pragma once

#include "framework/com.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_text.h"

#include <oaidl.h>

#include <string>
#include <vector>

namespace ovix::wmi {

// The COM calls of one probe, in the order the sequence makes them. The
// system's calls are the product's; tests put a fake in their place. The
// objects are held as IUnknown so a fake needs no service interface.
class ComCalls {
public:
    virtual ~ComCalls() = default;
    virtual HRESULT Initialize() = 0;  // CoInitializeEx(multithreaded)
    virtual void Uninitialize() = 0;
    virtual HRESULT InitializeSecurity() = 0;
    virtual HRESULT CreateLocator(fw::ComPtr<IUnknown>& locator) = 0;
    virtual HRESULT ConnectServer(IUnknown* locator, BSTR nameSpace, fw::ComPtr<IUnknown>& services) = 0;
    virtual HRESULT SetProxyBlanket(IUnknown* services) = 0;
    virtual HRESULT ExecQuery(IUnknown* services, BSTR language, BSTR query, fw::ComPtr<IUnknown>& enumerator) = 0;
    // One object; returned is the count the service reported.
    virtual HRESULT Next(IUnknown* enumerator, fw::ComPtr<IUnknown>& object, ULONG& returned) = 0;
    virtual HRESULT Get(IUnknown* object, BSTR property, VARIANT& value) = 0;
};

ComCalls& SystemComCalls();

// The service as a row source: every Read, and every ReadClass, is one whole
// probe sequence (COM, one connection, one enumeration, all released).
class ServiceRowSource : public RowSource, public ClassSource {
public:
    explicit ServiceRowSource(ComCalls& calls = SystemComCalls()) : calls_(calls) {}
    // One property of each instance ("SELECT * FROM " + class).
    std::vector<Value> Read(std::string_view className, std::string_view property, bool firstOnly) override;
    // The named properties of every instance, from the same one query.
    ClassRows ReadClass(std::string_view className, std::span<const std::string> properties) override;

private:
    ClassRows Run(std::string_view className, std::span<const std::string> properties, bool firstOnly);
    void RunInApartment(std::string_view className, std::span<const std::string> properties, bool firstOnly,
                        ClassRows& rows);
    ComCalls& calls_;
};

// UTF-16 to the given 8-bit code page; a character the code page lacks
// becomes "?" (no best-fit look-alikes). length counts UTF-16 units.
std::string ToAnsi(const wchar_t* text, size_t length, unsigned codePage = CP_ACP);

// A VARIANT as the portable side reads it (texts converted to ANSI).
Value ValueOf(const VARIANT& variant);

}  // namespace ovix::wmi

namespace ovix::probes {

// A probe through the rows of the build's ClassReadScope when one is alive on
// this thread, else through its own query.
std::string WmiLine(wmi::Probe probe);
void WmiList(wmi::Probe probe, std::vector<std::string>& lines);

// The probes by name, as the tree, the reports and the summary call them.
using wmi::Probe;
inline std::string BaseBoardDescription() { return WmiLine(Probe::BaseBoardDescription); }
inline std::string BaseBoardManufacturer() { return WmiLine(Probe::BaseBoardManufacturer); }
inline std::string BaseBoardProduct() { return WmiLine(Probe::BaseBoardProduct); }
inline std::string BaseBoardVersion() { return WmiLine(Probe::BaseBoardVersion); }
inline std::string BiosManufacturer() { return WmiLine(Probe::BiosManufacturer); }
inline std::string BiosName() { return WmiLine(Probe::BiosName); }
inline std::string BiosStatus() { return WmiLine(Probe::BiosStatus); }
inline std::string ComputerSystemManufacturer() { return WmiLine(Probe::ComputerSystemManufacturer); }
inline std::string ComputerSystemModel() { return WmiLine(Probe::ComputerSystemModel); }
inline std::string ComputerSystemType() { return WmiLine(Probe::ComputerSystemType); }
inline std::string PrimaryOwnerName() { return WmiLine(Probe::PrimaryOwnerName); }
inline std::string Workgroup() { return WmiLine(Probe::Workgroup); }
inline std::string WakeUpType() { return WmiLine(Probe::WakeUpType); }
inline std::string ProcessorL2CacheSpeed() { return WmiLine(Probe::ProcessorL2CacheSpeed); }
inline std::string ProcessorExtClock() { return WmiLine(Probe::ProcessorExtClock); }
inline std::string ProcessorSocket() { return WmiLine(Probe::ProcessorSocket); }
inline std::string ProcessorStatus() { return WmiLine(Probe::ProcessorStatus); }
inline std::string ProcessorRevision() { return WmiLine(Probe::ProcessorRevision); }
inline std::string ProcessorAddressWidth() { return WmiLine(Probe::ProcessorAddressWidth); }
inline std::string ProcessorDataWidth() { return WmiLine(Probe::ProcessorDataWidth); }
inline std::string ProcessorType() { return WmiLine(Probe::ProcessorType); }
inline std::string ProcessorArchitecture() { return WmiLine(Probe::ProcessorArchitecture); }
inline std::string ProcessorFamily() { return WmiLine(Probe::ProcessorFamily); }
inline std::string ProcessorUpgradeMethod() { return WmiLine(Probe::ProcessorUpgradeMethod); }
inline std::string VideoControllerCaption() { return WmiLine(Probe::VideoControllerCaption); }
inline std::string VideoAdapterCompatibility() { return WmiLine(Probe::VideoAdapterCompatibility); }
inline std::string VideoDriverVersion() { return WmiLine(Probe::VideoDriverVersion); }
inline std::string VideoProcessor() { return WmiLine(Probe::VideoProcessor); }
inline std::string VideoAdapterRam() { return WmiLine(Probe::VideoAdapterRam); }
inline std::string VideoMinRefreshRate() { return WmiLine(Probe::VideoMinRefreshRate); }
inline std::string VideoMaxRefreshRate() { return WmiLine(Probe::VideoMaxRefreshRate); }
inline std::string VideoMemoryType() { return WmiLine(Probe::VideoMemoryType); }
inline std::string VideoArchitecture() { return WmiLine(Probe::VideoArchitecture); }
inline std::string VideoScanMode() { return WmiLine(Probe::VideoScanMode); }
inline std::string VideoControllerStatus() { return WmiLine(Probe::VideoControllerStatus); }
inline std::string VideoDacType() { return WmiLine(Probe::VideoDacType); }
inline std::string VideoDriverDate() { return WmiLine(Probe::VideoDriverDate); }
inline std::string VideoDisplayDrivers() { return WmiLine(Probe::VideoDisplayDrivers); }
inline std::string VideoInfFilename() { return WmiLine(Probe::VideoInfFilename); }
inline std::string MonitorType() { return WmiLine(Probe::MonitorType); }
inline std::string MonitorManufacturer() { return WmiLine(Probe::MonitorManufacturer); }
inline std::string MonitorDeviceId() { return WmiLine(Probe::MonitorDeviceId); }
inline std::string MonitorPnpDeviceId() { return WmiLine(Probe::MonitorPnpDeviceId); }
inline std::string MonitorStatus() { return WmiLine(Probe::MonitorStatus); }
inline std::string MonitorPixelsPerXInch() { return WmiLine(Probe::MonitorPixelsPerXInch); }
inline std::string MonitorPixelsPerYInch() { return WmiLine(Probe::MonitorPixelsPerYInch); }
inline std::string OsManufacturer() { return WmiLine(Probe::OsManufacturer); }
inline std::string OsSystemDrive() { return WmiLine(Probe::OsSystemDrive); }
inline std::string OsSystemDevice() { return WmiLine(Probe::OsSystemDevice); }
inline std::string OsEncryptionLevel() { return WmiLine(Probe::OsEncryptionLevel); }
inline std::string OsStatus() { return WmiLine(Probe::OsStatus); }
inline std::string OsInstallDate() { return WmiLine(Probe::OsInstallDate); }
inline std::string OsLargeSystemCache() { return WmiLine(Probe::OsLargeSystemCache); }
inline std::string OsProductType() { return WmiLine(Probe::OsProductType); }
inline std::string ActivationRequired() { return WmiLine(Probe::ActivationRequired); }
inline std::string RegistryCurrentSize() { return WmiLine(Probe::RegistryCurrentSize); }
inline std::string RegistryMaximumSize() { return WmiLine(Probe::RegistryMaximumSize); }
inline std::string RegistryStatus() { return WmiLine(Probe::RegistryStatus); }
inline std::string PageFilePath() { return WmiLine(Probe::PageFilePath); }
inline std::string PageFileMaximumSize() { return WmiLine(Probe::PageFileMaximumSize); }
inline std::string PageFileCurrentSize() { return WmiLine(Probe::PageFileCurrentSize); }
inline std::string IconTitleFont() { return WmiLine(Probe::IconTitleFont); }
inline std::string IconTitleSize() { return WmiLine(Probe::IconTitleSize); }
inline std::string KeyboardDeviceId() { return WmiLine(Probe::KeyboardDeviceId); }
inline std::string KeyboardFunctionKeys() { return WmiLine(Probe::KeyboardFunctionKeys); }
inline std::string PointingDeviceCaption() { return WmiLine(Probe::PointingDeviceCaption); }
inline std::string PointingDeviceManufacturer() { return WmiLine(Probe::PointingDeviceManufacturer); }
inline std::string PointingDeviceInfFileName() { return WmiLine(Probe::PointingDeviceInfFileName); }

inline void SoundDeviceManufacturerList(std::vector<std::string>& l) { WmiList(Probe::SoundDeviceManufacturerList, l); }
inline void SoundDeviceModelList(std::vector<std::string>& l) { WmiList(Probe::SoundDeviceModelList, l); }
inline void SoundDeviceStatusList(std::vector<std::string>& l) { WmiList(Probe::SoundDeviceStatusList, l); }
inline void DiskDriveCaptionList(std::vector<std::string>& l) { WmiList(Probe::DiskDriveCaptionList, l); }
inline void DiskDriveMediaTypeList(std::vector<std::string>& l) { WmiList(Probe::DiskDriveMediaTypeList, l); }
inline void DiskDriveInterfaceList(std::vector<std::string>& l) { WmiList(Probe::DiskDriveInterfaceList, l); }
inline void DiskDrivePartitionsList(std::vector<std::string>& l) { WmiList(Probe::DiskDrivePartitionsList, l); }
inline void CdromCaptionList(std::vector<std::string>& l) { WmiList(Probe::CdromCaptionList, l); }
inline void CdromDriveList(std::vector<std::string>& l) { WmiList(Probe::CdromDriveList, l); }
inline void CdromDeviceIdList(std::vector<std::string>& l) { WmiList(Probe::CdromDeviceIdList, l); }
inline void IdeControllerList(std::vector<std::string>& l) { WmiList(Probe::IdeControllerList, l); }
inline void SerialPortCaptionList(std::vector<std::string>& l) { WmiList(Probe::SerialPortCaptionList, l); }
inline void CacheMemoryPurposeList(std::vector<std::string>& l) { WmiList(Probe::CacheMemoryPurposeList, l); }
inline void CacheMemorySizeList(std::vector<std::string>& l) { WmiList(Probe::CacheMemorySizeList, l); }
inline void PrinterNameList(std::vector<std::string>& l) { WmiList(Probe::PrinterNameList, l); }
inline void PrinterPortList(std::vector<std::string>& l) { WmiList(Probe::PrinterPortList, l); }
inline void PrinterDriverList(std::vector<std::string>& l) { WmiList(Probe::PrinterDriverList, l); }
inline void PrinterVerticalResolutionList(std::vector<std::string>& l) { WmiList(Probe::PrinterVerticalResolutionList, l); }
inline void PrinterHorizontalResolutionList(std::vector<std::string>& l) { WmiList(Probe::PrinterHorizontalResolutionList, l); }
inline void PrinterProcessorList(std::vector<std::string>& l) { WmiList(Probe::PrinterProcessorList, l); }
inline void PrinterDataTypeList(std::vector<std::string>& l) { WmiList(Probe::PrinterDataTypeList, l); }
inline void PrinterStatusList(std::vector<std::string>& l) { WmiList(Probe::PrinterStatusList, l); }
inline void PrinterDefaultList(std::vector<std::string>& l) { WmiList(Probe::PrinterDefaultList, l); }
inline void PrinterLocalList(std::vector<std::string>& l) { WmiList(Probe::PrinterLocalList, l); }
inline void PrinterNetworkList(std::vector<std::string>& l) { WmiList(Probe::PrinterNetworkList, l); }
inline void LoginProfileCaptionList(std::vector<std::string>& l) { WmiList(Probe::LoginProfileCaptionList, l); }
inline void LoginProfileLogonsList(std::vector<std::string>& l) { WmiList(Probe::LoginProfileLogonsList, l); }
inline void LoginProfileDescriptionList(std::vector<std::string>& l) { WmiList(Probe::LoginProfileDescriptionList, l); }
inline void LoginProfilePrivilegesList(std::vector<std::string>& l) { WmiList(Probe::LoginProfilePrivilegesList, l); }
inline void LoginProfileAccessList(std::vector<std::string>& l) { WmiList(Probe::LoginProfileAccessList, l); }
inline void LoginProfileUserIdList(std::vector<std::string>& l) { WmiList(Probe::LoginProfileUserIdList, l); }

}  // namespace ovix::probes
