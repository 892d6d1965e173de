// radixcalc's canvas file: the README's plot example still runs and writes
// an indexed PNG whose pixels lie on the curves where they should and are
// background elsewhere; the PNG is read back with libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "canvas_png.h"
#include "library/canvas.h"
#include "run_command.h"

namespace radixcalc {
namespace {

struct Decoded {
  bool ok = false;
  bool indexed = false;
  int width = 0, height = 0;
  std::vector<png_byte> rgb;  // 3 bytes a pixel, rows top to bottom

  PaletteColour At(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
};

Decoded ReadPng(const std::string& path) {
  Decoded decoded;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return decoded;
  decoded.indexed = (image.format & PNG_FORMAT_FLAG_COLORMAP) != 0;
  image.format = PNG_FORMAT_RGB;
  decoded.width = static_cast<int>(image.width);
  decoded.height = static_cast<int>(image.height);
  decoded.rgb.resize(PNG_IMAGE_SIZE(image));
  decoded.ok = png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return decoded;
}

struct Probe {
  const char* what;
  double x, y;  // world coordinates of the example's window
  int colour;   // palette index expected there
};

TEST(CanvasPng, ExamplePlotIsWrittenWithItsCurves) {
  const std::string example = std::string(RADIXPAD_EXAMPLES_DIR) + "/plots.calc";
  const std::string png = (std::filesystem::temp_directory_path() / "radixcalc_canvas_png_test.png").string();
  std::filesystem::remove(png);
  const std::vector<std::string_view> args = {"--canvas", png, example};
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunScripts(args, in, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "2\n0\n");

  const Decoded image = ReadPng(png);
  ASSERT_TRUE(image.ok);
  EXPECT_TRUE(image.indexed);
  ASSERT_EQ(image.width, 640);
  ASSERT_EQ(image.height, 240);

  // The example's window, to find the pixels of world points.
  calc::CalcCanvas window;
  window.Create(640, 240);
  ASSERT_TRUE(window.SetWindow(-1.2, 1.4, 6.6, -1.4));
  const double pi = std::numbers::pi;
  const std::vector<Probe> probes = {
      {"sin at its top", pi / 2, 1, 2},
      {"cos at its start", 0, 1, 4},
      {"cos at its bottom", pi, -1, 4},
      {"the x axis", 5, 0, 8},
      {"the rose's petal tip", std::cos(pi / 6), std::sin(pi / 6), 3},
      {"above the curves", 3, 1, 0},
      {"below the curves", 1, -1.2, 0},
      {"left of the rose", -1.1, 1.3, 0},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(p.what);
    const auto x = static_cast<int>(window.PixelX(p.x));
    const auto y = static_cast<int>(window.PixelY(p.y));
    EXPECT_EQ(image.At(x, y), CanvasPalette()[static_cast<std::size_t>(p.colour)]);
  }
  std::filesystem::remove(png);
}

TEST(CanvasPng, UnwritableFileIsReportedOnceAndTheRunGoesOn) {
  const std::string png = (std::filesystem::temp_directory_path() / "no such folder" / "x.png").string();
  const std::vector<std::string_view> args = {"--canvas", png, "-e", ":gworld 4 4; :gclear 1; :gline 0 0 3 3; 7"};
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(RunScripts(args, in, out, err), 0);
  EXPECT_EQ(out.str(), "7\n");
  EXPECT_EQ(err.str(), "radixcalc: --canvas " + png + ": cannot open the file\n");
}

}  // namespace
}  // namespace radixcalc
