#include "skin/skin_surface.h"

#include <algorithm>

#include "skin/load_image.h"
#include "skin/paint.h"

namespace radixpad::skin {

SkinSurface::SkinSurface(SkinHost& host, const SystemColors& system)
    : host_(host), system_(system), backgroundColor_(WithOpacity(system.face, 255)) {}

SkinSurface::~SkinSurface() { Clear(); }

void SkinSurface::Bind(PixelCanvas compose) {
  compose_ = compose;
  background_.assign(static_cast<std::size_t>(std::max(compose.width, 0)) * std::max(compose.height, 0), 0);
}

void SkinSurface::SetImages(const char* skinFile) { skin_ = image::LoadImageFile(skinFile); }

void SkinSurface::Register(SkinElement& element) {
  if (element.surface_ == this) return;
  if (element.surface_ != nullptr) element.surface_->Unregister(element);
  element.surface_ = this;
  elements_.push_back(&element);
}

void SkinSurface::Unregister(SkinElement& element) {
  if (element.surface_ != this) return;
  element.surface_ = nullptr;
  std::erase(elements_, &element);
  if (pressed_ == &element) pressed_ = nullptr;
  if (hover_ == &element) hover_ = nullptr;
  if (pressed_ == nullptr && hover_ == nullptr) tracking_ = Tracking::kNone;
}

void SkinSurface::Clear() {
  for (SkinElement* element : elements_) element->surface_ = nullptr;
  elements_.clear();
  pressed_ = hover_ = nullptr;
  tracking_ = Tracking::kNone;
}

void SkinSurface::PrepareBackground() {
  if (!active_) return;
  switch (mode_) {
    case static_cast<int>(BackgroundMode::kSolid):
      std::fill(background_.begin(), background_.end(), PixelOf(backgroundColor_));
      break;
    case static_cast<int>(BackgroundMode::kTransparent):
    case static_cast<int>(BackgroundMode::kWallpaper):
      host_.CaptureBackground(static_cast<BackgroundMode>(mode_), background());
      break;
    default:
      break;
  }
}

void SkinSurface::DrawSkin(const PixelRect& bound) {
  if (skin_) BlendImage(compose_, *skin_, 0, kSkinOffsetY, bound, skinHalf_ ? kSkinHalfOpacity : 255);
}

void SkinSurface::Compose() {
  if (!active_) return;
  CopyRect(compose_, background(), compose_.Bounds());
  DrawSkin(compose_.Bounds());
  for (const SkinElement* element : elements_) element->Draw(compose_, host_);
}

void SkinSurface::Present(const std::optional<PixelRect>& area) {
  if (active_) host_.Present(area.value_or(compose_.Bounds()));
}

void SkinSurface::Refresh() {
  PrepareBackground();
  Compose();
  Present();
}

void SkinSurface::SetActive(bool active) {
  active_ = active;
  Refresh();
}

void SkinSurface::Start() {
  PrepareBackground();
  Compose();
  composedOnce_ = true;
}

void SkinSurface::OnPaint() {
  if (composedOnce_) Present();
}

void SkinSurface::OnMove() {
  if (composedOnce_ && mode_ != static_cast<int>(BackgroundMode::kSolid)) Refresh();
}

void SkinSurface::RedrawElement(const SkinElement& element) {
  if (!active_) return;
  const PixelRect area = element.rect().Intersect(compose_.Bounds());
  CopyRect(compose_, background(), area);
  DrawSkin(area);
  element.Draw(compose_, host_);
  if (!area.Empty()) host_.Present(area);
}

void SkinSurface::ApplyFore(int fore) {
  if (fore != 0 && fore != 1) return;
  for (SkinElement* element : elements_) element->SetFaces(fore == 0 ? kFaceInvisible : kFaceHalf);
}

void SkinSurface::ApplyFlatButtons(bool flat) {
  for (SkinElement* element : elements_) {
    if (element->kind() == ElementKind::kButton) static_cast<SkinButton*>(element)->SetFlat(flat);
    else if (static_cast<SkinLabel*>(element)->flatOnly()) element->SetVisible(flat);
  }
}

}  // namespace radixpad::skin
