#include "tools/ras_table.h"

#include "framework/library.h"

#include <string>

namespace ovix::ras {
namespace {

// The lock is made by the first thread that comes; the others wait until it
// stands (0: none, 1: being made, 2: ready).
volatile LONG g_lockState = 0;
CRITICAL_SECTION g_lock;

void EnterTableLock() {
    if (::InterlockedCompareExchange(&g_lockState, 1, 0) == 0) {
        ::InitializeCriticalSection(&g_lock);
        ::InterlockedExchange(&g_lockState, 2);
    } else {
        while (::InterlockedCompareExchange(&g_lockState, 2, 2) != 2) ::Sleep(0);
    }
    ::EnterCriticalSection(&g_lock);
}

struct HeldModule {
    HMODULE module = nullptr;
    bool owned = false;
};

Functions g_table{};
HeldModule g_modules[4];
long g_users = 0;
bool g_filled = false;
bool g_telephonyTried = false;
Loader g_systemLoader;
Loader* g_loader = nullptr;

Loader& CurrentLoader() { return g_loader ? *g_loader : g_systemLoader; }

HMODULE Hold(int slot, const char* dll) {
    HeldModule& held = g_modules[slot];
    held.module = CurrentLoader().Load(dll, held.owned);
    return held.module;
}

template <class Function>
void Find(Function& entry, HMODULE module, const char* name) {
    entry = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(CurrentLoader().Find(module, name))) : nullptr;
}

void Fill(const Platform& platform) {
    // A missing library must not stop the program with a system box.
    const UINT previousMode = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    Functions& t = g_table;
    const HMODULE ras = Hold(0, "RASAPI32.DLL");
    Find(t.dial, ras, "RasDialA");
    Find(t.enumConnections, ras, "RasEnumConnectionsA");
    Find(t.enumEntries, ras, "RasEnumEntriesA");
    Find(t.getConnectStatus, ras, "RasGetConnectStatusA");
    Find(t.getErrorString, ras, "RasGetErrorStringA");
    Find(t.hangUp, ras, "RasHangUpA");
    Find(t.createPhonebookEntry, ras, "RasCreatePhonebookEntryA");
    Find(t.editPhonebookEntry, ras, "RasEditPhonebookEntryA");
    Find(t.getEntryDialParams, ras, "RasGetEntryDialParamsA");
    Find(t.setEntryDialParams, ras, "RasSetEntryDialParamsA");
    Find(t.renameEntry, ras, "RasRenameEntryA");
    Find(t.deleteEntry, ras, "RasDeleteEntryA");
    Find(t.getProjectionInfo, ras, "RasGetProjectionInfoA");
    if (platform.nt && platform.major >= 4) {
        Find(t.validateEntryName, ras, "RasValidateEntryNameA");
        Find(t.renameEntry, ras, "RasRenameEntryA");
        Find(t.deleteEntry, ras, "RasDeleteEntryA");
        Find(t.getEntryProperties, ras, "RasGetEntryPropertiesA");
        Find(t.setEntryProperties, ras, "RasSetEntryPropertiesA");
        Find(t.getCountryInfo, ras, "RasGetCountryInfoA");
        Find(t.enumDevices, ras, "RasEnumDevicesA");
        Find(t.getHport, ras, "RasGetHport");
        Find(t.getSubEntryHandle, ras, "RasGetSubEntryHandleW");
        Find(t.getInfo, Hold(1, "RASMAN.DLL"), "RasGetInfo");
    }
    if (platform.nt && platform.major >= 5) Find(t.getConnectionStatistics, ras, "RasGetConnectionStatistics");
    if (!platform.nt) {
        // The first 9x releases keep the entry functions in a library of their own.
        FARPROC own = ras ? CurrentLoader().Find(ras, "RasGetEntryProperties") : nullptr;
        const HMODULE entries = own ? ras : Hold(2, "RNAPH.DLL");
        Find(t.validateEntryName, entries, "RasValidateEntryName");
        Find(t.renameEntry, entries, "RasRenameEntry");
        Find(t.deleteEntry, entries, "RasDeleteEntry");
        Find(t.getEntryProperties, entries, "RasGetEntryProperties");
        Find(t.setEntryProperties, entries, "RasSetEntryProperties");
        Find(t.getCountryInfo, entries, "RasGetCountryInfo");
        Find(t.enumDevices, entries, "RasEnumDevices");
    }
    t.rasLoaded = ras != nullptr;
    ::SetErrorMode(previousMode);
}

void FillTelephony() {
    const UINT previousMode = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    const HMODULE tapi = Hold(3, "TAPI32.DLL");
    Find(g_table.getLocationInfo, tapi, "tapiGetLocationInfoA");
    Find(g_table.getTranslateCaps, tapi, "lineGetTranslateCapsA");
    ::SetErrorMode(previousMode);
}

void Empty() {
    for (HeldModule& held : g_modules) {
        if (held.module && held.owned) CurrentLoader().Free(held.module);
        held = {};
    }
    g_table = {};
    g_filled = false;
    g_telephonyTried = false;
}

}  // namespace

HMODULE Loader::Load(const char* dll, bool& owned) {
    owned = false;
    if (HMODULE present = ::GetModuleHandleA(dll)) return present;
    const std::string folder = fw::SystemFolder();
    if (folder.empty()) return nullptr;
    HMODULE module = ::LoadLibraryA((folder + "\\" + dll).c_str());
    owned = module != nullptr;
    return module;
}

FARPROC Loader::Find(HMODULE module, const char* name) { return ::GetProcAddress(module, name); }

void Loader::Free(HMODULE module) { ::FreeLibrary(module); }

Loader* SetLoader(Loader* loader) {
    Loader* previous = g_loader;
    g_loader = loader;
    return previous;
}

const Functions& Acquire(const Platform& platform, bool load) {
    EnterTableLock();
    ++g_users;
    if (load && !g_filled) {
        Fill(platform);
        g_filled = true;
    }
    ::LeaveCriticalSection(&g_lock);
    return g_table;
}

void LoadTelephony() {
    EnterTableLock();
    if (g_filled && !g_telephonyTried) {
        FillTelephony();
        g_telephonyTried = true;
    }
    ::LeaveCriticalSection(&g_lock);
}

void Release() {
    EnterTableLock();
    if (g_users > 0 && --g_users == 0) Empty();
    ::LeaveCriticalSection(&g_lock);
}

}  // namespace ovix::ras
