// PNG decoding with libpng into bottom-up DIB rows (see png_decode.h).
#include "skin/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "skin/file_bytes.h"
#include "skin/image_limits.h"

namespace radixpad::image {
namespace {

struct ByteSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadFromBytes(png_structp png, png_bytep dest, std::size_t length) {
  auto* source = static_cast<ByteSource*>(png_get_io_ptr(png));
  if (length > source->size - source->pos) {
    png_error(png, "truncated");
  }
  std::memcpy(dest, source->data + source->pos, length);
  source->pos += length;
}

// libpng's default handlers print to stderr; a missing image is silent in this program.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

std::size_t StrideFor(png_uint_32 width, int bitsPerPixel) {
  return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

// Fills the colour table: the palette or a grey ramp first, then black up to
// 2^bitsPerPixel entries, so that any index a row holds has a colour.
void FillColorTable(png_structp png, png_infop info, int colorType, int sourceDepth,
                    DibPixels& out) {
  out.colors.assign(std::size_t{1} << out.bitsPerPixel, DibColor{});
  if (colorType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count) != 0) {
      for (int i = 0; i < count && i < static_cast<int>(out.colors.size()); ++i) {
        out.colors[i] = DibColor{palette[i].blue, palette[i].green, palette[i].red, 0};
      }
    }
    return;
  }
  const int levels = 1 << sourceDepth;
  const int step = 255 / (levels - 1);  // exact for depths 1, 2, 4 and 8
  for (int i = 0; i < levels; ++i) {
    const auto grey = static_cast<std::uint8_t>(step * i);
    out.colors[i] = DibColor{grey, grey, grey, 0};
  }
}

// Runs every libpng call that can fail. libpng reports failures by jumping back to the
// setjmp below, skipping the frames in between, so neither this function nor the read
// callback owns anything with a destructor: all storage belongs to the caller.
// On success `widenTwoBit` says the rows hold 2-bit pixels still to be widened.
bool ReadWithLibpng(png_structp png, png_infop info, ByteSource& source, DibPixels& out,
                    std::vector<png_bytep>& rows, bool& widenTwoBit) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_set_read_fn(png, &source, ReadFromBytes);
  png_set_user_limits(png, skin::kMaxImageSide, skin::kMaxImageSide);
  png_read_info(png, info);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int depth = 0;
  int colorType = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colorType, nullptr, nullptr, nullptr);
  if (width == 0 || height == 0 ||
      static_cast<std::uint64_t>(width) * height > skin::kMaxImagePixels) {
    return false;
  }

  if ((colorType & PNG_COLOR_MASK_ALPHA) != 0) {
    png_set_strip_alpha(png);
  }
  if (depth == 16) {
    png_set_strip_16(png);
  }
  const bool truecolour = (colorType & PNG_COLOR_MASK_COLOR) != 0 &&
                          colorType != PNG_COLOR_TYPE_PALETTE;
  if (truecolour) {
    png_set_bgr(png);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const int channels = png_get_channels(png, info);
  const int readDepth = png_get_bit_depth(png, info);
  if (truecolour) {
    if (channels != 3 || readDepth != 8) {
      return false;
    }
    out.bitsPerPixel = 24;
  } else {
    if (channels != 1 || (readDepth != 1 && readDepth != 2 && readDepth != 4 && readDepth != 8)) {
      return false;
    }
    // DIBs have no 2-bit format; such pixels are widened to 4 bits after reading.
    out.bitsPerPixel = readDepth == 2 ? 4 : readDepth;
    widenTwoBit = readDepth == 2;
    FillColorTable(png, info, colorType, readDepth, out);
  }

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.stride = StrideFor(width, out.bitsPerPixel);
  if (png_get_rowbytes(png, info) > out.stride) {
    return false;
  }
  out.bits.assign(out.stride * height, 0);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = out.bits.data() + (height - 1 - y) * out.stride;  // DIBs are bottom-up
  }
  png_read_image(png, rows.data());
  return true;
}

// Widens a row of packed 2-bit pixels (four per byte, leftmost pixel in the high bits)
// in place to 4-bit pixels (two per byte), keeping each pixel's value.
void WidenTwoBitRow(std::uint8_t* row, int width, std::vector<std::uint8_t>& packed) {
  const std::size_t packedBytes = (static_cast<std::size_t>(width) + 3) / 4;
  packed.assign(row, row + packedBytes);
  for (int x = 0; x < width; x += 2) {
    std::uint8_t byte = 0;
    for (int k = 0; k < 2 && x + k < width; ++k) {
      const int pixel = (packed[(x + k) / 4] >> (6 - 2 * ((x + k) % 4))) & 0x3;
      byte = static_cast<std::uint8_t>(byte | pixel << (4 - 4 * k));
    }
    row[x / 2] = byte;
  }
}

bool DecodeInto(std::span<const std::uint8_t> file, DibPixels& out) {
  if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) {
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError,
                                           OnPngWarning);
  if (png == nullptr) {
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  ByteSource source{file.data(), file.size(), 0};
  std::vector<png_bytep> rows;
  bool widenTwoBit = false;
  bool ok = false;
  try {
    ok = ReadWithLibpng(png, info, source, out, rows, widenTwoBit);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (ok && widenTwoBit) {
    std::vector<std::uint8_t> packed;
    for (int y = 0; y < out.height; ++y) {
      WidenTwoBitRow(out.bits.data() + y * out.stride, out.width, packed);
    }
  }
  return ok;
}

}  // namespace

bool DecodePng(std::span<const std::uint8_t> file, DibPixels& out) {
  out = DibPixels{};
  bool ok = false;
  try {
    ok = DecodeInto(file, out);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    out = DibPixels{};
  }
  return ok;
}

bool DecodePngFile(const char* path, DibPixels& out) {
  out = DibPixels{};
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, skin::kMaxImageFileBytes);
  return bytes && DecodePng(*bytes, out);
}

}  // namespace radixpad::image
