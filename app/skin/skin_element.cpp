#include "skin/skin_element.h"

#include "skin/skin_surface.h"

namespace radixpad::skin {

SkinElement::~SkinElement() {
  if (surface_ != nullptr) surface_->Unregister(*this);
}

void SkinElement::SetRect(const PixelRect& rect) {
  rect_ = rect;
  Changed();
}

void SkinElement::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void SkinElement::Changed() {
  if (surface_ != nullptr) surface_->RedrawElement(*this);
}

}  // namespace radixpad::skin
