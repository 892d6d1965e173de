#include "skin/load_image.h"

#include <algorithm>
#include <new>
#include <vector>

#include "skin/bmp_decode.h"
#include "skin/file_bytes.h"
#include "skin/image_limits.h"
#include "skin/png_decode.h"

namespace radixpad::image {
namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool StartsWith(std::span<const std::uint8_t> file, std::span<const std::uint8_t> prefix) {
  return file.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), file.begin());
}

// The stored value of pixel x of a DIB row: an index, or the three colour bytes.
std::uint32_t StoredValue(const std::uint8_t* row, int bitsPerPixel, int x) {
  switch (bitsPerPixel) {
    case 1: return row[x / 8] >> (7 - x % 8) & 0x1u;
    case 4: return row[x / 2] >> (x % 2 == 0 ? 4 : 0) & 0xFu;
    case 8: return row[x];
    default: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * (bitsPerPixel / 8);
      return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16;
    }
  }
}

skin::Pixel ColourOf(const DibPixels& dib, std::uint32_t stored) {
  if (dib.bitsPerPixel > 8) return stored;  // already blue, green, red from the lowest byte
  const DibColor& c = dib.colors[stored];
  return skin::MakePixel(c.red, c.green, c.blue);
}

}  // namespace

skin::Bitmap ExpandDib(const DibPixels& dib) {
  skin::Bitmap out;
  out.width = dib.width;
  out.height = dib.height;
  out.pixels.resize(static_cast<std::size_t>(dib.width) * dib.height);
  // DIB rows are stored bottom-up: the top row is the last one.
  const auto rowOf = [&dib](int y) { return dib.bits.data() + static_cast<std::size_t>(dib.height - 1 - y) * dib.stride; };
  const std::uint32_t key = StoredValue(rowOf(0), dib.bitsPerPixel, 0);
  for (int y = 0; y < dib.height; ++y) {
    const std::uint8_t* row = rowOf(y);
    for (int x = 0; x < dib.width; ++x) {
      const std::uint32_t stored = StoredValue(row, dib.bitsPerPixel, x);
      const unsigned fourth = stored == key ? skin::kImageKeyed : skin::kImageDrawn;
      out.pixels[static_cast<std::size_t>(y) * dib.width + x] = ColourOf(dib, stored) | fourth << 24;
    }
  }
  return out;
}

std::optional<skin::Bitmap> DecodeImage(std::span<const std::uint8_t> file) {
  DibPixels dib;
  bool drawable = true;
  if (StartsWith(file, kPngSignature)) {
    if (!DecodePng(file, dib)) return std::nullopt;
  } else if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') {
    if (!DecodeBmp(file, dib)) return std::nullopt;
    drawable = dib.bitsPerPixel != 1;
  } else {
    return std::nullopt;
  }
  try {
    skin::Bitmap bitmap = ExpandDib(dib);
    bitmap.drawable = drawable;
    return bitmap;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<skin::Bitmap> LoadImageFile(const char* path) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, skin::kMaxImageFileBytes);
  if (!bytes) return std::nullopt;
  return DecodeImage(*bytes);
}

}  // namespace radixpad::image
