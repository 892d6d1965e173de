// Builds BMP files in memory for the image-loader tests and fuzz seeds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace radixpad::test {

struct BmpPicture {
  BmpPicture(int w, int h, int bits, std::vector<std::uint32_t> colours = {}, std::vector<std::uint32_t> pixels = {})
      : width(w), height(h), bitsPerPixel(bits), table(std::move(colours)), values(std::move(pixels)) {}

  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  // Colour table entries as 0xRRGGBB; written as blue, green, red, 0.
  std::vector<std::uint32_t> table;
  // One value per pixel, top row first: an index, or 0xRRGGBB for 24 and 32 bits.
  std::vector<std::uint32_t> values;
  std::uint32_t infoSize = 40;      // bytes of the information header written
  std::uint32_t compression = 0;    // 3 (bit fields) writes the standard masks
  std::uint32_t pixelOffset = 0;    // the file header's field; 0: the true offset
};

// The picture as a complete BMP file: rows bottom-up, padded to 4 bytes.
// biClrUsed is the size of `table`.
std::vector<std::uint8_t> EncodeBmp(const BmpPicture& picture);

// Writes a little-endian 32-bit value at `at`.
void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

}  // namespace radixpad::test
