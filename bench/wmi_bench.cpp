// Cost of the management-service probes of one tree build, four ways, run
// interleaved over rounds and reported as medians:
//  a) through our probes, one query per probe (a probe called alone);
//  b) the same queries with bare COM calls, one connection per query;
//  c) the floor: the same queries back to back on one connection;
//  d) through our probes within a ClassReadScope (one read per class, as the
//     program's build does).
// a/b is what our layer adds; b/c is what one connection per probe costs;
// d/a is what the scope saves.
// "wmi_bench select" times, class by class, the listed properties selected by
// name against SELECT *, both on one connection, every listed property read.
#include "bench/bench_clock.h"
#include "framework/win.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_probes.h"

#include <wbemcli.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr CLSID kLocatorClass = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
constexpr IID kLocatorInterface = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

// The probes a tree build runs: all of them but the serial-port list.
std::vector<const ovix::wmi::ProbeDef*> TreeProbes() {
    std::vector<const ovix::wmi::ProbeDef*> probes;
    for (const auto& probe : ovix::wmi::Definitions()) {
        if (probe.id != ovix::wmi::Probe::SerialPortCaptionList) probes.push_back(&probe);
    }
    return probes;
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

// The instances of a query (the first alone when asked) read for the named
// properties and dropped; how many were read.
size_t ReadAll(IWbemServices* services, const std::wstring& text, const std::vector<std::string>& properties,
               bool firstOnly = false) {
    size_t read = 0;
    BSTR language = ::SysAllocString(L"WQL");
    BSTR query = ::SysAllocString(text.c_str());
    std::vector<BSTR> names;
    for (const std::string& property : properties) names.push_back(::SysAllocString(Wide(property.c_str()).c_str()));
    IEnumWbemClassObject* results = nullptr;
    if (SUCCEEDED(services->ExecQuery(language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                      &results)) &&
        results) {
        for (;;) {
            IWbemClassObject* object = nullptr;
            ULONG count = 0;
            if (results->Next(static_cast<long>(WBEM_INFINITE), 1, &object, &count) != S_OK || count != 1) {
                if (object) object->Release();
                break;
            }
            for (BSTR name : names) {
                VARIANT value;
                ::VariantInit(&value);
                object->Get(name, 0, &value, nullptr, nullptr);
                ::VariantClear(&value);
            }
            object->Release();
            ++read;
            if (firstOnly) break;
        }
        results->Release();
    }
    for (BSTR name : names) ::SysFreeString(name);
    ::SysFreeString(language);
    ::SysFreeString(query);
    return read;
}

// One query on an open connection: the probe's property of its instances.
size_t QueryOn(IWbemServices* services, const ovix::wmi::ProbeDef& probe) {
    return ReadAll(services, L"SELECT * FROM " + Wide(probe.className), {probe.property},
                   probe.shape == ovix::wmi::Shape::Line);
}

IWbemServices* Connect(IWbemLocator** locator) {
    *locator = nullptr;
    if (FAILED(::CoCreateInstance(kLocatorClass, nullptr, CLSCTX_INPROC_SERVER, kLocatorInterface,
                                  reinterpret_cast<void**>(locator)))) {
        return nullptr;
    }
    IWbemServices* services = nullptr;
    BSTR nameSpace = ::SysAllocString(L"ROOT\\CIMV2");
    (*locator)->ConnectServer(nameSpace, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
    ::SysFreeString(nameSpace);
    if (services) {
        ::CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                            RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    }
    return services;
}

double Ours(const std::vector<const ovix::wmi::ProbeDef*>& probes) {
    const double start = NowMs();
    for (const auto* probe : probes) {
        if (probe->shape == ovix::wmi::Shape::Line) {
            ovix::probes::WmiLine(probe->id);
        } else {
            std::vector<std::string> lines;
            ovix::probes::WmiList(probe->id, lines);
        }
    }
    return NowMs() - start;
}

double BareOnePerQuery(const std::vector<const ovix::wmi::ProbeDef*>& probes) {
    const double start = NowMs();
    for (const auto* probe : probes) {
        const HRESULT init = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                               nullptr, EOAC_NONE, nullptr);
        IWbemLocator* locator = nullptr;
        if (IWbemServices* services = Connect(&locator)) {
            QueryOn(services, *probe);
            services->Release();
        }
        if (locator) locator->Release();
        if (SUCCEEDED(init)) ::CoUninitialize();
    }
    return NowMs() - start;
}

double OneConnection(const std::vector<const ovix::wmi::ProbeDef*>& probes) {
    const double start = NowMs();
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IWbemLocator* locator = nullptr;
    if (IWbemServices* services = Connect(&locator)) {
        for (const auto* probe : probes) QueryOn(services, *probe);
        services->Release();
    }
    if (locator) locator->Release();
    if (SUCCEEDED(init)) ::CoUninitialize();
    return NowMs() - start;
}

double Scoped(const std::vector<const ovix::wmi::ProbeDef*>& probes) {
    const double start = NowMs();
    {
        const ovix::wmi::ClassReadScope scope;
        Ours(probes);
    }
    return NowMs() - start;
}

// Per class: the listed properties selected by name, then SELECT *, on one
// connection, interleaved over rounds; medians in ms, and the instances.
int CompareSelects(int rounds) {
    std::vector<std::string> classes;
    for (const auto& probe : ovix::wmi::Definitions()) {
        if (std::find(classes.begin(), classes.end(), probe.className) == classes.end()) {
            classes.emplace_back(probe.className);
        }
    }
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                           nullptr, EOAC_NONE, nullptr);
    IWbemLocator* locator = nullptr;
    IWbemServices* services = Connect(&locator);
    double namedTotal = 0, starTotal = 0;
    for (const std::string& className : classes) {
        const auto properties = ovix::wmi::ListedProperties(className);
        std::wstring named = L"SELECT ";
        for (size_t i = 0; i < properties.size(); ++i) named += (i ? L", " : L"") + Wide(properties[i].c_str());
        named += L" FROM " + Wide(className.c_str());
        const std::wstring star = L"SELECT * FROM " + Wide(className.c_str());
        std::vector<double> byName, all;
        size_t namedRead = 0, starRead = 0;
        ReadAll(services, star, properties);  // warm the class
        for (int round = 0; round < rounds; ++round) {
            double start = NowMs();
            namedRead = ReadAll(services, named, properties);
            byName.push_back(NowMs() - start);
            start = NowMs();
            starRead = ReadAll(services, star, properties);
            all.push_back(NowMs() - start);
        }
        namedTotal += Median(byName);
        starTotal += Median(all);
        std::printf("%9.2f %9.2f %2zu %2zu %s\n", Median(byName), Median(all), namedRead, starRead, className.c_str());
    }
    std::printf("%9.2f %9.2f total (by name, SELECT *)\n", namedTotal, starTotal);
    if (services) services->Release();
    if (locator) locator->Release();
    if (SUCCEEDED(init)) ::CoUninitialize();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto probes = TreeProbes();
    if (argc > 1 && std::string(argv[1]) == "each") {
        // Where the time goes: each probe through our code, once warmed.
        Ours(probes);
        for (const auto* probe : probes) {
            std::printf("%8.2f %s\n", Ours({probe}), probe->name);
        }
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "select") return CompareSelects(argc > 2 ? std::atoi(argv[2]) : 5);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    // Warm the service and set the process security once, as a run of the program does.
    OneConnection(probes);
    Ours(probes);
    std::vector<double> a, b, c, d;
    for (int round = 0; round < rounds; ++round) {
        a.push_back(Ours(probes));
        b.push_back(BareOnePerQuery(probes));
        c.push_back(OneConnection(probes));
        d.push_back(Scoped(probes));
    }
    std::printf("%zu %.2f %.2f %.2f %.2f\n", probes.size(), Median(a), Median(b), Median(c), Median(d));
    return 0;
}
