// radixpad_driver: drives a running RadixPad from outside, as the end-to-end tests need.
//
//   radixpad_driver COMMAND [ARGS] [COMMAND [ARGS]] ...
//     wait-window SECONDS   wait until the converter window is visible; prints its handle
//                           and client size
//     wait-exists SECONDS   wait until the converter window exists, shown or hidden
//     wait-gone SECONDS     wait until the window no longer exists
//     fields                prints "ID TEXT" for each of the four fields
//     set-text ID TEXT      replaces the text of control ID (WM_SETTEXT)
//     selection ID          prints the selection of edit ID as "START END"
//     focus                 prints the id of the control with the keyboard focus (0: none)
//     state                 prints "visible V foreground F x X y Y" (window rectangle)
//     handle                prints the window handle as a signed decimal number
//     point X Y             prints the screen position of client point (X, Y) as "X Y"
//     center ID             prints the screen position of the middle of control ID as "X Y"
//     styles                prints the window's style and extended style in hexadecimal
//     pixel X Y             prints the screen colour at client point (X, Y) as RRGGBB
//     wait-warnings SECONDS wait for the warning dialog; prints "caption TEXT" and
//                           "item TEXT" for every line of its list
//     close-warnings        closes the warning dialog with its close button
//     wait-dialog SECONDS ID  wait for a dialog the window owns (About box, warnings);
//                           prints "caption TEXT" and "text ID TEXT" of its control ID
//     close-dialog          closes the dialog the window owns (IDCANCEL)
//     wait-popup SECONDS    wait until a pop-up menu is open
//     wait-no-popup SECONDS wait until no pop-up menu is open
//     post MSG WPARAM LPARAM  posts a message to the window (numbers in C notation),
//                           as the tray icon or the system menu would send it
//     store                 prints the shared store "RadixPad" as "store none" or
//                           "store HWnd=H Debug=D", then "file PATH present|absent"
//     activate              brings the window to the foreground
//     copydata KIND         sends a WM_COPYDATA built by hand and prints the reply as
//                           "reply CODE TEXT" (CR and LF shown as \r and \n) or "no reply";
//                           KIND: no-struct, null-data (cbData 16), too-big (64 KiB + 1),
//                           unterminated (code 403, the bytes "7\r\n" and nothing after),
//                           self-reply (code 403 with "7\r\n", RadixPad's own window as
//                           the requester)
//     command-load N        sends N requests in a row (a mix of codes, the registered
//                           message among them) and checks every answer; prints "load N ok"
//     process-stats         prints RadixPad's "handles H gdi G user U workingset W
//                           private P" (memory in KiB)
//     tip                   prints "tip TEXT" for the visible help tip of RadixPad's
//                           process (an edit window with control id 1234 among the
//                           desktop's children), or "tip none"
//     tray-icon             prints "tray-icon present X Y" (the screen middle of the first
//                           icon of the notification area) or "tray-icon absent"
//     wait-tray-icon SECONDS  waits for the notification area's first icon; prints
//                           "tray-icon present X Y after MS ms", counted from this command
//     close                 posts WM_CLOSE
//
// Commands run in order; the first failing one ends the program with exit code 1.
// Output is in the ANSI code page (932 under the test prefix).
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "resource.h"
#include "shared_store.h"
#include "store_text.h"

namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kWindowTitle[] = "RadixPad";
constexpr int kFieldIds[] = {IDC_FIELD_BIN, IDC_FIELD_OCT, IDC_FIELD_DEC, IDC_FIELD_HEX};

HWND FindConverter() { return FindWindowA(kDialogClass, kWindowTitle); }

bool WaitFor(double seconds, bool wantWindow, bool mustBeVisible) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND window = FindConverter();
    const bool present = window != nullptr && (!mustBeVisible || IsWindowVisible(window));
    if (present == wantWindow) return true;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return false;
    Sleep(50);
  }
}

bool WaitWindow(double seconds) {
  if (!WaitFor(seconds, true, true)) {
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
bool ReadText(HWND control, char (&text)[256]) {
  DWORD_PTR length = 0;
  text[0] = '\0';
  return control != nullptr && SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                                   SMTO_ABORTIFHUNG, 5000, &length) != 0;
}

bool PrintFields() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  for (int id : kFieldIds) {
    char text[256];
    if (!ReadText(GetDlgItem(window, id), text)) {
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
         SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                             &result) != 0 &&
         result == TRUE;
}

bool PrintSelection(int id) {
  HWND window = FindConverter();
  HWND control = window != nullptr ? GetDlgItem(window, id) : nullptr;
  if (control == nullptr) return false;
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(control, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) == 0) return false;
  std::printf("%u %u\n", static_cast<unsigned>(LOWORD(result)), static_cast<unsigned>(HIWORD(result)));
  return true;
}

bool PrintFocus() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
  std::printf("%d\n", info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
  return true;
}

bool PrintState() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("visible %d foreground %d x %ld y %ld\n", IsWindowVisible(window) ? 1 : 0,
              GetForegroundWindow() == window ? 1 : 0, r.left, r.top);
  return true;
}

bool PrintHandle() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  std::printf("%ld\n", static_cast<long>(reinterpret_cast<INT_PTR>(window)));
  return true;
}

bool PrintPoint(int x, int y) {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  POINT point{x, y};
  ClientToScreen(window, &point);
  std::printf("%ld %ld\n", point.x, point.y);
  return true;
}

bool PrintCenter(int id) {
  HWND window = FindConverter();
  HWND control = window != nullptr ? GetDlgItem(window, id) : nullptr;
  if (control == nullptr) return false;
  RECT r{};
  GetWindowRect(control, &r);
  std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return true;
}

bool PrintStyles() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  std::printf("style %08lX exstyle %08lX\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
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

// The visible dialog that the converter window owns: the warning dialog.
struct OwnedDialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<OwnedDialogSearch*>(param);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, kDialogClass) == 0 && GetWindow(window, GW_OWNER) == search->owner &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindWarnings() {
  OwnedDialogSearch search{FindConverter(), nullptr};
  if (search.owner == nullptr) return nullptr;
  EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool PrintWarnings(double seconds) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  HWND dialog = nullptr;
  while ((dialog = FindWarnings()) == nullptr) {
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      std::fprintf(stderr, "driver: no warning dialog after %g s\n", seconds);
      return false;
    }
    Sleep(50);
  }
  char text[256];
  if (!ReadText(dialog, text)) return false;
  std::printf("caption %s\n", text);
  // The list's texts are read as UTF-16 and converted here: Wine hands an ANSI
  // LB_GETTEXT from another process the control's Unicode text.
  HWND list = GetDlgItem(dialog, IDC_WARNING_LIST);
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[256] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 256) return false;
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char item[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof item, nullptr, nullptr);
    std::printf("item %s\n", item);
  }
  return true;
}

bool PrintDialog(double seconds, int id) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  HWND dialog = nullptr;
  while ((dialog = FindWarnings()) == nullptr) {
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      std::fprintf(stderr, "driver: no dialog after %g s\n", seconds);
      return false;
    }
    Sleep(50);
  }
  char caption[256], text[256];
  if (!ReadText(dialog, caption) || !ReadText(GetDlgItem(dialog, id), text)) return false;
  std::printf("caption %s\ntext %d %s\n", caption, id, text);
  return true;
}

BOOL CALLBACK FindPopupMenu(HWND window, LPARAM param) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

bool WaitPopup(double seconds, bool open) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND popup = nullptr;
    EnumWindows(FindPopupMenu, reinterpret_cast<LPARAM>(&popup));
    if ((popup != nullptr) == open) return true;
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) {
      std::fprintf(stderr, "driver: %s after %g s\n", open ? "no pop-up menu" : "the pop-up menu is still open", seconds);
      return false;
    }
    Sleep(50);
  }
}

bool Post(const char* message, const char* wParam, const char* lParam) {
  HWND window = FindConverter();
  return window != nullptr && PostMessageA(window, static_cast<UINT>(std::strtoul(message, nullptr, 0)),
                                           std::strtoul(wParam, nullptr, 0), std::strtol(lParam, nullptr, 0));
}

bool CloseWarnings() {
  HWND dialog = FindWarnings();
  return dialog != nullptr && PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

bool PrintStore() {
  const radixpad::SharedStore store(kWindowTitle, false);
  const auto handle = store.Get("HWnd", "");
  if (!handle.store_found) {
    std::printf("store none\n");
  } else {
    std::printf("store HWnd=%s Debug=%s\n", handle.text.c_str(), store.Get("Debug", "").text.c_str());
  }
  char temp[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("TEMP", temp, sizeof temp);
  if (n == 0 || n >= sizeof temp) return false;
  const std::string path = std::string(temp) + "\\" + radixpad::StoreFileName(kWindowTitle);
  std::printf("file %s %s\n", path.c_str(),
              GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? "present" : "absent");
  return true;
}

// The reply that RadixPad sends back to the driver's own window.
struct ReplyBox {
  bool received = false;
  ULONG_PTR code = 0;
  std::string text;
};

LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (box != nullptr && data != nullptr && (data->lpData != nullptr || data->cbData == 0)) {
      box->received = true;
      box->code = data->dwData;
      box->text.assign(static_cast<const char*>(data->lpData), data->cbData);
    }
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class Requester {
 public:
  Requester() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ReplyProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "RadixPadDriverReply";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&box_));
  }
  ~Requester() { DestroyWindow(window_); }

  // Sends a WM_COPYDATA with `lParam` as given; the reply, or nothing.
  const ReplyBox& Send(HWND target, LPARAM lParam) {
    box_ = ReplyBox{};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(window_), lParam, SMTO_ABORTIFHUNG, 10000,
                        &result);
    return box_;
  }
  // A request that names `requester` (not the driver) as the window to reply to.
  const ReplyBox& SendAs(HWND target, HWND requester, ULONG_PTR code, std::string text) {
    box_ = ReplyBox{};
    COPYDATASTRUCT data{code, static_cast<DWORD>(text.size()), text.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(requester), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 10000, &result);
    return box_;
  }
  const ReplyBox& Send(HWND target, ULONG_PTR code, const std::string& text) {
    COPYDATASTRUCT data{code, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    return Send(target, reinterpret_cast<LPARAM>(&data));
  }

 private:
  HWND window_ = nullptr;
  ReplyBox box_;
};

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return out;
}

bool SendHandMade(const std::string& kind) {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  Requester requester;
  const std::string big(64 * 1024 + 1, '1');
  char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old_protection = 0;
  COPYDATASTRUCT data{403, 0, nullptr};
  LPARAM lParam = reinterpret_cast<LPARAM>(&data);
  if (kind == "no-struct") {
    lParam = 0;
  } else if (kind == "null-data") {
    data.cbData = 16;
  } else if (kind == "too-big") {
    data.cbData = static_cast<DWORD>(big.size());
    data.lpData = const_cast<char*>(big.data());
  } else if (kind == "unterminated") {
    // The data ends right before a page that cannot be read: the sender's
    // copy of the request would fault on any read past the announced bytes.
    if (pages == nullptr || !VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &old_protection)) return false;
    std::memcpy(pages + 4096 - 3, "7\r\n", 3);
    data.cbData = 3;
    data.lpData = pages + 4096 - 3;
  } else if (kind != "self-reply") {
    return false;
  }
  const ReplyBox& reply = kind == "self-reply" ? requester.SendAs(window, window, 403, "7\r\n") : requester.Send(window, lParam);
  if (pages != nullptr) VirtualFree(pages, 0, MEM_RELEASE);
  if (reply.received)
    std::printf("reply %lu %s\n", static_cast<unsigned long>(reply.code), Escaped(reply.text).c_str());
  else
    std::printf("no reply\n");
  return true;
}

// N requests in a row, each answer checked; the first wrong one fails the load.
bool CommandLoad(long count) {
  HWND window = FindConverter();
  if (window == nullptr || count <= 0) return false;
  struct Exchange {
    ULONG_PTR code;
    const char* text;
    const char* reply;  // nullptr: the registered message, answer `answer`
    int answer;
  };
  const Exchange exchanges[] = {
      {221, "2\r\n", "200 OK\r\n2\r\n\r\n", 0},
      {321, "", "200 OK\r\n2\r\n\r\n", 0},
      {403, "12\r\n", "200 OK\r\n1100\r\n14\r\n12\r\nC\r\n\r\n", 0},
      {211, "1\r\n", "200 OK\r\n1\r\n\r\n", 0},
      {311, "", nullptr, 1},
      {211, "0\r\n", "200 OK\r\n0\r\n\r\n", 0},
      {311, "", "200 OK\r\n0\r\n\r\n", 0},
      {999, "", "400 Bad Request\r\n\r\n", 0},
      {321, "", nullptr, 2},
  };
  const UINT registered = RegisterWindowMessageA("RadixPad");
  Requester requester;
  const DWORD started = GetTickCount();
  for (long i = 0; i < count; ++i) {
    const Exchange& e = exchanges[static_cast<std::size_t>(i) % (sizeof exchanges / sizeof exchanges[0])];
    if (e.reply == nullptr) {
      DWORD_PTR answer = 0;
      if (SendMessageTimeoutA(window, registered, e.code, 0, SMTO_ABORTIFHUNG, 10000, &answer) == 0 ||
          static_cast<int>(answer) != e.answer) {
        std::fprintf(stderr, "driver: request %ld (message %lu) answered %d\n", i, static_cast<unsigned long>(e.code),
                     static_cast<int>(answer));
        return false;
      }
      continue;
    }
    const ReplyBox& reply = requester.Send(window, e.code, e.text);
    if (!reply.received || reply.code != e.code || reply.text != e.reply) {
      std::fprintf(stderr, "driver: request %ld (code %lu) replied '%s'\n", i, static_cast<unsigned long>(e.code),
                   reply.received ? Escaped(reply.text).c_str() : "(nothing)");
      return false;
    }
  }
  std::printf("load %ld ok %lu ms\n", count, static_cast<unsigned long>(GetTickCount() - started));
  return true;
}

// The process's entry in the system's process list. Wine answers the per-process
// queries (GetProcessHandleCount, GetProcessMemoryInfo) for another process with
// zeros, but keeps this list up to date from its server.
bool FindProcessEntry(DWORD pid, SYSTEM_PROCESS_INFORMATION& entry) {
  std::string buffer(1 << 20, '\0');
  ULONG needed = 0;
  while (NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                  &needed) != 0) {
    if (buffer.size() >= (64u << 20)) return false;
    buffer.resize(buffer.size() * 2);
  }
  for (std::size_t at = 0;;) {
    const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
    if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId)) == pid) {
      entry = *info;
      return true;
    }
    if (info->NextEntryOffset == 0) return false;
    at += info->NextEntryOffset;
  }
}

bool PrintProcessStats() {
  HWND window = FindConverter();
  DWORD pid = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &pid) == 0) return false;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (process == nullptr) return false;
  SYSTEM_PROCESS_INFORMATION entry{};
  const bool listed = FindProcessEntry(pid, entry);
  std::printf("handles %lu gdi %lu user %lu workingset %lu private %lu\n",
              static_cast<unsigned long>(listed ? entry.HandleCount : 0),
              static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
              static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)),
              static_cast<unsigned long>(listed ? entry.VirtualMemoryCounters.WorkingSetSize / 1024 : 0),
              static_cast<unsigned long>(listed ? entry.VirtualMemoryCounters.PagefileUsage / 1024 : 0));
  CloseHandle(process);
  return listed;
}

bool Activate() {
  HWND window = FindConverter();
  return window != nullptr && SetForegroundWindow(window);
}

bool Close() {
  HWND window = FindConverter();
  return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0);
}

// A help tip: an edit control with the tip identifier, a direct child of the
// desktop, made by the converter's process.
struct TipSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindTip(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TipSearch*>(param);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && _stricmp(name, "Edit") == 0 && GetWindowLongPtrA(window, GWLP_ID) == 1234 &&
      IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

bool PrintTip() {
  HWND window = FindConverter();
  if (window == nullptr) return false;
  TipSearch search{0, nullptr};
  GetWindowThreadProcessId(window, &search.pid);
  EnumWindows(FindTip, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) {
    std::printf("tip none\n");
    return true;
  }
  // Read as UTF-16 and converted here, as for the warning list.
  wchar_t wide[256] = {};
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(search.found, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 5000,
                          &length) == 0)
    return false;
  char text[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  std::printf("tip %s\n", text);
  return true;
}

// The notification area: Wine's taskbar (class "Shell_TrayWnd" on its virtual desktop)
// draws its icons itself, the first in a cell of the small-icon size plus a 2-pixel border
// at its right end, and hides itself while it has no icon. The icon is there when the
// taskbar shows and that cell holds a picture: many of its pixels differ from the cell's
// border, which is always the taskbar's own colour. No other program of the test adds an
// icon, so the first one is RadixPad's (the tests click it to prove it).
std::optional<POINT> FindTrayIcon() {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  if (tray == nullptr || !IsWindowVisible(tray)) return std::nullopt;
  RECT r{};
  GetWindowRect(tray, &r);
  const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
  const int left = r.right - (width + 4) + 2, top = r.top + ((r.bottom - r.top) - height) / 2;
  // The cell with its border, copied from the screen in one go.
  const int cell_width = width + 4, cell_height = height + 4;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), cell_width, -cell_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = bitmap != nullptr && BitBlt(memory, 0, 0, cell_width, cell_height, screen, left - 2, top - 2, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  int picture = 0;
  if (copied) {
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const DWORD border = pixels[0] & 0xFFFFFF;
    for (int y = 2; y < 2 + height; ++y)
      for (int x = 2; x < 2 + width; ++x) picture += (pixels[y * cell_width + x] & 0xFFFFFF) != border ? 1 : 0;
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (picture < width * height / 4) return std::nullopt;
  return POINT{left + width / 2, top + height / 2};
}

bool PrintTrayIcon() {
  if (const auto icon = FindTrayIcon()) std::printf("tray-icon present %ld %ld\n", icon->x, icon->y);
  else std::printf("tray-icon absent\n");
  return true;
}

bool WaitTrayIcon(double seconds) {
  const DWORD started = GetTickCount();
  for (;;) {
    if (const auto icon = FindTrayIcon()) {
      std::printf("tray-icon present %ld %ld after %lu ms\n", icon->x, icon->y,
                  static_cast<unsigned long>(GetTickCount() - started));
      return true;
    }
    if (GetTickCount() - started >= static_cast<DWORD>(seconds * 1000)) {
      std::fprintf(stderr, "driver: no tray icon after %g s\n", seconds);
      return false;
    }
    Sleep(20);
  }
}

int Usage() {
  std::fprintf(stderr, "usage: radixpad_driver COMMAND [ARGS] ... (see driver.cpp)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (int i = 1; i < argc; ++i) {
    const std::string command = argv[i];
    const bool hasArg = i + 1 < argc;
    const bool hasTwo = i + 2 < argc;
    const bool hasThree = i + 3 < argc;
    bool ok = false;
    if (command == "wait-window" && hasArg) {
      ok = WaitWindow(std::atof(argv[++i]));
    } else if (command == "wait-exists" && hasArg) {
      ok = WaitFor(std::atof(argv[++i]), true, false);
    } else if (command == "wait-gone" && hasArg) {
      ok = WaitFor(std::atof(argv[++i]), false, false);
    } else if (command == "fields") {
      ok = PrintFields();
    } else if (command == "set-text" && hasTwo) {
      const int id = std::atoi(argv[++i]);
      ok = SetText(id, argv[++i]);
    } else if (command == "selection" && hasArg) {
      ok = PrintSelection(std::atoi(argv[++i]));
    } else if (command == "focus") {
      ok = PrintFocus();
    } else if (command == "state") {
      ok = PrintState();
    } else if (command == "handle") {
      ok = PrintHandle();
    } else if (command == "point" && hasTwo) {
      const int x = std::atoi(argv[++i]);
      ok = PrintPoint(x, std::atoi(argv[++i]));
    } else if (command == "center" && hasArg) {
      ok = PrintCenter(std::atoi(argv[++i]));
    } else if (command == "styles") {
      ok = PrintStyles();
    } else if (command == "pixel" && hasTwo) {
      const int x = std::atoi(argv[++i]);
      ok = PrintPixel(x, std::atoi(argv[++i]));
    } else if (command == "wait-warnings" && hasArg) {
      ok = PrintWarnings(std::atof(argv[++i]));
    } else if (command == "close-warnings" || command == "close-dialog") {
      ok = CloseWarnings();
    } else if (command == "wait-dialog" && hasTwo) {
      const double seconds = std::atof(argv[++i]);
      ok = PrintDialog(seconds, std::atoi(argv[++i]));
    } else if (command == "wait-popup" && hasArg) {
      ok = WaitPopup(std::atof(argv[++i]), true);
    } else if (command == "wait-no-popup" && hasArg) {
      ok = WaitPopup(std::atof(argv[++i]), false);
    } else if (command == "post" && hasThree) {
      ok = Post(argv[i + 1], argv[i + 2], argv[i + 3]);
      i += 3;
    } else if (command == "store") {
      ok = PrintStore();
    } else if (command == "copydata" && hasArg) {
      ok = SendHandMade(argv[++i]);
    } else if (command == "command-load" && hasArg) {
      ok = CommandLoad(std::atol(argv[++i]));
    } else if (command == "process-stats") {
      ok = PrintProcessStats();
    } else if (command == "activate") {
      ok = Activate();
    } else if (command == "tip") {
      ok = PrintTip();
    } else if (command == "tray-icon") {
      ok = PrintTrayIcon();
    } else if (command == "wait-tray-icon" && hasArg) {
      ok = WaitTrayIcon(std::atof(argv[++i]));
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
