// The converter's pop-up menu (from the tray icon, or a right click on the
// window's background) and the About entry of its system menu.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

// What the menu's check marks show.
struct PopupMenuState {
  bool floating = false;   // always on top
  bool tray = false;       // the tray icon's flag
  bool hidden = false;     // the window is hidden
};

// Builds the menu anew, shows it at the cursor over `window` (which is
// brought to the foreground first) and returns the chosen command (one of
// the IDM_ identifiers of resource.h), or 0 when the menu was dismissed.
int TrackPopupMenuAtCursor(HINSTANCE instance, HWND window, const PopupMenuState& state);

// Takes restore, size and maximise out of the window's system menu and
// appends a separator and the About entry (IDM_ABOUT).
void AddAboutToSystemMenu(HINSTANCE instance, HWND window);

}  // namespace radixpad::win32
