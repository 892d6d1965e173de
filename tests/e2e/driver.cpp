// radixpad_driver: drives a running RadixPad from outside, as the end-to-end tests need.
//
//   radixpad_driver COMMAND [ARGS] [COMMAND [ARGS]] ...
//     wait-window SECONDS   wait until the converter window is visible; prints its handle
//                           and client size
//     fields                prints "ID TEXT" for each of the four fields
//     set-text ID TEXT      replaces the text of control ID (WM_SETTEXT)
//     styles                prints the window's style and extended style in hexadecimal
//     pixel X Y             prints the screen colour at client point (X, Y) as RRGGBB
//     activate              brings the window to the foreground
//     close                 posts WM_CLOSE
//     wait-gone SECONDS     wait until the window no longer exists
//
// Commands run in order; the first failing one ends the program with exit code 1.
// Output is in the ANSI code page (932 under the test prefix).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "resource.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kWindowTitle[] = "RadixPad";
constexpr int kFieldIds[] = {IDC_FIELD_BIN, IDC_FIELD_OCT, IDC_FIELD_DEC, IDC_FIELD_HEX};

HWND FindConverter() { return FindWindowA(kDialogClass, kWindowTitle); }

bool WaitFor(double seconds, bool wantWindow) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND window = FindConverter();
    const bool present = window != nullptr && (!wantWindow || IsWindowVisible(window));
    if (present == wantWindow) return true;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return false;
    Sleep(100);
  }
}

bool WaitWindow(double seconds) {
  if (!WaitFor(seconds, true)) {
    std::fprintf(stderr, "driver: no visible RadixPad window after %g s\n", seconds);
    return false;
  }
  HWND window = FindConverter();
  RECT client{};
  GetClientRect(window, &client);
  std::printf("window %p client %ldx%ld\n", static_cast<void*>(window), client.right, client.bottom);
  return true;
}

// WM_GETTEXT crosses the process boundary (GetWindowText would not ask the control).
bool PrintFields() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  for (int id : kFieldIds) {
    HWND field = GetDlgItem(window, id);
    char text[256] = {};
    DWORD_PTR length = 0;
    if (field == nullptr ||
        SendMessageTimeoutA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, &length) == 0) {
      std::fprintf(stderr, "driver: cannot read field %d\n", id);
      return false;
    }
    std::printf("%d %s\n", id, text);
  }
  return true;
}

bool SetText(int id, const char* text) {
  HWND window = FindConverter();
  HWND control = window != nullptr ? GetDlgItem(window, id) : nullptr;
  DWORD_PTR result = 0;
  return control != nullptr &&
         SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &result) != 0 &&
         result == TRUE;
}

bool PrintStyles() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  std::printf("style %08lX exstyle %08lX\n",
              static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
              static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
  return true;
}

bool PrintPixel(int x, int y) {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  POINT point{x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  if (colour == CLR_INVALID) return false;
  std::printf("%02X%02X%02X\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return true;
}

bool Activate() {
  HWND window = FindConverter();
  return window != nullptr && SetForegroundWindow(window);
}

bool Close() {
  HWND window = FindConverter();
  return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0);
}

int Usage() {
  std::fprintf(stderr,
               "usage: radixpad_driver {wait-window S | fields | set-text ID T | styles | pixel X Y | activate | close | "
               "wait-gone S} ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (int i = 1; i < argc; ++i) {
    const std::string command = argv[i];
    const bool hasArg = i + 1 < argc;
    bool ok = false;
    if (command == "wait-window" && hasArg) {
      ok = WaitWindow(std::atof(argv[++i]));
    } else if (command == "wait-gone" && hasArg) {
      ok = WaitFor(std::atof(argv[++i]), false);
    } else if (command == "fields") {
      ok = PrintFields();
    } else if (command == "set-text" && i + 2 < argc) {
      const int id = std::atoi(argv[++i]);
      ok = SetText(id, argv[++i]);
    } else if (command == "styles") {
      ok = PrintStyles();
    } else if (command == "pixel" && i + 2 < argc) {
      const int x = std::atoi(argv[++i]);
      ok = PrintPixel(x, std::atoi(argv[++i]));
    } else if (command == "activate") {
      ok = Activate();
    } else if (command == "close") {
      ok = Close();
    } else {
      return Usage();
    }
    std::fflush(stdout);
    if (!ok) {
      std::fprintf(stderr, "driver: %s failed\n", command.c_str());
      return 1;
    }
  }
  return 0;
}
