#include "png_writer.h"

#include <csetjmp>

namespace radixpad::test {
namespace {

void AppendBytes(png_structp png, png_bytep data, std::size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Packs the samples into file rows: big-endian 16-bit samples, sub-byte samples with
// the leftmost pixel in the high bits.
std::vector<std::vector<png_byte>> PackRows(const PngPicture& p) {
  const std::size_t perRow = std::size_t{p.width} * ChannelCount(p.colorType);
  std::vector<std::vector<png_byte>> rows(p.height);
  for (std::uint32_t y = 0; y < p.height; ++y) {
    std::vector<png_byte>& row = rows[y];
    row.assign((perRow * p.bitDepth + 7) / 8, 0);
    for (std::size_t i = 0; i < perRow; ++i) {
      const std::uint32_t sample = p.samples[y * perRow + i];
      if (p.bitDepth == 16) {
        row[2 * i] = static_cast<png_byte>(sample >> 8);
        row[2 * i + 1] = static_cast<png_byte>(sample);
      } else if (p.bitDepth == 8) {
        row[i] = static_cast<png_byte>(sample);
      } else {
        const std::size_t bit = i * p.bitDepth;
        row[bit / 8] |= static_cast<png_byte>(sample << (8 - p.bitDepth - bit % 8));
      }
    }
  }
  return rows;
}

// libpng's error jump lands here; the frame owns nothing with a destructor.
bool WriteWithLibpng(png_structp png, png_infop info, const PngPicture& p,
                     std::vector<png_bytep>& rowPointers, std::vector<std::uint8_t>& out) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, FlushNothing);
  png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colorType,
               p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!p.palette.empty()) {
    png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
  }
  png_write_info(png, info);
  png_write_image(png, rowPointers.data());
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

int ChannelCount(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    default: return 1;
  }
}

std::vector<std::uint8_t> EncodePng(const PngPicture& picture) {
  std::vector<std::vector<png_byte>> rows = PackRows(picture);
  std::vector<png_bytep> rowPointers;
  for (auto& row : rows) rowPointers.push_back(row.data());

  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const bool ok = WriteWithLibpng(png, info, picture, rowPointers, out);
  png_destroy_write_struct(&png, &info);
  return ok ? out : std::vector<std::uint8_t>{};
}

}  // namespace radixpad::test
