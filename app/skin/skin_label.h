// A skin label: a text, or an etched line or frame.
#pragma once

#include <string>

#include "skin/skin_element.h"

namespace radixpad::skin {

struct LabelColors {
  SkinColor highlight;
  SkinColor face;
  SkinColor shadow;
};

class SkinLabel final : public SkinElement {
 public:
  explicit SkinLabel(const PixelRect& rect, const SystemColors& system = {});

  const LabelColors& colors() const { return colors_; }
  bool etched() const { return etched_; }
  const std::string& text() const { return text_; }
  // Shown only while the buttons are flat (the separators between button groups).
  bool flatOnly() const { return flatOnly_; }

  void SetColors(const LabelColors& colors);
  void SetEtched(bool etched);
  void SetText(std::string text);
  void SetFlatOnly(bool flatOnly) { flatOnly_ = flatOnly; }

  void SetFaces(SkinColor face) override;
  // Etched: the face, then a line pair for a rectangle 2 pixels wide or high,
  // else a sunken frame; the text is then set inside, inset by 2.
  void Draw(PixelCanvas canvas, SkinHost& host) const override;

 private:
  void DrawEtching(PixelCanvas canvas) const;

  LabelColors colors_;
  bool etched_ = false;
  bool flatOnly_ = false;
  std::string text_;
};

}  // namespace radixpad::skin
