#include "skin/paint.h"

#include <algorithm>

namespace radixpad::skin {
namespace {

// One channel of new = old + (colour - old) x opacity / 255; C++ division
// truncates toward zero, as the formula asks for negative differences too.
unsigned BlendChannel(unsigned old, unsigned colour, unsigned opacity) {
  const int difference = static_cast<int>(colour) - static_cast<int>(old);
  return static_cast<unsigned>(static_cast<int>(old) + difference * static_cast<int>(opacity) / 255);
}

Pixel Blend(Pixel old, Pixel colour, unsigned opacity) {
  return MakePixel(BlendChannel(RedOf(old), RedOf(colour), opacity),
                   BlendChannel(GreenOf(old), GreenOf(colour), opacity),
                   BlendChannel(BlueOf(old), BlueOf(colour), opacity), FourthOf(old));
}

}  // namespace

void FillRect(PixelCanvas canvas, const PixelRect& rect, SkinColor color) {
  const unsigned opacity = OpacityOf(color);
  if (opacity == 0) return;
  const PixelRect r = rect.Intersect(canvas.Bounds());
  const Pixel colour = PixelOf(color);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) canvas.At(x, y) = Blend(canvas.At(x, y), colour, opacity);
}

void HorizontalLine(PixelCanvas canvas, int y, int x1, int x2, SkinColor color) {
  FillRect(canvas, {x1, y, x2 + 1, y + 1}, WithOpacity(color, 255));
}

void VerticalLine(PixelCanvas canvas, int x, int y1, int y2, SkinColor color) {
  FillRect(canvas, {x, y1, x + 1, y2 + 1}, WithOpacity(color, 255));
}

void CopyRect(PixelCanvas to, PixelCanvas from, const PixelRect& rect) {
  const PixelRect r = rect.Intersect(to.Bounds()).Intersect(from.Bounds());
  if (r.Empty()) return;
  for (int y = r.top; y < r.bottom; ++y)
    std::copy(&from.At(r.left, y), &from.At(r.left, y) + r.Width(), &to.At(r.left, y));
}

void BlendImage(PixelCanvas canvas, const Bitmap& image, int x, int y, const PixelRect& bound, unsigned opacity) {
  if (!image.drawable || opacity == 0) return;
  const PixelRect r = PixelRect{x, y, x + image.width, y + image.height}.Intersect(bound).Intersect(canvas.Bounds());
  for (int cy = r.top; cy < r.bottom; ++cy) {
    for (int cx = r.left; cx < r.right; ++cx) {
      const Pixel p = image.At(cx - x, cy - y);
      if (FourthOf(p) == kImageKeyed) continue;
      canvas.At(cx, cy) = Blend(canvas.At(cx, cy), p, std::min(opacity, 255u));
    }
  }
}

}  // namespace radixpad::skin
