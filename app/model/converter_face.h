// The converter window's face as the compositor sees it: one skin button per
// row of the button table and the labels (the etched rule, the MASTER and
// radix texts, the separators shown only while buttons are flat), registered
// with a SkinSurface in their drawing and hit-test order.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "model/skin_buttons.h"
#include "skin/skin_surface.h"

namespace radixpad {

class ConverterFace {
 public:
  // Makes the elements with the system's colours; warning marks start hidden.
  explicit ConverterFace(const skin::SystemColors& system = {});

  // Appends every button, then every label, to `surface`. `on_click` runs
  // with the button's id when a click on it completes.
  void Register(skin::SkinSurface& surface, std::function<void(ButtonId)> on_click);

  skin::SkinButton& button(ButtonId id) { return *buttons_[static_cast<std::size_t>(id)]; }
  const skin::SkinButton& button(ButtonId id) const { return *buttons_[static_cast<std::size_t>(id)]; }

  // The first visible button whose rectangle holds the client point: where
  // the window must not be dragged.
  std::optional<ButtonId> ButtonAt(int x, int y) const;

  // Checked state and icon of the hold button.
  void ShowHold(bool on);
  // The settings button's image (the IconFile setting); null shows nothing.
  void SetSettingsImage(std::shared_ptr<const skin::Bitmap> image);

  static constexpr std::size_t kLabelCount = 9;

 private:
  std::array<std::unique_ptr<skin::SkinButton>, kButtonCount> buttons_;
  std::array<std::unique_ptr<skin::SkinLabel>, kLabelCount> labels_;
};

}  // namespace radixpad
