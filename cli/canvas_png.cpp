#include "canvas_png.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace radixcalc {
namespace {

constexpr int kNamedColours = 16;

std::array<PaletteColour, 256> MakePalette() {
  std::array<PaletteColour, 256> palette{};
  constexpr PaletteColour kNamed[kNamedColours] = {
      {255, 255, 255},  // 0 white: a new or cleared canvas
      {0, 0, 0},        // 1 black
      {255, 0, 0},      // 2 red
      {0, 160, 0},      // 3 green
      {0, 0, 255},      // 4 blue
      {230, 200, 0},    // 5 yellow
      {200, 0, 200},    // 6 magenta
      {0, 180, 200},    // 7 cyan
      {128, 128, 128},  // 8 grey
      {128, 0, 0},      // 9 dark red
      {0, 96, 0},       // 10 dark green
      {0, 0, 128},      // 11 dark blue
      {255, 128, 0},    // 12 orange
      {128, 0, 128},    // 13 purple
      {0, 128, 128},    // 14 teal
      {200, 200, 200},  // 15 light grey
  };
  for (int i = 0; i < kNamedColours; ++i) palette[static_cast<std::size_t>(i)] = kNamed[i];
  constexpr int kRamp = 256 - kNamedColours;
  for (int i = 0; i < kRamp; ++i) {
    const auto level = static_cast<std::uint8_t>((i * 255 + (kRamp - 1) / 2) / (kRamp - 1));
    palette[static_cast<std::size_t>(kNamedColours + i)] = {level, level, level};
  }
  return palette;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// Everything between png_create_write_struct and the end lives here: libpng
// reports errors by longjmp to the setjmp below, so this frame holds no
// object with a destructor.
bool WritePng(std::FILE* file, const calc::CalcCanvas& canvas) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.width()), static_cast<png_uint_32>(canvas.height()), 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color colours[256];
  const auto& palette = CanvasPalette();
  for (std::size_t i = 0; i < palette.size(); ++i) colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
  png_set_PLTE(png, info, colours, 256);
  png_write_info(png, info);
  const std::uint8_t* row = canvas.pixels().data();
  for (int y = 0; y < canvas.height(); ++y, row += canvas.width()) png_write_row(png, row);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

const std::array<PaletteColour, 256>& CanvasPalette() {
  static const std::array<PaletteColour, 256> palette = MakePalette();
  return palette;
}

std::string WriteCanvasPng(const std::string& path, const calc::CalcCanvas& canvas) {
  if (canvas.width() == 0 || canvas.height() == 0) return "";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return "cannot open the file";
  const bool written = WritePng(file, canvas);
  const bool closed = std::fclose(file) == 0;
  return written && closed ? "" : "cannot write the image";
}

}  // namespace radixcalc
