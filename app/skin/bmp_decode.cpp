// BMP decoding: header checks first, then one copy of the rows (see bmp_decode.h).
#include "skin/bmp_decode.h"

#include <algorithm>
#include <new>

#include "skin/image_limits.h"

namespace radixpad::image {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kMinInfoHeaderBytes = 40;
constexpr std::uint32_t kMaxColorsUsed = 256;
constexpr std::uint32_t kCompressionNone = 0;       // BI_RGB
constexpr std::uint32_t kCompressionBitFields = 3;  // BI_BITFIELDS
// The masks that make a 32-bit bit-field file the same as an uncompressed one.
constexpr std::uint32_t kRedMask = 0x00FF0000, kGreenMask = 0x0000FF00, kBlueMask = 0x000000FF;

std::uint32_t U32At(std::span<const std::uint8_t> f, std::size_t at) {
  return std::uint32_t{f[at]} | std::uint32_t{f[at + 1]} << 8 | std::uint32_t{f[at + 2]} << 16 |
         std::uint32_t{f[at + 3]} << 24;
}
std::uint16_t U16At(std::span<const std::uint8_t> f, std::size_t at) {
  return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8);
}

// The fields of BITMAPINFOHEADER that decoding uses.
struct InfoHeader {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;
  std::uint16_t bitsPerPixel;
  std::uint32_t compression;
  std::uint32_t colorsUsed;
};

InfoHeader ReadInfoHeader(std::span<const std::uint8_t> f) {
  const std::size_t h = kFileHeaderBytes;
  return {U32At(f, h), static_cast<std::int32_t>(U32At(f, h + 4)), static_cast<std::int32_t>(U32At(f, h + 8)),
          U16At(f, h + 14), U32At(f, h + 16), U32At(f, h + 32)};
}

bool SupportedDepth(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32; }

bool WithinLimits(const InfoHeader& info) {
  if (info.width <= 0 || info.height <= 0) return false;
  const auto w = static_cast<std::uint32_t>(info.width);
  const auto h = static_cast<std::uint32_t>(info.height);
  return w <= skin::kMaxImageSide && h <= skin::kMaxImageSide && std::uint64_t{w} * h <= skin::kMaxImagePixels;
}

// Where the colour table starts, or 0 when the compression is not one we read.
// Bit-field masks sit inside a header of 52 bytes or more, else right after it.
std::size_t ColorTableStart(std::span<const std::uint8_t> f, const InfoHeader& info) {
  const std::size_t afterHeader = kFileHeaderBytes + info.size;
  if (info.compression == kCompressionNone) return afterHeader;
  if (info.compression != kCompressionBitFields || info.bitsPerPixel != 32) return 0;
  const std::size_t masksAt = info.size >= 52 ? kFileHeaderBytes + kMinInfoHeaderBytes : afterHeader;
  if (f.size() < masksAt + 12) return 0;
  if (U32At(f, masksAt) != kRedMask || U32At(f, masksAt + 4) != kGreenMask || U32At(f, masksAt + 8) != kBlueMask)
    return 0;
  return info.size >= 52 ? afterHeader : afterHeader + 12;
}

bool Decode(std::span<const std::uint8_t> f, DibPixels& out) {
  if (f.size() < kFileHeaderBytes + kMinInfoHeaderBytes) return false;
  const InfoHeader info = ReadInfoHeader(f);
  // The header size is compared with what is left, so no sum can overflow.
  if (info.size < kMinInfoHeaderBytes || info.size > f.size() - kFileHeaderBytes) return false;
  if (!SupportedDepth(info.bitsPerPixel) || !WithinLimits(info) || info.colorsUsed > kMaxColorsUsed) return false;
  const std::size_t tableAt = ColorTableStart(f, info);
  if (tableAt == 0) return false;

  // Indexed files without a count hold a full table; other depths hold one
  // only when biClrUsed says so, and it is skipped.
  const bool indexed = info.bitsPerPixel <= 8;
  const std::size_t tableEntries =
      info.colorsUsed != 0 ? info.colorsUsed : (indexed ? std::size_t{1} << info.bitsPerPixel : 0);
  if (tableAt > f.size() || tableEntries * 4 > f.size() - tableAt) return false;
  const std::size_t pixelsAt = tableAt + tableEntries * 4;

  const std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(info.width)} * info.bitsPerPixel + 31) / 32 * 4;
  const std::uint64_t pixelBytes = stride * static_cast<std::uint32_t>(info.height);
  if (pixelBytes > f.size() - pixelsAt) return false;

  out.width = info.width;
  out.height = info.height;
  out.bitsPerPixel = info.bitsPerPixel;
  out.stride = static_cast<std::size_t>(stride);
  if (indexed) {
    // Indices beyond a short table read black; entries beyond 2^depth are never used.
    out.colors.assign(std::size_t{1} << info.bitsPerPixel, DibColor{});
    const std::size_t copied = std::min(tableEntries, out.colors.size());
    for (std::size_t i = 0; i < copied; ++i) {
      const std::size_t at = tableAt + 4 * i;
      out.colors[i] = DibColor{f[at], f[at + 1], f[at + 2], 0};
    }
  }
  out.bits.assign(f.begin() + static_cast<std::ptrdiff_t>(pixelsAt),
                  f.begin() + static_cast<std::ptrdiff_t>(pixelsAt + pixelBytes));
  return true;
}

}  // namespace

bool DecodeBmp(std::span<const std::uint8_t> file, DibPixels& out) {
  out = DibPixels{};
  bool ok = false;
  try {
    ok = Decode(file, out);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) out = DibPixels{};
  return ok;
}

}  // namespace radixpad::image
