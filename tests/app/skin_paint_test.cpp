// The compositor's pixel arithmetic: the blend formula, opacity 0, clipping,
// inclusive line ends and colour-keyed images.
#include "skin/paint.h"

#include <gtest/gtest.h>

#include <vector>

namespace radixpad::skin {
namespace {

struct BlendCase {
  unsigned old, colour, opacity, expected;
};

// new = old + (colour - old) x opacity / 255, truncated toward zero.
const BlendCase kBlends[] = {
    {0, 255, 255, 255}, {255, 0, 255, 0},   {0, 255, 127, 127}, {200, 0, 127, 101},  // -25400/255 = -99.6 -> -99
    {10, 20, 1, 10},    {20, 10, 1, 20},    {100, 100, 77, 100}, {0, 255, 128, 128},
    {255, 0, 128, 127}, {37, 250, 200, 204},  // 37 + 213*200/255 = 37 + 167.05
};

TEST(SkinFill, BlendsEachChannelByTheFormulaTruncatingTowardZero) {
  for (const BlendCase& c : kBlends) {
    // The channel under test sits in red, green and blue in turn; the fourth byte stays.
    for (int channel = 0; channel < 3; ++channel) {
      const unsigned shift = 16 - 8 * channel;  // red, green, blue in a Pixel
      Pixel pixel = c.old << shift | 0xAB000000u;
      const SkinColor colour = (c.colour << (8 * channel)) | c.opacity << 24;  // red lowest in a SkinColor
      FillRect({&pixel, 1, 1}, {0, 0, 1, 1}, colour);
      EXPECT_EQ(pixel, c.expected << shift | 0xAB000000u)
          << "old " << c.old << " colour " << c.colour << " opacity " << c.opacity << " channel " << channel;
    }
  }
}

// A small canvas drawn as text: one letter per pixel, rows top first.
class SkinPaint : public testing::Test {
 protected:
  static constexpr int kW = 5, kH = 4;
  static constexpr Pixel kBack = MakePixel(1, 1, 1);
  static constexpr Pixel kInk = MakePixel(200, 10, 10);

  std::vector<Pixel> pixels = std::vector<Pixel>(kW * kH, kBack);
  PixelCanvas canvas{pixels.data(), kW, kH};

  std::string Art() const {
    std::string art;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const Pixel p = canvas.At(x, y);
        art += p == kBack ? '.' : p == kInk ? '#' : '?';
      }
      art += '\n';
    }
    return art;
  }
};

TEST_F(SkinPaint, FillsClipToTheCanvasAndOpacityZeroPaintsNothing) {
  FillRect(canvas, {-3, -2, 2, 2}, MakeSkinColor(200, 10, 10));
  FillRect(canvas, {0, 0, 5, 4}, MakeSkinColor(200, 10, 10, 0));
  FillRect(canvas, {4, 3, 99, 99}, MakeSkinColor(200, 10, 10));
  EXPECT_EQ(Art(), "##...\n##...\n.....\n....#\n");
}

TEST_F(SkinPaint, LinesIncludeBothEndsAndAreAlwaysOpaque) {
  HorizontalLine(canvas, 0, 1, 3, MakeSkinColor(200, 10, 10, 1));
  VerticalLine(canvas, 4, 1, 9, MakeSkinColor(200, 10, 10, 0));
  HorizontalLine(canvas, -1, 0, 4, MakeSkinColor(200, 10, 10));  // wholly outside
  EXPECT_EQ(Art(), ".###.\n....#\n....#\n....#\n");
}

TEST_F(SkinPaint, ImagesSkipKeyedPixelsAndStayInsideTheirBound) {
  Bitmap image{3, 2, true, {}};
  for (int i = 0; i < 6; ++i) image.pixels.push_back(kInk | (i == 0 || i == 4 ? kImageKeyed : kImageDrawn) << 24);
  BlendImage(canvas, image, 1, 1, canvas.Bounds(), 255);
  EXPECT_EQ(Art(), ".....\n..##.\n.#.#.\n.....\n");
  BlendImage(canvas, image, -2, -1, {0, 0, 1, 5}, 255);  // only column 0 of the bound
  EXPECT_EQ(Art(), "#....\n..##.\n.#.#.\n.....\n");
  image.drawable = false;
  BlendImage(canvas, image, 2, 2, canvas.Bounds(), 255);
  EXPECT_EQ(Art(), "#....\n..##.\n.#.#.\n.....\n");
}

TEST_F(SkinPaint, ImagesBlendWithTheirOpacity) {
  Bitmap image{1, 1, true, {MakePixel(255, 101, 0, kImageDrawn)}};
  BlendImage(canvas, image, 0, 0, canvas.Bounds(), 127);
  EXPECT_EQ(canvas.At(0, 0), MakePixel(1 + 254 * 127 / 255, 1 + 100 * 127 / 255, 1 - 1 * 127 / 255));
}

}  // namespace
}  // namespace radixpad::skin
