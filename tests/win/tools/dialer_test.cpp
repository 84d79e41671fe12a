#include "tools/dialer.h"

#include "framework/registry.h"
#include "support/command_fakes.h"
#include "support/temp_folder.h"
#include "probes/fact_sheet.h"
#include "probes/probe_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace {

namespace ras = ovix::ras;
const auto kLine = reinterpret_cast<ras::Handle>(0x4242);
const auto kSubLine = reinterpret_cast<ras::Handle>(0x4343);

template <size_t N>
void Set(CHAR (&field)[N], const char* text) {
    std::strncpy(field, text, N - 1);
}

// The remote-access service as the tests play it. Every call checks the size
// its record says and the one expected.
struct FakeRas {
    std::set<DWORD> connectionSizes{sizeof(ras::Connection)};  // the sizes this "system" knows
    int tooSmall = 0;                                          // 603 answers before the list
    bool connected = true;
    std::string entry = "Office", phonebook;
    DWORD state = ras::kConnected;
    bool statusReadable = true;
    DWORD downAt = 0xFFFFFFFF;  // fake tick at which the line goes down
    DWORD now = 1000;
    int hangUps = 0;
    std::string dialPhonebook = "(none)";
    const CHAR* password = nullptr;
    bool passwordWiped = false;
    DWORD entryOptions = ras::kUseCountryAndAreaCodes;
    DWORD bps = 115200, portSpeed = 33600, subState = ras::kConnected;
    std::vector<std::pair<std::string, std::string>> devices{{"isdn", "Line A"}, {"modem", "Fast Modem"}};
    int deviceQueryAnswer = ras::kBufferTooSmall;
    std::set<DWORD> projectionSizes{sizeof(ras::PppIp)};
    bool tapi = true;
    std::string badSize;
};
FakeRas* g_ras = nullptr;

void Check(bool sizeOk, const char* what) {
    if (!sizeOk) g_ras->badSize += what;
}

DWORD WINAPI EnumConnections(ras::Connection* list, DWORD* bytes, DWORD* count) {
    Check(*bytes >= list->dwSize, "enum ");
    if (!g_ras->connectionSizes.count(list->dwSize)) return ras::kInvalidSize;
    *count = g_ras->connected ? 1 : 0;
    if (g_ras->tooSmall > 0) {
        --g_ras->tooSmall;
        *bytes = list->dwSize * 2;
        return ras::kBufferTooSmall;
    }
    if (!g_ras->connected) return 0;
    ras::Connection record{};
    record.dwSize = list->dwSize;
    record.hrasconn = kLine;
    Set(record.szEntryName, g_ras->entry.c_str());
    Set(record.szPhonebook, g_ras->phonebook.c_str());
    std::memcpy(list, &record, list->dwSize);
    return 0;
}

DWORD WINAPI ConnectStatus(ras::Handle line, ras::ConnectStatus* status) {
    Check(status->dwSize == 288, "status ");
    if (!g_ras->statusReadable || (line != kLine && line != kSubLine)) return 6;
    status->rasconnstate = line == kSubLine ? g_ras->subState
                           : g_ras->now >= g_ras->downAt ? ras::kDisconnected
                                                          : g_ras->state;
    Set(status->szDeviceName, "Status Modem");
    Set(status->szDeviceType, "modem");
    return 0;
}

DWORD WINAPI HangUp(ras::Handle line) {
    g_ras->hangUps += line == kLine;
    return 0;
}

DWORD WINAPI DialParams(const char* phonebook, ras::DialParams* params, BOOL* hasPassword) {
    Check(params->dwSize == sizeof(ras::DialParams), "params ");
    g_ras->dialPhonebook = phonebook ? phonebook : "(none)";
    Set(params->szUserName, "jdoe");
    Set(params->szPassword, "secret");
    g_ras->password = params->szPassword;
    *hasPassword = TRUE;
    return 0;
}

DWORD WINAPI EntryProperties(const char*, const char* name, ras::Entry* entry, DWORD* bytes, BYTE*, DWORD*) {
    if (g_ras->password) g_ras->passwordWiped = std::strlen(g_ras->password) == 0;
    if (!entry) {
        *bytes = sizeof(ras::Entry) + 100;
        return ras::kBufferTooSmall;
    }
    Check(entry->dwSize == 2088 && *bytes >= 2188 && std::string(name) == g_ras->entry, "entry ");
    entry->dwfOptions = g_ras->entryOptions;
    entry->dwCountryID = 49;
    entry->dwCountryCode = 1;  // the country record's code wins
    Set(entry->szAreaCode, "44");
    Set(entry->szLocalPhoneNumber, "1234567");
    Set(entry->szDeviceName, "Entry Modem");
    return 0;
}

DWORD WINAPI CountryInfo(ras::CountryInfo* info, DWORD* bytes) {
    Check(info->dwSize == 20 && info->dwCountryID == 49 && *bytes >= 40, "country ");
    info->dwCountryCode = 49;
    info->dwCountryNameOffset = 20;
    std::strcpy(reinterpret_cast<char*>(info) + 20, "Germany");
    return 0;
}

DWORD WINAPI EnumDevices(ras::DeviceInfo* list, DWORD* bytes, DWORD* count) {
    *count = static_cast<DWORD>(g_ras->devices.size());
    if (!list) {
        *bytes = *count * 152;
        return g_ras->deviceQueryAnswer;
    }
    Check(list->dwSize == 152 && *bytes >= *count * 152, "device ");
    for (size_t i = 0; i < g_ras->devices.size(); ++i) {
        Set(list[i].szDeviceType, g_ras->devices[i].first.c_str());
        Set(list[i].szDeviceName, g_ras->devices[i].second.c_str());
    }
    return 0;
}

DWORD WINAPI Projection(ras::Handle, DWORD projection, void* record, DWORD* bytes) {
    auto* ip = static_cast<ras::PppIp*>(record);
    Check(projection == 0x8021 && *bytes == ip->dwSize, "projection ");
    if (!g_ras->projectionSizes.count(ip->dwSize)) return ras::kInvalidSize;
    Set(ip->szIpAddress, "10.1.1.2");
    if (ip->dwSize >= 40) Set(ip->szServerIpAddress, "10.1.1.1");
    return 0;
}

DWORD WINAPI Statistics(ras::Handle, ras::Statistics* statistics) {
    Check(statistics->dwSize == 60, "statistics ");
    statistics->dwBps = g_ras->bps;
    return 0;
}

DWORD WINAPI SubEntry(ras::Handle, DWORD index, ras::Handle* sub) {
    *sub = index == 1 ? kSubLine : nullptr;
    return 0;
}
ras::Port WINAPI Hport(ras::Handle line) { return line == kSubLine ? reinterpret_cast<ras::Port>(7) : nullptr; }
DWORD WINAPI PortInfo(ras::Port port, void* record) {
    auto* fields = static_cast<DWORD*>(record);
    Check(port == reinterpret_cast<ras::Port>(7) && fields[209] == 0, "port ");
    fields[2] = g_ras->portSpeed;
    return 0;
}

LONG WINAPI Location(char* country, char* city) {
    std::strcpy(country, "33");
    std::strcpy(city, "1");
    return 0;
}

LONG WINAPI TranslateCaps(HANDLE, DWORD version, ras::TranslateCaps* caps) {
    Check(version == 0x10004, "tapi ");
    const DWORD needed = 44 + 68 + 8;
    caps->dwNeededSize = needed;
    if (caps->dwTotalSize < needed) return 0;
    auto* bytes = reinterpret_cast<BYTE*>(caps);
    caps->dwUsedSize = needed;
    caps->dwNumLocations = 1;
    caps->dwLocationListOffset = 44;
    caps->dwCurrentLocationID = 5;
    const DWORD location[17] = {5, 0, 0, 33, 0, 0, 0, 2, 112, 3, 114};
    std::memcpy(bytes + 44, location, sizeof(location));
    std::memcpy(bytes + 112, "9\0" "00", 5);
    return 0;
}

template <class Function>
FARPROC Entry(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

// The libraries as the fake has them: what is asked for is written down.
struct FakeLoader : ras::Loader {
    std::map<std::string, FARPROC> functions{
        {"RasEnumConnectionsA", Entry(&EnumConnections)},
        {"RasGetConnectStatusA", Entry(&ConnectStatus)},
        {"RasHangUpA", Entry(&HangUp)},
        {"RasGetEntryDialParamsA", Entry(&DialParams)},
        {"RasGetEntryPropertiesA", Entry(&EntryProperties)},
        {"RasGetEntryProperties", Entry(&EntryProperties)},
        {"RasGetCountryInfoA", Entry(&CountryInfo)},
        {"RasGetCountryInfo", Entry(&CountryInfo)},
        {"RasEnumDevicesA", Entry(&EnumDevices)},
        {"RasGetProjectionInfoA", Entry(&Projection)},
        {"RasGetConnectionStatistics", Entry(&Statistics)},
        {"RasGetSubEntryHandleW", Entry(&SubEntry)},
        {"RasGetHport", Entry(&Hport)},
        {"RasGetInfo", Entry(&PortInfo)},
        {"tapiGetLocationInfoA", Entry(&Location)},
        {"lineGetTranslateCapsA", Entry(&TranslateCaps)},
    };
    std::vector<std::string> loaded;
    std::set<std::string> rasLacks;  // functions RASAPI32.DLL does not export
    int freed = 0;
    HMODULE Load(const char* dll, bool& owned) override {
        loaded.push_back(dll);
        owned = true;
        if (!g_ras->tapi && std::string(dll) == "TAPI32.DLL") return nullptr;
        const auto module = reinterpret_cast<HMODULE>(0x10000 * (names.size() + 1));
        names[module] = dll;
        return module;
    }
    FARPROC Find(HMODULE module, const char* name) override {
        auto found = functions.find(name);
        const bool ras = names[module] == "RASAPI32.DLL";
        return found == functions.end() || (ras && rasLacks.count(name)) ? nullptr : found->second;
    }
    std::map<HMODULE, std::string> names;
    void Free(HMODULE) override { ++freed; }
};

struct Clock : ovix::DialerClock {
    std::function<void()> onSleep;
    DWORD Now() override { return g_ras->now; }
    void Sleep(DWORD ms) override {
        g_ras->now += ms;
        if (onSleep) onSleep();
    }
};

OSVERSIONINFOEXA Version(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    return version;
}
const OSVERSIONINFOEXA kXp = Version(VER_PLATFORM_WIN32_NT, 5, 1);

constexpr char kRasMan[] = "System\\CurrentControlSet\\Services\\RasMan";

// The service key as a test wants it, put back afterwards.
struct ServiceKey {
    test::SavedRegistryValue saved;
    ServiceKey(const char* path, const char* name, std::optional<DWORD> start, const char* text = nullptr)
        : saved(HKEY_LOCAL_MACHINE, path, name) {
        fw::RegKey key;
        if (!start && !text) {
            // A key left by another program still loses its value here.
            if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_WRITE) == ERROR_SUCCESS) key.DeleteValue(name);
            return;
        }
        key.Create(HKEY_LOCAL_MACHINE, path, KEY_WRITE);
        if (start) key.SetDword(name, *start);
        if (text) key.SetString(name, text);
    }
};

class Dialer : public ::testing::Test {
protected:
    void SetUp() override {
        g_ras = &fake;
        previous = ras::SetLoader(&loader);
    }
    void TearDown() override {
        ras::SetLoader(previous);
        g_ras = nullptr;
        EXPECT_EQ(fake.badSize, "");
    }
    FakeRas fake;
    FakeLoader loader;
    ras::Loader* previous = nullptr;
    Clock clock;
};

TEST_F(Dialer, WithoutLibrariesNothingIsConnected) {
    ServiceKey rasMan(kRasMan, "Start", std::nullopt);
    test::CommandFakes fakes;
    {
        ovix::CDialer dialer(kXp, &clock);
        EXPECT_FALSE(dialer.Available());
        EXPECT_FALSE(dialer.IsConnected());
        EXPECT_FALSE(dialer.Disconnect());
        EXPECT_EQ(dialer.FactLines(), ovix::NotConnectedDialUpLines());
        ovix::DisconnectInternet(nullptr, dialer);
    }
    EXPECT_EQ(fakes.boxes.Texts(), "You are not connected to Internet...");
    EXPECT_TRUE(loader.loaded.empty());
}

TEST_F(Dialer, AvailabilityDecidesWhatIsLoaded) {
    const std::vector<std::string> nt5{"RASAPI32.DLL", "RASMAN.DLL"};
    struct Case {
        std::optional<DWORD> start;
        std::vector<std::string> loaded;
    } cases[] = {{std::nullopt, {}}, {4, {}}, {3, nt5}, {2, nt5}};
    for (const Case& c : cases) {
        ServiceKey rasMan(kRasMan, "Start", c.start);
        loader.loaded.clear();
        {
            ovix::CDialer dialer(kXp, &clock);
            EXPECT_EQ(dialer.Available(), !c.loaded.empty());
        }
        EXPECT_EQ(loader.loaded, c.loaded) << (c.start ? *c.start : 99);
        EXPECT_EQ(loader.freed, static_cast<int>(loader.loaded.size()));
        loader.freed = 0;
    }
    // 9x: the network provider (98) or the PPP path (ME); the entry functions
    // from their own library when the main one lacks them.
    {
        ServiceKey provider("System\\CurrentControlSet\\Services\\RemoteAccess\\NetworkProvider", "ProviderPath",
                            std::nullopt, "C:\\WINDOWS\\SYSTEM\\rnanp.dll");
        loader.loaded.clear();
        loader.rasLacks = {"RasGetEntryProperties"};
        // The line speed from the dynamic statistics, a DWORD or binary value only.
        fw::RegKey stats;
        ASSERT_EQ(stats.Create(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_WRITE), ERROR_SUCCESS);
        const DWORD speed = 28800;
        ::RegSetValueExA(stats.Get(), "Dial-Up Adapter\\ConnectSpeed", 0, REG_BINARY,
                         reinterpret_cast<const BYTE*>(&speed), sizeof(speed));
        {
            ovix::CDialer dialer(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10), &clock);
            ASSERT_TRUE(dialer.IsConnected());  // 9x has no phonebook path
            EXPECT_EQ(fake.dialPhonebook, "(none)");
            EXPECT_EQ(dialer.LineSpeed(), speed);
            EXPECT_EQ(dialer.PhoneNumber(), "00 49 44 1234567");  // the country from the entry library
            // A text, or a binary value without bytes, is no speed.
            for (const DWORD type : {REG_SZ, REG_BINARY}) {
                ::RegSetValueExA(stats.Get(), "Dial-Up Adapter\\ConnectSpeed", 0, type,
                                 reinterpret_cast<const BYTE*>("28800"), type == REG_SZ ? 6 : 0);
                ovix::CDialer other(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 10), &clock);
                ASSERT_TRUE(other.IsConnected());
                EXPECT_EQ(other.LineSpeed(), 0u) << type;
            }
        }
        ::SHDeleteKeyA(HKEY_DYN_DATA, "PerfStats");
        EXPECT_EQ(loader.loaded, (std::vector<std::string>{"RASAPI32.DLL", "RNAPH.DLL", "TAPI32.DLL"}));
        loader.loaded.clear();
        { ovix::CDialer dialer(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90), &clock); }
        EXPECT_TRUE(loader.loaded.empty());  // ME reads the PPP key, which is absent
    }
    {
        ServiceKey ppp("System\\CurrentControlSet\\Services\\RemoteAccess\\Authentication\\SMM_Files\\PPP", "Path",
                       1);  // not a string
        loader.loaded.clear();
        { ovix::CDialer dialer(Version(VER_PLATFORM_WIN32_WINDOWS, 4, 90), &clock); }
        EXPECT_TRUE(loader.loaded.empty());
    }
}

TEST_F(Dialer, DetailsAndFactLinesPerPlatform) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    {
        ovix::CDialer dialer(kXp, &clock);
        ASSERT_TRUE(dialer.IsConnected());
        EXPECT_TRUE(fake.passwordWiped);
        EXPECT_EQ(dialer.Login(), "jdoe");
        EXPECT_EQ(fake.dialPhonebook, dialer.Phonebook().empty() ? "(none)" : dialer.Phonebook());
        EXPECT_EQ(dialer.DeviceName(), "Status Modem");
        EXPECT_EQ(dialer.LineSpeed(), 115200u);
        // Same country, other city: long-distance code, codes, number.
        EXPECT_EQ(dialer.FactLines(),
                  (std::vector<std::string>{"Device name: Status Modem", "Device type: modem",
                                            "Line speed: 112 KB/s -> 0.11 MB/s", "Internet login: jdoe",
                                            "Phone number:  00 49 44 1234567", "ISP IP:  10.1.1.1"}));
        dialer.PhoneNumber();
    }
    EXPECT_EQ(std::count(loader.loaded.begin(), loader.loaded.end(), "TAPI32.DLL"), 1);
    // The connection's own phonebook when it names one; the entry without
    // codes: the number alone; without telephony as well.
    fake.phonebook = "C:\\Users\\me\\rasphone.pbk";
    fake.entryOptions = 0;
    {
        ovix::CDialer dialer(kXp, &clock);
        ASSERT_TRUE(dialer.IsConnected());
        EXPECT_EQ(fake.dialPhonebook, fake.phonebook);
        loader.loaded.clear();
        EXPECT_EQ(dialer.PhoneNumber(), "1234567");
        EXPECT_TRUE(loader.loaded.empty());  // no telephony for a plain number
    }
    fake.entryOptions = ras::kUseCountryAndAreaCodes;
    fake.tapi = false;
    {
        ovix::CDialer dialer(kXp, &clock);
        ASSERT_TRUE(dialer.IsConnected());
        EXPECT_EQ(dialer.PhoneNumber(), "49 44 1234567");
    }
    fake.tapi = true;
    fake.phonebook.clear();
    // NT 4: the sub-entry's port speed only while it is connected (or in state 4).
    for (DWORD state : {ras::kConnected, DWORD{4}, DWORD{3}}) {
        fake.subState = state;
        ovix::CDialer dialer(Version(VER_PLATFORM_WIN32_NT, 4, 0), &clock);
        ASSERT_TRUE(dialer.IsConnected());
        EXPECT_EQ(dialer.LineSpeed(), state == 3 ? 0u : 33600u) << state;
    }
}

TEST_F(Dialer, FindDeviceAndAddresses) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    ovix::CDialer dialer(kXp, &clock);
    ASSERT_TRUE(dialer.IsConnected());
    EXPECT_TRUE(dialer.FindDevice("LINE a"));
    EXPECT_EQ(dialer.DeviceType(), "isdn");
    EXPECT_TRUE(dialer.FindDevice(""));  // by the type now held
    EXPECT_EQ(dialer.DeviceName(), "Line A");
    EXPECT_FALSE(dialer.FindDevice("Nothing"));
    fake.deviceQueryAnswer = 0;  // a size query must answer "too small"
    EXPECT_FALSE(dialer.FindDevice("Line A"));
    // The projection: the newest record, else the older ones on 632.
    fake.projectionSizes = {24};
    dialer.ReadAddresses();
    EXPECT_EQ(dialer.ServerAddress(), "");
    fake.projectionSizes = {40};
    dialer.ReadAddresses();
    EXPECT_EQ(dialer.ServerAddress(), "10.1.1.1");
}

TEST_F(Dialer, EnumerationGrowsOnceAndFallsBackInSize) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    fake.tooSmall = 1;
    {
        ovix::CDialer dialer(kXp, &clock);
        EXPECT_TRUE(dialer.IsConnected());
    }
    fake.tooSmall = 2;
    {
        ovix::CDialer dialer(kXp, &clock);
        EXPECT_FALSE(dialer.IsConnected());
    }
    fake.tooSmall = 0;
    const DWORD older = ras::kConnectionSizes[1];
    fake.connectionSizes = {older};
    {
        ovix::CDialer dialer(kXp, &clock);
        EXPECT_TRUE(dialer.IsConnected());
        EXPECT_EQ(dialer.Login(), "jdoe");
    }
    // A "." entry counts as no entry: no dial parameters are asked for.
    fake.connectionSizes = {sizeof(ras::Connection)};
    fake.entry = ".";
    fake.dialPhonebook = "untouched";
    ovix::CDialer dialer(kXp, &clock);
    EXPECT_TRUE(dialer.IsConnected());
    EXPECT_EQ(fake.dialPhonebook, "untouched");
}

TEST_F(Dialer, DroppedLineIsNotifiedThenForgotten) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    ovix::CDialer dialer(kXp, &clock);
    ASSERT_TRUE(dialer.IsConnected());
    // The line is gone: its status can no longer be read; the state stays.
    fake.statusReadable = false;
    dialer.Refresh(true);
    MSG message{};
    ASSERT_TRUE(::PeekMessageA(&message, dialer.Window(), dialer.DialEventMessage(), dialer.DialEventMessage(),
                               PM_REMOVE));
    EXPECT_EQ(message.wParam, ras::kDisconnected);
    EXPECT_EQ(fake.hangUps, 0);
    fake.connected = false;
    EXPECT_FALSE(dialer.IsConnected());
    EXPECT_EQ(fake.hangUps, 1);
    EXPECT_FALSE(dialer.IsConnected());
    EXPECT_EQ(fake.hangUps, 1);
}

TEST_F(Dialer, DisconnectWaitsForTheLine) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    test::CommandFakes fakes;
    ovix::CDialer dialer(kXp, &clock);
    // Goes down 300 ms after the hang-up: the wait ends then.
    fake.downAt = fake.now + 300;
    const DWORD start = fake.now;
    int refused = 0;
    clock.onSleep = [&] { refused += !dialer.Disconnect(); };
    ovix::DisconnectInternet(nullptr, dialer);
    EXPECT_EQ(fake.now - start, 300u);
    EXPECT_EQ(fake.hangUps, 1);
    EXPECT_EQ(refused, 6);  // every nested Disconnect during the wait
    // Never down: forgotten at 10 s, and the error is said; the tick count
    // wraps during this wait.
    ASSERT_TRUE(dialer.IsConnected());
    fake.now = 0xFFFFF000;
    fake.downAt = 0xFFFFFFFF;
    clock.onSleep = nullptr;
    const DWORD second = fake.now;
    ovix::DisconnectInternet(nullptr, dialer);
    EXPECT_EQ(fake.now - second, 10000u);
    EXPECT_EQ(fakes.boxes.Texts(), "Disconnected from Internet. / Error !\r\nThe connection can't be closed.");
    EXPECT_EQ(fakes.boxes.shown[1].icon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(dialer.State(), ovix::CDialer::kUnknownState);
    // A quit request ends the wait and stays queued for the real loop.
    ASSERT_TRUE(dialer.IsConnected());
    ::PostQuitMessage(3);
    const DWORD third = fake.now;
    EXPECT_FALSE(dialer.Disconnect());
    EXPECT_EQ(fake.now, third);
    MSG message{};
    EXPECT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

// A hidden top-level window, of this process or of a copy of the sleeper
// named RNAAPP.EXE (the dial-up applet), ended with the test.
class StatusWindow {
public:
    explicit StatusWindow(const char* title, bool applet = false) {
        if (!applet) {
            window_ = ::CreateWindowExA(0, "STATIC", title, WS_POPUP, 0, 0, 100, 40, nullptr, nullptr, nullptr, nullptr);
            return;
        }
        const std::string path = folder_.emplace("dial-up-applet").File("RNAAPP.EXE");
        ::CopyFileA((ovix::ApplicationDirectory(fw::ModulePath()) + "\\sleeper_child.exe").c_str(), path.c_str(), TRUE);
        std::string line = "\"" + path + "\" \"" + title + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            return;
        }
        ::CloseHandle(process.hThread);
        process_.Reset(process.hProcess);
        for (int i = 0; i < 250 && !window_; ++i, ::Sleep(20)) window_ = ::FindWindowA("STATIC", title);
    }
    ~StatusWindow() {
        if (process_) {
            ::TerminateProcess(process_.Get(), 0);
            ::WaitForSingleObject(process_.Get(), 5000);
        } else {
            ::DestroyWindow(window_);
        }
    }
    HWND Get() const { return window_; }

private:
    std::optional<test::TempFolder> folder_;
    fw::UniqueHandle process_;
    HWND window_ = nullptr;
};

TEST_F(Dialer, QuietFindBringsUpTheStatusWindowOnce) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    {
        StatusWindow status("Connected to Office"), named("Office");
        ovix::CDialer dialer(kXp, &clock);
        ASSERT_TRUE(dialer.IsConnected());  // found; its status is read on the next refresh
        EXPECT_FALSE(::IsWindowVisible(status.Get()));
        const HWND active = ::GetActiveWindow();
        ASSERT_TRUE(dialer.IsConnected());
        EXPECT_TRUE(::IsWindowVisible(status.Get()));
        EXPECT_EQ(::GetActiveWindow(), active);
        EXPECT_FALSE(::IsWindowVisible(named.Get()));
        ::ShowWindow(status.Get(), SW_HIDE);
        dialer.IsConnected();
        EXPECT_FALSE(::IsWindowVisible(status.Get()));  // once per connection
    }
    // The entry's name alone is taken only from the dial-up applet.
    for (const bool applet : {false, true}) {
        StatusWindow named("Office", applet);
        ASSERT_NE(named.Get(), nullptr);
        ovix::CDialer dialer(kXp, &clock);
        dialer.IsConnected();
        dialer.IsConnected();
        EXPECT_EQ(::IsWindowVisible(named.Get()) != FALSE, applet);
    }
}

TEST_F(Dialer, HangUpDeadlineIsKeptByTheTimer) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    ovix::CDialer dialer(kXp, &clock);
    ASSERT_TRUE(dialer.IsConnected());
    // Due just after the tick count wraps: not before.
    fake.now = 0xFFFFFF00;
    dialer.SetHangUpDeadline(0x100);
    dialer.Refresh(true);
    EXPECT_EQ(fake.hangUps, 0);
    fake.now = 0x100;
    fake.downAt = 0x100;
    MSG message;
    for (const DWORD start = ::GetTickCount(); fake.hangUps == 0 && ::GetTickCount() - start < 5000; ::Sleep(20)) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    }
    EXPECT_EQ(fake.hangUps, 1);
    EXPECT_EQ(dialer.State(), ovix::CDialer::kUnknownState);
}

DWORD WINAPI MakeDialer(void*) {
    ovix::CDialer dialer(kXp);
    ::Sleep(50);
    return 0;
}

TEST_F(Dialer, TwoThreadsFillOnce) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    HANDLE threads[2] = {::CreateThread(nullptr, 0, &MakeDialer, nullptr, 0, nullptr),
                         ::CreateThread(nullptr, 0, &MakeDialer, nullptr, 0, nullptr)};
    ::WaitForMultipleObjects(2, threads, TRUE, 5000);
    ::CloseHandle(threads[0]);
    ::CloseHandle(threads[1]);
    EXPECT_EQ(loader.loaded, (std::vector<std::string>{"RASAPI32.DLL", "RASMAN.DLL"}));
}

TEST_F(Dialer, WineOwnLibrariesAnswerNoConnection) {
    ServiceKey rasMan(kRasMan, "Start", 3);
    ras::SetLoader(nullptr);
    ovix::CDialer dialer(kXp);
    EXPECT_TRUE(dialer.Available());
    EXPECT_FALSE(dialer.IsConnected());
    EXPECT_EQ(dialer.FactLines(), ovix::NotConnectedDialUpLines());
    EXPECT_EQ(dialer.Window(), nullptr);  // made only for a connection or a timer
}

}  // namespace
