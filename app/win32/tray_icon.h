// The notification-area icon and its flag (the TrayIcon setting).
//
// Two threads touch them: the user-interface thread and, after a hidden
// start, a one-shot thread that adds the icon once the start-up delay is
// over. Every access to the flag, and every add or delete that depends on it,
// happens while the named mutex "TrayFlag" is held. The window owns this
// object and ends it (Remove) while the window still exists: Remove cancels a
// pending add and waits for the thread, so the thread never touches a window
// that is gone, and a program that ends during the delay ends at once.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace radixpad::win32 {

class TrayIcon {
 public:
  // The message the icon sends to the window; lParam is the mouse message.
  static constexpr UINT kCallbackMessage = WM_USER + 100;

  // `icon` (the 16 x 16 program icon) stays owned by the caller.
  TrayIcon(HWND window, HICON icon, bool flag);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon();  // Remove()

  bool Flag();
  // Adds the icon if the flag is set, now or after `seconds` on a worker
  // thread. A thread that cannot start leaves the icon out.
  void ShowIfFlagged();
  void ShowIfFlaggedAfter(int seconds);
  // Inverts the flag and adds or deletes the icon to match.
  void ToggleFlag();
  // Cancels a pending add, waits for its thread, and deletes the icon if the
  // flag is set. Idempotent.
  void Remove();

 private:
  class Lock;
  static DWORD WINAPI DelayedAdd(void* self);
  void Notify(DWORD action);

  HANDLE mutex_;
  HANDLE cancel_;           // manual-reset event: set when the pending add must not happen
  HANDLE thread_ = nullptr; // the delayed add, while it may run
  DWORD delay_ms_ = 0;
  NOTIFYICONDATAA data_{};
  bool flag_;
  bool removed_ = false;
};

}  // namespace radixpad::win32
