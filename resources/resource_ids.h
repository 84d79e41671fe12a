// Numeric ids of dialogs, controls, menus, icons, bitmaps and strings. The
// numbers are fixed: menus, icons and the tree refer to them across windows.
#pragma once

// Dialog templates
#define IDD_MAIN 99
#define IDD_ABOUT 169
#define IDD_CLEANER 170
#define IDD_REPORT 171
#define IDD_TEXT_PROMPT 172
#define IDD_OPTIMIZE 176
#define IDD_MAIL_REPORT 1059
#define IDD_SHORTCUT 177
#define IDD_SYSTEM_COLORS 178
#define IDD_PASSWORDS 179
#define IDD_PROCESSES 1027
#define IDD_SERVICES 1015
#define IDD_DRIVERS 1051
#define IDD_SOFTWARE 489
#define IDD_HOTFIXES 1067
#define IDD_INSTALLERS 1401
#define IDD_COM_APPS 1402
#define IDD_CODECS 1403
#define IDD_DLL_CACHE 1404
#define IDD_EXECUTABLES 1405
#define IDD_PROTECTED_FILES 1406
#define IDD_FONTS 1407
#define IDD_DESKTOP_WINDOWS 1408
#define IDD_DISPLAY_MODES 1409
#define IDD_SHELL_FOLDERS 1410

// Menus and bitmaps
#define IDR_TRAY_MENU 250
#define IDB_SPLASH 251
#define IDB_SUMMARY 1152
#define IDB_WAIT 1131
#define IDR_MAIN_MENU 252
#define IDR_CLEANER_MENU 351

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
#define IDI_CLEAN 1201
#define IDI_SELECT_ALL 1202

// Tree image list icons (the image list also uses 352, 353, 1039, 1120-1123, 1136)
#define IDI_TREE_BULLET 1187
#define IDI_TREE_MAIL 354
#define IDI_TREE_INFO 1066
#define IDI_TREE_SETTINGS 400
#define IDI_TREE_UP 1056
#define IDI_TREE_DOWN 1055
#define IDI_TREE_HELP 1126
#define IDI_TREE_STAR 1115
#define IDI_TREE_REPORT 1087
#define IDI_TREE_EXPAND 1116
#define IDI_TREE_COLLAPSE 1117
#define IDI_TREE_PRINTER_ENTRY 1135
#define IDI_TREE_WEB_SEARCH 1170
#define IDI_TREE_CALENDAR 1134
#define IDI_TREE_SCREEN_SAVER 1016
#define IDI_TREE_SERVICES 1137
#define IDI_TREE_KEYBOARD 1154
#define IDI_TREE_CONSOLE 1153
#define IDI_TREE_PROGRAM 1155
#define IDI_TREE_SOUND 1156
#define IDI_TREE_PHONE 1159
#define IDI_TREE_ACCESSIBILITY 1158
#define IDI_TREE_CLOCK 1157
#define IDI_TREE_DISC 1161
#define IDI_TREE_DEFRAG 1160
#define IDI_TREE_SUMMARY 1065
#define IDI_TREE_FOLDER 355
#define IDI_TREE_WEB_SEARCH_PAGE 1178
#define IDI_TREE_DLL 1133
#define IDI_TREE_TEXT_EDITOR 1119
#define IDI_TREE_NETWORK 1124
#define IDI_TREE_OS 1171
#define IDI_TREE_SCREEN_SAVER_RUN 1017
#define IDI_TREE_HARDWARE 1181
#define IDI_TREE_VIDEO_MEMORY 1182
#define IDI_TREE_PUZZLE 1138
#define IDI_TREE_DISC_TRAY 1183
#define IDI_TREE_MOUSE 1184
#define IDI_TREE_SUBSECTION 1185
#define IDI_TREE_DISPLAY 1186
#define IDI_TREE_CPU 1180
#define IDI_TREE_PACKAGE 1139
#define IDI_TREE_LIGHTNING 1179
#define IDI_TREE_HARD_DISK 1025
#define IDI_TREE_COMPUTER 1198
#define IDI_TREE_PRINTER 1199

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

// Cleaner controls: a check box and its label per choice, in run order
#define IDC_CLEAN_CHECK_FIRST 1301  // 1301-1308
#define IDC_CLEAN_LABEL_FIRST 1311  // 1311-1318
#define IDC_CLEAN_GROUP 1320
#define IDC_CLEAN 1321
#define IDC_SELECT_ALL 1322
#define IDC_CLEAN_LOG 1323
#define ID_SAVE_LOG_AS 33100

// Optimiser controls
#define IDC_OPTIMIZE_WARNING 1330
#define IDC_OPTIMIZE_LOG 1331
#define IDC_OPTIMIZE 1332
#define IDC_OPTIMIZE_UNDO 1333

// Process window controls
#define IDC_PROCESS_LIST 1032
#define IDC_MODULE_TEXT 519
#define IDC_MODULE_LIST 102

// Services and drivers windows
#define IDC_SERVICE_LIST 1000

// Installed software and hotfix windows (the toggle is button 401)
#define IDC_SOFTWARE_LIST 488
#define IDC_HOTFIX_LIST 1069

// The lists of packages, codecs, system files, windows, modes and folders
#define IDC_LIST 1420
#define IDC_MODES_LABEL 1421

// Commands handled by the main window so far (the menus hold the whole catalogue)
#define ID_EXIT 1
#define ID_TRAY_RESTORE 32909
#define ID_TRAY_ABOUT 32995
#define ID_ABOUT 32813
#define ID_REDUCE 33004
// The "Tree" popup (also the main window's context menu)
#define ID_TREE_EXPAND_MAIN 33010
#define ID_TREE_EXPAND_ALL 1175
#define ID_TREE_COLLAPSE_ALL 1023
#define ID_TREE_COPY_VISIBLE 33062
#define ID_TREE_COPY_ALL 33063

// Report dialog (Generate has no control: Browse sends it)
#define IDC_REPORT_STATUS 453
#define IDC_REPORT_BROWSE 120
#define ID_REPORT_GENERATE 115

// E-mail report dialog (labels 530-534 and 516 are plain statics)
#define IDC_MAIL_RECIPIENT1 448
#define IDC_MAIL_RECIPIENT2 450
#define IDC_MAIL_SUBJECT 1049
#define IDC_MAIL_FILE_NAME 495
#define IDC_MAIL_BODY 498
#define IDC_MAIL_STATUS 494
#define IDC_MAIL_HELP 401
#define IDC_MAIL_SEND 449

// Text prompt
#define IDC_PROMPT_ICON 173
#define IDC_PROMPT_QUESTION 174
#define IDC_PROMPT_TEXT 175

// Shortcut maker (Close is IDCANCEL)
#define IDC_SHORTCUT_GROUP 1340
#define IDC_SHORTCUT_INSTRUCTIONS 1341
#define IDC_SHORTCUT_LOCATION 1342
#define IDC_SHORTCUT_TARGET 1343
#define IDC_SHORTCUT_NAME 1344
#define IDC_SHORTCUT_DESCRIPTION 1345
#define IDC_SHORTCUT_BROWSE 1346
#define IDC_SHORTCUT_CREATE 1347

// System colours
#define IDC_COLORS_GROUP 1350
#define IDC_COLORS_ELEMENT 1351
#define IDC_COLORS_COLOUR 1352
#define IDC_COLORS_APPLY 1353
#define IDC_COLORS_HELP 1354

// Password generator (the six kinds follow the first in their order)
#define IDC_PASSWORD_GROUP 1360
#define IDC_PASSWORD_KIND_FIRST 1361
#define IDC_PASSWORD_LENGTH_LABEL 1367
#define IDC_PASSWORD_LENGTH 1368
#define IDC_PASSWORD_RESULT 1369
#define IDC_PASSWORD_GENERATE 1370
#define IDC_PASSWORD_HELP 1371

// Manifest
#define IDR_MANIFEST 1
