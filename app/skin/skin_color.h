// Colours of skin elements: red in the lowest byte, then green, then blue (as
// a COLORREF), and an opacity in the top byte: 0 is not painted at all, 255
// is opaque.
#pragma once

#include <cstdint>

#include "skin/bitmap.h"

namespace radixpad::skin {

using SkinColor = std::uint32_t;

constexpr SkinColor MakeSkinColor(unsigned red, unsigned green, unsigned blue, unsigned opacity = 255) {
  return (opacity & 0xFFu) << 24 | (blue & 0xFFu) << 16 | (green & 0xFFu) << 8 | (red & 0xFFu);
}
constexpr unsigned OpacityOf(SkinColor c) { return c >> 24; }
constexpr SkinColor WithOpacity(SkinColor c, unsigned opacity) { return (c & 0xFFFFFFu) | (opacity & 0xFFu) << 24; }
// The colour as a buffer pixel, its opacity dropped.
constexpr Pixel PixelOf(SkinColor c) { return MakePixel(c & 0xFFu, c >> 8 & 0xFFu, c >> 16 & 0xFFu); }

// Faces that the Fore setting gives buttons and labels.
inline constexpr SkinColor kFaceInvisible = 0x00FFFFFF;  // Fore 0: not painted
inline constexpr SkinColor kFaceHalf = 0x7FFFFFFF;       // Fore 1, and a checked button's face

// The system's 3-D colours that elements start with (the host reads the real
// ones); the defaults are the classic Windows scheme. Opacity bytes are
// ignored: faces are made opaque, lines are always drawn opaque.
struct SystemColors {
  SkinColor highlight = MakeSkinColor(255, 255, 255);  // COLOR_BTNHIGHLIGHT
  SkinColor face = MakeSkinColor(192, 192, 192);       // COLOR_BTNFACE
  SkinColor shadow = MakeSkinColor(128, 128, 128);     // COLOR_BTNSHADOW
  SkinColor darkShadow = MakeSkinColor(64, 64, 64);    // COLOR_3DDKSHADOW
};

}  // namespace radixpad::skin
