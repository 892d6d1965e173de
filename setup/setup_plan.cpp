#include "setup_plan.h"

namespace radixpad::setup {

namespace {

constexpr char kLinkName[] = "RadixPad.lnk";

struct Shortcuts {
  Shortcut accessories, quick_launch, startup, developer_manual, user_manual;
};

Shortcuts AllShortcuts(const SetupPaths& paths, const ShortcutTexts& texts) {
  Shortcuts s;
  s.accessories = {JoinPath(paths.accessories_folder, kLinkName), paths.program_file, "", texts.description};
  s.quick_launch = {JoinPath(paths.quick_launch_folder, kLinkName), paths.program_file, "", ""};
  s.startup = {JoinPath(paths.startup_folder, kLinkName), paths.program_file, "-icon", texts.description};
  s.developer_manual = {JoinPath(paths.program_folder, texts.developer_manual_link),
                        JoinPath(paths.program_folder, "MAN\\DEV\\index.html"), "", ""};
  s.user_manual = {JoinPath(paths.program_folder, texts.user_manual_link),
                   JoinPath(paths.program_folder, "MAN\\GUIDE\\index.html"), "", ""};
  return s;
}

}  // namespace

SetupPlan PlanSetup(const SetupChoices& choices, const SetupPaths& paths, const ShortcutTexts& texts) {
  const Shortcuts s = AllShortcuts(paths, texts);
  SetupPlan plan;
  if (choices.uninstall) {
    for (const Shortcut* shortcut : {&s.accessories, &s.quick_launch, &s.startup, &s.developer_manual, &s.user_manual}) {
      plan.actions.push_back({false, *shortcut});
    }
    plan.ask_about_settings_file = true;
    return plan;
  }
  plan.actions.push_back({choices.accessories, s.accessories});
  plan.actions.push_back({choices.quick_launch, s.quick_launch});
  plan.actions.push_back({choices.startup, s.startup});
  plan.actions.push_back({choices.manuals, s.developer_manual});
  plan.actions.push_back({choices.manuals, s.user_manual});
  return plan;
}

OptionControls ControlsFor(bool uninstall, bool quick_launch_usable) {
  OptionControls controls;
  controls.ok_says_uninstall = uninstall;
  if (!uninstall) controls.enabled = {true, quick_launch_usable, true, true};
  return controls;
}

}  // namespace radixpad::setup
