// What setup does when the user confirms: the five shortcuts, which option
// each belongs to, and the order in which they are made or removed; and how
// the options' enabled states follow the uninstall check box. Portable; the
// dialog reads the check boxes into SetupChoices and carries out the plan.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "setup_paths.h"

namespace radixpad::setup {

// The option check boxes and the uninstall check box.
inline constexpr int kAccessoriesOption = 1006;
inline constexpr int kQuickLaunchOption = 1017;
inline constexpr int kStartupOption = 1018;
inline constexpr int kManualsOption = 1000;
inline constexpr int kUninstallOption = 1001;

struct SetupChoices {
  bool accessories = true;
  bool quick_launch = true;
  bool startup = true;
  bool manuals = true;
  bool uninstall = false;
};

// The texts of the shortcuts, from the string table.
struct ShortcutTexts {
  std::string description;           // the program's one-line description
  std::string developer_manual_link;  // link file name in the program folder
  std::string user_manual_link;
};

struct Shortcut {
  std::string link_file;    // empty: the path does not fit, nothing is made
  std::string target;       // empty: likewise
  std::string arguments;
  std::string description;
};

struct ShortcutAction {
  bool create = true;  // false: remove the link file
  Shortcut shortcut;
};

struct SetupPlan {
  std::vector<ShortcutAction> actions;
  // Uninstall asks whether to keep the settings file afterwards.
  bool ask_about_settings_file = false;
};

SetupPlan PlanSetup(const SetupChoices& choices, const SetupPaths& paths, const ShortcutTexts& texts);

// The enabled state of the four option check boxes (in the order
// accessories, quick launch, startup, manuals) and whether the OK button
// reads "uninstall" instead of "set up".
struct OptionControls {
  std::array<bool, 4> enabled{};
  bool ok_says_uninstall = false;
};
inline constexpr std::array<int, 4> kOptionIds = {kAccessoriesOption, kQuickLaunchOption, kStartupOption,
                                                  kManualsOption};

OptionControls ControlsFor(bool uninstall, bool quick_launch_usable);

}  // namespace radixpad::setup
