// CDialer: watches the machine's dial-up connection, reads its details for
// the fact sheet and hangs it up on request. The remote-access libraries are
// loaded only when the service is there; without them nothing is connected.
#pragma once

#include "app/dial_up_link.h"
#include "tools/dialer_text.h"
#include "tools/ras_table.h"

#include <string>
#include <vector>

namespace ovix {

// Time for the hang-up wait; tests play it forward.
class DialerClock {
public:
    virtual ~DialerClock() = default;
    virtual DWORD Now() { return ::GetTickCount(); }
    virtual void Sleep(DWORD ms) { ::Sleep(ms); }
};

class CDialer : public DialUpLink {
public:
    static constexpr DWORD kHangUpWaitMs = 10000;
    static constexpr DWORD kStatusPollMs = 50;
    static constexpr LONG kUnknownState = -1;

    explicit CDialer(const OSVERSIONINFOEXA& version, DialerClock* clock = nullptr);
    ~CDialer() override;
    CDialer(const CDialer&) = delete;
    CDialer& operator=(const CDialer&) = delete;

    bool IsConnected() override;
    // Hangs up; true when the line is down afterwards. The connection is
    // forgotten either way.
    bool Disconnect() override;
    void Refresh(bool notify);
    bool FindDevice(const std::string& name);
    void ReadAddresses();
    std::string PhoneNumber();
    // The six fact lines: the connected ones, or the "not find." ones.
    std::vector<std::string> FactLines();

    bool Available() const { return available_; }
    const std::string& Login() const { return login_; }
    const std::string& DeviceName() const { return deviceName_; }
    const std::string& DeviceType() const { return deviceType_; }
    DWORD LineSpeed() const { return lineSpeed_; }
    const std::string& ServerAddress() const { return serverAddress_; }
    // Read with the first connection's details; empty before.
    const std::string& Phonebook() const { return phonebook_; }
    UINT DialEventMessage() const { return dialEvent_; }
    HWND Window() const { return window_; }
    LONG State() const { return state_; }
    // The timer refreshes at this interval (0: not at all, the default).
    void SetPollingInterval(UINT ms);
    // Hangs the known connection up once the tick count reaches `tick`,
    // checked every second.
    void SetHangUpDeadline(DWORD tick);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReadAvailability() const;
    void ReadPhonebook();
    void EnsureWindow();
    void ResetTimer();
    void Notify(DWORD state) const;
    bool FirstConnection(ras::Connection& found);
    void ReadDetails(const char* connectionPhonebook);
    void ReadStatistics();
    void BringUpStatusWindow() const;
    bool LineIsDown() const;
    void Forget();
    const char* EntryPhonebook(const char* connectionPhonebook);

    ras::Platform platform_;
    DialerClock ownClock_;
    DialerClock& clock_;
    bool available_ = false;
    const ras::Functions* table_ = nullptr;
    std::string phonebook_;
    bool phonebookRead_ = false;
    UINT dialEvent_ = 0;
    HWND window_ = nullptr;
    bool windowTried_ = false;
    UINT pollingMs_ = 0;

    ras::Handle connection_ = nullptr;
    std::string entryName_;
    std::string connectionPhonebook_;
    bool connected_ = false;
    bool foundQuietly_ = false;
    bool waiting_ = false;
    LONG state_ = kUnknownState;
    DWORD deadline_ = 0;
    bool hasDeadline_ = false;

    std::string login_, domain_, countryName_, deviceName_, deviceType_, clientAddress_, serverAddress_;
    PhoneEntry entry_;
    DWORD lineSpeed_ = 0, bytesReceived_ = 0, bytesSent_ = 0;
};

}  // namespace ovix
