// Resource identifiers of RadixPad: dialogs, controls and strings.
// Shared by the .rc files and the C++ sources; plain #defines so that windres reads it.
#pragma once

// Dialogs
#define IDD_CONVERTER 102
#define IDD_WARNINGS 115

// Converter window controls
#define IDC_MASTER 1012
#define IDC_FIELD_BIN 1166
#define IDC_FIELD_OCT 1167
#define IDC_FIELD_DEC 1168
#define IDC_FIELD_HEX 1169

// Warning dialog controls (its close button is IDCANCEL)
#define IDC_WARNING_LIST 1127

// Strings
#define IDS_VERSION 101
#define IDS_ABOUT_MENU 102
#define IDS_TIP_SIGNED 201
#define IDS_TIP_UNSIGNED 202
#define IDS_TIP_8BIT 203
#define IDS_TIP_16BIT 204
#define IDS_TIP_32BIT 205
#define IDS_TIP_HOLD 206
#define IDS_TIP_WARNING 210
