#include "skin_window.h"

#include <utility>

namespace radixpad::win32 {
namespace {

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

PixelRect ClientRectOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

skin::SkinColor SystemColor(int index) {
  const COLORREF c = GetSysColor(index);
  return skin::MakeSkinColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Lets GDI draw into `area` of a canvas that is not a DIB section: the pixels
// go through a scratch section whose origin is moved so that `paint` uses the
// canvas's own coordinates. Drawing outside `area` is clipped away.
template <class Paint>
void PaintThroughGdi(skin::PixelCanvas canvas, const PixelRect& area, Paint paint) {
  const PixelRect box = area.Intersect(canvas.Bounds());
  if (box.Empty()) return;
  DibSection scratch(box.Width(), box.Height());
  if (!scratch.valid()) return;
  CopyPixels(canvas, box, scratch.canvas(), -box.left, -box.top);
  SetViewportOrgEx(scratch.dc(), -box.left, -box.top, nullptr);
  paint(scratch.dc());
  GdiFlush();
  CopyPixels(scratch.canvas(), {0, 0, box.Width(), box.Height()}, canvas, box.left, box.top);
}

// Copies the canvas-sized block of `source` at (x, y) into the canvas.
void CopyFromDc(HDC source, int x, int y, skin::PixelCanvas background) {
  DibSection scratch(background.width, background.height);
  if (!scratch.valid()) return;
  BitBlt(scratch.dc(), 0, 0, background.width, background.height, source, x, y, SRCCOPY);
  GdiFlush();
  CopyPixels(scratch.canvas(), background.Bounds(), background, 0, 0);
}

struct RedrawRequest {
  HWND self;
  RECT screen;
};

// Every other visible top-level window paints its part of the rectangle now.
BOOL CALLBACK RedrawBehind(HWND window, LPARAM param) {
  const auto* request = reinterpret_cast<const RedrawRequest*>(param);
  if (window == request->self || !IsWindowVisible(window)) return TRUE;
  RECT local = request->screen;
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&local), 2);
  RedrawWindow(window, &local, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

constexpr UINT kMoveFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

skin::SystemColors CurrentSystemColors() {
  skin::SystemColors colors;
  colors.highlight = SystemColor(COLOR_BTNHIGHLIGHT);
  colors.face = SystemColor(COLOR_BTNFACE);
  colors.shadow = SystemColor(COLOR_BTNSHADOW);
  colors.darkShadow = SystemColor(COLOR_3DDKSHADOW);
  return colors;
}

SkinWindow::SkinWindow(HWND window, HINSTANCE instance, std::vector<HWND> controls)
    : window_(window),
      instance_(instance),
      controls_(std::move(controls)),
      compose_(ClientRectOf(window).Width(), ClientRectOf(window).Height()),
      font_(CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック")) {}

SkinWindow::~SkinWindow() {
  for (const auto& [id, icon] : icons_)
    if (icon != nullptr) DestroyIcon(icon);
  if (font_ != nullptr) DeleteObject(font_);
}

void SkinWindow::CaptureBackground(skin::BackgroundMode mode, skin::PixelCanvas background) {
  if (mode == skin::BackgroundMode::kTransparent) CaptureBehind(background);
  else if (mode == skin::BackgroundMode::kWallpaper) CaptureWallpaper(background);
}

// Hides the window for a moment and photographs the screen where its client
// area was, after every window below has repainted that part.
void SkinWindow::CaptureBehind(skin::PixelCanvas background) {
  capturing_ = true;
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, kMoveFlags | SWP_SHOWWINDOW);
  RECT screen{};
  GetClientRect(window_, &screen);
  MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, kMoveFlags | SWP_HIDEWINDOW);
  RedrawRequest request{window_, screen};
  EnumWindows(RedrawBehind, reinterpret_cast<LPARAM>(&request));
  if (HDC dc = GetDC(nullptr); dc != nullptr) {
    CopyFromDc(dc, screen.left, screen.top, background);
    ReleaseDC(nullptr, dc);
  }
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, kMoveFlags | SWP_SHOWWINDOW);
  capturing_ = false;
}

// Paints the wallpaper into the window itself (the only place where it lines
// up with the desktop), copies it out and puts the window's pixels back.
void SkinWindow::CaptureWallpaper(skin::PixelCanvas background) {
  HDC dc = GetDC(window_);
  if (dc == nullptr) return;
  DibSection saved(background.width, background.height);
  if (saved.valid()) {
    BitBlt(saved.dc(), 0, 0, background.width, background.height, dc, 0, 0, SRCCOPY);
    PaintDesktop(dc);
    CopyFromDc(dc, 0, 0, background);
    BitBlt(dc, 0, 0, background.width, background.height, saved.dc(), 0, 0, SRCCOPY);
  }
  ReleaseDC(window_, dc);
}

void SkinWindow::Present(const PixelRect& area) {
  if (!compose_.valid()) return;
  HDC dc = GetDC(window_);
  if (dc == nullptr) return;
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  for (HWND control : controls_) {
    RECT r{};
    if (!GetWindowRect(control, &r)) continue;
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), compose_.dc(), area.left, area.top, SRCCOPY);
  ReleaseDC(window_, dc);
}

void SkinWindow::DrawText(skin::PixelCanvas canvas, const PixelRect& rect, std::string_view text,
                          skin::TextLayout layout) {
  const UINT format = DT_NOPREFIX | (layout == skin::TextLayout::kCentredLine
                                         ? DT_CENTER | DT_VCENTER | DT_SINGLELINE
                                         : DT_LEFT | DT_WORDBREAK);
  PaintThroughGdi(canvas, rect, [&](HDC dc) {
    const HGDIOBJ old_font = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r = ToRect(rect);
    ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r, format);
    if (old_font != nullptr) SelectObject(dc, old_font);
  });
}

void SkinWindow::DrawIcon(skin::PixelCanvas canvas, int left, int top, int icon, const PixelRect& clip) {
  const HICON handle = Icon(icon);
  if (handle == nullptr) return;
  PaintThroughGdi(canvas, clip, [&](HDC dc) { DrawIconEx(dc, left, top, handle, 32, 32, 0, nullptr, DI_NORMAL); });
}

void SkinWindow::SetMouseCapture(bool capture) {
  if (capture && GetCapture() != window_) SetCapture(window_);
  if (!capture && GetCapture() == window_) ReleaseCapture();
}

HICON SkinWindow::Icon(int id) {
  const auto found = icons_.find(id);
  if (found != icons_.end()) return found->second;
  auto* icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  icons_.emplace(id, icon);
  return icon;
}

}  // namespace radixpad::win32
