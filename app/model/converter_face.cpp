#include "model/converter_face.h"

namespace radixpad {
namespace {

struct LabelLayout {
  PixelRect rect;
  const char* text;  // null: an etched line
  bool flat_only;    // a separator between button groups
};

constexpr std::array<LabelLayout, ConverterFace::kLabelCount> kLabels = {{
    {{0, 25, 279, 27}, nullptr, false},
    {{19, 7, 57, 19}, "MASTER", false},
    {{13, 32, 33, 44}, "BIN", false},
    {{13, 53, 33, 65}, "OCT", false},
    {{13, 74, 33, 86}, "DEC", false},
    {{13, 95, 33, 107}, "HEX", false},
    {{106, 2, 108, 23}, nullptr, true},
    {{181, 2, 183, 23}, nullptr, true},
    {{215, 2, 217, 23}, nullptr, true},
}};

bool IsMark(ButtonId id) { return id >= ButtonId::kMark1; }

}  // namespace

ConverterFace::ConverterFace(const skin::SystemColors& system) {
  for (const ButtonLayout& layout : kConverterButtons) {
    auto button = std::make_unique<skin::SkinButton>(layout.rect, system);
    if (layout.icon != 0) button->SetIcon(layout.icon);
    if (IsMark(layout.id)) button->SetVisible(false);
    buttons_[static_cast<std::size_t>(layout.id)] = std::move(button);
  }
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    auto label = std::make_unique<skin::SkinLabel>(kLabels[i].rect, system);
    if (kLabels[i].text != nullptr) label->SetText(kLabels[i].text);
    else label->SetEtched(true);
    if (kLabels[i].flat_only) {
      label->SetFlatOnly(true);
      label->SetVisible(false);  // buttons start raised
    }
    labels_[i] = std::move(label);
  }
}

void ConverterFace::Register(skin::SkinSurface& surface, std::function<void(ButtonId)> on_click) {
  for (const ButtonLayout& layout : kConverterButtons) {
    skin::SkinButton& b = button(layout.id);
    b.SetClickAction([on_click, id = layout.id] { on_click(id); });
    surface.Register(b);
  }
  for (auto& label : labels_) surface.Register(*label);
}

std::optional<ButtonId> ConverterFace::ButtonAt(int x, int y) const {
  for (const ButtonLayout& layout : kConverterButtons)
    if (button(layout.id).visible() && layout.rect.Contains(x, y)) return layout.id;
  return std::nullopt;
}

void ConverterFace::ShowHold(bool on) {
  skin::SkinButton& hold = button(ButtonId::kHold);
  hold.SetChecked(on);
  hold.SetIcon(on ? kHoldOnIcon : kHoldOffIcon);
}

void ConverterFace::SetSettingsImage(std::shared_ptr<const skin::Bitmap> image) {
  button(ButtonId::kSettings).SetImage(std::move(image));
}

}  // namespace radixpad
