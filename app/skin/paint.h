// Drawing primitives on a PixelCanvas. Every one clips to the canvas, so
// elements may lie partly or wholly outside it.
#pragma once

#include "skin/bitmap.h"
#include "skin/skin_color.h"

namespace radixpad::skin {

// Blends `color` over every pixel of `rect`: each channel becomes
// old + (new - old) x opacity / 255, truncated toward zero. Opacity 0 leaves
// the pixels untouched. The fourth byte is kept.
void FillRect(PixelCanvas canvas, const PixelRect& rect, SkinColor color);

// Opaque lines; both end points are drawn (x1 to x2 at y, y1 to y2 at x).
void HorizontalLine(PixelCanvas canvas, int y, int x1, int x2, SkinColor color);
void VerticalLine(PixelCanvas canvas, int x, int y1, int y2, SkinColor color);

// Copies `rect` of `from` into the same place of `to` (two canvases of one size).
void CopyRect(PixelCanvas to, PixelCanvas from, const PixelRect& rect);

// Blends `image` with its top-left corner at (x, y), colour-keyed, with
// `opacity` (0..255), drawing only inside `bound` and the canvas. Keyed
// pixels are skipped; an image that is not drawable draws nothing.
void BlendImage(PixelCanvas canvas, const Bitmap& image, int x, int y, const PixelRect& bound, unsigned opacity);

}  // namespace radixpad::skin
