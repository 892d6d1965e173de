// setup's plan: where the shortcuts go on each Windows version, paths that do
// not fit, the order of the shortcut actions and the options' enabled states.
#include <gtest/gtest.h>

#include <string>

#include "setup_paths.h"
#include "setup_plan.h"

namespace radixpad::setup {
namespace {

const FolderTemplates kTemplates = {"%s\\Menu\\Accessories", "%s\\OldMenu\\Accessories", "%s\\Menu\\Startup",
                                    "%s\\OldMenu\\Startup", "%s\\Quick Launch"};
const ShortcutTexts kTexts = {"converter", "developer.lnk", "guide.lnk"};

SetupEnvironment Environment(std::string module_path, bool nt = true, int major = 5) {
  return {std::move(module_path), "C:\\WINDOWS", "C:\\Users\\me", nt, major};
}

TEST(SetupPaths, FoldersFollowThePlatformAndVersion) {
  struct Row {
    bool nt;
    int major;
    const char* accessories;
    const char* startup;
    const char* quick_launch;
  };
  const Row rows[] = {
      {true, 5, "C:\\Users\\me\\Menu\\Accessories", "C:\\Users\\me\\Menu\\Startup", "C:\\Users\\me\\Quick Launch"},
      {true, 4, "C:\\Users\\me\\OldMenu\\Accessories", "C:\\Users\\me\\OldMenu\\Startup",
       "C:\\Users\\me\\Quick Launch"},
      // Windows 9x has no user profile: the Windows folder stands in for it.
      {false, 4, "C:\\WINDOWS\\OldMenu\\Accessories", "C:\\WINDOWS\\OldMenu\\Startup", "C:\\WINDOWS\\Quick Launch"},
  };
  for (const Row& row : rows) {
    const SetupPaths paths = ComputePaths(Environment("D:\\Tools\\RadixPad\\setup.exe", row.nt, row.major), kTemplates);
    EXPECT_EQ(paths.program_folder, "D:\\Tools\\RadixPad");
    EXPECT_EQ(paths.program_file, "D:\\Tools\\RadixPad\\RadixPad.exe");
    EXPECT_EQ(paths.settings_file, "C:\\WINDOWS\\RadixPad.ini");
    EXPECT_EQ(paths.accessories_folder, row.accessories) << row.nt << row.major;
    EXPECT_EQ(paths.startup_folder, row.startup) << row.nt << row.major;
    EXPECT_EQ(paths.quick_launch_folder, row.quick_launch) << row.nt << row.major;
  }
}

TEST(SetupPaths, PathsThatDoNotFitAreLeftEmptyNeverCut) {
  // A program folder of 255 characters fits its buffer; one more does not.
  const std::string fits = "C:\\" + std::string(kMaxProgramFolder - 3, 'a');
  EXPECT_EQ(ComputePaths(Environment(fits + "\\setup.exe"), kTemplates).program_folder, fits);
  const SetupPaths long_folder = ComputePaths(Environment(fits + "a\\setup.exe"), kTemplates);
  EXPECT_EQ(long_folder.program_folder, "");
  EXPECT_EQ(long_folder.program_file, "");
  // ... and so are the shortcuts into it, while the others are still made.
  const SetupPlan plan = PlanSetup({}, long_folder, kTexts);
  ASSERT_EQ(plan.actions.size(), 5u);
  for (const ShortcutAction& action : plan.actions) EXPECT_EQ(action.shortcut.target, "");
  EXPECT_NE(plan.actions[0].shortcut.link_file, "");
  EXPECT_EQ(plan.actions[3].shortcut.link_file, "");

  // The program file itself passes the 259-character limit of a path.
  const std::string near = "C:\\" + std::string(kMaxProgramFolder - 3, 'b');
  EXPECT_EQ(JoinPath(near, "RadixPad.exe"), "");
  EXPECT_EQ(JoinPath(std::string(kMaxPath - 2, 'c'), "d"), std::string(kMaxPath - 2, 'c') + "\\d");
  EXPECT_EQ(JoinPath(std::string(kMaxPath - 1, 'c'), "d"), "");
  EXPECT_EQ(JoinPath("", "RadixPad.lnk"), "");

  // A profile too long for its templates, a module path with no folder.
  SetupEnvironment long_profile = Environment("C:\\setup.exe");
  long_profile.user_profile = std::string(kMaxPath - 5, 'p');
  const SetupPaths paths = ComputePaths(long_profile, kTemplates);
  EXPECT_EQ(paths.accessories_folder, "");
  EXPECT_EQ(paths.quick_launch_folder, "");
  EXPECT_EQ(ComputePaths(Environment("setup.exe"), kTemplates).program_folder, "");
  EXPECT_EQ(FillTemplate("no slot", "C:\\x"), "");
}

TEST(SetupPlan, ShortcutsAreMadeOrRemovedInOrder) {
  const SetupPaths paths = ComputePaths(Environment("D:\\R\\setup.exe"), kTemplates);
  SetupChoices choices;
  choices.quick_launch = false;
  const SetupPlan plan = PlanSetup(choices, paths, kTexts);
  struct Expected {
    bool create;
    const char* link;
    const char* target;
    const char* arguments;
    const char* description;
  };
  const Expected expected[] = {
      {true, "C:\\Users\\me\\Menu\\Accessories\\RadixPad.lnk", "D:\\R\\RadixPad.exe", "", "converter"},
      {false, "C:\\Users\\me\\Quick Launch\\RadixPad.lnk", "D:\\R\\RadixPad.exe", "", ""},
      {true, "C:\\Users\\me\\Menu\\Startup\\RadixPad.lnk", "D:\\R\\RadixPad.exe", "-icon", "converter"},
      {true, "D:\\R\\developer.lnk", "D:\\R\\MAN\\DEV\\index.html", "", ""},
      {true, "D:\\R\\guide.lnk", "D:\\R\\MAN\\GUIDE\\index.html", "", ""},
  };
  ASSERT_EQ(plan.actions.size(), std::size(expected));
  EXPECT_FALSE(plan.ask_about_settings_file);
  for (std::size_t i = 0; i < plan.actions.size(); ++i) {
    const ShortcutAction& action = plan.actions[i];
    EXPECT_EQ(action.create, expected[i].create) << i;
    EXPECT_EQ(action.shortcut.link_file, expected[i].link) << i;
    EXPECT_EQ(action.shortcut.target, expected[i].target) << i;
    EXPECT_EQ(action.shortcut.arguments, expected[i].arguments) << i;
    EXPECT_EQ(action.shortcut.description, expected[i].description) << i;
  }

  // Uninstall removes all five, whatever the options say, then asks about the
  // settings file.
  choices.uninstall = true;
  const SetupPlan removal = PlanSetup(choices, paths, kTexts);
  ASSERT_EQ(removal.actions.size(), 5u);
  EXPECT_TRUE(removal.ask_about_settings_file);
  for (std::size_t i = 0; i < removal.actions.size(); ++i) {
    EXPECT_FALSE(removal.actions[i].create) << i;
    EXPECT_EQ(removal.actions[i].shortcut.link_file, expected[i].link) << i;
  }
}

TEST(SetupPlan, UninstallDisablesTheOptionsAndAnUnusableQuickLaunchStaysDisabled) {
  for (const bool usable : {true, false}) {
    const OptionControls installing = ControlsFor(false, usable);
    EXPECT_EQ(installing.enabled, (std::array<bool, 4>{true, usable, true, true}));
    EXPECT_FALSE(installing.ok_says_uninstall);
    const OptionControls uninstalling = ControlsFor(true, usable);
    EXPECT_EQ(uninstalling.enabled, (std::array<bool, 4>{false, false, false, false}));
    EXPECT_TRUE(uninstalling.ok_says_uninstall);
  }
}

}  // namespace
}  // namespace radixpad::setup
