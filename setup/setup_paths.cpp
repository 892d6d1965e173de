#include "setup_paths.h"

namespace radixpad::setup {

std::string FillTemplate(std::string_view format, std::string_view folder, std::size_t limit) {
  const auto slot = format.find("%s");
  if (folder.empty() || slot == std::string_view::npos) return {};
  if (format.size() - 2 + folder.size() > limit) return {};
  std::string result;
  result.reserve(format.size() - 2 + folder.size());
  result.append(format.substr(0, slot)).append(folder).append(format.substr(slot + 2));
  return result;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty() || folder.size() + 1 + name.size() > kMaxPath) return {};
  std::string result(folder);
  result.append("\\").append(name);
  return result;
}

namespace {

// The module path cut before its last backslash. A path with no backslash,
// or a folder that would not fit its buffer, gives no folder at all: cutting
// it short would point the shortcuts somewhere else.
std::string ProgramFolder(std::string_view module_path) {
  const auto cut = module_path.rfind('\\');
  if (cut == std::string_view::npos || cut > kMaxProgramFolder) return {};
  return std::string(module_path.substr(0, cut));
}

}  // namespace

SetupPaths ComputePaths(const SetupEnvironment& environment, const FolderTemplates& templates) {
  SetupPaths paths;
  paths.program_folder = ProgramFolder(environment.module_path);
  if (environment.windows_folder.size() <= kMaxPath) paths.windows_folder = environment.windows_folder;
  const std::string& profile = environment.windows_nt ? environment.user_profile : environment.windows_folder;
  const std::string profile_folder = profile.size() <= kMaxPath ? profile : std::string();
  const bool full_width = environment.major_version >= 5;
  paths.accessories_folder =
      FillTemplate(full_width ? templates.accessories : templates.accessories_before_5, profile_folder);
  paths.startup_folder = FillTemplate(full_width ? templates.startup : templates.startup_before_5, profile_folder);
  paths.quick_launch_folder = FillTemplate(templates.quick_launch, profile_folder);
  paths.settings_file = JoinPath(paths.windows_folder, "RadixPad.ini");
  paths.program_file = JoinPath(paths.program_folder, "RadixPad.exe");
  return paths;
}

}  // namespace radixpad::setup
