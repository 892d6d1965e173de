// dialog_driver: watches and drives a dialog of a running program from outside, for the
// end-to-end tests of setup and of RadixPad's dialogs.
//
//   dialog_driver COMMAND [ARGS] [COMMAND [ARGS]] ...
//     dialog CAPTION         the dialog the following commands act on, by its caption
//     wait-dialog SECONDS    wait until that dialog is visible
//     wait-gone SECONDS      wait until that dialog no longer exists
//     check ID               prints "ID checked|unchecked enabled|disabled" for button ID
//     text ID                prints "ID TEXT" for control ID
//     set-text ID TEXT       replaces the text of control ID
//     select ID INDEX        selects item INDEX of drop-down list ID (as the user would:
//                            the dialog is told of the change)
//     selected ID            prints "ID INDEX" for drop-down list ID (-1: none)
//     rect                   prints the dialog's screen rectangle as WxH+X+Y (a crop
//                            geometry)
//     click ID               clicks control ID (posted: a click that opens a modal window
//                            returns at once)
//     wait-message SECONDS   wait for a message box (a dialog with an empty caption);
//                            prints "message TEXT", each line of its text on its own
//     answer ID              presses button ID of the message box (1 OK, 6 Yes, 7 No)
//     link FILE              reads the shortcut FILE back through the shell link object;
//                            prints "target T", "arguments A" and "description D"
//
// Commands run in order; the first failing one ends the program with exit code 1.
// Arguments and output are in the ANSI code page (932 under the test prefix).
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The caption of the dialog the commands act on.
std::wstring g_caption;

struct Search {
  const wchar_t* caption;
  HWND found = nullptr;
};

BOOL CALLBACK FindByCaption(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  wchar_t class_name[16] = {};
  wchar_t caption[64] = {};
  GetClassNameW(window, class_name, 16);
  GetWindowTextW(window, caption, 64);
  if (IsWindowVisible(window) && lstrcmpW(class_name, L"#32770") == 0 && lstrcmpW(caption, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindDialog(const wchar_t* caption) {
  Search search{caption};
  EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitDialog(const wchar_t* caption, double seconds, bool want) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    HWND dialog = FindDialog(caption);
    if ((dialog != nullptr) == want) return want ? dialog : reinterpret_cast<HWND>(1);
    if (static_cast<LONG>(GetTickCount() - deadline) >= 0) return nullptr;
    Sleep(50);
  }
}

// A control's text, read as UTF-16 (Wine hands another process's ANSI
// request the Unicode text) and written in the ANSI code page.
std::string Text(HWND control) {
  wchar_t wide[512] = {};
  DWORD_PTR length = 0;
  if (control == nullptr || SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(wide),
                                                SMTO_ABORTIFHUNG, 5000, &length) == 0) {
    return {};
  }
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::wstring Wide(const char* text) {
  wchar_t wide[512] = {};
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 512);
  return wide;
}

struct ControlSearch {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK FindControl(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

// Control ID anywhere inside the dialog: the open-file dialog keeps a
// program's own controls in a child dialog.
HWND Control(int id) {
  HWND dialog = FindDialog(g_caption.c_str());
  if (dialog == nullptr) return nullptr;
  ControlSearch search{id};
  EnumChildWindows(dialog, FindControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool PrintCheck(int id) {
  HWND control = Control(id);
  if (control == nullptr) return false;
  const bool checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  std::printf("%d %s %s\n", id, checked ? "checked" : "unchecked", IsWindowEnabled(control) ? "enabled" : "disabled");
  return true;
}

bool PrintText(int id) {
  HWND control = Control(id);
  if (control == nullptr) return false;
  std::printf("%d %s\n", id, Text(control).c_str());
  return true;
}

bool SetText(int id, const char* text) {
  HWND control = Control(id);
  DWORD_PTR result = 0;
  return control != nullptr && SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()),
                                                   SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

bool Select(int id, int index) {
  HWND control = Control(id);
  if (control == nullptr || SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) return false;
  // A user's choice in a drop-down list notifies its change, then its confirmation.
  HWND parent = GetParent(control);
  const LPARAM from = reinterpret_cast<LPARAM>(control);
  return PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), from) &&
         PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), from);
}

bool PrintSelected(int id) {
  HWND control = Control(id);
  if (control == nullptr) return false;
  std::printf("%d %d\n", id, static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
  return true;
}

bool PrintRect() {
  HWND dialog = FindDialog(g_caption.c_str());
  RECT r;
  if (dialog == nullptr || !GetWindowRect(dialog, &r)) return false;
  std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return true;
}

bool Click(int id) {
  HWND control = Control(id);
  return control != nullptr && PostMessageA(control, BM_CLICK, 0, 0);
}

bool PrintMessage(double seconds) {
  HWND box = WaitDialog(L"", seconds, true);
  if (box == nullptr) {
    std::fprintf(stderr, "dialog_driver: no message box after %g s\n", seconds);
    return false;
  }
  // The message box's text is its static control 0xFFFF.
  std::string text = Text(GetDlgItem(box, 0xFFFF));
  for (std::size_t line = 0; line != std::string::npos;) {
    const std::size_t end = text.find('\n', line);
    std::printf("message %s\n", text.substr(line, end == std::string::npos ? end : end - line).c_str());
    line = end == std::string::npos ? end : end + 1;
  }
  return true;
}

bool Answer(int id) {
  HWND box = FindDialog(L"");
  return box != nullptr && PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                        reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

bool PrintLink(const char* file) {
  if (FAILED(CoInitialize(nullptr))) return false;
  bool ok = false;
  IShellLinkA* link = nullptr;
  IPersistFile* persist = nullptr;
  wchar_t wide[MAX_PATH];
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
      MultiByteToWideChar(CP_ACP, 0, file, -1, wide, MAX_PATH) != 0 && SUCCEEDED(persist->Load(wide, STGM_READ))) {
    char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, description[MAX_PATH] = {};
    ok = SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
         SUCCEEDED(link->GetArguments(arguments, MAX_PATH)) &&
         SUCCEEDED(link->GetDescription(description, MAX_PATH));
    if (ok) std::printf("target %s\narguments %s\ndescription %s\n", target, arguments, description);
  }
  if (persist != nullptr) persist->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  return ok;
}

int Usage() {
  std::fprintf(stderr, "usage: dialog_driver COMMAND [ARGS] ... (see dialog_driver.cpp)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  for (int i = 1; i < argc; ++i) {
    const std::string command = argv[i];
    const bool has_arg = i + 1 < argc;
    const bool has_two = i + 2 < argc;
    bool ok = false;
    if (command == "dialog" && has_arg) {
      g_caption = Wide(argv[++i]);
      ok = true;
    } else if (command == "wait-dialog" && has_arg) {
      ok = WaitDialog(g_caption.c_str(), std::atof(argv[++i]), true) != nullptr;
    } else if (command == "wait-gone" && has_arg) {
      ok = WaitDialog(g_caption.c_str(), std::atof(argv[++i]), false) != nullptr;
    } else if (command == "check" && has_arg) {
      ok = PrintCheck(std::atoi(argv[++i]));
    } else if (command == "text" && has_arg) {
      ok = PrintText(std::atoi(argv[++i]));
    } else if (command == "set-text" && has_two) {
      const int id = std::atoi(argv[++i]);
      ok = SetText(id, argv[++i]);
    } else if (command == "select" && has_two) {
      const int id = std::atoi(argv[++i]);
      ok = Select(id, std::atoi(argv[++i]));
    } else if (command == "selected" && has_arg) {
      ok = PrintSelected(std::atoi(argv[++i]));
    } else if (command == "rect") {
      ok = PrintRect();
    } else if (command == "click" && has_arg) {
      ok = Click(std::atoi(argv[++i]));
    } else if (command == "wait-message" && has_arg) {
      ok = PrintMessage(std::atof(argv[++i]));
    } else if (command == "link" && has_arg) {
      ok = PrintLink(argv[++i]);
    } else if (command == "answer" && has_arg) {
      ok = Answer(std::atoi(argv[++i]));
    } else {
      return Usage();
    }
    std::fflush(stdout);
    if (!ok) {
      std::fprintf(stderr, "dialog_driver: %s failed\n", command.c_str());
      return 1;
    }
  }
  return 0;
}
