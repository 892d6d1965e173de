// The converter window's skin buttons: where each one is, what it shows and
// which help tip it has. Buttons are drawn by the compositor, not Win32
// controls, so the keyboard focus stays in the field being typed into when one
// is clicked.
#pragma once

#include <array>
#include <cstddef>

#include "skin/pixel_rect.h"

namespace radixpad {

// In registration order, which is also the drawing and hit-test order.
enum class ButtonId : int {
  kGlobalSigned, kBinSigned, kOctSigned, kDecSigned, kHexSigned,
  kGlobalUnsigned, kBinUnsigned, kOctUnsigned, kDecUnsigned, kHexUnsigned,
  kBit8, kBit16, kBit32,
  kHold, kSettings, kMinimize, kClose,
  kMark1, kMark2, kMark3, kMark4,
};
inline constexpr std::size_t kButtonCount = 21;

struct ButtonLayout {
  ButtonId id;
  PixelRect rect;
  int icon;  // icon resource; 0: the image of the IconFile setting
  int tip;   // string resource of its help tip
};

// ORDER ButtonId: one row per enumerator, in the same order.
inline constexpr std::array<ButtonLayout, kButtonCount> kConverterButtons = {{
    {ButtonId::kGlobalSigned, {59, 2, 80, 23}, 130, 201},
    {ButtonId::kBinSigned, {248, 31, 263, 46}, 159, 201},
    {ButtonId::kOctSigned, {248, 52, 263, 67}, 159, 201},
    {ButtonId::kDecSigned, {248, 73, 263, 88}, 159, 201},
    {ButtonId::kHexSigned, {248, 94, 263, 109}, 159, 201},
    {ButtonId::kGlobalUnsigned, {80, 2, 101, 23}, 155, 202},
    {ButtonId::kBinUnsigned, {263, 31, 278, 46}, 160, 202},
    {ButtonId::kOctUnsigned, {263, 52, 278, 67}, 160, 202},
    {ButtonId::kDecUnsigned, {263, 73, 278, 88}, 160, 202},
    {ButtonId::kHexUnsigned, {263, 94, 278, 109}, 160, 202},
    {ButtonId::kBit8, {114, 2, 135, 23}, 131, 203},
    {ButtonId::kBit16, {135, 2, 156, 23}, 156, 204},
    {ButtonId::kBit32, {156, 2, 177, 23}, 157, 205},
    {ButtonId::kHold, {190, 2, 211, 23}, 162, 206},  // 161 while hold is on
    {ButtonId::kSettings, {223, 2, 244, 23}, 0, 207},
    {ButtonId::kMinimize, {248, 1, 263, 15}, 135, 208},
    {ButtonId::kClose, {263, 1, 278, 15}, 136, 209},
    {ButtonId::kMark1, {0, 31, 12, 44}, 158, 210},
    {ButtonId::kMark2, {0, 52, 12, 65}, 158, 210},
    {ButtonId::kMark3, {0, 73, 12, 86}, 158, 210},
    {ButtonId::kMark4, {0, 94, 12, 107}, 158, 210},
}};

static_assert([] {
  for (std::size_t i = 0; i < kConverterButtons.size(); ++i)
    if (static_cast<std::size_t>(kConverterButtons[i].id) != i) return false;
  return true;
}(), "kConverterButtons must list the buttons in the order of ButtonId");

// The hold button's icon follows the hold flag.
inline constexpr int kHoldOnIcon = 161;
inline constexpr int kHoldOffIcon = 162;

constexpr const ButtonLayout& LayoutOf(ButtonId id) { return kConverterButtons[static_cast<std::size_t>(id)]; }

// The per-field buttons of field 1..4.
constexpr ButtonId SignedButtonOf(int field) { return static_cast<ButtonId>(static_cast<int>(ButtonId::kBinSigned) + field - 1); }
constexpr ButtonId UnsignedButtonOf(int field) {
  return static_cast<ButtonId>(static_cast<int>(ButtonId::kBinUnsigned) + field - 1);
}
constexpr ButtonId MarkOf(int field) { return static_cast<ButtonId>(static_cast<int>(ButtonId::kMark1) + field - 1); }

}  // namespace radixpad
