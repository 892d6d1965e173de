// The canvas as a file: an 8-bit indexed (palette) PNG whose palette gives
// each colour index its colour. Indices 0..15 are named colours, 16..255 a
// grey ramp from black to white (see README.md).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "library/canvas.h"

namespace radixcalc {

struct PaletteColour {
  std::uint8_t red, green, blue;
  friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

// The colour of every index.
const std::array<PaletteColour, 256>& CanvasPalette();

// Writes the canvas to `path` (replacing the file). "" when written, else
// why not. An empty canvas (no ":gworld" yet) is not written.
std::string WriteCanvasPng(const std::string& path, const calc::CalcCanvas& canvas);

}  // namespace radixcalc
