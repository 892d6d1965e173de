// Builds PNG files in memory for the image-loader tests.
#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

namespace radixpad::test {

struct PngPicture {
  PngPicture(std::uint32_t w, std::uint32_t h, int type, int depth)
      : width(w), height(h), colorType(type), bitDepth(depth) {}

  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  // One sample per channel per pixel, row after row, top row first; each sample is
  // 0 .. 2^bitDepth - 1. EncodePng packs them as the PNG format wants.
  std::vector<std::uint32_t> samples;
};

// Channels per pixel of a PNG colour type.
int ChannelCount(int colorType);

// The picture as a complete PNG file. Empty if libpng refuses it.
std::vector<std::uint8_t> EncodePng(const PngPicture& picture);

}  // namespace radixpad::test
