// A 32-bit top-down device-independent bitmap selected into its own memory
// device context: the compositor writes its pixels directly, GDI draws into
// and copies out of it through the context.
#pragma once

#include <windows.h>

#include "skin/bitmap.h"

namespace radixpad::win32 {

class DibSection {
 public:
  // Width and height must be positive; on failure valid() is false and the
  // canvas is empty.
  DibSection(int width, int height);
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;
  ~DibSection();

  bool valid() const { return bits_ != nullptr; }
  HDC dc() const { return dc_; }
  // The pixels, top row first. Call GdiFlush before reading what GDI drew.
  skin::PixelCanvas canvas() const { return {bits_, bits_ != nullptr ? width_ : 0, bits_ != nullptr ? height_ : 0}; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  skin::Pixel* bits_ = nullptr;
};

// Copies the rectangle `area` (inside both) from one canvas to another of the
// same coordinates, shifted by (dx, dy) in the target.
void CopyPixels(skin::PixelCanvas from, const PixelRect& area, skin::PixelCanvas to, int dx, int dy);

}  // namespace radixpad::win32
