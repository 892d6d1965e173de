// PNG decoding into the pixel layout of a Windows device-independent bitmap.
//
// This half of the image loader uses only libpng and the C++ library, so it builds and is
// tested on any host; png_image.h turns its result into a GDI bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
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

// A decoded image, ready to be copied into a DIB section:
//  - truecolour images become 24 bits per pixel, stored blue, green, red;
//  - palette images keep their depth (1, 4 or 8; 2-bit pixels are widened to 4 bits)
//    and carry the PNG palette as colour table;
//  - greyscale images become indexed with a ramp of 2^depth grey levels
//    (16-bit grey is reduced to 8 bits first, 2-bit pixels are widened to 4 bits).
// Alpha channels are dropped and 16-bit channels reduced to 8 bits.
// Rows are stored bottom-up, each `stride` bytes long (a multiple of 4).
struct DibPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  std::size_t stride = 0;
  std::vector<DibColor> colors;
  std::vector<std::uint8_t> bits;
};

// Largest image side and pixel count accepted: far above any skin or icon, small
// enough that a hostile header cannot make a 32-bit process allocate gigabytes.
inline constexpr std::uint32_t kMaxPngSide = 8192;
inline constexpr std::uint64_t kMaxPngPixels = 16u * 1024u * 1024u;

// Decodes a complete PNG file image. Returns false, leaving `out` empty, for anything
// that is not a readable PNG within the limits above; never throws on bad data.
bool DecodePng(std::span<const std::uint8_t> file, DibPixels& out);

// Reads the file at `path` (a path in the C library's encoding) and decodes it.
bool DecodePngFile(const char* path, DibPixels& out);

}  // namespace radixpad::image
