// The warning dialog's procedure. Like every dialog procedure here it routes
// and never lets an exception out.
#include "warning_dialog.h"

#include <string>

#include "resource.h"

namespace radixpad::win32 {
namespace {

struct WarningSource {
  const MessageCatalog& catalog;
  const ErrorLog& log;
};

// Fills the list with every non-empty message in report order and lets the
// list scroll sideways over the longest one.
void FillList(HWND list, const WarningSource& source) {
  HDC dc = GetDC(list);
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (std::size_t i = 0;; ++i) {
    const std::optional<std::string> message = source.catalog.MessageFor(source.log, i);
    if (!message) break;
    if (message->empty()) continue;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(message->c_str()));
    SIZE size{};
    if (GetTextExtentPoint32A(dc, message->c_str(), static_cast<int>(message->size()), &size))
      widest = size.cx > widest ? size.cx : widest;
  }
  SelectObject(dc, oldFont);
  ReleaseDC(list, dc);
  SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 4), 0);
}

// Centres the dialog over its owner, kept on the desktop.
void CentreOnOwner(HWND dialog) {
  const HWND owner = GetWindow(dialog, GW_OWNER);
  RECT o{}, d{}, desktop{};
  if (owner == nullptr || !GetWindowRect(owner, &o) || !GetWindowRect(dialog, &d)) return;
  GetWindowRect(GetDesktopWindow(), &desktop);
  const LONG width = d.right - d.left, height = d.bottom - d.top;
  LONG x = (o.left + o.right - width) / 2, y = (o.top + o.bottom - height) / 2;
  x = x + width > desktop.right ? desktop.right - width : x;
  y = y + height > desktop.bottom ? desktop.bottom - height : y;
  SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK WarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        CentreOnOwner(dialog);
        FillList(GetDlgItem(dialog, IDC_WARNING_LIST), *reinterpret_cast<const WarningSource*>(lParam));
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
          EndDialog(dialog, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  } catch (...) {
    // A message that cannot be shown is left out; the dialog stays usable.
    return FALSE;
  }
}

}  // namespace

void RunWarningDialog(HINSTANCE instance, HWND owner, const MessageCatalog& catalog, const ErrorLog& log) {
  WarningSource source{catalog, log};
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WARNINGS), owner, WarningProc, reinterpret_cast<LPARAM>(&source));
}

}  // namespace radixpad::win32
