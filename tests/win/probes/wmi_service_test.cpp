// The probes against the real management service: each compared with the same
// property read by the test's own bare query, the COM state of the calling
// thread, the objects the service hands out, a class it does not have.
#include "probes/wmi_probes.h"

#include <wbemcli.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using ovix::wmi::ComCalls;
using ovix::wmi::Definitions;
using ovix::wmi::Probe;
using ovix::wmi::ServiceRowSource;
using ovix::wmi::Shape;
using ovix::wmi::Value;

constexpr CLSID kLocatorClass = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
constexpr IID kLocatorInterface = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

// The test's own reading of a property: ASCII texts, integers, booleans.
Value OwnValue(HRESULT got, const VARIANT& v) {
    if (FAILED(got)) return {};
    switch (v.vt) {
    case VT_BSTR: {
        std::string text;
        for (UINT i = 0; v.bstrVal && i < ::SysStringLen(v.bstrVal); ++i) {
            text += v.bstrVal[i] < 0x80 ? static_cast<char>(v.bstrVal[i]) : '?';
        }
        return Value::OfText(text);
    }
    case VT_I4: return Value::OfInteger(v.lVal);
    case VT_UI1: return Value::OfInteger(v.bVal);
    case VT_I2: return Value::OfInteger(v.iVal);
    case VT_BOOL: return Value::OfBoolean(v.boolVal != VARIANT_FALSE);
    case VT_NULL:
    case VT_EMPTY: return Value::OfNull();
    default: return Value::OfOther();
    }
}

// Every instance's property through one connection of the test's own, made
// on the calling (STA) thread.
std::vector<Value> OwnQuery(const char* className, const char* property) {
    std::vector<Value> values;
    IWbemLocator* locator = nullptr;
    if (FAILED(::CoCreateInstance(kLocatorClass, nullptr, CLSCTX_INPROC_SERVER, kLocatorInterface,
                                  reinterpret_cast<void**>(&locator)))) {
        ADD_FAILURE() << "no locator";
        return values;
    }
    IWbemServices* services = nullptr;
    BSTR nameSpace = ::SysAllocString(L"ROOT\\CIMV2");
    locator->ConnectServer(nameSpace, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
    ::SysFreeString(nameSpace);
    if (services) {
        BSTR language = ::SysAllocString(L"WQL");
        BSTR query = ::SysAllocString((L"SELECT * FROM " + Wide(className)).c_str());
        BSTR name = ::SysAllocString(Wide(property).c_str());
        IEnumWbemClassObject* results = nullptr;
        services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY, nullptr, &results);
        while (results) {
            IWbemClassObject* object = nullptr;
            ULONG count = 0;
            if (results->Next(static_cast<long>(WBEM_INFINITE), 1, &object, &count) != S_OK || count != 1) {
                if (object) object->Release();
                break;
            }
            VARIANT v;
            ::VariantInit(&v);
            const HRESULT got = object->Get(name, 0, &v, nullptr, nullptr);
            values.push_back(OwnValue(got, v));
            ::VariantClear(&v);
            object->Release();
        }
        if (results) results->Release();
        ::SysFreeString(language);
        ::SysFreeString(query);
        ::SysFreeString(name);
        services->Release();
    }
    locator->Release();
    return values;
}

TEST(WmiService, EveryProbeMatchesTheServicesOwnAnswer) {
    int lineValues = 0, listLines = 0;
    for (const auto& probe : Definitions()) {
        SCOPED_TRACE(probe.name);
        const std::vector<Value> own = OwnQuery(probe.className, probe.property);
        if (probe.shape == Shape::Line) {
            const std::string line = ovix::probes::WmiLine(probe.id);
            EXPECT_EQ(line, own.empty() ? "" : ovix::wmi::FormatValue(probe, own.front()));
            if (!own.empty() && own.front().type != Value::Type::Missing) ++lineValues;
        } else {
            std::vector<std::string> lines = {"before"};
            ovix::probes::WmiList(probe.id, lines);
            std::vector<std::string> expected = {"before"};
            for (const Value& value : own) expected.push_back(ovix::wmi::FormatValue(probe, value));
            EXPECT_EQ(lines, expected) << "one line per instance, in the service's order";
            listLines += static_cast<int>(own.size());
        }
    }
    // Not a comparison of nothing with nothing: Wine answers a good part.
    EXPECT_GE(lineValues, 15);
    EXPECT_GE(listLines, 4);
}

TEST(WmiService, KnownAnswersOfThisService) {
    EXPECT_EQ(ovix::probes::OsManufacturer().rfind("Manufacturer: ", 0), 0u);
    EXPECT_GT(ovix::probes::OsManufacturer().size(), std::string("Manufacturer: ").size());
    // A 64-bit processor's architecture code (9) is not in the table.
    const auto architecture = OwnQuery("Win32_Processor", "Architecture");
    ASSERT_FALSE(architecture.empty());
    if (architecture[0].integer == 9) {
        EXPECT_EQ(ovix::probes::ProcessorArchitecture(), "");
    }
    const auto family = OwnQuery("Win32_Processor", "Family");
    ASSERT_FALSE(family.empty());
    if (family[0].integer == 2) {
        EXPECT_EQ(ovix::probes::ProcessorFamily(), "Unknown");
    }
    // Classes without instance here: the empty line, the caller's list untouched.
    EXPECT_EQ(ovix::probes::KeyboardDeviceId(), "");
    EXPECT_EQ(ovix::probes::ActivationRequired(), "");
    std::vector<std::string> printers = {"kept"};
    ovix::probes::PrinterNameList(printers);
    EXPECT_EQ(printers, std::vector<std::string>{"kept"});
}

TEST(WmiService, ListsOfOneClassStayInStep) {
    std::vector<std::string> captions, media, interfaces, partitions;
    ovix::probes::DiskDriveCaptionList(captions);
    ovix::probes::DiskDriveMediaTypeList(media);
    ovix::probes::DiskDriveInterfaceList(interfaces);
    ovix::probes::DiskDrivePartitionsList(partitions);
    const size_t disks = OwnQuery("Win32_DiskDrive", "DeviceID").size();
    EXPECT_EQ(captions.size(), disks);
    EXPECT_EQ(media.size(), disks);
    EXPECT_EQ(interfaces.size(), disks);
    EXPECT_EQ(partitions.size(), disks);

    std::vector<std::string> makers, models, statuses;
    ovix::probes::SoundDeviceManufacturerList(makers);
    ovix::probes::SoundDeviceModelList(models);
    ovix::probes::SoundDeviceStatusList(statuses);
    const size_t devices = OwnQuery("Win32_SoundDevice", "DeviceID").size();
    EXPECT_EQ(makers.size(), devices);
    EXPECT_EQ(models.size(), devices);
    EXPECT_EQ(statuses.size(), devices);
    for (const std::string& model : models) EXPECT_EQ(model.rfind("Model: ", 0), 0u) << model;
}

TEST(WmiService, EveryProbeAfterTheFirstStillAnswers) {
    const std::string first = ovix::probes::OsManufacturer();
    ASSERT_FALSE(first.empty());
    for (int run = 0; run < 5; ++run) {
        EXPECT_EQ(ovix::probes::OsManufacturer(), first);
        EXPECT_EQ(ovix::probes::OsSystemDrive().rfind("System drive: ", 0), 0u);
    }
}

// The system's calls, each object handed out held once more by the test, so
// that after the probe the test's own release must be the last one.
class HoldingCalls : public ComCalls {
public:
    ComCalls& real = ovix::wmi::SystemComCalls();
    std::vector<IUnknown*> held;

    HRESULT Initialize() override { return real.Initialize(); }
    void Uninitialize() override { real.Uninitialize(); }
    HRESULT InitializeSecurity() override { return real.InitializeSecurity(); }
    HRESULT CreateLocator(fw::ComPtr<IUnknown>& locator) override { return Hold(real.CreateLocator(locator), locator); }
    HRESULT ConnectServer(IUnknown* locator, BSTR nameSpace, fw::ComPtr<IUnknown>& services) override {
        return Hold(real.ConnectServer(locator, nameSpace, services), services);
    }
    HRESULT SetProxyBlanket(IUnknown* services) override { return real.SetProxyBlanket(services); }
    HRESULT ExecQuery(IUnknown* services, BSTR language, BSTR query, fw::ComPtr<IUnknown>& results) override {
        return Hold(real.ExecQuery(services, language, query, results), results);
    }
    HRESULT Next(IUnknown* results, fw::ComPtr<IUnknown>& object, ULONG& returned) override {
        return Hold(real.Next(results, object, returned), object);
    }
    HRESULT Get(IUnknown* object, BSTR property, VARIANT& value) override { return real.Get(object, property, value); }

    // Releases the test's references, last taken first; the counts left.
    std::vector<ULONG> ReleaseAll() {
        std::vector<ULONG> left;
        for (auto it = held.rbegin(); it != held.rend(); ++it) left.push_back((*it)->Release());
        held.clear();
        return left;
    }

private:
    HRESULT Hold(HRESULT result, fw::ComPtr<IUnknown>& object) {
        if (object) {
            object->AddRef();
            held.push_back(object.Get());
        }
        return result;
    }
};

TEST(WmiService, ObjectsAreReleasedAndAMissingClassIsEmpty) {
    for (const char* className : {"Win32_OperatingSystem", "Win32_NoSuchClassAtAll", "Win32_Keyboard"}) {
        SCOPED_TRACE(className);
        HoldingCalls calls;
        ServiceRowSource source(calls);
        const auto values = source.Read(className, "Caption", false);
        EXPECT_EQ(values.empty(), std::string(className) != "Win32_OperatingSystem");
        EXPECT_GE(calls.held.size(), 3u) << "locator, services, results";
        for (ULONG left : calls.ReleaseAll()) EXPECT_EQ(left, 0u) << "the probe kept a reference";
    }
}

// COM as the thread had it: initialised in the STA or the MTA, or not at all.
enum class Apartment { None, Single, Multi };

struct ThreadOutcome {
    std::string line;
    HRESULT probeAgain = S_OK;   // CoInitializeEx(MTA) after the probe, before the thread's own undo
    HRESULT afterUndo = S_OK;    // CoInitializeEx(STA) once the thread undid its own initialisation
};

ThreadOutcome RunOnThread(Apartment apartment) {
    ThreadOutcome outcome;
    std::thread thread([&] {
        if (apartment == Apartment::Single) ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (apartment == Apartment::Multi) ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        outcome.line = ovix::probes::OsManufacturer();
        outcome.probeAgain = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(outcome.probeAgain)) ::CoUninitialize();
        if (apartment != Apartment::None) ::CoUninitialize();
        // Fully uninitialised again only when the probe left no count behind.
        outcome.afterUndo = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(outcome.afterUndo)) ::CoUninitialize();
    });
    thread.join();
    return outcome;
}

TEST(WmiService, ThreadComStateIsLeftAsFound) {
    const ThreadOutcome single = RunOnThread(Apartment::Single);
    EXPECT_EQ(single.line.rfind("Manufacturer: ", 0), 0u) << "the probe works inside an STA";
    EXPECT_EQ(single.probeAgain, RPC_E_CHANGED_MODE) << "still the STA";
    EXPECT_EQ(single.afterUndo, S_OK);

    const ThreadOutcome multi = RunOnThread(Apartment::Multi);
    EXPECT_EQ(multi.line.rfind("Manufacturer: ", 0), 0u);
    EXPECT_EQ(multi.probeAgain, S_FALSE) << "still the MTA";
    EXPECT_EQ(multi.afterUndo, S_OK) << "the probe's S_FALSE count was undone";

    const ThreadOutcome none = RunOnThread(Apartment::None);
    EXPECT_EQ(none.line.rfind("Manufacturer: ", 0), 0u);
    EXPECT_EQ(none.probeAgain, S_OK) << "the probe uninitialised what it initialised";
    EXPECT_EQ(none.afterUndo, S_OK);
}

}  // namespace
