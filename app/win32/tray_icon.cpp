#include "tray_icon.h"

#include <cstring>

namespace radixpad::win32 {
namespace {

constexpr char kMutexName[] = "TrayFlag";
constexpr UINT kIconId = 1;  // the same in every call, so that delete finds the icon added
constexpr char kTip[] = "RadixPad";

}  // namespace

// Holds the named mutex for one access; without a mutex (the system refused
// to make one) the access goes ahead unguarded rather than not at all.
class TrayIcon::Lock {
 public:
  explicit Lock(HANDLE mutex) : mutex_(mutex) {
    if (mutex_ != nullptr && WaitForSingleObject(mutex_, INFINITE) == WAIT_FAILED) mutex_ = nullptr;
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  ~Lock() {
    if (mutex_ != nullptr) ReleaseMutex(mutex_);
  }

 private:
  HANDLE mutex_;
};

TrayIcon::TrayIcon(HWND window, HICON icon, bool flag)
    : mutex_(CreateMutexA(nullptr, FALSE, kMutexName)), cancel_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      flag_(flag) {
  data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data_.hWnd = window;
  data_.uID = kIconId;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = kCallbackMessage;
  data_.hIcon = icon;
  std::memcpy(data_.szTip, kTip, sizeof kTip);
}

TrayIcon::~TrayIcon() {
  Remove();
  if (cancel_ != nullptr) CloseHandle(cancel_);
  if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool TrayIcon::Flag() {
  Lock lock(mutex_);
  return flag_;
}

void TrayIcon::Notify(DWORD action) { Shell_NotifyIconA(action, &data_); }

void TrayIcon::ShowIfFlagged() {
  Lock lock(mutex_);
  if (flag_) Notify(NIM_ADD);
}

void TrayIcon::ShowIfFlaggedAfter(int seconds) {
  if (thread_ != nullptr || cancel_ == nullptr || seconds <= 0) return;
  delay_ms_ = seconds > 0x7FFFFFFF / 1000 ? 0x7FFFFFFF : static_cast<DWORD>(seconds) * 1000;
  thread_ = CreateThread(nullptr, 0, DelayedAdd, this, 0, nullptr);
}

DWORD WINAPI TrayIcon::DelayedAdd(void* param) {
  auto* self = static_cast<TrayIcon*>(param);
  if (WaitForSingleObject(self->cancel_, self->delay_ms_) != WAIT_TIMEOUT) return 0;
  Lock lock(self->mutex_);
  // Remove may have cancelled while this thread waited for the mutex.
  if (self->flag_ && WaitForSingleObject(self->cancel_, 0) == WAIT_TIMEOUT) self->Notify(NIM_ADD);
  return 0;
}

void TrayIcon::ToggleFlag() {
  Lock lock(mutex_);
  flag_ = !flag_;
  Notify(flag_ ? NIM_ADD : NIM_DELETE);
}

void TrayIcon::Remove() {
  if (removed_) return;
  removed_ = true;
  if (thread_ != nullptr) {
    SetEvent(cancel_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  Lock lock(mutex_);
  if (flag_) Notify(NIM_DELETE);
}

}  // namespace radixpad::win32
