#include "tip_window.h"

namespace radixpad::win32 {
namespace {

// The distance below the pointer, clear of the arrow cursor, and the room the
// border and the edit control's margin take around the text.
constexpr int kBelowPointer = 16;
constexpr int kFrame = 4;

SIZE MeasureWithDialogFont(HWND owner, const std::string& text) {
  SIZE size{};
  HDC dc = GetDC(owner);
  if (dc == nullptr) return size;
  const auto font = reinterpret_cast<HFONT>(SendMessageA(owner, WM_GETFONT, 0, 0));
  HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old != nullptr) SelectObject(dc, old);
  ReleaseDC(owner, dc);
  return size;
}

}  // namespace

TipWindow::TipWindow()
    : font_(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック")) {}

TipWindow::~TipWindow() {
  Close();
  if (font_ != nullptr) DeleteObject(font_);
}

void TipWindow::Open(HWND owner, int x, int y, const std::string& text) {
  Close();
  const SIZE size = MeasureWithDialogFont(owner, text);
  POINT corners[2] = {{x, y + kBelowPointer}, {x + size.cx + kFrame, y + kBelowPointer + size.cy + kFrame}};
  MapWindowPoints(owner, nullptr, corners, 2);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  window_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, corners[0].x, corners[0].y,
                            corners[1].x - corners[0].x, corners[1].y - corners[0].y, GetDesktopWindow(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)), instance, nullptr);
  if (window_ == nullptr) return;
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (font_ != nullptr) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowTextA(window_, text.c_str());
  Redraw();
}

void TipWindow::Redraw() const {
  if (window_ != nullptr) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TipWindow::Close() {
  if (window_ == nullptr) return;
  DestroyWindow(window_);
  window_ = nullptr;
}

}  // namespace radixpad::win32
