// LoadImageFile: BMP and PNG told apart by signature, every PNG kind as a
// drawable 32-bit bitmap, and the colour key taken from the top-left pixel.
#include "skin/load_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "bmp_writer.h"
#include "png_writer.h"

namespace radixpad::image {
namespace {

using skin::Bitmap;
using skin::MakePixel;
using test::PngPicture;

std::optional<Bitmap> DecodePicture(const PngPicture& p) { return DecodeImage(test::EncodePng(p)); }

// Each PNG kind, 3 x 2, with the grey or colour level of pixel (x, y) given by
// Level(x, y); the expected colour comes from the kind's own rule.
struct PngKindCase {
  const char* name;
  int colorType;
  int depth;
};
void PrintTo(const PngKindCase& c, std::ostream* os) { *os << c.name; }

unsigned Level(int depth, int x, int y) { return static_cast<unsigned>(x + 3 * y) % (1u << std::min(depth, 8)); }

class PngKinds : public testing::TestWithParam<PngKindCase> {};

TEST_P(PngKinds, DecodeToADrawableBitmapOfTheirColours) {
  const PngKindCase& c = GetParam();
  PngPicture p{3, 2, c.colorType, c.depth};
  const int levels = 1 << std::min(c.depth, 8);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const unsigned v = Level(c.depth, x, y);
      const unsigned sample = c.depth == 16 ? v << 8 | 0x55 : v;
      for (int k = 0; k < test::ChannelCount(c.colorType); ++k) p.samples.push_back(sample);
    }
  }
  if (c.colorType == PNG_COLOR_TYPE_PALETTE)
    for (int i = 0; i < levels; ++i)
      p.palette.push_back(png_color{static_cast<png_byte>(10 * i), static_cast<png_byte>(200 - i), 7});
  const std::optional<Bitmap> bitmap = DecodePicture(p);
  ASSERT_TRUE(bitmap);
  EXPECT_TRUE(bitmap->drawable);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const unsigned v = Level(c.depth, x, y);
      const unsigned fourth = v == Level(c.depth, 0, 0) ? skin::kImageKeyed : skin::kImageDrawn;
      skin::Pixel expected;
      if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        expected = MakePixel(10 * v, 200 - v, 7, fourth);
      } else {
        const unsigned g = (c.colorType & PNG_COLOR_MASK_COLOR) != 0 || c.depth >= 8 ? v : 255 / (levels - 1) * v;
        expected = MakePixel(g, g, g, fourth);  // alpha, when there is one, never shows
      }
      EXPECT_EQ(bitmap->At(x, y), expected) << "pixel " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, PngKinds,
    testing::Values(PngKindCase{"palette1", PNG_COLOR_TYPE_PALETTE, 1},
                    PngKindCase{"palette2", PNG_COLOR_TYPE_PALETTE, 2},
                    PngKindCase{"palette4", PNG_COLOR_TYPE_PALETTE, 4},
                    PngKindCase{"palette8", PNG_COLOR_TYPE_PALETTE, 8},
                    PngKindCase{"grey1", PNG_COLOR_TYPE_GRAY, 1}, PngKindCase{"grey2", PNG_COLOR_TYPE_GRAY, 2},
                    PngKindCase{"grey4", PNG_COLOR_TYPE_GRAY, 4}, PngKindCase{"grey8", PNG_COLOR_TYPE_GRAY, 8},
                    PngKindCase{"grey16", PNG_COLOR_TYPE_GRAY, 16},
                    PngKindCase{"grey_alpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
                    PngKindCase{"rgb8", PNG_COLOR_TYPE_RGB, 8}, PngKindCase{"rgb16", PNG_COLOR_TYPE_RGB, 16},
                    PngKindCase{"rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8},
                    PngKindCase{"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16}),
    [](const testing::TestParamInfo<PngKindCase>& info) { return info.param.name; });

TEST(ImageKey, AMagentaTopLeftKeysEveryMagentaPixelAndNothingElse) {
  PngPicture p{3, 1, PNG_COLOR_TYPE_RGB, 8};
  p.samples = {255, 0, 255, 255, 0, 254, 255, 0, 255};
  const std::optional<Bitmap> bitmap = DecodePicture(p);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->At(0, 0), MakePixel(255, 0, 255, skin::kImageKeyed));
  EXPECT_EQ(bitmap->At(1, 0), MakePixel(255, 0, 254, skin::kImageDrawn));
  EXPECT_EQ(bitmap->At(2, 0), MakePixel(255, 0, 255, skin::kImageKeyed));
}

TEST(ImageDispatch, TheSignatureDecidesTheFormatAndAnythingElseLoadsNothing) {
  test::BmpPicture bmp{1, 1, 24, {}, {0x123456}};
  EXPECT_EQ(DecodeImage(test::EncodeBmp(bmp))->At(0, 0), MakePixel(0x12, 0x34, 0x56, skin::kImageKeyed));
  PngPicture png{1, 1, PNG_COLOR_TYPE_GRAY, 8};
  png.samples = {9};
  EXPECT_EQ(DecodePicture(png)->At(0, 0), MakePixel(9, 9, 9, skin::kImageKeyed));
  const std::string gif = "GIF89a\x01\x00\x01\x00";
  for (const std::string& text : {std::string{}, std::string{"B"}, std::string{"BM"}, gif})
    EXPECT_FALSE(DecodeImage(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
}

TEST(ImageFile, LoadsByContentWhateverTheNameAndNothingWhenMissing) {
  const std::vector<std::uint8_t> bytes = test::EncodeBmp({2, 1, 24, {}, {0xFF00FF, 0x010203}});
  const auto path = std::filesystem::temp_directory_path() / "radixpad_image_load_test.png";
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const std::optional<Bitmap> bitmap = LoadImageFile(path.string().c_str());
  std::filesystem::remove(path);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->At(1, 0), MakePixel(1, 2, 3, skin::kImageDrawn));
  EXPECT_FALSE(LoadImageFile(path.string().c_str()));
  EXPECT_FALSE(LoadImageFile(nullptr));
}

}  // namespace
}  // namespace radixpad::image
