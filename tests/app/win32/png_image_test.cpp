// PNG files as GDI bitmaps: what GDI reports about the DIB section LoadPngFile returns.
#include "win32/png_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "../png_writer.h"

namespace radixpad::win32 {
namespace {

class PngImageFile : public testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }

  std::string Write(const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path_.string();
  }

  std::filesystem::path path_ = std::filesystem::temp_directory_path() / "radixpad_png_image_test.png";
};

DIBSECTION SectionOf(HBITMAP bitmap) {
  DIBSECTION section{};
  EXPECT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
  return section;
}

TEST_F(PngImageFile, TruecolourBecomesA24BitBottomUpSectionWithTheDecodedRows) {
  test::PngPicture p{5, 2, PNG_COLOR_TYPE_RGB, 8};
  for (std::uint32_t i = 0; i < 5 * 2 * 3; ++i) p.samples.push_back(i * 9);
  const std::vector<std::uint8_t> file = test::EncodePng(p);
  image::DibPixels expected;
  ASSERT_TRUE(image::DecodePng(file, expected));

  HBITMAP bitmap = LoadPngFile(Write(file).c_str());
  ASSERT_NE(bitmap, nullptr);
  const DIBSECTION s = SectionOf(bitmap);
  EXPECT_EQ(s.dsBm.bmWidth, 5);
  EXPECT_EQ(s.dsBm.bmHeight, 2);
  EXPECT_EQ(s.dsBm.bmBitsPixel, 24);
  EXPECT_GT(s.dsBmih.biHeight, 0);
  ASSERT_NE(s.dsBm.bmBits, nullptr);
  EXPECT_EQ(std::memcmp(s.dsBm.bmBits, expected.bits.data(), expected.bits.size()), 0);
  DeleteObject(bitmap);
}

TEST_F(PngImageFile, PaletteImageKeepsItsDepthAndColourTable) {
  test::PngPicture p{3, 1, PNG_COLOR_TYPE_PALETTE, 4};
  p.palette = {png_color{255, 0, 0}, png_color{0, 255, 0}, png_color{0, 0, 255}};
  p.samples = {2, 1, 0};
  HBITMAP bitmap = LoadPngFile(Write(test::EncodePng(p)).c_str());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(SectionOf(bitmap).dsBm.bmBitsPixel, 4);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RGBQUAD table[16] = {};
  EXPECT_EQ(GetDIBColorTable(dc, 0, 16, table), 16u);
  EXPECT_EQ(table[0].rgbRed, 255);
  EXPECT_EQ(table[1].rgbGreen, 255);
  EXPECT_EQ(table[2].rgbBlue, 255);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 255));  // index 2
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 0, 0));  // index 0
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

TEST_F(PngImageFile, MissingOrCorruptFileGivesNoBitmap) {
  EXPECT_EQ(LoadPngFile((path_.string() + ".missing").c_str()), nullptr);
  test::PngPicture grey{1, 1, PNG_COLOR_TYPE_GRAY, 8};
  grey.samples = {7};
  std::vector<std::uint8_t> file = test::EncodePng(grey);
  file.resize(file.size() / 2);
  EXPECT_EQ(LoadPngFile(Write(file).c_str()), nullptr);
}

TEST(PngImageSection, InconsistentPixelsGiveNoBitmap) {
  image::DibPixels pixels;
  pixels.width = 4;
  pixels.height = 4;
  pixels.bitsPerPixel = 24;
  pixels.stride = 12;
  pixels.bits.assign(12 * 3, 0);  // one row short
  EXPECT_EQ(CreateDibSection(pixels), nullptr);
}

}  // namespace
}  // namespace radixpad::win32
