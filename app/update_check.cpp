#include "app/update_check.h"

#include "app/launcher.h"
#include "app/message_boxes.h"
#include "app/update_rules.h"

#include <wininet.h>

#include <algorithm>
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
        if (body.find_first_of("\r\n") != std::string::npos) break;
    }
    return true;
}

// The parts of an http(s) address that a connection and a request need.
struct UrlParts {
    std::string host;
    INTERNET_PORT port = 0;
    std::string object;  // path and query
    bool secure = false;
};

bool SplitUrl(const std::string& url, UrlParts& parts) {
    // No part of an address is longer than the address.
    std::string host(url.size() + 1, '\0');
    std::string path(url.size() + 1, '\0');
    std::string extra(url.size() + 1, '\0');
    URL_COMPONENTSA components{};
    components.dwStructSize = sizeof(components);
    components.lpszHostName = host.data();
    components.dwHostNameLength = static_cast<DWORD>(host.size());
    components.lpszUrlPath = path.data();
    components.dwUrlPathLength = static_cast<DWORD>(path.size());
    components.lpszExtraInfo = extra.data();
    components.dwExtraInfoLength = static_cast<DWORD>(extra.size());
    if (url.empty() || !::InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &components)) {
        return false;
    }
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS) return false;
    host.resize(components.dwHostNameLength);
    path.resize(components.dwUrlPathLength);
    extra.resize(components.dwExtraInfoLength);
    if (host.empty()) return false;
    parts.host = host;
    parts.port = components.nPort;
    parts.object = (path.empty() ? std::string("/") : path) + extra;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

UpdateOutcome Check(const UpdateCheckSettings& settings) {
    UrlParts url;
    if (!SplitUrl(settings.url, url)) return UpdateOutcome::Unreachable;

    // The time-outs are set on every handle, the request's before it is sent:
    // not every implementation passes the session's on to its requests, and
    // a request's own receive time-out may be infinite.
    InternetHandle internet(::InternetOpenA("Ovix", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet) return UpdateOutcome::Unreachable;
    SetTimeouts(internet.Get(), settings.timeoutMs);

    InternetHandle connection(::InternetConnectA(internet.Get(), url.host.c_str(), url.port, nullptr, nullptr,
                                                 INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return UpdateOutcome::Unreachable;
    SetTimeouts(connection.Get(), settings.timeoutMs);

    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                        INTERNET_FLAG_NO_UI | (url.secure ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(
        ::HttpOpenRequestA(connection.Get(), "GET", url.object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return UpdateOutcome::Unreachable;
    SetTimeouts(request.Get(), settings.timeoutMs);
    if (!::HttpSendRequestA(request.Get(), nullptr, 0, nullptr, 0)) return UpdateOutcome::Unreachable;

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr)) {
        return UpdateOutcome::Unreachable;
    }
    if (status != 200) return UpdateOutcome::Unreachable;
    std::string body;
    if (!ReadBounded(request.Get(), body) || body.empty()) return UpdateOutcome::Unreachable;
    // Handles close here, before any question is asked.
    request.Reset();
    connection.Reset();
    internet.Reset();

    if (!UpdateOffersNewVersion(body)) return UpdateOutcome::UpToDate;
    const int answer = ShowMessage(
        {.text = kNewVersionQuestion, .buttons = MB_YESNO | MB_SETFOREGROUND, .icon = MB_ICONQUESTION});
    if (answer != IDYES) return UpdateOutcome::Declined;
    // The shell's default action on the page.
    CurrentLauncher().ShellVerb(nullptr, "", settings.productPage, "", "", kShowDefault);
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
