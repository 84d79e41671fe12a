// The remote-access and telephony records in their Windows 2000 layouts,
// packed to 4 like the system headers. The records of the newer headers are
// refused by the systems that predate them, so Ovix keeps its own.
#pragma once

#include "framework/win.h"

#include <cstddef>

namespace ovix::ras {

using Handle = HANDLE;  // a connection
using Port = HANDLE;

constexpr DWORD kConnected = 0x2000;
constexpr DWORD kDisconnected = 0x2001;
constexpr DWORD kBufferTooSmall = 603;
constexpr DWORD kInvalidSize = 632;
constexpr DWORD kProjectionIp = 0x8021;
constexpr DWORD kUseCountryAndAreaCodes = 0x00000001;

#pragma pack(push, 4)
struct Connection {
    DWORD dwSize;
    Handle hrasconn;
    CHAR szEntryName[257];
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
    CHAR szPhonebook[260];
    DWORD dwSubEntry;
    GUID guidEntry;
};
// The NT 4 records: without the entry's identifier, and without the
// phonebook and sub-entry.
constexpr DWORD kConnectionSizes[] = {sizeof(Connection), sizeof(Connection) - sizeof(GUID),
                                      (offsetof(Connection, szPhonebook) + 3) & ~3u};

struct DialParams {
    DWORD dwSize;
    CHAR szEntryName[257];
    CHAR szPhoneNumber[129];
    CHAR szCallbackNumber[129];
    CHAR szUserName[257];
    CHAR szPassword[257];
    CHAR szDomain[16];
    DWORD dwSubEntry;
    ULONG_PTR dwCallbackId;
};

struct ConnectStatus {
    DWORD dwSize;
    DWORD rasconnstate;
    DWORD dwError;
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
    CHAR szPhoneNumber[129];
};

struct DeviceInfo {
    DWORD dwSize;
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
};

struct PppIp {
    DWORD dwSize;
    DWORD dwError;
    CHAR szIpAddress[16];
    CHAR szServerIpAddress[16];
    DWORD dwOptions;
    DWORD dwServerOptions;
};
constexpr DWORD kPppIpSizes[] = {sizeof(PppIp), offsetof(PppIp, dwOptions), offsetof(PppIp, szServerIpAddress)};

struct Statistics {
    DWORD dwSize;
    DWORD dwBytesXmited, dwBytesRcved, dwFramesXmited, dwFramesRcved, dwCrcErr, dwTimeoutErr, dwAlignmentErr,
        dwHardwareOverrunErr, dwFramingErr, dwBufferOverrunErr, dwCompressionRatioIn, dwCompressionRatioOut, dwBps,
        dwConnectDuration;
};

struct CountryInfo {
    DWORD dwSize;
    DWORD dwCountryID;
    DWORD dwNextCountryID;
    DWORD dwCountryCode;
    DWORD dwCountryNameOffset;
};

struct Entry {
    DWORD dwSize;
    DWORD dwfOptions;
    DWORD dwCountryID;
    DWORD dwCountryCode;
    CHAR szAreaCode[11];
    CHAR szLocalPhoneNumber[129];
    DWORD dwAlternateOffset;
    DWORD ipaddr, ipaddrDns, ipaddrDnsAlt, ipaddrWins, ipaddrWinsAlt;
    DWORD dwFrameSize, dwfNetProtocols, dwFramingProtocol;
    CHAR szScript[MAX_PATH];
    CHAR szAutodialDll[MAX_PATH];
    CHAR szAutodialFunc[MAX_PATH];
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
    CHAR szX25PadType[33];
    CHAR szX25Address[201];
    CHAR szX25Facilities[201];
    CHAR szX25UserData[201];
    DWORD dwChannels, dwReserved1, dwReserved2;
    DWORD dwSubEntries, dwDialMode, dwDialExtraPercent, dwDialExtraSampleSeconds, dwHangUpExtraPercent,
        dwHangUpExtraSampleSeconds, dwIdleDisconnectSeconds;
    DWORD dwType, dwEncryptionType, dwCustomAuthKey;
    GUID guidId;
    CHAR szCustomDialDll[MAX_PATH];
    DWORD dwVpnStrategy;
};

struct TranslateCaps {
    DWORD dwTotalSize, dwNeededSize, dwUsedSize, dwNumLocations, dwLocationListSize, dwLocationListOffset,
        dwCurrentLocationID, dwNumCards, dwCardListSize, dwCardListOffset, dwCurrentPreferredCardID;
};
#pragma pack(pop)

// The port record of the remote-access manager: only its third field, the
// line speed, is read.
constexpr DWORD kPortInfoSize = 840;

#ifdef _WIN64
static_assert(sizeof(Connection) == 696 && sizeof(DialParams) == 1064);
static_assert(kConnectionSizes[1] == 680 && kConnectionSizes[2] == 416);
#else
static_assert(sizeof(Connection) == 692 && sizeof(DialParams) == 1060);
static_assert(kConnectionSizes[1] == 676 && kConnectionSizes[2] == 412);
#endif
static_assert(sizeof(ConnectStatus) == 288 && sizeof(DeviceInfo) == 152 && sizeof(PppIp) == 48);
static_assert(kPppIpSizes[1] == 40 && kPppIpSizes[2] == 24);
static_assert(sizeof(Statistics) == 60 && sizeof(TranslateCaps) == 44 && sizeof(Entry) == 2088);

}  // namespace ovix::ras
