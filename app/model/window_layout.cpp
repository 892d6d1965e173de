#include "model/window_layout.h"

namespace radixpad {
namespace {

// MulDiv's rounding for the small positive values of a dialog template.
constexpr int Scale(int value, int base, int divisor) { return (value * base * 2 + divisor) / (divisor * 2); }

// The template's rectangles of control ids 1012 and 1166..1169.
struct TemplateRect {
  int id, x, y, width, height;
};
constexpr std::array<TemplateRect, 5> kTemplate = {{
    {1012, 1, 4, 9, 9},
    {1166, 22, 19, 142, 12},
    {1167, 22, 33, 142, 12},
    {1168, 22, 47, 142, 12},
    {1169, 22, 61, 142, 12},
}};

constexpr int kTemplateWidth = 186;
constexpr int kTemplateHeight = 75;

}  // namespace

PixelRect DialogUnitsToPixels(int x, int y, int width, int height) {
  const int left = Scale(x, kBaseUnitX, 4);
  const int top = Scale(y, kBaseUnitY, 8);
  return {left, top, left + Scale(width, kBaseUnitX, 4), top + Scale(height, kBaseUnitY, 8)};
}

std::array<ControlLayout, 5> ConverterControls() {
  std::array<ControlLayout, 5> controls{};
  for (std::size_t i = 0; i < kTemplate.size(); ++i) {
    const TemplateRect& t = kTemplate[i];
    controls[i] = {t.id, DialogUnitsToPixels(t.x, t.y, t.width, t.height)};
  }
  return controls;
}

int ConverterClientWidth() { return Scale(kTemplateWidth, kBaseUnitX, 4); }
// The face ends at y 109; the last half pixel of the template is dropped
// rather than rounded up, so the window is 112 pixels high.
int ConverterClientHeight() { return kTemplateHeight * kBaseUnitY / 8; }

}  // namespace radixpad
