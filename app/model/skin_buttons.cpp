#include "model/skin_buttons.h"

namespace radixpad {

static_assert(kConverterButtons.size() == static_cast<std::size_t>(ButtonId::kMark4) + 1);
static_assert([] {
  for (std::size_t i = 0; i < kConverterButtons.size(); ++i)
    if (static_cast<std::size_t>(kConverterButtons[i].id) != i) return false;
  return true;
}(), "kConverterButtons must list the buttons in the order of ButtonId");

SkinButtons::SkinButtons() {
  for (int field = 1; field <= 4; ++field) states_[Index(MarkOf(field))].visible = false;
}

void SkinButtons::SetVisible(ButtonId id, bool visible) {
  ButtonState& s = states_[Index(id)];
  if (s.visible == visible) return;
  s.visible = visible;
  if (!visible) {
    s.look = ButtonLook::kNormal;
    if (pressed_ == id) pressed_.reset();
    if (hover_ == id) hover_.reset();
  }
  if (on_change) on_change(id);
}

void SkinButtons::SetChecked(ButtonId id, bool checked) {
  ButtonState& s = states_[Index(id)];
  if (s.checked == checked) return;
  s.checked = checked;
  if (on_change) on_change(id);
}

void SkinButtons::SetLook(ButtonId id, ButtonLook look) {
  ButtonState& s = states_[Index(id)];
  if (s.look == look) return;
  s.look = look;
  if (on_change) on_change(id);
}

std::optional<ButtonId> SkinButtons::HitTest(int x, int y) const {
  for (const ButtonLayout& b : kConverterButtons)
    if (states_[Index(b.id)].visible && b.rect.Contains(x, y)) return b.id;
  return std::nullopt;
}

SkinButtons::Capture SkinButtons::MouseDown(int x, int y) {
  const std::optional<ButtonId> hit = HitTest(x, y);
  if (!hit) return Capture::kKeep;
  pressed_ = hit;
  pressed_inside_ = true;
  SetLook(*hit, ButtonLook::kPressed);
  return Capture::kTake;
}

SkinButtons::Capture SkinButtons::MouseMove(int x, int y) {
  if (pressed_) {
    // Leaving the pressed button releases its look; coming back presses it again.
    pressed_inside_ = LayoutOf(*pressed_).rect.Contains(x, y);
    SetLook(*pressed_, pressed_inside_ ? ButtonLook::kPressed : ButtonLook::kNormal);
    return Capture::kKeep;
  }
  const std::optional<ButtonId> hit = HitTest(x, y);
  if (hover_ && hover_ != hit) SetLook(*hover_, ButtonLook::kNormal);
  hover_ = hit;
  if (!hit) return Capture::kRelease;
  SetLook(*hit, ButtonLook::kHover);
  // Capturing while hovering is how the window learns that the mouse left.
  return Capture::kTake;
}

std::optional<ButtonId> SkinButtons::MouseUp() {
  std::optional<ButtonId> clicked;
  if (pressed_) {
    SetLook(*pressed_, ButtonLook::kNormal);
    if (pressed_inside_) clicked = pressed_;
  }
  pressed_.reset();
  hover_.reset();
  pressed_inside_ = false;
  return clicked;
}

void SkinButtons::CancelTracking() {
  if (pressed_) SetLook(*pressed_, ButtonLook::kNormal);
  if (hover_) SetLook(*hover_, ButtonLook::kNormal);
  pressed_.reset();
  hover_.reset();
  pressed_inside_ = false;
}

}  // namespace radixpad
