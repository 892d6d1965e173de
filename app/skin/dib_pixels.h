// The pixel layout of a Windows device-independent bitmap, shared by the decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace radixpad::image {

// One colour-table entry, laid out like RGBQUAD.
struct DibColor {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;

  friend bool operator==(const DibColor&, const DibColor&) = default;
};

// A decoded image in the layout of a Windows device-independent bitmap, as
// the decoders produce it before it is expanded to 32-bit pixels.
// From a PNG file:
//  - truecolour images become 24 bits per pixel, stored blue, green, red;
//  - palette images keep their depth (1, 4 or 8; 2-bit pixels are widened to 4 bits)
//    and carry the PNG palette as colour table;
//  - greyscale images become indexed with a ramp of 2^depth grey levels
//    (16-bit grey is reduced to 8 bits first, 2-bit pixels are widened to 4 bits).
// Alpha channels are dropped and 16-bit channels reduced to 8 bits.
// From a BMP file: the file's own depth (1, 4, 8, 24 or 32) and colour table.
// Rows are stored bottom-up, each `stride` bytes long (a multiple of 4).
// Indexed images carry 2^bitsPerPixel colours, so that every index has one.
struct DibPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::size_t stride = 0;
  std::vector<DibColor> colors;
  std::vector<std::uint8_t> bits;
};

}  // namespace radixpad::image
