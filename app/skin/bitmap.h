// Pixels as the compositor sees them: 32 bits each, rows top first.
//
// A Pixel keeps blue in its lowest byte, then green, then red, then a fourth
// byte; stored little-endian this is the byte order blue, green, red, fourth
// of a 32-bit device-independent bitmap, so a buffer can be handed to GDI as a
// top-down DIB section (negative height) without conversion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/pixel_rect.h"

namespace radixpad::skin {

using Pixel = std::uint32_t;

constexpr Pixel MakePixel(unsigned red, unsigned green, unsigned blue, unsigned fourth = 0) {
  return (fourth & 0xFFu) << 24 | (red & 0xFFu) << 16 | (green & 0xFFu) << 8 | (blue & 0xFFu);
}
constexpr unsigned BlueOf(Pixel p) { return p & 0xFFu; }
constexpr unsigned GreenOf(Pixel p) { return p >> 8 & 0xFFu; }
constexpr unsigned RedOf(Pixel p) { return p >> 16 & 0xFFu; }
constexpr unsigned FourthOf(Pixel p) { return p >> 24; }

// In a loaded image the fourth byte says whether the pixel is drawn: the
// loader compares stored values (palette indices for indexed files), which
// the 32-bit pixels no longer show, so it decides the colour key itself.
inline constexpr unsigned kImageDrawn = 0xFF;
inline constexpr unsigned kImageKeyed = 0x00;

// A non-owning view of width x height pixels, row y at pixels + y * width.
struct PixelCanvas {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;

  Pixel& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  PixelRect Bounds() const { return {0, 0, width, height}; }
};

// A decoded skin or button image.
struct Bitmap {
  int width = 0;
  int height = 0;
  // False for the depths the compositor never draws (1-bit BMP files): such
  // an image loads, so a preview can show it, but leaves the skin empty.
  bool drawable = true;
  std::vector<Pixel> pixels;  // top row first, `width` pixels per row

  Pixel At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace radixpad::skin
