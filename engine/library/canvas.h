// CalcCanvas: the drawing surface of a run. An 8-bit indexed pixel buffer
// (each byte a colour index), the colour every drawing operation uses, the
// pen position, and a world window that maps world coordinates to pixels:
//   pixel x = trunc(ox + world x * sx),  pixel y = trunc(oy + world y * sy).
//
// Pixel coordinates are kept as doubles holding whole numbers (or NaN and
// infinities, which name no pixel). Nothing is converted to an integer before
// it is known to lie on the canvas, so no coordinate a script computes can
// overflow a conversion.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace calc {

struct CalcCanvas {
 public:
  // The largest canvas: a side of at most kMaxSide pixels and at most
  // kMaxPixels in all (64 MB), so that a script's typo cannot ask for
  // gigabytes.
  static constexpr int kMaxSide = 16384;
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

  // True for whole sizes 1..kMaxSide whose product is at most kMaxPixels;
  // NaN and infinities are not valid.
  static bool ValidSize(double width, double height);

  // Becomes width x height pixels of colour 0 with the world window reset
  // (origin 0, scale 1: world = pixel coordinates) and the pen at 0, 0. The
  // size must be valid (ValidSize); may throw std::bad_alloc, leaving the
  // canvas as it was.
  void Create(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  // Rows top to bottom, pixel (x, y) at y * width + x.
  std::span<const std::uint8_t> pixels() const { return pixels_; }

  // True when (x, y) names a pixel of the canvas.
  bool Contains(double x, double y) const;
  // The colour at (x, y); 0 outside the canvas.
  std::uint8_t Get(double x, double y) const;
  // Sets (x, y) to `colour` when it is on the canvas.
  void Put(double x, double y, std::uint8_t colour);
  // Every pixel := colour.
  void Clear(std::uint8_t colour);

  // World to pixel (truncated toward zero) and back.
  double PixelX(double world_x) const;
  double PixelY(double world_y) const;
  double WorldX(double pixel_x) const { return (pixel_x - origin_x_) / scale_x_; }
  double WorldY(double pixel_y) const { return (pixel_y - origin_y_) / scale_y_; }

  // Maps the world rectangle with corners (left, top) and (right, bottom)
  // onto the canvas: (left, top) to pixel (0, 0), (right, bottom) to the
  // last column and row (to column and row 1 of a canvas one pixel wide or
  // high). False, with the window unchanged, when a corner is not finite,
  // the two corners share an x or a y, or the scale would not be finite.
  bool SetWindow(double left, double top, double right, double bottom);

  // The pen, in pixels and in world coordinates; each setter derives the
  // other form.
  double pen_x() const { return pen_x_; }
  double pen_y() const { return pen_y_; }
  double pen_world_x() const { return pen_world_x_; }
  double pen_world_y() const { return pen_world_y_; }
  void MovePen(double pixel_x, double pixel_y);
  void MovePenWorld(double world_x, double world_y);

  std::uint8_t colour = 0;  // of every drawing operation

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;
  double origin_x_ = 0, origin_y_ = 0, scale_x_ = 1, scale_y_ = 1;
  double pen_x_ = 0, pen_y_ = 0, pen_world_x_ = 0, pen_world_y_ = 0;
};

// A colour or pixel argument as the canvas takes it: the low byte of the
// value truncated toward zero (NaN and infinities give 0).
std::uint8_t ColourByte(double value);

}  // namespace calc
