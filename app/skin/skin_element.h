// The common part of the things a SkinSurface draws: a rectangle, a visible
// flag and an optional click action. Every setter asks the surface the
// element is registered with to redraw it at once.
#pragma once

#include <functional>

#include "skin/bitmap.h"
#include "skin/pixel_rect.h"
#include "skin/skin_color.h"

namespace radixpad::skin {

class SkinHost;
class SkinSurface;

enum class ElementKind { kButton = 0, kLabel = 1 };

class SkinElement {
 public:
  SkinElement(const SkinElement&) = delete;
  SkinElement& operator=(const SkinElement&) = delete;
  virtual ~SkinElement();  // leaves the surface it is registered with

  ElementKind kind() const { return kind_; }
  const PixelRect& rect() const { return rect_; }
  bool visible() const { return visible_; }
  void SetRect(const PixelRect& rect);
  void SetVisible(bool visible);

  // Run on a completed click. An element without one is ignored by the mouse.
  void SetClickAction(std::function<void()> action) { action_ = std::move(action); }
  const std::function<void()>& clickAction() const { return action_; }
  // Visible and with an action: the mouse can hit it.
  bool Clickable() const { return visible_ && action_ != nullptr; }

  // Sets the face colours to `face` (the Fore setting).
  virtual void SetFaces(SkinColor face) = 0;

  // Draws the element into `canvas`; nothing when it is not visible.
  virtual void Draw(PixelCanvas canvas, SkinHost& host) const = 0;

 protected:
  SkinElement(ElementKind kind, const PixelRect& rect) : kind_(kind), rect_(rect) {}
  // Asks the surface to redraw this element (if it is registered).
  void Changed();

 private:
  friend class SkinSurface;

  ElementKind kind_;
  PixelRect rect_;
  bool visible_ = true;
  std::function<void()> action_;
  SkinSurface* surface_ = nullptr;
};

}  // namespace radixpad::skin
