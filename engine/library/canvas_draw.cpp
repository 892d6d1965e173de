#include "library/canvas_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace calc {
namespace {

bool Finite(const CalcSegment& s) {
  return std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2);
}

// Moves the end points of a segment to the band low..high of the first
// coordinate (u), along the line v = slope u + offset. The caller has made
// sure that the segment reaches the band.
void ClipToBand(double& u1, double& v1, double& u2, double& v2, double low, double high) {
  if (u1 == u2) return;  // parallel to the band's borders, and inside it
  const double slope = (v1 - v2) / (u1 - u2);
  const double offset = v1 - slope * u1;
  const auto move = [&](double& u, double& v) {
    if (u < low) {
      u = low;
      v = slope * low + offset;
    } else if (u > high) {
      u = high;
      v = slope * high + offset;
    }
  };
  move(u1, v1);
  move(u2, v2);
}

bool OutsideBand(double a, double b, double low, double high) { return (a < low && b < low) || (a > high && b > high); }

// A pixel coordinate of a clipped end point. Rounding in the clipper can
// leave a coordinate a hair outside the canvas; it belongs to the border.
int ToPixel(double coordinate, double max) { return static_cast<int>(std::clamp(std::trunc(coordinate), 0.0, max)); }

}  // namespace

bool ClipSegment(CalcSegment& s, double max_x, double max_y) {
  if (!Finite(s) || max_x < 0 || max_y < 0) return false;
  if (OutsideBand(s.x1, s.x2, 0, max_x)) return false;
  ClipToBand(s.x1, s.y1, s.x2, s.y2, 0, max_x);
  if (!Finite(s) || OutsideBand(s.y1, s.y2, 0, max_y)) return false;
  // x as a function of y: the same line, solved for the other axis.
  ClipToBand(s.y1, s.x1, s.y2, s.x2, 0, max_y);
  return Finite(s);
}

void DrawLine(CalcCanvas& canvas, CalcSegment segment) {
  const double max_x = canvas.width() - 1.0;
  const double max_y = canvas.height() - 1.0;
  if (!ClipSegment(segment, max_x, max_y)) return;
  int x1 = ToPixel(segment.x1, max_x), y1 = ToPixel(segment.y1, max_y);
  int x2 = ToPixel(segment.x2, max_x), y2 = ToPixel(segment.y2, max_y);
  const int dx = std::abs(x2 - x1);
  const int dy = std::abs(y2 - y1);
  const std::uint8_t colour = canvas.colour;
  if (dy < dx) {
    if (x1 > x2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const int step = y2 > y1 ? 1 : -1;
    int error = dx / 2;
    for (int x = x1, y = y1; x <= x2; ++x) {
      canvas.Put(x, y, colour);
      error -= dy;
      if (error < 0) {
        error += dx;
        y += step;
      }
    }
  } else {
    if (y1 > y2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const int step = x2 > x1 ? 1 : -1;
    int error = dy / 2;
    for (int y = y1, x = x1; y <= y2; ++y) {
      canvas.Put(x, y, colour);
      error -= dx;
      if (error < 0) {
        error += dy;
        x += step;
      }
    }
  }
}

void FillRect(CalcCanvas& canvas, double x, double y, double width, double height) {
  // In doubles, so that no sum overflows and NaN fails the comparisons.
  const double left = std::max(x, 0.0);
  const double top = std::max(y, 0.0);
  const double right = std::min(x + width, static_cast<double>(canvas.width()));
  const double bottom = std::min(y + height, static_cast<double>(canvas.height()));
  if (!(left < right && top < bottom)) return;
  const int column_end = static_cast<int>(std::ceil(right));
  const int row_end = static_cast<int>(std::ceil(bottom));
  for (int row = static_cast<int>(top); row < row_end; ++row)
    for (int column = static_cast<int>(left); column < column_end; ++column) canvas.Put(column, row, canvas.colour);
}

}  // namespace calc
