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

// Settings dialog (103) and its controls
#define IDD_SETTINGS 103
#define IDC_SETTINGS_BACK 1000
#define IDC_SETTINGS_FORE 1001
#define IDC_SETTINGS_SKIN 1002
#define IDC_SETTINGS_HELP 1007
#define IDC_SETTINGS_FLOATING 1013
#define IDC_SETTINGS_SKIN_FILE 1014
#define IDC_SETTINGS_ICON_FILE 1015
#define IDC_SETTINGS_CHOOSE_SKIN 1016
#define IDC_SETTINGS_CHOOSE_ICON 1017
#define IDC_SETTINGS_KEEP_LOCK 1020
#define IDC_SETTINGS_TRAY 1021
#define IDC_SETTINGS_DEBUG 1023
#define IDC_SETTINGS_FLAT 1024
#define IDC_SETTINGS_TRAY_DELAY 1233

// The image chooser's template: the common controls' placeholder (stc32), the anchor
// of the preview and the preview check box
#define IDC_CHOOSER_PLACEHOLDER 1119
#define IDC_CHOOSER_ANCHOR 6000
#define IDC_CHOOSER_PREVIEW 6001

// Texts of the settings dialog's lists and of the image chooser
#define IDS_BACK_SOLID 301
#define IDS_BACK_TRANSPARENT 302
#define IDS_BACK_WALLPAPER 303
#define IDS_FORE_CLEAR 304
#define IDS_FORE_HALF 305
#define IDS_SKIN_SOLID 306
#define IDS_SKIN_TRANSPARENT 307
#define IDS_IMAGE_FILTER 308
#define IDS_PREVIEW 309
