// The global hot key Ctrl+Shift+V that calls the converter window up. When
// another program owns the combination the window simply has none.
#pragma once

#include <windows.h>

namespace radixpad::win32 {

class HotKey {
 public:
  static constexpr int kId = 0;  // the WM_HOTKEY identifier

  HotKey() = default;
  HotKey(const HotKey&) = delete;
  HotKey& operator=(const HotKey&) = delete;
  ~HotKey() { Unregister(); }

  // Registers Ctrl+Shift+V for `window`; false when the system refuses.
  bool Register(HWND window);
  // Gives the combination back; nothing when none is registered.
  void Unregister();

 private:
  HWND window_ = nullptr;
};

}  // namespace radixpad::win32
