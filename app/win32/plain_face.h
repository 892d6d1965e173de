// The converter window's face until skins arrive: the labels and the skin
// buttons drawn plainly with GDI at their real rectangles, showing their
// checked, pressed and hover looks.
#pragma once

#include <windows.h>

#include "model/skin_buttons.h"

namespace radixpad::win32 {

// Paints every label and every visible button into `dc` (client coordinates)
// with `font` for their texts. The background is already there.
void PaintPlainFace(HDC dc, HFONT font, const SkinButtons& buttons);

RECT ToRect(const PixelRect& r);

}  // namespace radixpad::win32
