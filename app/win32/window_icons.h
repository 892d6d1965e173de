// The converter window's own icons: the large one (resource 128 at 32 x 32)
// and the small one, and the large icon drawn while the window is minimised.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

class WindowIcons {
 public:
  WindowIcons() = default;
  WindowIcons(const WindowIcons&) = delete;
  WindowIcons& operator=(const WindowIcons&) = delete;
  ~WindowIcons();

  // Loads the icons and gives them to `window` (WM_SETICON). The small icon
  // is the large one when the system's small icons are that large anyway.
  void Apply(HINSTANCE instance, HWND window);

  HICON large() const { return large_; }
  // The 16 x 16 image of the program icon, as the tray shows it.
  HICON small16() const { return small16_; }
  // Draws the large icon in the middle of the minimised window's client area.
  void PaintIconic(HWND window, HDC dc) const;

 private:
  HICON large_ = nullptr;
  HICON small16_ = nullptr;
};

}  // namespace radixpad::win32
