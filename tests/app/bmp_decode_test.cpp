// BMP files into 32-bit bitmaps: every depth pixel by pixel, the colour key,
// and the headers that must load nothing.
#include "skin/bmp_decode.h"

#include <gtest/gtest.h>

#include <ostream>

#include "bmp_writer.h"
#include "skin/image_limits.h"
#include "skin/load_image.h"

namespace radixpad::image {
namespace {

using skin::Bitmap;
using skin::Pixel;
using test::BmpPicture;
using test::EncodeBmp;
using test::PutU32;

constexpr int kWidth = 5;  // odd: rows end inside a byte and need padding
constexpr int kHeight = 3;

// A picture whose pixel (x, y) stores ValueAt(x, y); the top-left pixel's
// value reappears at (3, 2), so the key must catch it there as well.
std::uint32_t ValueAt(int bits, int x, int y) {
  if (x == 3 && y == 2) return ValueAt(bits, 0, 0);
  if (bits <= 8) return static_cast<std::uint32_t>(1 + x + 2 * y) % (1u << bits);
  return static_cast<std::uint32_t>(0x102030 * (x + 1) + 0x050709 * y) & 0xFFFFFF;
}

BmpPicture Picture(int bits) {
  BmpPicture p{kWidth, kHeight, bits};
  if (bits <= 8)
    for (std::uint32_t i = 0; i < (1u << bits); ++i) p.table.push_back(0x010203 * i + 0x400000);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) p.values.push_back(ValueAt(bits, x, y));
  return p;
}

Pixel Expected(const BmpPicture& p, int x, int y) {
  const std::uint32_t v = p.values[static_cast<std::size_t>(y) * p.width + x];
  const std::uint32_t rgb = p.bitsPerPixel <= 8 ? (v < p.table.size() ? p.table[v] : 0) : v;
  const bool keyed = v == p.values[0];
  return skin::MakePixel(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF, keyed ? skin::kImageKeyed : skin::kImageDrawn);
}

void ExpectPixels(const BmpPicture& p, const std::optional<Bitmap>& bitmap) {
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(bitmap->width, p.width);
  ASSERT_EQ(bitmap->height, p.height);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      EXPECT_EQ(bitmap->At(x, y), Expected(p, x, y)) << "pixel " << x << "," << y;
}

struct DepthCase {
  const char* name;
  BmpPicture picture;
  bool drawable;
};
void PrintTo(const DepthCase& c, std::ostream* os) { *os << c.name; }

BmpPicture With(BmpPicture p, std::uint32_t infoSize, std::uint32_t compression) {
  p.infoSize = infoSize;
  p.compression = compression;
  return p;
}

BmpPicture ShortTable(BmpPicture p) {
  p.table.resize(3);  // indices 3 and up read black
  return p;
}

class BmpDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepth, ExpandsEveryPixelTopRowFirstWithTheTopLeftValueKeyed) {
  const DepthCase& c = GetParam();
  const std::optional<Bitmap> bitmap = DecodeImage(EncodeBmp(c.picture));
  ExpectPixels(c.picture, bitmap);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->drawable, c.drawable);
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepth, BmpDepth,
    testing::Values(DepthCase{"bits1_loads_but_is_not_drawn", Picture(1), false},
                    DepthCase{"bits4", Picture(4), true}, DepthCase{"bits8", Picture(8), true},
                    DepthCase{"bits24", Picture(24), true}, DepthCase{"bits32", Picture(32), true},
                    DepthCase{"bits8_short_table", ShortTable(Picture(8)), true},
                    DepthCase{"bits32_bitfields", With(Picture(32), 40, 3), true},
                    DepthCase{"bits32_v5_header_bitfields", With(Picture(32), 124, 3), true},
                    DepthCase{"bits8_v4_header", With(Picture(8), 108, 0), true}),
    [](const testing::TestParamInfo<DepthCase>& info) { return info.param.name; });

TEST(BmpKey, IndexedImagesKeyTheIndexNotTheColour) {
  BmpPicture p{2, 1, 8};
  p.table = {0xFF00FF, 0xFF00FF};  // two entries, one colour
  p.values = {0, 1};
  const std::optional<Bitmap> bitmap = DecodeImage(EncodeBmp(p));
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(skin::FourthOf(bitmap->At(0, 0)), skin::kImageKeyed);
  EXPECT_EQ(bitmap->At(1, 0), skin::MakePixel(255, 0, 255, skin::kImageDrawn));
}

TEST(BmpLayout, ThePixelOffsetFieldIsNotConsulted) {
  BmpPicture p = Picture(24);
  p.pixelOffset = 0xFFFFFFF0;
  ExpectPixels(p, DecodeImage(EncodeBmp(p)));
}

// Headers that must load nothing. Each row edits a valid 8-bit file.
struct RejectCase {
  const char* name;
  void (*edit)(std::vector<std::uint8_t>&);
};
void PrintTo(const RejectCase& c, std::ostream* os) { *os << c.name; }

constexpr std::size_t kInfo = 14;  // where the information header starts

const RejectCase kRejects[] = {
    {"shorter_than_both_headers", [](auto& f) { f.resize(kInfo + 39); }},
    {"info_header_under_40", [](auto& f) { PutU32(f, kInfo, 39); }},
    {"os2_core_header", [](auto& f) { PutU32(f, kInfo, 12); }},
    {"info_header_past_the_end", [](auto& f) { PutU32(f, kInfo, static_cast<std::uint32_t>(f.size())); }},
    {"info_header_size_wraps", [](auto& f) { PutU32(f, kInfo, 0xFFFFFFF8); }},
    {"width_zero", [](auto& f) { PutU32(f, kInfo + 4, 0); }},
    {"width_negative", [](auto& f) { PutU32(f, kInfo + 4, 0xFFFFFFFB); }},
    {"width_beyond_limit", [](auto& f) { PutU32(f, kInfo + 4, skin::kMaxImageSide + 1); }},
    {"height_zero", [](auto& f) { PutU32(f, kInfo + 8, 0); }},
    {"height_negative_top_down", [](auto& f) { PutU32(f, kInfo + 8, 0xFFFFFFFD); }},
    {"height_beyond_limit", [](auto& f) { PutU32(f, kInfo + 8, skin::kMaxImageSide + 1); }},
    {"depth_2", [](auto& f) { f[kInfo + 14] = 2; }},
    {"depth_16", [](auto& f) { f[kInfo + 14] = 16; }},
    {"run_length_compressed", [](auto& f) { PutU32(f, kInfo + 16, 1); }},
    {"bitfields_on_8_bits", [](auto& f) { PutU32(f, kInfo + 16, 3); }},
    {"colours_used_257", [](auto& f) { PutU32(f, kInfo + 32, 257); }},
    {"colours_used_huge", [](auto& f) { PutU32(f, kInfo + 32, 0xFFFFFFFF); }},
    {"colour_table_past_the_end", [](auto& f) { f.resize(kInfo + 40 + 4 * 100); }},
    {"pixel_block_past_the_end", [](auto& f) { f.pop_back(); }},
    {"height_past_the_pixels", [](auto& f) { PutU32(f, kInfo + 8, kHeight + 1); }},
};

class BmpRejects : public testing::TestWithParam<RejectCase> {};

TEST_P(BmpRejects, LoadsNothing) {
  std::vector<std::uint8_t> file = EncodeBmp(Picture(8));
  GetParam().edit(file);
  DibPixels dib;
  dib.width = 7;  // stale content must be cleared
  EXPECT_FALSE(DecodeBmp(file, dib));
  EXPECT_EQ(dib.width, 0);
  EXPECT_TRUE(dib.bits.empty());
  EXPECT_TRUE(dib.colors.empty());
  EXPECT_FALSE(DecodeImage(file));
}

INSTANTIATE_TEST_SUITE_P(BrokenHeaders, BmpRejects, testing::ValuesIn(kRejects),
                         [](const testing::TestParamInfo<RejectCase>& info) { return info.param.name; });

TEST(BmpRejectsSize, MorePixelsThanTheLimitEvenWhenTheFileHoldsThemAll) {
  // 1 bit per pixel keeps the file near 2 MB; expanded it would take 64 MiB and more.
  constexpr int kSide = 4100;
  static_assert(std::uint64_t{kSide} * kSide > skin::kMaxImagePixels);
  BmpPicture p{kSide, kSide, 1};
  p.table = {0x000000, 0xFFFFFF};
  p.values.assign(std::size_t{kSide} * kSide, 1);
  EXPECT_FALSE(DecodeImage(EncodeBmp(p)));
  p.height = static_cast<int>(skin::kMaxImagePixels / kSide);
  p.values.resize(std::size_t{kSide} * p.height);
  EXPECT_TRUE(DecodeImage(EncodeBmp(p)));
}

TEST(BmpRejectsTruncation, EveryPrefixShorterThanTheFileLoadsNothing) {
  for (int bits : {1, 4, 8, 24, 32}) {
    const std::vector<std::uint8_t> file = EncodeBmp(Picture(bits));
    for (std::size_t n = 0; n < file.size(); ++n)
      EXPECT_FALSE(DecodeImage(std::span(file).first(n))) << bits << " bits, first " << n << " bytes";
    EXPECT_TRUE(DecodeImage(file)) << bits << " bits";
  }
}

TEST(BmpRejectsCorruption, NoFlippedByteCrashesOrGivesAnInconsistentBitmap) {
  const std::vector<std::uint8_t> file = EncodeBmp(With(Picture(32), 40, 3));
  for (std::size_t i = 0; i < file.size(); ++i) {
    for (std::uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<std::uint8_t> broken = file;
      broken[i] ^= flip;
      if (const std::optional<Bitmap> bitmap = DecodeImage(broken)) {
        EXPECT_EQ(bitmap->pixels.size(), static_cast<std::size_t>(bitmap->width) * bitmap->height) << "byte " << i;
      }
    }
  }
}

}  // namespace
}  // namespace radixpad::image
