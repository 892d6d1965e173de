// PNG decoding into DIB layout: pixel formats, row order, colour tables, broken files.
#include "skin/png_decode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "png_writer.h"
#include "skin/image_limits.h"

namespace radixpad::image {
namespace {

using test::EncodePng;
using test::PngPicture;

// Pixel (x, y) of a decoded image, y counted from the top as in the PNG file.
const std::uint8_t* PixelRow(const DibPixels& dib, int y) {
  return dib.bits.data() + static_cast<std::size_t>(dib.height - 1 - y) * dib.stride;
}

unsigned IndexAt(const DibPixels& dib, int x, int y) {
  const std::uint8_t* row = PixelRow(dib, y);
  const int bpp = dib.bitsPerPixel;
  const int bit = x * bpp;
  return (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
}

DibPixels Decode(const PngPicture& picture) {
  const std::vector<std::uint8_t> file = EncodePng(picture);
  EXPECT_FALSE(file.empty());
  DibPixels dib;
  EXPECT_TRUE(DecodePng(file, dib));
  return dib;
}

// A truecolour picture whose pixel (x, y) is red 40x+1, green 50y+2, blue 100+x+y
// (each modulo 256), in samples of `depth` bits; with alpha when `alpha` is set.
PngPicture Truecolour(std::uint32_t w, std::uint32_t h, int depth, bool alpha) {
  PngPicture p{w, h, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, depth};
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      for (std::uint32_t c : {(40 * x + 1) & 0xFF, (50 * y + 2) & 0xFF, (100 + x + y) & 0xFF}) {
        // 16-bit samples get a low byte that decoding must drop.
        p.samples.push_back(depth == 16 ? c << 8 | 0xA5 : c);
      }
      if (alpha) p.samples.push_back(depth == 16 ? 0x1234 : 0x12);
    }
  }
  return p;
}

TEST(PngTruecolour, BecomesBottomUpBgrRowsPaddedToFourBytes) {
  const DibPixels dib = Decode(Truecolour(3, 2, 8, false));
  EXPECT_EQ(dib.width, 3);
  EXPECT_EQ(dib.height, 2);
  EXPECT_EQ(dib.bitsPerPixel, 24);
  EXPECT_EQ(dib.stride, 12u);
  EXPECT_TRUE(dib.colors.empty());
  const std::vector<std::uint8_t> expected = {
      // bottom row first (y = 1): blue, green, red per pixel, then 3 padding bytes
      101, 52, 1, 102, 52, 41, 103, 52, 81, 0, 0, 0,
      // top row (y = 0)
      100, 2, 1, 101, 2, 41, 102, 2, 81, 0, 0, 0};
  EXPECT_EQ(dib.bits, expected);
}

TEST(PngTruecolour, AlphaAndSixteenBitSamplesReduceToTheSame24BitPixels) {
  const DibPixels plain = Decode(Truecolour(5, 3, 8, false));
  for (auto [depth, alpha] : {std::pair{8, true}, {16, false}, {16, true}}) {
    SCOPED_TRACE(testing::Message() << "depth " << depth << " alpha " << alpha);
    const DibPixels dib = Decode(Truecolour(5, 3, depth, alpha));
    EXPECT_EQ(dib.bitsPerPixel, 24);
    EXPECT_EQ(dib.bits, plain.bits);
  }
}

TEST(PngTruecolour, InterlacedFileDecodesLikeAPlainOne) {
  PngPicture interlaced = Truecolour(9, 7, 8, false);
  interlaced.interlaced = true;
  EXPECT_EQ(Decode(interlaced).bits, Decode(Truecolour(9, 7, 8, false)).bits);
}

// Indexed results: palette and greyscale files of every depth.
struct IndexedCase {
  const char* name;
  int colorType;
  int depth;
  int expectedBitsPerPixel;
};

class PngIndexed : public testing::TestWithParam<IndexedCase> {
 protected:
  static constexpr std::uint32_t kWidth = 7;  // odd: rows end inside a byte
  static constexpr std::uint32_t kHeight = 3;

  // Distinct levels a pixel can take (16-bit grey counts its high byte).
  int Levels() const { return 1 << std::min(GetParam().depth, 8); }
  unsigned ValueAt(std::uint32_t x, std::uint32_t y) const { return (3 * x + 5 * y) % Levels(); }

  PngPicture Picture() const {
    const IndexedCase& c = GetParam();
    PngPicture p{kWidth, kHeight, c.colorType, c.depth};
    for (std::uint32_t y = 0; y < kHeight; ++y) {
      for (std::uint32_t x = 0; x < kWidth; ++x) {
        const unsigned v = ValueAt(x, y);
        p.samples.push_back(c.depth == 16 ? v << 8 | x : v);
        if (c.colorType == PNG_COLOR_TYPE_GRAY_ALPHA) p.samples.push_back(c.depth == 16 ? 0xBEEF : 0x7F);
      }
    }
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
      for (int i = 0; i < Levels(); ++i) {
        p.palette.push_back(png_color{static_cast<png_byte>(i), static_cast<png_byte>(255 - i),
                                      static_cast<png_byte>(i * 37)});
      }
    }
    return p;
  }

  DibColor ExpectedColor(int i) const {
    if (GetParam().colorType == PNG_COLOR_TYPE_PALETTE) {
      return DibColor{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i), 0};
    }
    const auto grey = static_cast<std::uint8_t>(255 / (Levels() - 1) * i);
    return DibColor{grey, grey, grey, 0};
  }
};

TEST_P(PngIndexed, KeepsPixelValuesAndCarriesTheirColourTable) {
  const IndexedCase& c = GetParam();
  const DibPixels dib = Decode(Picture());
  ASSERT_EQ(dib.bitsPerPixel, c.expectedBitsPerPixel);
  EXPECT_EQ(dib.stride % 4, 0u);
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      EXPECT_EQ(IndexAt(dib, x, y), ValueAt(x, y)) << "pixel " << x << "," << y;
    }
  }
  // The table covers every index the depth allows; unused entries are black.
  ASSERT_EQ(dib.colors.size(), std::size_t{1} << c.expectedBitsPerPixel);
  for (int i = 0; i < static_cast<int>(dib.colors.size()); ++i) {
    EXPECT_EQ(dib.colors[i], i < Levels() ? ExpectedColor(i) : DibColor{}) << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepth, PngIndexed,
    testing::Values(IndexedCase{"palette1", PNG_COLOR_TYPE_PALETTE, 1, 1},
                    IndexedCase{"palette2_widened", PNG_COLOR_TYPE_PALETTE, 2, 4},
                    IndexedCase{"palette4", PNG_COLOR_TYPE_PALETTE, 4, 4},
                    IndexedCase{"palette8", PNG_COLOR_TYPE_PALETTE, 8, 8},
                    IndexedCase{"grey1", PNG_COLOR_TYPE_GRAY, 1, 1},
                    IndexedCase{"grey2_widened", PNG_COLOR_TYPE_GRAY, 2, 4},
                    IndexedCase{"grey4", PNG_COLOR_TYPE_GRAY, 4, 4},
                    IndexedCase{"grey8", PNG_COLOR_TYPE_GRAY, 8, 8},
                    IndexedCase{"grey16_reduced", PNG_COLOR_TYPE_GRAY, 16, 8},
                    IndexedCase{"grey_alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, 8},
                    IndexedCase{"grey_alpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, 8}),
    [](const testing::TestParamInfo<IndexedCase>& info) { return info.param.name; });

TEST(PngIndexedInterlaced, WidenedTwoBitPixelsSurviveAdam7) {
  PngPicture p{13, 9, PNG_COLOR_TYPE_GRAY, 2};
  for (std::uint32_t i = 0; i < 13 * 9; ++i) p.samples.push_back(i * 7 % 4);
  PngPicture interlaced = p;
  interlaced.interlaced = true;
  EXPECT_EQ(Decode(interlaced).bits, Decode(p).bits);
}

TEST(PngIndexedPalette, IndexBeyondAShortPaletteStillHasATableEntry) {
  PngPicture p{2, 1, PNG_COLOR_TYPE_PALETTE, 8};
  p.palette = {png_color{1, 2, 3}, png_color{4, 5, 6}};
  p.samples = {0, 200};
  const DibPixels dib = Decode(p);
  EXPECT_EQ(IndexAt(dib, 1, 0), 200u);
  ASSERT_EQ(dib.colors.size(), 256u);
  EXPECT_EQ(dib.colors[1], (DibColor{6, 5, 4, 0}));
  EXPECT_EQ(dib.colors[200], DibColor{});
}

// Broken and hostile input: always a clean false and an empty result, never a crash.
void ExpectRejected(std::span<const std::uint8_t> bytes) {
  DibPixels dib;
  dib.width = 99;  // stale content must be cleared
  EXPECT_FALSE(DecodePng(bytes, dib));
  EXPECT_EQ(dib.width, 0);
  EXPECT_TRUE(dib.bits.empty());
  EXPECT_TRUE(dib.colors.empty());
}

TEST(PngRejects, DataThatIsNoPng) {
  const std::string text = "not a picture at all";
  ExpectRejected({});
  ExpectRejected(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  std::vector<std::uint8_t> signatureOnly = EncodePng(Truecolour(2, 2, 8, false));
  signatureOnly.resize(8);
  ExpectRejected(signatureOnly);
}

TEST(PngRejects, EveryTruncationBeforeTheImageDataEnds) {
  const std::vector<std::uint8_t> file = EncodePng(Truecolour(4, 3, 8, false));
  const std::size_t iendChunk = 12;  // length, type and CRC of the empty end chunk
  for (std::size_t n = 0; n + iendChunk < file.size(); ++n) {
    SCOPED_TRACE(testing::Message() << "first " << n << " bytes");
    ExpectRejected(std::span(file).first(n));
  }
}

TEST(PngRejects, ImagesBeyondTheSizeLimits) {
  PngPicture tooWide{skin::kMaxImageSide + 1, 1, PNG_COLOR_TYPE_GRAY, 1};
  tooWide.samples.assign(tooWide.width, 1);
  ExpectRejected(EncodePng(tooWide));

  // Both sides allowed, but more pixels in all than the limit.
  PngPicture tooMany{4200, 4200, PNG_COLOR_TYPE_GRAY, 1};
  tooMany.samples.assign(std::size_t{4200} * 4200, 0);
  ExpectRejected(EncodePng(tooMany));
}

TEST(PngRejects, NoCorruptedByteCrashesOrLeavesHalfAResult) {
  PngPicture p = Truecolour(6, 5, 8, true);
  p.interlaced = true;
  const std::vector<std::uint8_t> file = EncodePng(p);
  for (std::size_t i = 0; i < file.size(); ++i) {
    for (std::uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<std::uint8_t> broken = file;
      broken[i] ^= flip;
      DibPixels dib;
      if (DecodePng(broken, dib)) {
        EXPECT_EQ(dib.bits.size(), dib.stride * dib.height) << "byte " << i;
      } else {
        EXPECT_TRUE(dib.bits.empty()) << "byte " << i;
      }
    }
  }
}

// Reading from a file.
TEST(PngFile, DecodesLikeTheSameBytesInMemory) {
  const std::vector<std::uint8_t> bytes = EncodePng(Truecolour(3, 3, 8, false));
  const auto path = std::filesystem::temp_directory_path() / "radixpad_png_decode_test.png";
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  DibPixels fromFile;
  DibPixels fromMemory;
  EXPECT_TRUE(DecodePngFile(path.string().c_str(), fromFile));
  EXPECT_TRUE(DecodePng(bytes, fromMemory));
  EXPECT_EQ(fromFile.bits, fromMemory.bits);
  std::filesystem::remove(path);
}

TEST(PngFile, MissingFileOrNoPathIsFalse) {
  DibPixels dib;
  EXPECT_FALSE(DecodePngFile("no/such/folder/skin.png", dib));
  EXPECT_FALSE(DecodePngFile(nullptr, dib));
}

}  // namespace
}  // namespace radixpad::image
