// Windows bitmap (BMP) files into the DIB layout.
#pragma once

#include <cstdint>
#include <span>

#include "skin/dib_pixels.h"

namespace radixpad::image {

// Decodes a BMP file image: a 14-byte file header, an information header of
// at least 40 bytes, the colour table, then the pixel rows, bottom row first.
// Accepts 1, 4, 8, 24 and 32 bits per pixel, uncompressed (32-bit files may
// also name the plain blue-green-red masks as bit fields). The pixels follow
// the colour table directly; the file's pixel-offset field is not consulted.
//
// Returns false and leaves `out` empty when the file is shorter than its
// headers, the information header is under 40 bytes, a side is not within
// 1..kMaxImageSide (top-down files, with a negative height, included), the
// pixel count is beyond kMaxImagePixels, biClrUsed is above 256, the depth or
// compression is another one, or the colour table or pixel block runs past
// the end of the file. Nothing is read outside `file`, and nothing is
// allocated before the file is known to hold every byte it promises.
bool DecodeBmp(std::span<const std::uint8_t> file, DibPixels& out);

}  // namespace radixpad::image
