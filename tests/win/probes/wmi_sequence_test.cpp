// The probe sequence against a fake of its COM calls: each step failing in
// turn, and what the service may hand back at the edges. Also the UTF-16 to
// ANSI conversion and the reading of VARIANTs.
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
    static long& Alive() {
        static long alive = 0;
        return alive;
    }
    CountedObject() { ++Alive(); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --references_;
        if (left == 0) {
            --Alive();
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
    std::vector<int> failingGets;      // instance numbers (from 0) whose Get fails
    bool unknownValues = false;        // Get hands out an object inside the VARIANT
    HRESULT lastNext = S_FALSE;        // what Next says after the instances
    bool objectWithLastNext = false;   // ...and whether it still hands out an object
    bool nullLocator = false;

    int initialised = 0, uninitialised = 0, nexts = 0, gets = 0;
    std::vector<std::wstring> texts;   // every BSTR the sequence passed

    HRESULT Initialize() override {
        ++initialised;
        return results[kInitialize];
    }
    void Uninitialize() override { ++uninitialised; }
    HRESULT InitializeSecurity() override { return results[kSecurity]; }
    HRESULT CreateLocator(fw::ComPtr<IUnknown>& locator) override {
        *locator.Put() = nullLocator ? nullptr : new CountedObject;
        return results[kLocator];
    }
    HRESULT ConnectServer(IUnknown* locator, BSTR nameSpace, fw::ComPtr<IUnknown>& services) override {
        EXPECT_NE(locator, nullptr);
        texts.emplace_back(nameSpace, ::SysStringLen(nameSpace));
        // A failing call may still have written an object: it must be released all the same.
        *services.Put() = new CountedObject;
        return results[kConnect];
    }
    HRESULT SetProxyBlanket(IUnknown* services) override {
        EXPECT_NE(services, nullptr);
        return results[kBlanket];
    }
    HRESULT ExecQuery(IUnknown*, BSTR language, BSTR query, fw::ComPtr<IUnknown>& enumerator) override {
        texts.emplace_back(language, ::SysStringLen(language));
        texts.emplace_back(query, ::SysStringLen(query));
        *enumerator.Put() = new CountedObject;
        return results[kQuery];
    }
    HRESULT Next(IUnknown*, fw::ComPtr<IUnknown>& object, ULONG& returned) override {
        ++nexts;
        if (nexts <= instances) {
            *object.Put() = new CountedObject;
            returned = 1;
            return S_OK;
        }
        if (objectWithLastNext) *object.Put() = new CountedObject;
        returned = objectWithLastNext ? 1 : 0;
        return lastNext;
    }
    HRESULT Get(IUnknown*, BSTR property, VARIANT& value) override {
        const int instance = gets++;
        texts.emplace_back(property, ::SysStringLen(property));
        for (int failing : failingGets) {
            if (failing == instance) return WBEM_E_NOT_FOUND;
        }
        if (unknownValues) {
            value.vt = VT_UNKNOWN;
            value.punkVal = new CountedObject;
        } else {
            value.vt = VT_BSTR;
            value.bstrVal = ::SysAllocString(instance == 0 ? L"first" : L"next");
        }
        return S_OK;
    }
};

class WmiSequence : public testing::Test {
protected:
    void SetUp() override { CountedObject::Alive() = 0; }
    void TearDown() override { EXPECT_EQ(CountedObject::Alive(), 0) << "every object released"; }

    std::vector<Value> Read(bool firstOnly = false) {
        ServiceRowSource source(calls);
        return source.Read("Win32_Test", "Caption", firstOnly);
    }
    FakeCalls calls;
};

std::vector<std::string> Texts(const std::vector<Value>& values) {
    std::vector<std::string> texts;
    for (const Value& value : values) texts.push_back(value.type == Value::Type::Text ? value.text : "<none>");
    return texts;
}

TEST_F(WmiSequence, ReadsEachInstanceWithTheQueryOfThePart) {
    EXPECT_EQ(Texts(Read()), (std::vector<std::string>{"first", "next"}));
    EXPECT_EQ(calls.texts, (std::vector<std::wstring>{L"ROOT\\CIMV2", L"WQL", L"SELECT * FROM Win32_Test", L"Caption",
                                                      L"Caption"}));
    EXPECT_EQ(calls.initialised, 1);
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, EachFailingStepIsUndoneCompletely) {
    for (int step = kInitialize; step < kStepCount; ++step) {
        SCOPED_TRACE(step);
        calls = FakeCalls{};
        calls.results[step] = E_FAIL;
        EXPECT_TRUE(Read().empty());
        EXPECT_EQ(calls.nexts, 0);
        EXPECT_EQ(CountedObject::Alive(), 0) << "nothing held";
        // COM is uninitialised exactly when this probe's initialisation counted.
        EXPECT_EQ(calls.uninitialised, step == kInitialize ? 0 : 1);
    }
}

TEST_F(WmiSequence, ComStateIsBalancedForEveryInitialisationResult) {
    const struct {
        HRESULT result;
        bool reads;
        int uninitialised;
    } cases[] = {
        {S_OK, true, 1},                 // a fresh thread: ours to undo
        {S_FALSE, true, 1},              // already in the MTA: still counted, still undone
        {RPC_E_CHANGED_MODE, true, 0},   // an STA thread: used as it is, nothing to undo
        {E_OUTOFMEMORY, false, 0},
        {CO_E_NOTINITIALIZED, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        calls = FakeCalls{};
        calls.results[kInitialize] = c.result;
        EXPECT_EQ(Read().size(), c.reads ? 2u : 0u);
        EXPECT_EQ(calls.uninitialised, c.uninitialised);
    }
}

TEST_F(WmiSequence, SecurityAlreadySetIsNoFailure) {
    calls.results[kSecurity] = RPC_E_TOO_LATE;
    EXPECT_EQ(Read().size(), 2u);
    calls = FakeCalls{};
    calls.results[kSecurity] = RPC_E_NO_GOOD_SECURITY_PACKAGES;
    EXPECT_TRUE(Read().empty());
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, ASuccessWithoutObjectStops) {
    calls.nullLocator = true;
    EXPECT_TRUE(Read().empty());
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, OnlyOkWithACountOfOneIsAnObject) {
    // The service says "no more" yet hands an object over: released, not read.
    calls.lastNext = WBEM_S_FALSE;
    calls.objectWithLastNext = true;
    EXPECT_EQ(Read().size(), 2u);
    EXPECT_EQ(calls.gets, 2);

    calls = FakeCalls{};
    calls.lastNext = WBEM_E_FAILED;
    calls.objectWithLastNext = true;
    EXPECT_EQ(Read().size(), 2u);

    calls = FakeCalls{};
    calls.lastNext = S_OK;  // OK with a count of 0
    EXPECT_EQ(Read().size(), 2u);
    EXPECT_EQ(calls.nexts, 3);
}

TEST_F(WmiSequence, AFailingGetKeepsItsInstance) {
    calls.instances = 3;
    calls.failingGets = {1};
    const auto values = Read();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].type, Value::Type::Text);
    EXPECT_EQ(values[1].type, Value::Type::Missing);
    EXPECT_EQ(values[2].type, Value::Type::Text);
}

TEST_F(WmiSequence, EveryVariantIsCleared) {
    calls.instances = 4;
    calls.unknownValues = true;
    const auto values = Read();
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0].type, Value::Type::Other);
    // TearDown proves that the objects inside the VARIANTs were released.
}

TEST_F(WmiSequence, ALineReadsOneInstanceOnly) {
    calls.instances = 5;
    EXPECT_EQ(Texts(Read(true)), std::vector<std::string>{"first"});
    EXPECT_EQ(calls.nexts, 1);
    calls = FakeCalls{};
    calls.instances = 0;
    EXPECT_TRUE(Read(true).empty());
    EXPECT_EQ(calls.uninitialised, 1);
}

TEST_F(WmiSequence, RepeatedRunsStayBalanced) {
    for (int run = 0; run < 50; ++run) {
        calls.results[kSecurity] = run == 0 ? S_OK : RPC_E_TOO_LATE;
        calls.nexts = calls.gets = 0;  // a fresh enumeration each run
        EXPECT_EQ(Read().size(), 2u);
    }
    EXPECT_EQ(calls.initialised, 50);
    EXPECT_EQ(calls.uninitialised, 50);
}

TEST(WmiText, ToAnsiWithoutBestFit) {
    using ovix::wmi::ToAnsi;
    const std::wstring latin = L"M\u00FCller \u00AE\u2122 \u00B5";
    EXPECT_EQ(ToAnsi(latin.c_str(), latin.size(), 1252), "M\xFCller \xAE\x99 \xB5");
    // Characters code page 1252 lacks become "?", look-alikes are not used.
    const std::wstring cyrillic = L"\u0416\u0443\u043A \u0141\u00F3d\u017A";
    EXPECT_EQ(ToAnsi(cyrillic.c_str(), cyrillic.size(), 1252), "??? ?\xF3" "d?");
    // Under 932, "\u00AE" has only a best-fit "R": it must stay "?".
    const std::wstring mixed = L"\u65E5\u672C \u00AE";
    EXPECT_EQ(ToAnsi(mixed.c_str(), mixed.size(), 932), "\x93\xFA\x96\x7B ?");
    // UTF-8 takes neither flag nor default character, and loses nothing.
    EXPECT_EQ(ToAnsi(mixed.c_str(), mixed.size(), CP_UTF8), "\xE6\x97\xA5\xE6\x9C\xAC \xC2\xAE");
    // The symbol code page refuses the flag, as systems before Windows 2000
    // do everywhere: converted without it.
    EXPECT_EQ(ToAnsi(L"\xF041\xF042", 2, 42), "AB");
    EXPECT_EQ(ToAnsi(L"", 0, 1252), "");
    EXPECT_EQ(ToAnsi(nullptr, 5, 1252), "");
    // The length counts, not a terminating zero.
    EXPECT_EQ(ToAnsi(L"ab\0cd", 5, 1252), std::string("ab\0cd", 5));
    // No fixed buffer: a long text comes through whole.
    const std::wstring longText(70000, L'\u00E9');
    EXPECT_EQ(ToAnsi(longText.c_str(), longText.size(), 1252), std::string(70000, '\xE9'));
    // The process's own code page, pinned to 1252 by the test environment.
    ASSERT_EQ(::GetACP(), 1252u) << "run under LANG=C.UTF-8 (scripts/env.sh)";
    EXPECT_EQ(ToAnsi(latin.c_str(), latin.size()), "M\xFCller \xAE\x99 \xB5");
}

TEST(WmiText, VariantsAsValues) {
    using ovix::wmi::ValueOf;
    VARIANT v;
    ::VariantInit(&v);
    EXPECT_EQ(ValueOf(v).type, Value::Type::Null);
    v.vt = VT_NULL;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Null);
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Text);
    EXPECT_EQ(ValueOf(v).text, "") << "a null BSTR is the empty text";
    v.bstrVal = ::SysAllocString(L"Wine \u00AE");
    EXPECT_EQ(ValueOf(v).text, "Wine \xAE");
    ::VariantClear(&v);
    v.vt = VT_I4;
    v.lVal = -1073741824;
    EXPECT_EQ(ValueOf(v).integer, -1073741824);
    v.vt = VT_UI4;
    v.ulVal = 3221225472u;
    EXPECT_EQ(ValueOf(v).integer, 3221225472ll);
    v.vt = VT_UI1;
    v.bVal = 200;
    EXPECT_EQ(ValueOf(v).integer, 200);
    v.vt = VT_I2;
    v.iVal = -2;
    EXPECT_EQ(ValueOf(v).integer, -2);
    v.vt = VT_BOOL;
    v.boolVal = VARIANT_TRUE;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Boolean);
    EXPECT_TRUE(ValueOf(v).boolean);
    v.boolVal = VARIANT_FALSE;
    EXPECT_FALSE(ValueOf(v).boolean);
    v.vt = VT_R8;
    v.dblVal = 1.5;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Other);
    v.vt = VT_ARRAY | VT_BSTR;
    v.parray = nullptr;
    EXPECT_EQ(ValueOf(v).type, Value::Type::Other);
}

}  // namespace
