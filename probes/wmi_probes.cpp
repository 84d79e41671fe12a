#include "probes/wmi_probes.h"

#include <oleauto.h>
#include <wbemcli.h>

#include <memory>

namespace ovix::wmi {
namespace {

// The locator's class and interface, spelled out so no extra import library is needed.
constexpr CLSID kWbemLocatorClass = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
constexpr IID kWbemLocatorInterface = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

// A BSTR owned for one scope.
class Bstr {
public:
    explicit Bstr(std::string_view text) {
        // The names and queries are ASCII: each byte is its own UTF-16 unit.
        std::wstring wide(text.begin(), text.end());
        value_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    ~Bstr() { ::SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return value_; }

private:
    BSTR value_ = nullptr;
};

// A VARIANT cleared when the scope ends, whatever it then holds.
class ScopedVariant {
public:
    ScopedVariant() { ::VariantInit(&value_); }
    ~ScopedVariant() { ::VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT& Get() { return value_; }

private:
    VARIANT value_;
};

class SystemCalls : public ComCalls {
public:
    HRESULT Initialize() override { return ::CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    void Uninitialize() override { ::CoUninitialize(); }
    HRESULT InitializeSecurity() override {
        return ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    }
    HRESULT CreateLocator(fw::ComPtr<IUnknown>& locator) override {
        IWbemLocator* created = nullptr;
        const HRESULT result = ::CoCreateInstance(kWbemLocatorClass, nullptr, CLSCTX_INPROC_SERVER,
                                                  kWbemLocatorInterface, reinterpret_cast<void**>(&created));
        *locator.Put() = created;
        return result;
    }
    HRESULT ConnectServer(IUnknown* locator, BSTR nameSpace, fw::ComPtr<IUnknown>& services) override {
        IWbemServices* connected = nullptr;
        const HRESULT result = static_cast<IWbemLocator*>(locator)->ConnectServer(
            nameSpace, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &connected);
        *services.Put() = connected;
        return result;
    }
    HRESULT SetProxyBlanket(IUnknown* services) override {
        return ::CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    }
    HRESULT ExecQuery(IUnknown* services, BSTR language, BSTR query, fw::ComPtr<IUnknown>& enumerator) override {
        IEnumWbemClassObject* results = nullptr;
        const HRESULT result = static_cast<IWbemServices*>(services)->ExecQuery(
            language, query, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &results);
        *enumerator.Put() = results;
        return result;
    }
    HRESULT Next(IUnknown* enumerator, fw::ComPtr<IUnknown>& object, ULONG& returned) override {
        IWbemClassObject* next = nullptr;
        returned = 0;
        const HRESULT result =
            static_cast<IEnumWbemClassObject*>(enumerator)->Next(static_cast<long>(WBEM_INFINITE), 1, &next, &returned);
        // Whatever came back is ours to release, object or not.
        *object.Put() = next;
        return result;
    }
    HRESULT Get(IUnknown* object, BSTR property, VARIANT& value) override {
        return static_cast<IWbemClassObject*>(object)->Get(property, 0, &value, nullptr, nullptr);
    }
};

bool IsUtf(unsigned codePage) { return codePage == CP_UTF8 || codePage == CP_UTF7; }

}  // namespace

ComCalls& SystemComCalls() {
    static SystemCalls calls;
    return calls;
}

namespace {

ClassSource& ServiceClasses() {
    static ServiceRowSource service;
    return service;
}

}  // namespace

std::string ToAnsi(const wchar_t* text, size_t length, unsigned codePage) {
    if (!text || length == 0 || length > 0x7FFFFFFF) return {};
    if (codePage == CP_ACP) codePage = ::GetACP();
    // The UTF code pages refuse both the flag and a default character.
    const bool utf = IsUtf(codePage);
    DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* fallback = utf ? nullptr : "?";
    const int units = static_cast<int>(length);
    int size = ::WideCharToMultiByte(codePage, flags, text, units, nullptr, 0, fallback, nullptr);
    if (size <= 0 && flags && ::GetLastError() == ERROR_INVALID_FLAGS) {
        // Systems before Windows 2000 do not know the flag, and a few code
        // pages (the symbol one) take neither it nor a default character:
        // the system's own rules then, whose default character is "?" too.
        flags = 0;
        fallback = nullptr;
        size = ::WideCharToMultiByte(codePage, flags, text, units, nullptr, 0, fallback, nullptr);
    }
    if (size <= 0) return {};
    std::string result(static_cast<size_t>(size), '\0');
    const int written = ::WideCharToMultiByte(codePage, flags, text, units, result.data(), size, fallback, nullptr);
    if (written <= 0) return {};
    result.resize(static_cast<size_t>(written));
    return result;
}

Value ValueOf(const VARIANT& variant) {
    switch (variant.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return Value::OfNull();
    case VT_BSTR:
        // A null BSTR is the empty text.
        return Value::OfText(variant.bstrVal ? ToAnsi(variant.bstrVal, ::SysStringLen(variant.bstrVal)) : "");
    case VT_BOOL:
        return Value::OfBoolean(variant.boolVal != VARIANT_FALSE);
    case VT_I1:
        return Value::OfInteger(variant.cVal);
    case VT_UI1:
        return Value::OfInteger(variant.bVal);
    case VT_I2:
        return Value::OfInteger(variant.iVal);
    case VT_UI2:
        return Value::OfInteger(variant.uiVal);
    case VT_I4:
        return Value::OfInteger(variant.lVal);
    case VT_UI4:
        return Value::OfInteger(variant.ulVal);
    case VT_INT:
        return Value::OfInteger(variant.intVal);
    case VT_UINT:
        return Value::OfInteger(variant.uintVal);
    case VT_I8:
        return Value::OfInteger(variant.llVal);
    case VT_UI8:
        return Value::OfInteger(static_cast<std::int64_t>(variant.ullVal));
    default:
        return Value::OfOther();
    }
}

std::vector<Value> ServiceRowSource::Read(std::string_view className, std::string_view property, bool firstOnly) {
    const std::string properties[] = {std::string(property)};
    std::vector<Value> values;
    for (auto& row : Run(className, properties, firstOnly)) values.push_back(std::move(row.front()));
    return values;
}

ClassRows ServiceRowSource::ReadClass(std::string_view className, std::span<const std::string> properties) {
    return properties.empty() ? ClassRows{} : Run(className, properties, false);
}

ClassRows ServiceRowSource::Run(std::string_view className, std::span<const std::string> properties,
                                bool firstOnly) {
    ClassRows rows;
    const HRESULT init = calls_.Initialize();
    // A thread already in the other apartment goes on in it, without an
    // initialisation of ours to undo; S_FALSE is a count of ours like S_OK.
    if (FAILED(init) && init != RPC_E_CHANGED_MODE) return rows;
    RunInApartment(className, properties, firstOnly, rows);
    if (SUCCEEDED(init)) calls_.Uninitialize();
    return rows;
}

// Steps 2 to 8. The query asks for every property: naming the few we read
// ("SELECT A, B FROM ...") measured no faster under Wine, whose slow classes
// are slow to fill whatever is asked, and a service may refuse a name its
// class lacks. Every object is released when this returns, before COM is
// uninitialised.
void ServiceRowSource::RunInApartment(std::string_view className, std::span<const std::string> properties,
                                      bool firstOnly, ClassRows& rows) {
    const HRESULT security = calls_.InitializeSecurity();
    // Set once per process: every probe after the first hears "too late".
    if (FAILED(security) && security != RPC_E_TOO_LATE) return;

    fw::ComPtr<IUnknown> locator;
    if (FAILED(calls_.CreateLocator(locator)) || !locator) return;
    const Bstr nameSpace("ROOT\\CIMV2");
    fw::ComPtr<IUnknown> services;
    if (FAILED(calls_.ConnectServer(locator.Get(), nameSpace.Get(), services)) || !services) return;
    if (FAILED(calls_.SetProxyBlanket(services.Get()))) return;

    const Bstr language("WQL");
    const Bstr query(std::string("SELECT * FROM ").append(className));
    fw::ComPtr<IUnknown> enumerator;
    if (FAILED(calls_.ExecQuery(services.Get(), language.Get(), query.Get(), enumerator)) || !enumerator) return;

    std::vector<std::unique_ptr<Bstr>> names;
    for (const std::string& property : properties) names.push_back(std::make_unique<Bstr>(property));
    for (;;) {
        fw::ComPtr<IUnknown> object;
        ULONG returned = 0;
        const HRESULT fetched = calls_.Next(enumerator.Get(), object, returned);
        if (fetched != S_OK || returned != 1 || !object) break;
        // A property that cannot be read still counts for its instance, so
        // the lists of one class stay in step.
        std::vector<Value>& row = rows.emplace_back();
        for (const auto& name : names) {
            ScopedVariant value;
            row.push_back(SUCCEEDED(calls_.Get(object.Get(), name->Get(), value.Get())) ? ValueOf(value.Get())
                                                                                          : Value{});
        }
        if (firstOnly) break;
    }
}

ClassReadScope::ClassReadScope() : ClassReadScope(ServiceClasses()) {}

}  // namespace ovix::wmi

namespace ovix::probes {

std::string WmiLine(wmi::Probe probe) {
    if (wmi::RowSource* scoped = wmi::ClassReadScope::Current()) return wmi::RunLine(*scoped, probe);
    wmi::ServiceRowSource source;
    return wmi::RunLine(source, probe);
}

void WmiList(wmi::Probe probe, std::vector<std::string>& lines) {
    if (wmi::RowSource* scoped = wmi::ClassReadScope::Current()) return wmi::RunList(*scoped, probe, lines);
    wmi::ServiceRowSource source;
    wmi::RunList(source, probe, lines);
}

}  // namespace ovix::probes
