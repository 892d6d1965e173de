// The compositor of the converter window's face. A background (solid, or a
// picture the host captures), the skin image and the registered elements are
// composed into a 32-bit buffer, which the host copies to the screen.
//
// Drawing happens only while the surface is active (the window is visible).
// A state change of one element redraws that element's rectangle alone: the
// background and the skin under it, then the element, then that rectangle is
// presented.
#pragma once

#include <optional>
#include <vector>

#include "skin/bitmap.h"
#include "skin/skin_button.h"
#include "skin/skin_host.h"
#include "skin/skin_label.h"

namespace radixpad::skin {

enum class Tracking { kNone = 0, kHover = 1, kPressed = 2 };

class SkinSurface {
 public:
  // The skin image is placed one pixel up: its first row is never drawn.
  static constexpr int kSkinOffsetY = -1;
  static constexpr unsigned kSkinHalfOpacity = 127;

  explicit SkinSurface(SkinHost& host, const SystemColors& system = {});
  SkinSurface(const SkinSurface&) = delete;
  SkinSurface& operator=(const SkinSurface&) = delete;
  ~SkinSurface();  // registered elements are left unregistered

  // Takes the compose buffer (client-sized; its memory belongs to the host
  // and must stay valid until the next Bind or the surface's end) and makes a
  // background buffer of the same size.
  void Bind(PixelCanvas compose);

  // The Back setting; values other than 0..2 prepare no background.
  void SetBackgroundMode(int mode) { mode_ = mode; }
  void SetBackgroundColor(SkinColor color) { backgroundColor_ = color; }
  // The skin image (nothing: no skin), and the Skin setting (half transparent).
  void SetSkin(std::optional<Bitmap> skin) { skin_ = std::move(skin); }
  // Loads the skin from `path`; a file that does not load leaves no skin.
  void SetImages(const char* skinFile);
  void SetSkinHalfTransparent(bool half) { skinHalf_ = half; }

  // Appends to the element list: the drawing and hit-test order.
  void Register(SkinElement& element);
  void Unregister(SkinElement& element);
  void Clear();  // empties the element list

  void PrepareBackground();
  void Compose();
  // Presents `area`, or the whole buffer.
  void Present(const std::optional<PixelRect>& area = std::nullopt);
  void Refresh();
  void SetActive(bool active);
  void Start();
  void OnPaint();
  void OnMove();
  void RedrawElement(const SkinElement& element);

  // Mouse tracking: a press and a release on the same clickable element runs
  // its action; leaving the element before releasing cancels it.
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp();
  // Forgets the tracking (the window lost the capture or was hidden).
  void CancelTracking();

  // The Fore setting: 0 faces not painted, 1 half transparent, else unchanged.
  void ApplyFore(int fore);
  // The FlatButton setting: every button's flat flag, and the visibility of
  // the labels shown only while flat.
  void ApplyFlatButtons(bool flat);

  bool active() const { return active_; }
  Tracking tracking() const { return tracking_; }
  const SkinElement* pressed() const { return pressed_; }
  const SkinElement* hover() const { return hover_; }
  PixelCanvas compose() const { return compose_; }
  PixelCanvas background() { return {background_.data(), compose_.width, compose_.height}; }

 private:
  SkinElement* HitTest(int x, int y) const;
  void DrawSkin(const PixelRect& bound);
  static void SetLookOf(SkinElement* element, ButtonLook look);

  SkinHost& host_;
  SystemColors system_;
  PixelCanvas compose_;
  std::vector<Pixel> background_;
  int mode_ = static_cast<int>(BackgroundMode::kSolid);
  SkinColor backgroundColor_;
  std::optional<Bitmap> skin_;
  bool skinHalf_ = false;
  bool active_ = false;
  bool composedOnce_ = false;
  std::vector<SkinElement*> elements_;
  SkinElement* pressed_ = nullptr;
  SkinElement* hover_ = nullptr;
  Tracking tracking_ = Tracking::kNone;
};

}  // namespace radixpad::skin
