// The probes against the real management service: each compared with the same
// property read by the test's own walk, the COM state of the calling thread,
// the objects the service hands out, a class or property it does not have.
#include "probes/wmi_probes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using ovix::wmi::ComCalls;
using ovix::wmi::Definitions;
using ovix::wmi::ServiceRowSource;
using ovix::wmi::Shape;
using ovix::wmi::Value;

// The named properties of every instance: the test's own walk over the
// service's calls, the probes' sequence left out.
std::vector<std::vector<Value>> OwnRows(const std::string& className, const std::vector<std::string>& properties) {
    std::vector<std::vector<Value>> rows;
    ComCalls& calls = ovix::wmi::SystemComCalls();
    fw::ComPtr<IUnknown> locator, services, results;
    BSTR nameSpace = ::SysAllocString(L"ROOT\\CIMV2"), language = ::SysAllocString(L"WQL");
    BSTR query = ::SysAllocString(std::wstring(L"SELECT * FROM ").append(className.begin(), className.end()).c_str());
    if (SUCCEEDED(calls.CreateLocator(locator)) && SUCCEEDED(calls.ConnectServer(locator.Get(), nameSpace, services)) &&
        SUCCEEDED(calls.ExecQuery(services.Get(), language, query, results))) {
        fw::ComPtr<IUnknown> object;
        for (ULONG count = 0; calls.Next(results.Get(), object, count) == S_OK && count == 1;) {
            auto& row = rows.emplace_back();
            for (const std::string& property : properties) {
                BSTR name = ::SysAllocString(std::wstring(property.begin(), property.end()).c_str());
                VARIANT v;
                ::VariantInit(&v);
                row.push_back(SUCCEEDED(calls.Get(object.Get(), name, v)) ? ovix::wmi::ValueOf(v) : Value{});
                ::VariantClear(&v);
                ::SysFreeString(name);
            }
        }
    }
    for (BSTR text : {nameSpace, language, query}) ::SysFreeString(text);
    return rows;
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

// Every probe, alone and within a build's scope, against the test's own walk.
TEST(WmiService, EveryProbeMatchesTheServicesOwnAnswer) {
    std::vector<std::vector<std::string>> expected;
    std::map<std::string, std::vector<std::vector<Value>>> classes;
    int values = 0;
    for (const auto& probe : Definitions()) {
        const auto properties = ovix::wmi::ListedProperties(probe.className);
        auto found = classes.find(probe.className);
        if (found == classes.end()) found = classes.emplace(probe.className, OwnRows(probe.className, properties)).first;
        const size_t column = std::find(properties.begin(), properties.end(), probe.property) - properties.begin();
        std::vector<std::string> lines = {"before"};
        for (const auto& row : found->second) {
            lines.push_back(ovix::wmi::FormatValue(probe, row[column]));
            values += row[column].type != Value::Type::Missing;
            if (probe.shape == Shape::Line) break;
        }
        expected.push_back(lines);
    }
    // Not a comparison of nothing with nothing: Wine answers a good part.
    EXPECT_GE(values, 20);
    // Within the scope, every object the service hands out is held once more
    // by the test: after the scope the test's release must be the last one.
    HoldingCalls holding;
    ServiceRowSource service(holding);
    for (bool scoped : {false, true}) {
        std::optional<ovix::wmi::ClassReadScope> scope;
        if (scoped) scope.emplace(service);
        for (const auto& probe : Definitions()) {
            SCOPED_TRACE(testing::Message() << probe.name << (scoped ? " in a scope" : " alone"));
            std::vector<std::string> lines = {"before"};
            if (probe.shape == Shape::Line) {
                // A line probe without instance gives the empty line.
                const std::string line = ovix::probes::WmiLine(probe.id);
                if (!line.empty() || expected[static_cast<size_t>(probe.id)].size() > 1) lines.push_back(line);
            } else {
                ovix::probes::WmiList(probe.id, lines);
            }
            EXPECT_EQ(lines, expected[static_cast<size_t>(probe.id)]);
        }
    }
    EXPECT_GE(holding.held.size(), 22u * 3) << "locator, services and results of each class at least";
    for (ULONG left : holding.ReleaseAll()) EXPECT_EQ(left, 0u) << "a read kept a reference";
}

// COM as the thread had it (none, STA, MTA): after a probe the thread's own
// CoInitializeEx answers as before it, and once the thread undid its own
// initialisation COM is free again (no count left behind by the probe).
TEST(WmiService, ThreadComStateIsLeftAsFound) {
    const std::pair<int, HRESULT> cases[] = {
        {-1, S_OK}, {COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE}, {COINIT_MULTITHREADED, S_FALSE}};
    for (const auto& [model, expected] : cases) {
        SCOPED_TRACE(model);
        std::string line;
        HRESULT again = E_FAIL, after = E_FAIL;
        std::thread([&, model = model] {
            if (model >= 0) ::CoInitializeEx(nullptr, model);
            line = ovix::probes::OsManufacturer();
            again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            if (SUCCEEDED(again)) ::CoUninitialize();
            if (model >= 0) ::CoUninitialize();
            after = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            if (SUCCEEDED(after)) ::CoUninitialize();
        }).join();
        EXPECT_EQ(line.rfind("Manufacturer: ", 0), 0u) << "the probe works in every apartment";
        EXPECT_EQ(again, expected);
        EXPECT_EQ(after, S_OK);
    }
}

}  // namespace
