#include "running_converter.h"

#include "shared_store.h"
#include "store_text.h"

namespace radixpad::setup {

void CloseRunningConverter(const char* notice) {
  const SharedStore store("RadixPad", false);
  const SharedStore::Lookup handle = store.Get("HWnd", "0");
  if (!handle.store_found) return;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(ParseLeadingInteger(handle.text)));
  if (window == nullptr) return;
  MessageBoxA(nullptr, notice, "", MB_OK | MB_ICONINFORMATION);
  SendMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace radixpad::setup
