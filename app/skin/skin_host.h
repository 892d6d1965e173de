// What the compositor needs from the platform: the pictures it cannot make
// itself (what lies behind the window, the wallpaper, text, icons), the
// screen, and the mouse capture. The Win32 window implements it once.
#pragma once

#include <string_view>

#include "skin/bitmap.h"
#include "skin/pixel_rect.h"

// <windows.h> makes DrawText a macro for DrawTextA or DrawTextW. The host's
// DrawText is the compositor's own and must keep its name in every
// translation unit, or the Win32 host would not override it; the Win32 side
// calls the system's function as DrawTextA.
#ifdef DrawText
#undef DrawText
#endif

namespace radixpad::skin {

enum class BackgroundMode : int { kSolid = 0, kTransparent = 1, kWallpaper = 2 };

enum class TextLayout {
  kCentredLine,  // a button: centred both ways on one line
  kWordBreak,    // a label: left-aligned, broken at words
};

class SkinHost {
 public:
  virtual ~SkinHost() = default;

  // Fills `background` (client-sized) with what lies behind the window
  // (kTransparent) or with the desktop wallpaper (kWallpaper).
  virtual void CaptureBackground(BackgroundMode mode, PixelCanvas background) = 0;

  // Copies `area` of the compose buffer to the window, never over its controls.
  virtual void Present(const PixelRect& area) = 0;

  // Draws `text` in black with the surface font and a transparent background
  // into `canvas`, laid out in `rect` and clipped to it.
  virtual void DrawText(PixelCanvas canvas, const PixelRect& rect, std::string_view text, TextLayout layout) = 0;

  // Draws the 32 x 32 icon `icon` (a resource number) with its top-left
  // corner at (left, top), clipped to `clip` (the element's rectangle).
  virtual void DrawIcon(PixelCanvas canvas, int left, int top, int icon, const PixelRect& clip) = 0;

  // Takes (true) or releases (false) the mouse capture.
  virtual void SetMouseCapture(bool capture) = 0;
};

}  // namespace radixpad::skin
