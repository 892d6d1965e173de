// PNG decoding into the pixel layout of a Windows device-independent bitmap.
//
// Uses only libpng and the C++ library, so it builds and is tested on any host;
// load_image.h expands the result into a compositor Bitmap.
#pragma once

#include <cstdint>
#include <span>

#include "skin/dib_pixels.h"

namespace radixpad::image {

// Decodes a complete PNG file image. Returns false, leaving `out` empty, for anything
// that is not a readable PNG within the limits of image_limits.h; never throws on bad data.
bool DecodePng(std::span<const std::uint8_t> file, DibPixels& out);

// Reads the file at `path` (a path in the C library's encoding) and decodes it.
bool DecodePngFile(const char* path, DibPixels& out);

}  // namespace radixpad::image
