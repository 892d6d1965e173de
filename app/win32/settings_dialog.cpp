#include "settings_dialog.h"

#include <string>

#include "image_chooser.h"
#include "resource.h"

namespace radixpad::win32 {
namespace {

struct DialogState {
  HINSTANCE instance = nullptr;
  ConverterSettings* settings = nullptr;
};

// A drop-down list's items, from the string table, in order.
struct ListItems {
  int control;
  int first_text;
  int count;
  int ConverterSettings::*setting;
};
constexpr ListItems kLists[] = {
    {IDC_SETTINGS_BACK, IDS_BACK_SOLID, 3, &ConverterSettings::back},
    {IDC_SETTINGS_FORE, IDS_FORE_CLEAR, 2, &ConverterSettings::fore},
    {IDC_SETTINGS_SKIN, IDS_SKIN_SOLID, 2, &ConverterSettings::skin},
};

struct CheckBox {
  int control;
  bool ConverterSettings::*setting;
};
constexpr CheckBox kCheckBoxes[] = {
    {IDC_SETTINGS_HELP, &ConverterSettings::help},         {IDC_SETTINGS_FLAT, &ConverterSettings::flat_button},
    {IDC_SETTINGS_KEEP_LOCK, &ConverterSettings::keep_lock}, {IDC_SETTINGS_FLOATING, &ConverterSettings::floating},
    {IDC_SETTINGS_TRAY, &ConverterSettings::tray_icon},      {IDC_SETTINGS_DEBUG, &ConverterSettings::debug},
};

struct PathEdit {
  int control;
  std::string ConverterSettings::*setting;
};
constexpr PathEdit kPathEdits[] = {
    {IDC_SETTINGS_SKIN_FILE, &ConverterSettings::skin_file},
    {IDC_SETTINGS_ICON_FILE, &ConverterSettings::icon_file},
};

std::string ControlText(HWND dialog, int control) {
  HWND edit = GetDlgItem(dialog, control);
  const int length = GetWindowTextLengthA(edit);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(edit, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

void ShowDelayEnabling(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_SETTINGS_TRAY_DELAY), IsDlgButtonChecked(dialog, IDC_SETTINGS_TRAY) == BST_CHECKED);
}

void CentreOnDesktop(HWND dialog) {
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &window);
  const int width = window.right - window.left, height = window.bottom - window.top;
  SetWindowPos(dialog, nullptr, desktop.left + (desktop.right - desktop.left - width) / 2,
               desktop.top + (desktop.bottom - desktop.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Initialize(HWND dialog, const DialogState& state) {
  const ConverterSettings& settings = *state.settings;
  for (const ListItems& list : kLists) {
    for (int i = 0; i < list.count; ++i) {
      char text[64];
      const int length = LoadStringA(state.instance, list.first_text + i, text, sizeof text);
      SendDlgItemMessageA(dialog, list.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(length > 0 ? text : ""));
    }
    // An out-of-range value selects nothing, as the converter then uses it.
    SendDlgItemMessageA(dialog, list.control, CB_SETCURSEL, static_cast<WPARAM>(settings.*list.setting), 0);
  }
  for (const PathEdit& edit : kPathEdits) SetDlgItemTextA(dialog, edit.control, (settings.*edit.setting).c_str());
  for (const CheckBox& box : kCheckBoxes) {
    CheckDlgButton(dialog, box.control, settings.*box.setting ? BST_CHECKED : BST_UNCHECKED);
  }
  SetDlgItemInt(dialog, IDC_SETTINGS_TRAY_DELAY, static_cast<UINT>(settings.tray_delay), TRUE);
  ShowDelayEnabling(dialog);
  CentreOnDesktop(dialog);
}

void ReadBack(HWND dialog, ConverterSettings& settings) {
  for (const ListItems& list : kLists) {
    settings.*list.setting = static_cast<int>(SendDlgItemMessageA(dialog, list.control, CB_GETCURSEL, 0, 0));
  }
  for (const PathEdit& edit : kPathEdits) settings.*edit.setting = ControlText(dialog, edit.control);
  for (const CheckBox& box : kCheckBoxes) settings.*box.setting = IsDlgButtonChecked(dialog, box.control) == BST_CHECKED;
  // Not a number reads as 0, as the dialog promises no check.
  settings.tray_delay = static_cast<int>(GetDlgItemInt(dialog, IDC_SETTINGS_TRAY_DELAY, nullptr, TRUE));
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<DialogState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      Initialize(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      if (state == nullptr) return FALSE;
      switch (LOWORD(wparam)) {
        case IDC_SETTINGS_TRAY:
          ShowDelayEnabling(dialog);
          return TRUE;
        case IDC_SETTINGS_CHOOSE_SKIN:
        case IDC_SETTINGS_CHOOSE_ICON:
          if (const auto path = ChooseImage(state->instance, dialog)) {
            const int edit =
                LOWORD(wparam) == IDC_SETTINGS_CHOOSE_SKIN ? IDC_SETTINGS_SKIN_FILE : IDC_SETTINGS_ICON_FILE;
            SetDlgItemTextA(dialog, edit, path->c_str());
          }
          return TRUE;
        case IDOK:
          ReadBack(dialog, *state->settings);
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool RunSettingsDialog(HINSTANCE instance, HWND owner, ConverterSettings& settings) {
  ConverterSettings edited = settings;
  DialogState state{instance, &edited};
  if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc,
                      reinterpret_cast<LPARAM>(&state)) != IDOK) {
    return false;
  }
  settings = edited;
  return true;
}

}  // namespace radixpad::win32
