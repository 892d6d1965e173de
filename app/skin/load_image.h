// Image loading for skins, button images and the preview: BMP or PNG bytes
// into a 32-bit Bitmap whose colour key is already resolved.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "skin/bitmap.h"
#include "skin/dib_pixels.h"

namespace radixpad::image {

// Expands decoded DIB rows into 32-bit pixels, top row first. The colour key
// is the stored value of the top-left pixel (its palette index in indexed
// images, its blue, green and red bytes otherwise): every pixel storing the
// same value gets the fourth byte kImageKeyed, every other kImageDrawn.
// `dib` must be well formed, as the decoders leave it.
skin::Bitmap ExpandDib(const DibPixels& dib);

// Decodes a BMP or PNG file image, told apart by their signatures ("BM", or
// PNG's eight bytes). Nothing for any other data or a file the decoder refuses.
// BMP files of 1 bit per pixel load but are not drawable; every PNG that
// decodes is drawable.
std::optional<skin::Bitmap> DecodeImage(std::span<const std::uint8_t> file);

// Reads and decodes the image file at `path` (in the C library's encoding).
// A missing, unreadable, oversized or undecodable file gives nothing; nothing
// is reported.
std::optional<skin::Bitmap> LoadImageFile(const char* path);

}  // namespace radixpad::image
