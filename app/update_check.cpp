#include "app/update_check.h"

#include "app/update_rules.h"

#include <wininet.h>

#include <atomic>
#include <memory>

namespace ovix {
namespace {

std::atomic<int> g_lastOutcome{static_cast<int>(UpdateOutcome::Unreachable)};

struct InternetTraits {
    using Type = HINTERNET;
    static constexpr fw::ResourceKind kKind = fw::ResourceKind::Kernel;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::InternetCloseHandle(h); }
};
using InternetHandle = fw::Owned<InternetTraits>;

void SetTimeouts(HINTERNET handle, DWORD timeoutMs) {
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                         INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
        DWORD value = timeoutMs;
        ::InternetSetOptionA(handle, option, &value, sizeof(value));
    }
}

// Reads at most kUpdateReadLimit bytes; stops early once a whole first line is in.
bool ReadBounded(HINTERNET request, std::string& body) {
    char chunk[512];
    while (body.size() < kUpdateReadLimit) {
        DWORD wanted = static_cast<DWORD>(std::min(sizeof(chunk), kUpdateReadLimit - body.size()));
        DWORD got = 0;
        if (!::InternetReadFile(request, chunk, wanted, &got)) return false;
        if (got == 0) break;
        body.append(chunk, got);
        if (body.find('\n') != std::string::npos) break;
    }
    return true;
}

UpdateOutcome Check(const UpdateCheckSettings& settings) {
    InternetHandle internet(::InternetOpenA("Ovix", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) return UpdateOutcome::Unreachable;
    SetTimeouts(internet.Get(), settings.timeoutMs);

    InternetHandle request(::InternetOpenUrlA(internet.Get(), settings.url.c_str(), nullptr, 0,
                                              INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                                  INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI,
                                              777));
    if (!request) return UpdateOutcome::Unreachable;

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr)) {
        return UpdateOutcome::Unreachable;
    }
    DWORD available = 0;
    if (status != 200 || !::InternetQueryDataAvailable(request.Get(), &available, 0, 0)) {
        return UpdateOutcome::Unreachable;
    }
    std::string body;
    if (!ReadBounded(request.Get(), body)) return UpdateOutcome::Unreachable;
    // Handles close here, before any question is asked.
    request.Reset();
    internet.Reset();

    if (!UpdateOffersNewVersion(status, body)) return UpdateOutcome::UpToDate;
    const int answer = ::MessageBoxA(nullptr, kNewVersionQuestion, "Ovix", MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND);
    if (answer != IDYES) return UpdateOutcome::Declined;
    if (settings.openPage) {
        settings.openPage(settings.productPage);
    } else {
        ::ShellExecuteA(nullptr, nullptr, settings.productPage.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
    }
    return UpdateOutcome::Accepted;
}

DWORD WINAPI Worker(void* parameter) {
    std::unique_ptr<UpdateCheckSettings> settings(static_cast<UpdateCheckSettings*>(parameter));
    RunUpdateCheck(*settings);
    return 0;
}

}  // namespace

UpdateOutcome RunUpdateCheck(const UpdateCheckSettings& settings) {
    const UpdateOutcome outcome = Check(settings);
    g_lastOutcome = static_cast<int>(outcome);
    return outcome;
}

UpdateOutcome LastUpdateOutcome() { return static_cast<UpdateOutcome>(g_lastOutcome.load()); }

fw::UniqueHandle StartUpdateCheck(UpdateCheckSettings settings) {
    auto* owned = new UpdateCheckSettings(std::move(settings));
    HANDLE thread = ::CreateThread(nullptr, 0, &Worker, owned, 0, nullptr);
    if (!thread) {
        delete owned;
        return {};
    }
    ::SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
    return fw::UniqueHandle(thread);
}

}  // namespace ovix
