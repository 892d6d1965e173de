// Where the converter window's Win32 controls go, in client pixels.
//
// The dialog template gives the controls in dialog units, which Windows turns
// into pixels with the base units of the dialog font. The face (skin image,
// skin buttons, labels) is drawn in fixed pixels for the font the template
// names, whose base units are 6 x 12 pixels. Any other font the system
// substitutes (Wine has no "ＭＳ ゴシック" of that size) gives other base
// units and the fields would no longer line up with their labels and sign
// buttons, so the window places its controls and sizes itself from this table
// instead of trusting the template's conversion.
#pragma once

#include <array>

#include "skin/pixel_rect.h"

namespace radixpad {

// The base units of the template's font, in pixels.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 12;

// Dialog units to pixels, as the dialog manager converts them: each of x, y,
// width and height is scaled and rounded half away from zero on its own.
PixelRect DialogUnitsToPixels(int x, int y, int width, int height);

struct ControlLayout {
  int id;
  PixelRect rect;  // client pixels
};

// The MASTER box and the four fields (binary, octal, decimal, hexadecimal).
std::array<ControlLayout, 5> ConverterControls();

// The client area: 186 x 75 dialog units.
int ConverterClientWidth();
int ConverterClientHeight();

}  // namespace radixpad
