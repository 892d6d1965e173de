#include "library/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/truncation.h"

namespace calc {

bool CalcCanvas::ValidSize(double width, double height) {
  // Compared as doubles: a NaN fails every comparison, and no product of two
  // sides up to kMaxSide loses precision.
  if (!(width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide)) return false;
  if (width != std::trunc(width) || height != std::trunc(height)) return false;
  return width * height <= static_cast<double>(kMaxPixels);
}

void CalcCanvas::Create(int width, int height) {
  std::vector<std::uint8_t> fresh(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  pixels_.swap(fresh);
  width_ = width;
  height_ = height;
  origin_x_ = origin_y_ = 0;
  scale_x_ = scale_y_ = 1;
  MovePen(0, 0);
}

bool CalcCanvas::Contains(double x, double y) const { return x >= 0 && x < width_ && y >= 0 && y < height_; }

std::uint8_t CalcCanvas::Get(double x, double y) const {
  if (!Contains(x, y)) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void CalcCanvas::Put(double x, double y, std::uint8_t value) {
  if (!Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = value;
}

void CalcCanvas::Clear(std::uint8_t value) { std::fill(pixels_.begin(), pixels_.end(), value); }

double CalcCanvas::PixelX(double world_x) const { return std::trunc(origin_x_ + world_x * scale_x_); }
double CalcCanvas::PixelY(double world_y) const { return std::trunc(origin_y_ + world_y * scale_y_); }

bool CalcCanvas::SetWindow(double left, double top, double right, double bottom) {
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(right) || !std::isfinite(bottom)) return false;
  if (left == right || top == bottom) return false;
  const double scale_x = std::max(width_ - 1, 1) / (right - left);
  const double scale_y = std::max(height_ - 1, 1) / (bottom - top);
  const double origin_x = -left * scale_x;
  const double origin_y = -top * scale_y;
  if (!std::isfinite(scale_x) || !std::isfinite(scale_y) || scale_x == 0 || scale_y == 0 ||
      !std::isfinite(origin_x) || !std::isfinite(origin_y))
    return false;
  origin_x_ = origin_x;
  origin_y_ = origin_y;
  scale_x_ = scale_x;
  scale_y_ = scale_y;
  pen_world_x_ = WorldX(pen_x_);
  pen_world_y_ = WorldY(pen_y_);
  return true;
}

void CalcCanvas::MovePen(double pixel_x, double pixel_y) {
  pen_x_ = std::trunc(pixel_x);
  pen_y_ = std::trunc(pixel_y);
  pen_world_x_ = WorldX(pen_x_);
  pen_world_y_ = WorldY(pen_y_);
}

void CalcCanvas::MovePenWorld(double world_x, double world_y) {
  pen_world_x_ = world_x;
  pen_world_y_ = world_y;
  pen_x_ = PixelX(world_x);
  pen_y_ = PixelY(world_y);
}

std::uint8_t ColourByte(double value) { return static_cast<std::uint8_t>(TruncToUint32(value) & 0xFF); }

}  // namespace calc
