#include "setup_dialog.h"

#include "running_converter.h"
#include "setup_environment.h"
#include "setup_resource.h"
#include "shell_link.h"

namespace radixpad::setup {
namespace {

struct SetupState {
  HINSTANCE instance = nullptr;
  SetupPaths paths;
  ShortcutTexts texts;
  bool quick_launch_usable = true;
};

void SetIcons(HWND dialog, HINSTANCE instance) {
  const auto load = [&](int size) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, size, size, LR_SHARED));
  };
  if (const HICON large = load(32)) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  const int small_size = GetSystemMetrics(SM_CYSMICON) < 32 ? 16 : 32;
  if (const HICON small = load(small_size)) {
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

// Whether a link can go to the quick launch folder: one is there already, or
// a file can be made there (it is removed again at once).
bool QuickLaunchUsable(const SetupPaths& paths) {
  const std::string link = JoinPath(paths.quick_launch_folder, "RadixPad.lnk");
  if (link.empty()) return false;
  HANDLE file = CreateFileA(link.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return true;
  }
  file = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  DeleteFileA(link.c_str());
  return true;
}

void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void ShowUninstallChoice(HWND dialog, const SetupState& state) {
  const OptionControls controls = ControlsFor(IsChecked(dialog, kUninstallOption), state.quick_launch_usable);
  for (std::size_t i = 0; i < kOptionIds.size(); ++i) {
    EnableWindow(GetDlgItem(dialog, kOptionIds[i]), controls.enabled[i]);
  }
  const UINT text = controls.ok_says_uninstall ? IDS_SETUP_OK_UNINSTALL : IDS_SETUP_OK;
  SetDlgItemTextA(dialog, IDOK, LoadText(state.instance, text).c_str());
}

void Initialize(HWND dialog, SetupState& state) {
  SetIcons(dialog, state.instance);
  CloseRunningConverter(LoadText(state.instance, IDS_SETUP_RUNNING).c_str());
  Check(dialog, kAccessoriesOption, true);
  state.quick_launch_usable = QuickLaunchUsable(state.paths);
  Check(dialog, kQuickLaunchOption, state.quick_launch_usable);
  EnableWindow(GetDlgItem(dialog, kQuickLaunchOption), state.quick_launch_usable);
  Check(dialog, kStartupOption, true);
  Check(dialog, kManualsOption, true);
}

void Apply(HWND dialog, const SetupState& state) {
  SetupChoices choices;
  choices.accessories = IsChecked(dialog, kAccessoriesOption);
  choices.quick_launch = IsChecked(dialog, kQuickLaunchOption);
  choices.startup = IsChecked(dialog, kStartupOption);
  choices.manuals = IsChecked(dialog, kManualsOption);
  choices.uninstall = IsChecked(dialog, kUninstallOption);
  const SetupPlan plan = PlanSetup(choices, state.paths, state.texts);
  for (const ShortcutAction& action : plan.actions) {
    if (action.create) {
      CreateShortcut(action.shortcut);
    } else {
      RemoveShortcut(action.shortcut);
    }
  }
  if (!plan.ask_about_settings_file) return;
  const std::string question = LoadText(state.instance, IDS_SETUP_KEEP_SETTINGS);
  if (MessageBoxA(dialog, question.c_str(), "", MB_YESNO | MB_ICONEXCLAMATION) != IDYES &&
      !state.paths.settings_file.empty()) {
    DeleteFileA(state.paths.settings_file.c_str());
  }
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<SetupState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      state = reinterpret_cast<SetupState*>(lparam);
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      Initialize(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      if (state == nullptr) return FALSE;
      switch (LOWORD(wparam)) {
        case kUninstallOption:
          if (HIWORD(wparam) == BN_CLICKED) ShowUninstallChoice(dialog, *state);
          return TRUE;
        case IDOK:
          Apply(dialog, *state);
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

INT_PTR RunSetupDialog(HINSTANCE instance) {
  SetupState state;
  state.instance = instance;
  state.paths = ComputePaths(ReadEnvironment(), LoadFolderTemplates(instance));
  state.texts = LoadShortcutTexts(instance);
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, SetupDialogProc,
                         reinterpret_cast<LPARAM>(&state));
}

}  // namespace radixpad::setup
