// The settings dialog (103, "RadixPadの設定"): background and button faces,
// the skin and icon images, help, flat buttons, hold, z-order, the tray icon
// and its delay, and debug mode.
#pragma once

#include <windows.h>

#include "model/settings.h"

namespace radixpad::win32 {

// Runs the dialog modally over `owner`, starting from `settings`. True when
// the user confirmed: `settings` then holds what the dialog shows. The tray
// flag travels in settings.tray_icon; the caller reads and writes it under
// the tray's lock. The dialog checks neither paths nor the delay.
bool RunSettingsDialog(HINSTANCE instance, HWND owner, ConverterSettings& settings);

}  // namespace radixpad::win32
