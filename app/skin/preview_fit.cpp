#include "skin/preview_fit.h"

#include <algorithm>
#include <cstdint>

namespace radixpad::skin {

PreviewPlacement FitPreview(int width, int height, int area_width, int area_height) {
  if (width <= 0 || height <= 0 || area_width <= 0 || area_height <= 0) return {};
  PreviewPlacement placement;
  // 64-bit products: a 16384-pixel side times another stays far inside.
  if (width < height) {
    placement.height = std::min(height, area_height);
    placement.width = static_cast<int>(std::int64_t{width} * placement.height / height);
  } else {
    placement.width = std::min(width, area_width);
    placement.height = static_cast<int>(std::int64_t{height} * placement.width / width);
  }
  // A portrait image fitted by its height may still be wider than a wide,
  // flat area (and the reverse); shrink once more by the other side.
  if (placement.width > area_width) {
    placement.height = static_cast<int>(std::int64_t{placement.height} * area_width / placement.width);
    placement.width = area_width;
  }
  if (placement.height > area_height) {
    placement.width = static_cast<int>(std::int64_t{placement.width} * area_height / placement.height);
    placement.height = area_height;
  }
  placement.x = (area_width - placement.width) / 2;
  placement.y = (area_height - placement.height) / 2;
  return placement;
}

}  // namespace radixpad::skin
