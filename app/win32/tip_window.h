// The small window that shows one help tip under the mouse pointer: a plain
// bordered edit control, a child of the desktop so it can stand outside the
// converter window, above every other window.
#pragma once

#include <windows.h>

#include <string>

namespace radixpad::win32 {

class TipWindow {
 public:
  // The control identifier the tip window carries; other programs (and the
  // tests) find it by that.
  static constexpr int kControlId = 1234;

  TipWindow();
  ~TipWindow();
  TipWindow(const TipWindow&) = delete;
  TipWindow& operator=(const TipWindow&) = delete;

  // Replaces any open tip by one showing `text` 16 pixels below the client
  // point (x, y) of `owner`, sized to the text as the owner's dialog font
  // measures it. A window that cannot be made leaves no tip.
  void Open(HWND owner, int x, int y, const std::string& text);
  void Redraw() const;
  void Close();

 private:
  HFONT font_;  // the tip's own font; null when it cannot be made (the system font then shows)
  HWND window_ = nullptr;
};

}  // namespace radixpad::win32
