// A skin button: a face, 3-D edges for its look, and a text, icon or image.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "skin/skin_element.h"

namespace radixpad::skin {

enum class ButtonLook { kNormal = 0, kHover = 1, kPressed = 2 };

struct ButtonColors {
  SkinColor highlight;
  SkinColor face;
  SkinColor shadow;
  SkinColor darkShadow;
  SkinColor checkedFace;
};

// What a button shows inside its edges.
struct IconContent {
  int icon = 0;  // resource number of a 32 x 32 icon
  friend bool operator==(const IconContent&, const IconContent&) = default;
};
using ButtonContent = std::variant<std::string, IconContent, std::shared_ptr<const Bitmap>>;

class SkinButton final : public SkinElement {
 public:
  explicit SkinButton(const PixelRect& rect, const SystemColors& system = {});

  const ButtonColors& colors() const { return colors_; }
  bool flat() const { return flat_; }
  ButtonLook look() const { return look_; }
  bool checked() const { return checked_; }
  const ButtonContent& content() const { return content_; }

  void SetColors(const ButtonColors& colors);
  void SetFlat(bool flat);
  void SetLook(ButtonLook look);
  void SetChecked(bool checked);
  void SetText(std::string text);
  void SetIcon(int icon);
  // A null image shows nothing.
  void SetImage(std::shared_ptr<const Bitmap> image);

  // Face and checked face both (the Fore setting).
  void SetFaces(SkinColor face) override;
  void Draw(PixelCanvas canvas, SkinHost& host) const override;

  // Where the content goes: inside the edges, one pixel right and down while pressed.
  PixelRect ContentRect() const;

 private:
  void DrawEdges(PixelCanvas canvas) const;
  void DrawContent(PixelCanvas canvas, SkinHost& host) const;

  ButtonColors colors_;
  bool flat_ = false;
  ButtonLook look_ = ButtonLook::kNormal;
  bool checked_ = false;
  ButtonContent content_;
};

}  // namespace radixpad::skin
