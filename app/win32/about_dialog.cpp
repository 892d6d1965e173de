#include "about_dialog.h"

#include "resource.h"

namespace radixpad::win32 {
namespace {

// Centres the dialog on the desktop window.
void CentreOnDesktop(HWND dialog) {
  RECT d{}, desktop{};
  if (!GetWindowRect(dialog, &d) || !GetWindowRect(GetDesktopWindow(), &desktop)) return;
  const LONG x = (desktop.left + desktop.right - (d.right - d.left)) / 2;
  const LONG y = (desktop.top + desktop.bottom - (d.bottom - d.top)) / 2;
  SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      char version[64] = {};
      if (LoadStringA(reinterpret_cast<HINSTANCE>(lParam), IDS_VERSION, version, sizeof version) > 0)
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, version);
      CentreOnDesktop(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunAboutDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, reinterpret_cast<LPARAM>(instance));
}

}  // namespace radixpad::win32
