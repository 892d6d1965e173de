// SkinSurface's mouse tracking: the state machine that turns a press and a
// release on one clickable element into its action.
#include "skin/skin_surface.h"

namespace radixpad::skin {

SkinElement* SkinSurface::HitTest(int x, int y) const {
  for (SkinElement* element : elements_)
    if (element->Clickable() && element->rect().Contains(x, y)) return element;
  return nullptr;
}

void SkinSurface::SetLookOf(SkinElement* element, ButtonLook look) {
  if (element == nullptr || element->kind() != ElementKind::kButton) return;
  auto* button = static_cast<SkinButton*>(element);
  if (button->look() != look) button->SetLook(look);
}

void SkinSurface::MouseDown(int x, int y) {
  SkinElement* hit = HitTest(x, y);
  if (hit == nullptr) return;
  if (hover_ != nullptr && hover_ != hit) SetLookOf(hover_, ButtonLook::kNormal);
  hover_ = nullptr;
  pressed_ = hit;
  tracking_ = Tracking::kPressed;
  host_.SetMouseCapture(true);
  SetLookOf(hit, ButtonLook::kPressed);
}

void SkinSurface::MouseMove(int x, int y) {
  if (pressed_ != nullptr) {
    // Leaving the pressed element lifts its look; coming back presses it again.
    const bool inside = pressed_->rect().Contains(x, y);
    tracking_ = inside ? Tracking::kPressed : Tracking::kNone;
    SetLookOf(pressed_, inside ? ButtonLook::kPressed : ButtonLook::kNormal);
    return;
  }
  SkinElement* hit = HitTest(x, y);
  if (hover_ != nullptr && hover_ != hit && hover_->Clickable()) SetLookOf(hover_, ButtonLook::kNormal);
  hover_ = hit;
  if (hit == nullptr) {
    tracking_ = Tracking::kNone;
    host_.SetMouseCapture(false);
    return;
  }
  tracking_ = Tracking::kHover;
  // Capturing while hovering is how the window learns that the mouse left.
  host_.SetMouseCapture(true);
  SetLookOf(hit, ButtonLook::kHover);
}

void SkinSurface::MouseUp() {
  SkinElement* pressed = pressed_;
  const bool click = pressed != nullptr && tracking_ == Tracking::kPressed && pressed->Clickable();
  pressed_ = nullptr;
  if (pressed == nullptr) return;
  // A release outside the element lets the capture go as well: no element
  // keeps it once the button is up.
  tracking_ = Tracking::kNone;
  host_.SetMouseCapture(false);
  SetLookOf(pressed, ButtonLook::kNormal);
  if (!click) return;
  // The action may change or even remove the element: run a copy, last.
  const std::function<void()> action = pressed->clickAction();
  action();
}

void SkinSurface::CancelTracking() {
  SetLookOf(pressed_, ButtonLook::kNormal);
  SetLookOf(hover_, ButtonLook::kNormal);
  pressed_ = hover_ = nullptr;
  tracking_ = Tracking::kNone;
}

}  // namespace radixpad::skin
