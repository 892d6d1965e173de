#include "popup_menu.h"

#include "resource.h"

namespace radixpad::win32 {
namespace {

// Appends the resource string `text` as item `id`; a string that does not
// load leaves the item out.
void AppendItem(HINSTANCE instance, HMENU menu, int id, int text, bool checked) {
  char label[128] = {};
  if (LoadStringA(instance, text, label, sizeof label) <= 0) return;
  const UINT flags = MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED);
  AppendMenuA(menu, flags, static_cast<UINT_PTR>(id), label);
}

}  // namespace

int TrackPopupMenuAtCursor(HINSTANCE instance, HWND window, const PopupMenuState& state) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  AppendItem(instance, menu, IDM_SETTINGS, IDS_MENU_SETTINGS, false);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendItem(instance, menu, IDM_TOPMOST, IDS_MENU_TOPMOST, state.floating);
  AppendItem(instance, menu, IDM_TRAY, IDS_MENU_TRAY, state.tray);
  AppendItem(instance, menu, IDM_HIDE, IDS_MENU_HIDE, state.hidden);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendItem(instance, menu, IDM_ABOUT, IDS_ABOUT_MENU, false);
  AppendItem(instance, menu, IDM_QUIT, IDS_MENU_QUIT, false);
  POINT at{};
  GetCursorPos(&at);
  SetForegroundWindow(window);
  const int command = static_cast<int>(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, window, nullptr));
  DestroyMenu(menu);
  return command;
}

void AddAboutToSystemMenu(HINSTANCE instance, HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  if (menu == nullptr) return;
  DeleteMenu(menu, SC_RESTORE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  char label[128] = {};
  if (LoadStringA(instance, IDS_ABOUT_MENU, label, sizeof label) <= 0) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_ABOUT, label);
}

}  // namespace radixpad::win32
