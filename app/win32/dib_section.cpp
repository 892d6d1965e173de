#include "dib_section.h"

#include <algorithm>

namespace radixpad::win32 {

DibSection::DibSection(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top row first, as the compositor keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_ == nullptr || bits == nullptr) return;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return;
  old_bitmap_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<skin::Pixel*>(bits);
}

DibSection::~DibSection() {
  if (dc_ != nullptr) {
    if (old_bitmap_ != nullptr) SelectObject(dc_, old_bitmap_);
    DeleteDC(dc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void CopyPixels(skin::PixelCanvas from, const PixelRect& area, skin::PixelCanvas to, int dx, int dy) {
  const PixelRect source = area.Intersect(from.Bounds());
  const PixelRect target =
      PixelRect{source.left + dx, source.top + dy, source.right + dx, source.bottom + dy}.Intersect(to.Bounds());
  if (target.Empty()) return;
  for (int y = target.top; y < target.bottom; ++y)
    std::copy_n(&from.At(target.left - dx, y - dy), target.Width(), &to.At(target.left, y));
}

}  // namespace radixpad::win32
