// Numeric ids of dialogs, controls, menus, icons, bitmaps and strings. The
// numbers are fixed: menus, icons and the tree refer to them across windows.
#pragma once

// Dialog templates
#define IDD_MAIN 99
#define IDD_ABOUT 169

// Menus and bitmaps
#define IDR_TRAY_MENU 250
#define IDB_SPLASH 251
#define IDR_MAIN_MENU 252

// Icons
#define IDI_OVIX 101
#define IDI_EXIT 352
#define IDI_BACKUP_DONE 353
#define IDI_POWER_OFF 1018
#define IDI_AUTORUN_ON 1039
#define IDI_REBOOT 1120
#define IDI_SLEEP 1121
#define IDI_LOCK 1122
#define IDI_LOG_OFF 1123
#define IDI_HOMEPAGE 1136
#define IDI_SCREENSHOT 1169

// Strings
#define IDS_SOCKETS_FAILED 100
#define IDS_OLE_FAILED 139

// Main window controls
#define IDC_INFO_TREE 352
#define IDC_AUTORUN 401
#define IDC_SCREENSHOT 458
#define IDC_UPTIME 487
#define IDC_RAM_GAUGE 490
#define IDC_CPU_GAUGE 491
#define IDC_PROCESS_COUNT 499
#define IDC_OPEN_PROGRAMS 511
#define IDC_CPU_LABEL 518
#define IDC_RAM_LABEL 519

// About dialog controls
#define IDC_ABOUT_HOMEPAGE 246
#define IDC_ABOUT_SCROLLER 248

// Commands handled by the main window so far (the menus hold the whole catalogue)
#define ID_EXIT 1
#define ID_TRAY_RESTORE 32909
#define ID_TRAY_ABOUT 32995
#define ID_ABOUT 32813
#define ID_REDUCE 33004

// Manifest
#define IDR_MANIFEST 1
