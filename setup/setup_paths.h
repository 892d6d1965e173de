// Where setup puts its shortcuts. Every folder and file is computed once at
// start from the program's own path, the environment and the Windows version.
// Portable: the Win32 side gathers the inputs and the folder-name templates
// (Japanese texts from the string table, in the ANSI code page).
//
// The program folder must fit a 256-character buffer and every other path the
// 260-character limit of the shell; a path that does not fit is left empty,
// and whatever would use it fails quietly instead of being cut or overrun.
#pragma once

#include <string>
#include <string_view>

namespace radixpad::setup {

// Longest program folder (a 256-byte buffer with its terminator).
inline constexpr std::size_t kMaxProgramFolder = 255;
// Longest file path the shell takes (MAX_PATH with its terminator).
inline constexpr std::size_t kMaxPath = 259;

struct SetupEnvironment {
  std::string module_path;     // setup's own path
  std::string windows_folder;  // WINDIR
  std::string user_profile;    // USERPROFILE
  bool windows_nt = true;      // platform id 2
  int major_version = 5;
};

// Templates with one "%s" for the profile folder. Windows 2000 and later
// name the start menu in full-width kana, earlier versions in half-width.
struct FolderTemplates {
  std::string accessories;
  std::string accessories_before_5;
  std::string startup;
  std::string startup_before_5;
  std::string quick_launch;
};

struct SetupPaths {
  std::string program_folder;
  std::string windows_folder;
  std::string accessories_folder;
  std::string startup_folder;
  std::string quick_launch_folder;
  std::string settings_file;  // RadixPad.ini in the Windows folder
  std::string program_file;   // RadixPad.exe in the program folder
};

// `format` with its one "%s" replaced by `folder`; empty when `folder` is
// empty or the result is longer than `limit`.
std::string FillTemplate(std::string_view format, std::string_view folder, std::size_t limit = kMaxPath);

// `folder` + "\" + `name`; empty when `folder` is empty or the result is
// longer than kMaxPath.
std::string JoinPath(std::string_view folder, std::string_view name);

SetupPaths ComputePaths(const SetupEnvironment& environment, const FolderTemplates& templates);

}  // namespace radixpad::setup
