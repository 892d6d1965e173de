// Resource identifiers of setup: its dialog, bitmap, icon, controls and strings.
// Plain #defines so that windres reads it.
#pragma once

#define IDD_SETUP 102
#define IDI_SETUP 128
#define IDB_SETUP 129

// Controls (the options, the uninstall check box and the bitmap)
#define IDC_SETUP_MANUALS 1000
#define IDC_SETUP_UNINSTALL 1001
#define IDC_SETUP_ACCESSORIES 1006
#define IDC_SETUP_QUICK_LAUNCH 1017
#define IDC_SETUP_STARTUP 1018
#define IDC_SETUP_PICTURE 1019

// Strings
#define IDS_SETUP_DESCRIPTION 101
#define IDS_SETUP_ACCESSORIES 110
#define IDS_SETUP_ACCESSORIES_BEFORE_5 111
#define IDS_SETUP_STARTUP 112
#define IDS_SETUP_STARTUP_BEFORE_5 113
#define IDS_SETUP_QUICK_LAUNCH 114
#define IDS_SETUP_DEVELOPER_LINK 115
#define IDS_SETUP_USER_LINK 116
#define IDS_SETUP_RUNNING 117
#define IDS_SETUP_KEEP_SETTINGS 118
#define IDS_SETUP_OK 119
#define IDS_SETUP_OK_UNINSTALL 120
