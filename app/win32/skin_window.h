// The Win32 side of the compositor: the compose buffer as a DIB section, the
// backgrounds only the system can provide (what lies behind the window, the
// wallpaper), text and icons drawn by GDI into the buffer, presenting the
// buffer around the window's controls, and the mouse capture.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "dib_section.h"
#include "skin/skin_color.h"
#include "skin/skin_host.h"

namespace radixpad::win32 {

// The system's current 3-D colours, for the skin elements.
skin::SystemColors CurrentSystemColors();

class SkinWindow final : public skin::SkinHost {
 public:
  // `controls` are the window's Win32 controls, which presenting never paints over.
  SkinWindow(HWND window, HINSTANCE instance, std::vector<HWND> controls);
  SkinWindow(const SkinWindow&) = delete;
  SkinWindow& operator=(const SkinWindow&) = delete;
  ~SkinWindow() override;

  // The client-sized compose buffer to bind the surface to.
  skin::PixelCanvas compose() const { return compose_.canvas(); }
  // True while a transparent snapshot shows and hides the window itself.
  bool capturing() const { return capturing_; }

  void CaptureBackground(skin::BackgroundMode mode, skin::PixelCanvas background) override;
  void Present(const PixelRect& area) override;
  void DrawText(skin::PixelCanvas canvas, const PixelRect& rect, std::string_view text,
                skin::TextLayout layout) override;
  void DrawIcon(skin::PixelCanvas canvas, int left, int top, int icon, const PixelRect& clip) override;
  void SetMouseCapture(bool capture) override;

 private:
  void CaptureBehind(skin::PixelCanvas background);
  void CaptureWallpaper(skin::PixelCanvas background);
  HICON Icon(int id);

  HWND window_;
  HINSTANCE instance_;
  std::vector<HWND> controls_;
  DibSection compose_;
  HFONT font_;
  std::map<int, HICON> icons_;  // loaded on first use; null: the resource is missing
  bool capturing_ = false;
};

}  // namespace radixpad::win32
