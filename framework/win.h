// The one way every Win32 unit of Ovix includes the platform headers, so that
// the target version and the ANSI character set are the same everywhere.
#pragma once

#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0500
#endif
#ifndef WINVER
#define WINVER 0x0500
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0600
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
