// The probe sequence against a fake of its COM calls: each step failing in
// turn, what the service may hand back at the edges, the class read of a
// build. Also the UTF-16 to ANSI conversion and the reading of VARIANTs.
#include "probes/wmi_probes.h"

#include <wbemcli.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ovix::wmi::ComCalls;
using ovix::wmi::ServiceRowSource;
using ovix::wmi::Value;

// A COM object that only counts how many of its kind are alive.
class CountedObject : public IUnknown {
public:
    static inline long alive = 0;
    CountedObject() { ++alive; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0) {
            --alive;
            delete this;
        }
        return static_cast<ULONG>(left);
    }

private:
    virtual ~CountedObject() = default;
    long references_ = 1;
};

enum Step { kInitialize, kSecurity, kLocator, kConnect, kBlanket, kQuery, kStepCount };

class FakeCalls : public ComCalls {
public:
    HRESULT results[kStepCount] = {S_OK, S_OK, S_OK, S_OK, S_OK, S_OK};
    int instances = 2;
    int failingGet = -1;              // the Get call (from 0) that fails
    bool unknownValues = false;       // Get hands out an object inside the VARIANT
    HRESULT lastNext = S_FALSE;       // what Next says after the instances
    bool objectWithLastNext = false;  // ...and whether it still hands out an object
    bool nullLocator = false;

    int uninitialised = 0, nexts = 0, gets = 0;
    std::vector<std::wstring> texts;  // every BSTR the sequence passed

    HRESULT Initialize() override { return results[kInitialize]; }
    void Uninitialize() override { ++uninitialised; }
    HRESULT InitializeSecurity() override { return results[kSecurity]; }
    HRESULT CreateLocator(fw::ComPtr<IUnknown>& locator) override {
        *locator.Put() = nullLocator ? nullptr : new CountedObject;
        return results[kLocator];
    }
    HRESULT ConnectServer(IUnknown*, BSTR nameSpace, fw::ComPtr<IUnknown>& services) override {
        texts.emplace_back(nameSpace, ::SysStringLen(nameSpace));
        // A failing call may still have written an object: it must be released all the same.
        *services.Put() = new CountedObject;
        return results[kConnect];
    }
    HRESULT SetProxyBlanket(IUnknown*) override { return results[kBlanket]; }
    HRESULT ExecQuery(IUnknown*, BSTR language, BSTR query, fw::ComPtr<IUnknown>& enumerator) override {
        texts.emplace_back(language, ::SysStringLen(language));
        texts.emplace_back(query, ::SysStringLen(query));
        *enumerator.Put() = new CountedObject;
        return results[kQuery];
    }
    HRESULT Next(IUnknown*, fw::ComPtr<IUnknown>& object, ULONG& returned) override {
        if (++nexts <= instances) {
            *object.Put() = new CountedObject;
            returned = 1;
            return S_OK;
        }
        if (objectWithLastNext) *object.Put() = new CountedObject;
        returned = objectWithLastNext ? 1 : 0;
        return lastNext;
    }
    HRESULT Get(IUnknown*, BSTR property, VARIANT& value) override {
        const int call = gets++;
        texts.emplace_back(property, ::SysStringLen(property));
        if (call == failingGet) return WBEM_E_NOT_FOUND;
        if (unknownValues) {
            value.vt = VT_UNKNOWN;
            value.punkVal = new CountedObject;
        } else {
            value.vt = VT_BSTR;
            value.bstrVal = ::SysAllocString(call == 0 ? L"first" : L"next");
        }
        return S_OK;
    }
};

class WmiSequence : public testing::Test {
protected:
    void SetUp() override { CountedObject::alive = 0; }
    void TearDown() override { EXPECT_EQ(CountedObject::alive, 0) << "every object released"; }

    std::vector<Value> Read(bool firstOnly = false) {
        ServiceRowSource source(calls);
        return source.Read("Win32_Test", "Caption", firstOnly);
    }
    ovix::wmi::ClassRows ReadClass() {
        ServiceRowSource source(calls);
        const std::string properties[] = {"Caption", "Status"};
        return source.ReadClass("Win32_Test", properties);
    }
    FakeCalls calls;
};

std::vector<std::string> Texts(const std::vector<Value>& values) {
    std::vector<std::string> texts;
    for (const Value& value : values) texts.push_back(value.type == Value::Type::Text ? value.text : "<none>");
    return texts;
}

TEST_F(WmiSequence, OneQueryReadsOneOrEveryListedProperty) {
    EXPECT_EQ(Texts(Read()), (std::vector<std::string>{"first", "next"}));
    calls = FakeCalls{};
    const auto rows = ReadClass();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Texts(rows[0]), (std::vector<std::string>{"first", "next"}));
    EXPECT_EQ(calls.texts, (std::vector<std::wstring>{L"ROOT\\CIMV2", L"WQL", L"SELECT * FROM Win32_Test",
                                                      L"Caption", L"Status", L"Caption", L"Status"}));
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, EachFailingStepIsUndoneCompletely) {
    for (bool wholeClass : {false, true}) {
        for (int step = kInitialize; step < kStepCount; ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step << (wholeClass ? " class" : " probe"));
            calls = FakeCalls{};
            calls.results[step] = E_FAIL;
            EXPECT_TRUE(wholeClass ? ReadClass().empty() : Read().empty());
            EXPECT_EQ(calls.nexts, 0);
            EXPECT_EQ(CountedObject::alive, 0) << "nothing held";
            // COM is uninitialised exactly when this probe's initialisation counted.
            EXPECT_EQ(calls.uninitialised, step == kInitialize ? 0 : 1);
        }
    }
    calls = FakeCalls{};
    calls.nullLocator = true;  // a success without an object stops too
    EXPECT_TRUE(Read().empty());
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, ComStateIsBalancedForEveryInitialisationResult) {
    // A fresh thread, one already in the MTA (S_FALSE still counts), an STA
    // thread (used as it is, nothing to undo), a failure.
    const std::pair<HRESULT, int> cases[] = {{S_OK, 1}, {S_FALSE, 1}, {RPC_E_CHANGED_MODE, 0}, {E_OUTOFMEMORY, 0}};
    for (const auto& [result, uninitialised] : cases) {
        SCOPED_TRACE(result);
        calls = FakeCalls{};
        calls.results[kInitialize] = result;
        calls.results[kSecurity] = RPC_E_TOO_LATE;  // set by an earlier probe: no failure
        EXPECT_EQ(Read().size(), result == E_OUTOFMEMORY ? 0u : 2u);
        EXPECT_EQ(calls.uninitialised, uninitialised);
    }
}

TEST_F(WmiSequence, OnlyOkWithACountOfOneIsAnObject) {
    // The service says "no more" yet hands an object over: released, not read.
    for (HRESULT last : {static_cast<HRESULT>(WBEM_S_FALSE), static_cast<HRESULT>(WBEM_E_FAILED), S_OK}) {
        calls = FakeCalls{};
        calls.lastNext = last;
        calls.objectWithLastNext = last != S_OK;  // S_OK with a count of 0
        EXPECT_EQ(Read().size(), 2u);
        EXPECT_EQ(calls.gets, 2);
    }
    // A line reads one instance; without one it is empty.
    calls = FakeCalls{};
    calls.instances = 5;
    EXPECT_EQ(Texts(Read(true)), std::vector<std::string>{"first"});
    EXPECT_EQ(calls.nexts, 1);
    calls = FakeCalls{};
    calls.instances = 0;
    EXPECT_TRUE(Read(true).empty());
    EXPECT_TRUE(ReadClass().empty());
}

TEST_F(WmiSequence, AFailingGetLosesOneValueOnly) {
    calls.instances = 3;
    calls.failingGet = 3;  // the second instance's Status
    const auto rows = ReadClass();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Texts(rows[1]), (std::vector<std::string>{"next", "<none>"}));
    EXPECT_EQ(rows[1][1].type, Value::Type::Missing);
    EXPECT_EQ(Texts(rows[2]), (std::vector<std::string>{"next", "next"}));
    // Objects inside the VARIANTs are released too (TearDown counts them).
    calls = FakeCalls{};
    calls.unknownValues = true;
    EXPECT_EQ(ReadClass()[0][0].type, Value::Type::Other);
}

TEST(WmiText, ToAnsiWithoutBestFit) {
    using ovix::wmi::ToAnsi;
    const std::wstring latin = L"M\u00FCller \u00AE\u2122 \u0416";
    EXPECT_EQ(ToAnsi(latin.c_str(), latin.size(), 1252), "M\xFCller \xAE\x99 ?");
    // Under 932, "\u00AE" has only a best-fit "R": it must stay "?".
    const std::wstring mixed = L"\u65E5\u672C \u00AE";
    EXPECT_EQ(ToAnsi(mixed.c_str(), mixed.size(), 932), "\x93\xFA\x96\x7B ?");
    // UTF-8 takes neither flag nor default character, and loses nothing.
    EXPECT_EQ(ToAnsi(mixed.c_str(), mixed.size(), CP_UTF8), "\xE6\x97\xA5\xE6\x9C\xAC \xC2\xAE");
    // The symbol code page refuses the flag, as systems before Windows 2000
    // do everywhere: converted without it.
    EXPECT_EQ(ToAnsi(L"\xF041\xF042", 2, 42), "AB");
    EXPECT_EQ(ToAnsi(nullptr, 5, 1252), "");
    // The length counts, not a terminating zero; no fixed buffer.
    EXPECT_EQ(ToAnsi(L"ab\0cd", 5, 1252), std::string("ab\0cd", 5));
    const std::wstring longText(70000, L'\u00E9');
    EXPECT_EQ(ToAnsi(longText.c_str(), longText.size(), 1252), std::string(70000, '\xE9'));
    ASSERT_EQ(::GetACP(), 1252u) << "run under LANG=C.UTF-8 (scripts/env.sh)";
    EXPECT_EQ(ToAnsi(latin.c_str(), latin.size()), "M\xFCller \xAE\x99 ?");
}

TEST(WmiText, VariantsAsValues) {
    using ovix::wmi::ValueOf;
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ(ValueOf(v).type, Value::Type::Null);
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Text) << "a null BSTR is the empty text";
    v.bstrVal = ::SysAllocString(L"Wine \u00AE");
    EXPECT_EQ(ValueOf(v).text, "Wine \xAE");
    ::VariantClear(&v);
    // Signed and unsigned values keep their bits: the formats decide the sign.
    v.vt = VT_I4;
    v.lVal = -1073741824;
    EXPECT_EQ(ValueOf(v).integer, -1073741824);
    v.vt = VT_UI4;
    v.ulVal = 3221225472u;
    EXPECT_EQ(ValueOf(v).integer, 3221225472ll);
    v.vt = VT_I2;
    v.iVal = -2;
    EXPECT_EQ(ValueOf(v).integer, -2);
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_TRUE;
    EXPECT_TRUE(ValueOf(v).boolean);
    v.vt = VT_ARRAY | VT_BSTR;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Other);
}

}  // namespace
