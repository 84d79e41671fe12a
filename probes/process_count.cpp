#include "probes/process_count.h"

#include "framework/handles.h"

#include <tlhelp32.h>

namespace ovix {

int RunningProcessCount() {
    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        ++count;
    }
    return count;
}

std::vector<std::string> RunningProcessNames() {
    std::vector<std::string> names;
    fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        names.emplace_back(entry.szExeFile);
    }
    return names;
}

}  // namespace ovix
