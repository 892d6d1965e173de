#include "skin/skin_label.h"

#include "skin/paint.h"
#include "skin/skin_host.h"

namespace radixpad::skin {

SkinLabel::SkinLabel(const PixelRect& rect, const SystemColors& system)
    : SkinElement(ElementKind::kLabel, rect), colors_{system.highlight, WithOpacity(system.face, 255), system.shadow} {}

void SkinLabel::SetColors(const LabelColors& colors) {
  colors_ = colors;
  Changed();
}

void SkinLabel::SetEtched(bool etched) {
  etched_ = etched;
  Changed();
}

void SkinLabel::SetText(std::string text) {
  text_ = std::move(text);
  Changed();
}

void SkinLabel::SetFaces(SkinColor face) {
  colors_.face = face;
  Changed();
}

void SkinLabel::DrawEtching(PixelCanvas canvas) const {
  const auto [L, T, R, B] = rect();
  FillRect(canvas, rect(), colors_.face);
  if (R - L == 2) {  // a vertical separator
    VerticalLine(canvas, L, T, B - 1, colors_.shadow);
    VerticalLine(canvas, L + 1, T, B - 1, colors_.highlight);
  } else if (B - T == 2) {  // a horizontal rule
    HorizontalLine(canvas, T, L, R - 2, colors_.shadow);
    HorizontalLine(canvas, T + 1, L, R - 1, colors_.highlight);
  } else {  // a sunken frame
    VerticalLine(canvas, L, T, B - 2, colors_.shadow);
    HorizontalLine(canvas, T, L, R - 2, colors_.shadow);
    HorizontalLine(canvas, B - 1, L, R - 1, colors_.highlight);
    VerticalLine(canvas, R - 1, T, B - 1, colors_.highlight);
  }
}

void SkinLabel::Draw(PixelCanvas canvas, SkinHost& host) const {
  if (!visible()) return;
  PixelRect content = rect();
  if (etched_) {
    DrawEtching(canvas);
    content = {content.left + 2, content.top + 2, content.right - 2, content.bottom - 2};
  }
  if (!text_.empty()) host.DrawText(canvas, content, text_, TextLayout::kWordBreak);
}

}  // namespace radixpad::skin
