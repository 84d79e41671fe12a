#include "tools/dialer.h"

#include "framework/dialog.h"
#include "framework/library.h"
#include "framework/registry.h"
#include "framework/handles.h"
#include "probes/fact_sheet.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace ovix {
namespace {

constexpr UINT kFallbackDialEvent = 0xCCCD;
constexpr UINT_PTR kTimerId = 1;
constexpr DWORD kDeadlineTimerMs = 1000;
constexpr DWORD kTapiVersion = 0x10004;
constexpr char kWindowClass[] = "OvixDialerWindow";

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

template <size_t N>
std::string Text(const CHAR (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

template <size_t N>
void CopyText(CHAR (&field)[N], const std::string& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

bool StringValue(const char* path, const char* name) {
    fw::RegKey key;
    return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS && key.QueryString(name).has_value();
}

// The program file of the process that owns a window is RNAAPP.EXE.
bool OwnedByDialUpApplet(HWND window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID != processId) continue;
        const char* slash = std::strrchr(entry.szExeFile, '\\');
        return ::lstrcmpiA(slash ? slash + 1 : entry.szExeFile, "RNAAPP.EXE") == 0;
    }
    return false;
}

}  // namespace

CDialer::CDialer(const OSVERSIONINFOEXA& version, DialerClock* clock)
    : platform_{version.dwPlatformId == VER_PLATFORM_WIN32_NT, version.dwMajorVersion, version.dwMinorVersion},
      clock_(clock ? *clock : ownClock_) {
    available_ = ReadAvailability();
    dialEvent_ = ::RegisterWindowMessageA("RasDialEvent");
    if (dialEvent_ == 0) dialEvent_ = kFallbackDialEvent;
    table_ = &ras::Acquire(platform_, available_);
    available_ = available_ && table_->rasLoaded;
}

CDialer::~CDialer() {
    if (window_) {
        ::KillTimer(window_, kTimerId);
        ::DestroyWindow(window_);
    }
    ras::Release();
}

bool CDialer::ReadAvailability() const {
    if (platform_.nt) {
        if (platform_.major < 4) return true;
        fw::RegKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Services\\RasMan", KEY_READ) != ERROR_SUCCESS) {
            return false;
        }
        const auto start = key.QueryDword("Start");
        return start && *start != SERVICE_DISABLED;
    }
    if (platform_.major == 4 && platform_.minor < 90) {
        return StringValue("System\\CurrentControlSet\\Services\\RemoteAccess\\NetworkProvider", "ProviderPath");
    }
    return StringValue("System\\CurrentControlSet\\Services\\RemoteAccess\\Authentication\\SMM_Files\\PPP", "Path");
}

void CDialer::ReadPhonebook() {
    // Wanted only for a connection's details, so read when the first is found.
    if (phonebookRead_) return;
    phonebookRead_ = true;
    if (!platform_.nt) return;
    if (platform_.major >= 5) {
        fw::RegKey key;
        if (key.Open(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     KEY_READ) == ERROR_SUCCESS) {
            if (auto common = key.QueryString("Common AppData")) {
                const std::string path = *common + "\\Microsoft\\Network\\Connections\\Pbk\\rasphone.pbk";
                if (FileExists(path)) {
                    phonebook_ = path;
                    return;
                }
            }
        }
    }
    // The older place; without it the system's default phonebooks answer.
    const std::string folder = fw::SystemFolder();
    if (!folder.empty() && FileExists(folder + "\\ras\\rasphone.pbk")) phonebook_ = folder + "\\ras\\rasphone.pbk";
}

LRESULT CALLBACK CDialer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDialer*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_TIMER && wParam == kTimerId) {
        self->Refresh(true);
        return 0;
    }
    if (self && message == self->dialEvent_) {
        self->state_ = static_cast<LONG>(wParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void CDialer::EnsureWindow() {
    // One attempt: a machine without a display would otherwise pay for a
    // failing window on every refresh.
    if (windowTried_) return;
    windowTried_ = true;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CDialer::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);  // fails harmlessly when it already is
    window_ = ::CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance,
                                nullptr);
    if (window_) ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CDialer::Notify(DWORD state) const {
    // Without its window (none could be made) the state is left to the next
    // refresh without notification.
    if (window_) ::PostMessageA(window_, dialEvent_, state, 0);
}

void CDialer::ResetTimer() {
    const UINT interval = hasDeadline_ ? kDeadlineTimerMs : pollingMs_;
    if (interval != 0) EnsureWindow();
    if (!window_) return;
    ::KillTimer(window_, kTimerId);
    if (interval != 0) ::SetTimer(window_, kTimerId, interval, nullptr);
}

void CDialer::SetPollingInterval(UINT ms) {
    pollingMs_ = ms;
    ResetTimer();
}

void CDialer::SetHangUpDeadline(DWORD tick) {
    if (!connection_) return;
    deadline_ = tick;
    hasDeadline_ = true;
    ResetTimer();
}

bool CDialer::FirstConnection(ras::Connection& found) {
    // The newest record first; systems older than it refuse it by its size.
    // One record on the stack; the list the service asks room for, on the heap.
    for (const DWORD recordSize : ras::kConnectionSizes) {
        ras::Connection first{};
        std::vector<DWORD> grown;
        auto* list = &first;
        DWORD bytes = recordSize, count = 0;
        first.dwSize = recordSize;
        DWORD result = table_->enumConnections(list, &bytes, &count);
        if (result == ras::kBufferTooSmall && bytes > recordSize) {
            grown.assign((bytes + 3) / 4, 0);
            grown[0] = recordSize;
            list = reinterpret_cast<ras::Connection*>(grown.data());
            result = table_->enumConnections(list, &bytes, &count);
        }
        if (result == ras::kInvalidSize) continue;
        if (result != ERROR_SUCCESS || count == 0) return false;
        found = {};
        std::memcpy(&found, list, std::min<size_t>(recordSize, sizeof(found)));
        return true;
    }
    return false;
}

void CDialer::Refresh(bool notify) {
    if (!table_->getConnectStatus || !table_->enumConnections) {
        state_ = kUnknownState;
        return;
    }
    if (!connection_) {
        ras::Connection found;
        if (!FirstConnection(found)) return;
        connection_ = found.hrasconn;
        entryName_ = Text(found.szEntryName);
        if (entryName_ == ".") entryName_.clear();
        connectionPhonebook_ = found.dwSize >= sizeof(found) - sizeof(GUID) ? Text(found.szPhonebook) : "";
        connected_ = true;
        state_ = ras::kConnected;
        ReadDetails(connectionPhonebook_.c_str());
        // The window is made only now: a process that never sees a
        // connection never pays for one.
        EnsureWindow();
        if (notify) {
            Notify(ras::kConnected);
        } else {
            foundQuietly_ = true;
            hasDeadline_ = false;
            ResetTimer();
        }
        return;
    }
    if (hasDeadline_) {
        if (static_cast<LONG>(clock_.Now() - deadline_) >= 0) Disconnect();
        return;
    }
    ras::ConnectStatus status{};
    status.dwSize = sizeof(status);
    if (table_->getConnectStatus(connection_, &status) != ERROR_SUCCESS) {
        if (notify) {
            Notify(ras::kDisconnected);
        } else {
            Disconnect();
        }
        return;
    }
    if (foundQuietly_) {
        foundQuietly_ = false;
        BringUpStatusWindow();
    }
    if (status.rasconnstate == ras::kConnected) {
        connected_ = true;
        state_ = ras::kConnected;
    } else if (status.rasconnstate == ras::kDisconnected) {
        if (notify) {
            Notify(ras::kDisconnected);
        } else {
            Disconnect();
        }
        state_ = ras::kDisconnected;
    } else {
        state_ = static_cast<LONG>(status.rasconnstate);
    }
}

void CDialer::BringUpStatusWindow() const {
    char title[300];
    std::snprintf(title, sizeof(title), "Connected to %s", entryName_.c_str());
    HWND window = ::FindWindowA(nullptr, title);
    if (!window && !entryName_.empty()) {
        window = ::FindWindowA(nullptr, entryName_.c_str());
        if (window && !OwnedByDialUpApplet(window)) window = nullptr;
    }
    if (window && (!::IsWindowVisible(window) || ::IsIconic(window))) ::ShowWindow(window, SW_SHOWNOACTIVATE);
}

const char* CDialer::EntryPhonebook(const char* connectionPhonebook) {
    if (!platform_.nt) return nullptr;
    if (connectionPhonebook && *connectionPhonebook) return connectionPhonebook;
    ReadPhonebook();
    return phonebook_.empty() ? nullptr : phonebook_.c_str();
}

void CDialer::ReadDetails(const char* connectionPhonebook) {
    const char* phonebook = EntryPhonebook(connectionPhonebook);
    login_.clear();
    domain_.clear();
    entry_ = {};
    countryName_.clear();
    ras::DialParams params{};
    if (!entryName_.empty() && table_->getEntryDialParams) {
        params.dwSize = sizeof(params);
        CopyText(params.szEntryName, entryName_);
        BOOL hasPassword = FALSE;
        const DWORD result = table_->getEntryDialParams(phonebook, &params, &hasPassword);
        // The password is never kept, not even on the stack.
        ::SecureZeroMemory(params.szPassword, sizeof(params.szPassword));
        if (result == ERROR_SUCCESS) {
            login_ = Text(params.szUserName);
            domain_ = Text(params.szDomain);
        }
    }
    if (!entryName_.empty() && table_->getEntryProperties) {
        DWORD bytes = 0;
        table_->getEntryProperties(phonebook, entryName_.c_str(), nullptr, &bytes, nullptr, nullptr);
        if (bytes != 0) {
            bytes = std::max<DWORD>(bytes, sizeof(ras::Entry));
            std::vector<DWORD> buffer((bytes + 3) / 4);
            auto* entry = reinterpret_cast<ras::Entry*>(buffer.data());
            entry->dwSize = sizeof(ras::Entry);
            if (table_->getEntryProperties(phonebook, entryName_.c_str(), entry, &bytes, nullptr, nullptr) ==
                ERROR_SUCCESS) {
                if (entry->dwfOptions & ras::kUseCountryAndAreaCodes) {
                    entry_.countryId = static_cast<long>(entry->dwCountryID);
                    entry_.countryCode = static_cast<long>(entry->dwCountryCode);
                    entry_.areaCode = Text(entry->szAreaCode);
                    if (table_->getCountryInfo) {
                        std::vector<DWORD> country(128);
                        auto* info = reinterpret_cast<ras::CountryInfo*>(country.data());
                        info->dwSize = sizeof(ras::CountryInfo);
                        info->dwCountryID = entry->dwCountryID;
                        DWORD countryBytes = static_cast<DWORD>(country.size() * 4);
                        if (table_->getCountryInfo(info, &countryBytes) == ERROR_SUCCESS) {
                            entry_.countryId = static_cast<long>(info->dwCountryID);
                            entry_.countryCode = static_cast<long>(info->dwCountryCode);
                            const DWORD offset = info->dwCountryNameOffset;
                            const DWORD end = static_cast<DWORD>(country.size() * 4);
                            if (offset >= sizeof(ras::CountryInfo) && offset < end) {
                                const char* name = reinterpret_cast<const char*>(country.data()) + offset;
                                countryName_.assign(name, strnlen(name, end - offset));
                            }
                        }
                    }
                }
                deviceName_ = Text(entry->szDeviceName);
                deviceType_ = Text(entry->szDeviceType);
                entry_.localNumber = Text(entry->szLocalPhoneNumber);
            }
        }
    }
    deviceName_.clear();
    deviceType_.clear();
    ras::ConnectStatus status{};
    status.dwSize = sizeof(status);
    if (table_->getConnectStatus(connection_, &status) == ERROR_SUCCESS) {
        deviceName_ = Text(status.szDeviceName);
        deviceType_ = Text(status.szDeviceType);
    }
    ReadStatistics();
}

void CDialer::ReadStatistics() {
    lineSpeed_ = bytesReceived_ = bytesSent_ = 0;
    if (!connection_) return;
    if (platform_.nt && platform_.major >= 5) {
        ras::Statistics statistics{};
        statistics.dwSize = sizeof(statistics);
        if (table_->getConnectionStatistics &&
            table_->getConnectionStatistics(connection_, &statistics) == ERROR_SUCCESS) {
            lineSpeed_ = statistics.dwBps;
        }
    } else if (platform_.nt && platform_.major == 4) {
        ras::Handle sub = nullptr;
        if (!table_->getSubEntryHandle || !table_->getHport || !table_->getInfo ||
            table_->getSubEntryHandle(connection_, 1, &sub) != ERROR_SUCCESS) {
            return;
        }
        ras::ConnectStatus status{};
        status.dwSize = sizeof(status);
        if (table_->getConnectStatus(sub, &status) != ERROR_SUCCESS ||
            (status.rasconnstate != ras::kConnected && status.rasconnstate != 4)) {
            return;
        }
        DWORD port[ras::kPortInfoSize / 4] = {};
        if (table_->getInfo(table_->getHport(sub), port) == ERROR_SUCCESS) lineSpeed_ = port[2];
    } else if (!platform_.nt) {
        fw::RegKey key;
        if (key.Open(HKEY_DYN_DATA, "PerfStats\\StatData", KEY_READ) != ERROR_SUCCESS) return;
        auto read = [&key](const char* name, DWORD& target) {
            fw::RegKey::RawValue value;
            if (key.QueryRaw(name, value) != ERROR_SUCCESS) return;
            if ((value.type != REG_DWORD && value.type != REG_BINARY) || value.bytes.empty()) return;
            DWORD number = 0;
            std::memcpy(&number, value.bytes.data(), std::min<size_t>(value.bytes.size(), sizeof(number)));
            target = number;
        };
        read("Dial-Up Adapter\\ConnectSpeed", lineSpeed_);
        read("Dial-Up Adapter\\BytesRecvd", bytesReceived_);
        read("Dial-Up Adapter\\BytesXmit", bytesSent_);
    }
}

bool CDialer::IsConnected() {
    Refresh(false);
    return connected_;
}

bool CDialer::LineIsDown() const {
    ras::ConnectStatus status{};
    status.dwSize = sizeof(status);
    return table_->getConnectStatus(connection_, &status) != ERROR_SUCCESS ||
           status.rasconnstate == ras::kDisconnected;
}

bool CDialer::Disconnect() {
    if (waiting_ || !table_->hangUp || !connection_) return false;
    if (state_ != static_cast<LONG>(ras::kDisconnected) && state_ != kUnknownState) table_->hangUp(connection_);
    // The line takes its time to go down; the window stays responsive meanwhile.
    waiting_ = true;
    const DWORD start = clock_.Now();
    bool down = LineIsDown();
    while (!down && clock_.Now() - start < kHangUpWaitMs) {
        if (!fw::PumpWaitingMessages()) break;
        clock_.Sleep(kStatusPollMs);
        down = LineIsDown();
    }
    waiting_ = false;
    Forget();
    return down;
}

void CDialer::Forget() {
    connected_ = false;
    hasDeadline_ = false;
    foundQuietly_ = false;
    connection_ = nullptr;
    entryName_.clear();
    connectionPhonebook_.clear();
    deviceName_.clear();
    deviceType_.clear();
    state_ = kUnknownState;
    ResetTimer();
}

bool CDialer::FindDevice(const std::string& name) {
    if (!table_->enumDevices) return false;
    DWORD bytes = 0, count = 0;
    if (table_->enumDevices(nullptr, &bytes, &count) != ras::kBufferTooSmall) return false;
    std::vector<ras::DeviceInfo> devices(bytes / sizeof(ras::DeviceInfo) + 1);
    devices[0].dwSize = sizeof(ras::DeviceInfo);
    bytes = static_cast<DWORD>(devices.size() * sizeof(ras::DeviceInfo));
    if (table_->enumDevices(devices.data(), &bytes, &count) != ERROR_SUCCESS) return false;
    if (name.empty() && deviceType_.empty()) deviceType_ = "modem";
    for (DWORD i = 0; i < std::min<size_t>(count, devices.size()); ++i) {
        const bool match = name.empty() ? ::lstrcmpiA(devices[i].szDeviceType, deviceType_.c_str()) == 0
                                        : ::lstrcmpiA(devices[i].szDeviceName, name.c_str()) == 0;
        if (match) {
            deviceName_ = Text(devices[i].szDeviceName);
            deviceType_ = Text(devices[i].szDeviceType);
            return true;
        }
    }
    return false;
}

void CDialer::ReadAddresses() {
    clientAddress_.clear();
    serverAddress_.clear();
    if (!connected_ || !table_->getProjectionInfo) return;
    for (const DWORD size : ras::kPppIpSizes) {
        ras::PppIp projection{};
        projection.dwSize = size;
        DWORD bytes = size;
        const DWORD result = table_->getProjectionInfo(connection_, ras::kProjectionIp, &projection, &bytes);
        if (result == ras::kInvalidSize) continue;
        if (result == ERROR_SUCCESS) {
            clientAddress_ = Text(projection.szIpAddress);
            if (size > offsetof(ras::PppIp, szServerIpAddress)) serverAddress_ = Text(projection.szServerIpAddress);
        }
        return;
    }
}

std::string CDialer::PhoneNumber() {
    std::optional<TapiLocation> location;
    std::vector<std::uint8_t> caps;
    // Only a number with country and area codes asks for the location.
    if (entry_.localNumber.empty() || entry_.countryId == 0) return ovix::PhoneNumber(entry_, location, caps);
    ras::LoadTelephony();
    if (table_->getLocationInfo) {
        char country[8] = {}, city[8] = {};
        table_->getLocationInfo(country, city);
        location = TapiLocation{Text(country), Text(city)};
        if (table_->getTranslateCaps) {
            std::vector<DWORD> block(sizeof(ras::TranslateCaps) / 4);
            block[0] = sizeof(ras::TranslateCaps);
            auto* header = reinterpret_cast<ras::TranslateCaps*>(block.data());
            LONG result = table_->getTranslateCaps(nullptr, kTapiVersion, header);
            if (result == 0 && header->dwNeededSize > header->dwTotalSize) {
                const DWORD needed = header->dwNeededSize;
                block.assign((needed + 3) / 4, 0);
                header = reinterpret_cast<ras::TranslateCaps*>(block.data());
                header->dwTotalSize = needed;
                result = table_->getTranslateCaps(nullptr, kTapiVersion, header);
            }
            if (result == 0) {
                const auto* bytes = reinterpret_cast<const std::uint8_t*>(block.data());
                caps.assign(bytes, bytes + std::min<size_t>(header->dwTotalSize, block.size() * 4));
            }
        }
    }
    return ovix::PhoneNumber(entry_, location, caps);
}

std::vector<std::string> CDialer::FactLines() {
    if (!IsConnected()) return NotConnectedDialUpLines();
    DialUpDetails details;
    details.login = login_;
    if (deviceName_.empty()) FindDevice("");
    details.deviceName = deviceName_;
    if (serverAddress_.empty()) ReadAddresses();
    details.serverAddress = serverAddress_;
    details.phoneNumber = PhoneNumber();
    details.deviceType = deviceType_;
    details.lineSpeed = lineSpeed_;
    return ConnectedDialUpLines(details);
}

}  // namespace ovix
