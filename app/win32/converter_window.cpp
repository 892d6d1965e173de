// The converter window's dialog procedure and its handlers.
//
// The procedure only routes messages to handlers of a ConverterWindow object stored on
// the window. No exception may leave it: the C++ runtime cannot unwind through the
// system's frames, so every routed call is wrapped.
#include "converter_window.h"

#include <array>
#include <string>

#include "resource.h"
#include "png_image.h"
#include "program_folder.h"

namespace radixpad::win32 {
namespace {

// The four fields in their fixed order: binary, octal, decimal, hexadecimal.
constexpr std::array<int, 4> kFieldIds = {IDC_FIELD_BIN, IDC_FIELD_OCT, IDC_FIELD_DEC,
                                          IDC_FIELD_HEX};

// Default skin image in the program folder.
constexpr char kSkinFileName[] = "skin.png";

class ConverterWindow {
 public:
  ConverterWindow() = default;
  ConverterWindow(const ConverterWindow&) = delete;
  ConverterWindow& operator=(const ConverterWindow&) = delete;
  ~ConverterWindow() {
    if (skinBrush_ != nullptr) DeleteObject(skinBrush_);
    if (skin_ != nullptr) DeleteObject(skin_);
  }

  BOOL OnInitDialog(HWND window) {
    window_ = window;
    LoadSkin();
    // The value starts at zero, and zero reads "0" in every radix and width.
    for (int id : kFieldIds) {
      SetDlgItemTextA(window_, id, "0");
    }
    return TRUE;  // let the dialog manager focus the first control
  }

  // Returns true when the command was handled.
  bool OnCommand(int id) {
    if (id == IDCANCEL) {  // Alt+F4 and WM_CLOSE arrive here
      EndDialog(window_, IDCANCEL);
      return true;
    }
    return false;
  }

  // The dialog background: the skin image when there is one, else the default.
  HBRUSH OnCtlColorDialog() const { return skinBrush_; }

 private:
  // A missing or broken skin leaves the plain dialog face; nothing is reported.
  void LoadSkin() {
    const std::string folder = ProgramFolder();
    if (folder.empty()) return;
    skin_ = LoadPngFile((folder + "\\" + kSkinFileName).c_str());
    if (skin_ != nullptr) {
      skinBrush_ = CreatePatternBrush(skin_);
    }
  }

  HWND window_ = nullptr;
  HBITMAP skin_ = nullptr;
  HBRUSH skinBrush_ = nullptr;
};

INT_PTR RouteMessage(ConverterWindow& self, HWND window, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      return self.OnInitDialog(window);
    case WM_COMMAND:
      return self.OnCommand(LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(self.OnCtlColorDialog());
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ConverterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<ConverterWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) {
    return FALSE;
  }
  try {
    return RouteMessage(*self, window, message, wParam);
  } catch (...) {
    // A failed handler leaves the window as it was; the next message starts afresh.
    return FALSE;
  }
}

}  // namespace

INT_PTR RunConverterWindow(HINSTANCE instance) {
  ConverterWindow window;
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONVERTER), nullptr, ConverterProc,
                         reinterpret_cast<LPARAM>(&window));
}

}  // namespace radixpad::win32
