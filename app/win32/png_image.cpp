// GDI side of the PNG loader: decoded rows into a DIB section.
#include "png_image.h"

#include <cstring>

namespace radixpad::win32 {
namespace {

// BITMAPINFO with room for the largest colour table (8 bits per pixel).
struct BitmapInfo256 {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

HBITMAP CreateDibSection(const image::DibPixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.colors.size() > 256 ||
      pixels.bits.size() < pixels.stride * static_cast<std::size_t>(pixels.height)) {
    return nullptr;
  }
  BitmapInfo256 info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = pixels.width;
  info.header.biHeight = pixels.height;  // positive: rows bottom-up
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(pixels.bitsPerPixel);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(pixels.colors.size());
  for (std::size_t i = 0; i < pixels.colors.size(); ++i) {
    const image::DibColor& c = pixels.colors[i];
    info.colors[i] = RGBQUAD{c.blue, c.green, c.red, 0};
  }

  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    if (bitmap != nullptr) {
      DeleteObject(bitmap);
    }
    return nullptr;
  }
  std::memcpy(bits, pixels.bits.data(), pixels.stride * static_cast<std::size_t>(pixels.height));
  GdiFlush();
  return bitmap;
}

HBITMAP LoadPngFile(const char* path) {
  image::DibPixels pixels;
  if (!image::DecodePngFile(path, pixels)) {
    return nullptr;
  }
  return CreateDibSection(pixels);
}

}  // namespace radixpad::win32
