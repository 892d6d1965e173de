// Fuzz target: arbitrary bytes as a skin image file (BMP or PNG, told apart by
// signature). Whatever loads must be consistent and must draw into a small
// buffer, keyed and half transparent, at an offset taken from the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "skin/load_image.h"
#include "skin/paint.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const std::optional<radixpad::skin::Bitmap> image = radixpad::image::DecodeImage(file);
  if (!image) return 0;
  if (image->width <= 0 || image->height <= 0 ||
      image->pixels.size() != static_cast<std::size_t>(image->width) * image->height)
    std::abort();

  std::vector<radixpad::skin::Pixel> buffer(40 * 30, 0x00808080);
  const radixpad::skin::PixelCanvas canvas{buffer.data(), 40, 30};
  const int x = size > 0 ? static_cast<int>(data[size - 1] % 64) - 32 : 0;
  radixpad::skin::BlendImage(canvas, *image, x, -1, canvas.Bounds(), 127);
  radixpad::skin::BlendImage(canvas, *image, -x, 3, {5, 5, 20, 20}, 255);
  return 0;
}
