#include "skin/skin_button.h"

#include "skin/paint.h"
#include "skin/skin_host.h"

namespace radixpad::skin {

SkinButton::SkinButton(const PixelRect& rect, const SystemColors& system)
    : SkinElement(ElementKind::kButton, rect),
      colors_{system.highlight, WithOpacity(system.face, 255), system.shadow, system.darkShadow, kFaceHalf} {}

void SkinButton::SetColors(const ButtonColors& colors) {
  colors_ = colors;
  Changed();
}

void SkinButton::SetFlat(bool flat) {
  flat_ = flat;
  Changed();
}

void SkinButton::SetLook(ButtonLook look) {
  look_ = look;
  Changed();
}

void SkinButton::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

void SkinButton::SetText(std::string text) {
  content_ = std::move(text);
  Changed();
}

void SkinButton::SetIcon(int icon) {
  content_ = IconContent{icon};
  Changed();
}

void SkinButton::SetImage(std::shared_ptr<const Bitmap> image) {
  content_ = std::move(image);
  Changed();
}

void SkinButton::SetFaces(SkinColor face) {
  colors_.face = face;
  colors_.checkedFace = face;
  Changed();
}

PixelRect SkinButton::ContentRect() const {
  const PixelRect& r = rect();
  if (look_ == ButtonLook::kPressed) return {r.left + 3, r.top + 3, r.right - 1, r.bottom - 1};
  return {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

void SkinButton::Draw(PixelCanvas canvas, SkinHost& host) const {
  if (!visible()) return;
  FillRect(canvas, rect(), checked_ ? colors_.checkedFace : colors_.face);
  DrawEdges(canvas);
  DrawContent(canvas, host);
}

// The outer lines: left and top edges stop one pixel short of the bottom and
// right lines, which run the full length and so own the corners.
void SkinButton::DrawEdges(PixelCanvas canvas) const {
  const int L = rect().left, T = rect().top, R = rect().right, B = rect().bottom;
  const bool sunken = look_ == ButtonLook::kPressed || checked_;
  const auto outer = [&](SkinColor leftTop, SkinColor rightBottom) {
    VerticalLine(canvas, L, T, B - 2, leftTop);
    HorizontalLine(canvas, T, L, R - 2, leftTop);
    HorizontalLine(canvas, B - 1, L, R - 1, rightBottom);
    VerticalLine(canvas, R - 1, T, B - 1, rightBottom);
  };
  if (flat_) {
    if (sunken) outer(colors_.shadow, colors_.highlight);
    else if (look_ == ButtonLook::kHover) outer(colors_.highlight, colors_.shadow);
    return;
  }
  if (sunken) {
    outer(colors_.darkShadow, colors_.highlight);
    VerticalLine(canvas, L + 1, T + 1, B - 2, colors_.shadow);
    HorizontalLine(canvas, T + 1, L + 1, R - 2, colors_.shadow);
    return;
  }
  outer(colors_.highlight, colors_.darkShadow);
  HorizontalLine(canvas, B - 2, L + 1, R - 2, colors_.shadow);
  VerticalLine(canvas, R - 2, T + 1, B - 2, colors_.shadow);
}

void SkinButton::DrawContent(PixelCanvas canvas, SkinHost& host) const {
  const PixelRect c = ContentRect();
  if (const auto* text = std::get_if<std::string>(&content_)) {
    if (!text->empty()) host.DrawText(canvas, c, *text, TextLayout::kCentredLine);
  } else if (const auto* icon = std::get_if<IconContent>(&content_)) {
    constexpr int kHalfIcon = 16;
    host.DrawIcon(canvas, (c.left + c.right) / 2 - kHalfIcon, (c.top + c.bottom) / 2 - kHalfIcon, icon->icon, rect());
  } else if (const auto& image = std::get<std::shared_ptr<const Bitmap>>(content_)) {
    const int x = c.left + (c.Width() + 1) / 2 - (image->width + 1) / 2;
    const int y = c.top + (c.Height() + 1) / 2 - (image->height + 1) / 2;
    BlendImage(canvas, *image, x, y, c, 255);
  }
}

}  // namespace radixpad::skin
