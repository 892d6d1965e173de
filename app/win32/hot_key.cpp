#include "hot_key.h"

namespace radixpad::win32 {

bool HotKey::Register(HWND window) {
  Unregister();
  if (!RegisterHotKey(window, kId, MOD_CONTROL | MOD_SHIFT, 'V')) return false;
  window_ = window;
  return true;
}

void HotKey::Unregister() {
  if (window_ == nullptr) return;
  UnregisterHotKey(window_, kId);
  window_ = nullptr;
}

}  // namespace radixpad::win32
