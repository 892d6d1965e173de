// A rectangle of client (or buffer) pixels, shared by the window's layout and
// the compositor.
#pragma once

namespace radixpad {

// Right and bottom are outside: (0, 0, 2, 1) covers the pixels (0, 0) and (1, 0).
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  constexpr PixelRect Intersect(const PixelRect& o) const {
    return {left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
            bottom < o.bottom ? bottom : o.bottom};
  }
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace radixpad
