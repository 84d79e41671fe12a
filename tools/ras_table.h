// The process-wide table of remote-access and telephony functions, loaded at
// run time so that Ovix starts on machines without them. The first user fills
// it, the last one frees the libraries. The loader is the seam: tests hand in
// one that answers with fakes, so no test ever reaches a real connection.
#pragma once

#include "tools/dialer_records.h"

namespace ovix::ras {

struct Platform {
    bool nt = true;
    DWORD major = 5;
    DWORD minor = 0;
};

struct Functions {
    // The ANSI names, and on 9x the plain names that take their place.
    using EnumConnections = DWORD(WINAPI*)(Connection*, DWORD*, DWORD*);
    using GetConnectStatus = DWORD(WINAPI*)(Handle, ConnectStatus*);
    using HangUp = DWORD(WINAPI*)(Handle);
    using GetEntryDialParams = DWORD(WINAPI*)(const char*, DialParams*, BOOL*);
    using GetProjectionInfo = DWORD(WINAPI*)(Handle, DWORD, void*, DWORD*);
    using GetEntryProperties = DWORD(WINAPI*)(const char*, const char*, Entry*, DWORD*, BYTE*, DWORD*);
    using GetCountryInfo = DWORD(WINAPI*)(CountryInfo*, DWORD*);
    using EnumDevices = DWORD(WINAPI*)(DeviceInfo*, DWORD*, DWORD*);
    using GetSubEntryHandle = DWORD(WINAPI*)(Handle, DWORD, Handle*);
    using GetHport = Port(WINAPI*)(Handle);
    using GetInfo = DWORD(WINAPI*)(Port, void*);
    using GetConnectionStatistics = DWORD(WINAPI*)(Handle, Statistics*);
    using GetLocationInfo = LONG(WINAPI*)(char*, char*);
    using GetTranslateCaps = LONG(WINAPI*)(HANDLE, DWORD, TranslateCaps*);

    // Looked up with the others; dialling and phonebook editing are not
    // offered by Ovix.
    FARPROC dial, enumEntries, getErrorString, createPhonebookEntry, editPhonebookEntry, setEntryDialParams,
        renameEntry, deleteEntry, validateEntryName, setEntryProperties;

    EnumConnections enumConnections;
    GetConnectStatus getConnectStatus;
    HangUp hangUp;
    GetEntryDialParams getEntryDialParams;
    GetProjectionInfo getProjectionInfo;
    GetEntryProperties getEntryProperties;
    GetCountryInfo getCountryInfo;
    EnumDevices enumDevices;
    GetSubEntryHandle getSubEntryHandle;
    GetHport getHport;
    GetInfo getInfo;
    GetConnectionStatistics getConnectionStatistics;
    GetLocationInfo getLocationInfo;
    GetTranslateCaps getTranslateCaps;

    bool rasLoaded;  // RASAPI32.DLL was found
};

// Where the libraries come from. The system's loads them by full path from
// the system folder and uses a copy already in the process as it is.
class Loader {
public:
    virtual ~Loader() = default;
    // The module and whether it must be freed; null when it is missing.
    virtual HMODULE Load(const char* dll, bool& owned);
    virtual FARPROC Find(HMODULE module, const char* name);
    virtual void Free(HMODULE module);
};

// Replaces the loader (null: the system's); returns the previous one. Only
// while no user holds the table.
Loader* SetLoader(Loader* loader);

// Counts a user; the first fills the table for its platform. `load` false
// (remote access switched off) counts the user without loading anything.
const Functions& Acquire(const Platform& platform, bool load);
// Telephony is wanted only to compose a dialled number, which most runs
// never do: its library is loaded on the first call, once the table is
// filled, and freed with the others.
void LoadTelephony();
// Uncounts a user; the last frees the libraries and empties the table.
void Release();

}  // namespace ovix::ras
