#include "plain_face.h"

#include <array>

namespace radixpad::win32 {
namespace {

struct Label {
  PixelRect rect;
  const char* text;  // null: an etched line
};

constexpr std::array<Label, 6> kLabels = {{
    {{0, 25, 279, 27}, nullptr},
    {{19, 7, 57, 19}, "MASTER"},
    {{13, 32, 33, 44}, "BIN"},
    {{13, 53, 33, 65}, "OCT"},
    {{13, 74, 33, 86}, "DEC"},
    {{13, 95, 33, 107}, "HEX"},
}};

// What a button shows in place of its icon. ORDER ButtonId.
constexpr std::array<const char*, kButtonCount> kCaptions = {
    "S", "s", "s", "s", "s",       // signed: global, BIN, OCT, DEC, HEX
    "U", "u", "u", "u", "u",       // unsigned
    "8", "16", "32",               // widths
    "H", "*", "-", "x",            // hold, settings, minimize, close
    "!", "!", "!", "!",            // warning marks
};

bool IsMark(ButtonId id) { return id >= ButtonId::kMark1; }

void PaintLabel(HDC dc, const Label& label) {
  RECT r = ToRect(label.rect);
  if (label.text == nullptr) {
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
    return;
  }
  DrawTextA(dc, label.text, -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void PaintButton(HDC dc, ButtonId id, const ButtonState& state) {
  RECT r = ToRect(LayoutOf(id).rect);
  const bool sunken = state.checked || state.look == ButtonLook::kPressed;
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (IsMark(id)) face = RGB(255, 224, 0);
  else if (state.checked) face = RGB(255, 255, 255);
  else if (state.look == ButtonLook::kHover) face = GetSysColor(COLOR_BTNHIGHLIGHT);
  HBRUSH brush = CreateSolidBrush(face);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  RECT content = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  if (state.look == ButtonLook::kPressed) OffsetRect(&content, 1, 1);
  DrawTextA(dc, kCaptions[static_cast<std::size_t>(id)], -1, &content,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void PaintPlainFace(HDC dc, HFONT font, const SkinButtons& buttons) {
  const HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, RGB(0, 0, 0));
  for (const Label& label : kLabels) PaintLabel(dc, label);
  for (const ButtonLayout& b : kConverterButtons) {
    const ButtonState& state = buttons.state(b.id);
    if (state.visible) PaintButton(dc, b.id, state);
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
}

}  // namespace radixpad::win32
