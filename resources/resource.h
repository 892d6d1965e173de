// Resource identifiers of RadixPad: icons, dialogs, controls and strings.
// Shared by the .rc files and the C++ sources; plain #defines so that windres reads it.
#pragma once

// Icons
#define IDI_RADIXPAD 128
#define IDI_SIGNED 130
#define IDI_8BIT 131
#define IDI_MINIMIZE 135
#define IDI_CLOSE 136
#define IDI_UNSIGNED 155
#define IDI_16BIT 156
#define IDI_32BIT 157
#define IDI_WARNING_MARK 158
#define IDI_FIELD_SIGNED 159
#define IDI_FIELD_UNSIGNED 160
#define IDI_HOLD_ON 161
#define IDI_HOLD_OFF 162

// Dialogs
#define IDD_ABOUT 100
#define IDD_CONVERTER 102
#define IDD_WARNINGS 115

// Converter window controls
#define IDC_MASTER 1012
#define IDC_FIELD_BIN 1166
#define IDC_FIELD_OCT 1167
#define IDC_FIELD_DEC 1168
#define IDC_FIELD_HEX 1169

// About box: the version text
#define IDC_ABOUT_VERSION 1136

// Warning dialog controls (its close button is IDCANCEL)
#define IDC_WARNING_LIST 1127

// Strings
#define IDS_VERSION 101
#define IDS_ABOUT_MENU 102
#define IDS_MENU_SETTINGS 103
#define IDS_MENU_TOPMOST 104
#define IDS_MENU_HIDE 105
#define IDS_MENU_QUIT 106
#define IDS_MENU_TRAY 107
#define IDS_TIP_SIGNED 201
#define IDS_TIP_UNSIGNED 202
#define IDS_TIP_8BIT 203
#define IDS_TIP_16BIT 204
#define IDS_TIP_32BIT 205
#define IDS_TIP_HOLD 206
#define IDS_TIP_SETTINGS 207
#define IDS_TIP_MINIMIZE 208
#define IDS_TIP_CLOSE 209
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

// Commands of the pop-up menu; IDM_ABOUT is also the system menu's entry (0x10)
#define IDM_QUIT 2
#define IDM_ABOUT 16
#define IDM_SETTINGS 17
#define IDM_TOPMOST 18
#define IDM_TRAY 19
#define IDM_HIDE 20
