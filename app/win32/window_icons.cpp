#include "window_icons.h"

#include "resource.h"

namespace radixpad::win32 {

WindowIcons::~WindowIcons() {
  if (small16_ != nullptr) DestroyIcon(small16_);
  if (large_ != nullptr) DestroyIcon(large_);
}

void WindowIcons::Apply(HINSTANCE instance, HWND window) {
  large_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_RADIXPAD), IMAGE_ICON, 32, 32, 0));
  small16_ = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_RADIXPAD), IMAGE_ICON, 16, 16, 0));
  const HICON small = GetSystemMetrics(SM_CYSMICON) > 31 || small16_ == nullptr ? large_ : small16_;
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void WindowIcons::PaintIconic(HWND window, HDC dc) const {
  if (large_ == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, large_);
}

}  // namespace radixpad::win32
