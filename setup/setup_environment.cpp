#include "setup_environment.h"

#include "setup_resource.h"

namespace radixpad::setup {
namespace {

// The whole value, however long: the paths decide what fits, not this read.
std::string Environment(const char* name) {
  std::string value(MAX_PATH, '\0');
  for (;;) {
    const DWORD needed = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (needed == 0) return {};
    if (needed < value.size()) {
      value.resize(needed);
      return value;
    }
    value.assign(needed, '\0');
  }
}

std::string ModulePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    // Cut short: try again with room to spare (the folder check refuses it
    // later if it is still too long to use).
    if (path.size() >= 32768) return {};
    path.assign(path.size() * 2, '\0');
  }
}

}  // namespace

SetupEnvironment ReadEnvironment() {
  SetupEnvironment environment;
  environment.module_path = ModulePath();
  environment.windows_folder = Environment("WINDIR");
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version)) {
    environment.windows_nt = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    environment.major_version = static_cast<int>(version.dwMajorVersion);
  }
  if (environment.windows_nt) environment.user_profile = Environment("USERPROFILE");
  return environment;
}

std::string LoadText(HINSTANCE instance, UINT id) {
  char text[512];
  const int length = LoadStringA(instance, id, text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

FolderTemplates LoadFolderTemplates(HINSTANCE instance) {
  return {LoadText(instance, IDS_SETUP_ACCESSORIES), LoadText(instance, IDS_SETUP_ACCESSORIES_BEFORE_5),
          LoadText(instance, IDS_SETUP_STARTUP), LoadText(instance, IDS_SETUP_STARTUP_BEFORE_5),
          LoadText(instance, IDS_SETUP_QUICK_LAUNCH)};
}

ShortcutTexts LoadShortcutTexts(HINSTANCE instance) {
  return {LoadText(instance, IDS_SETUP_DESCRIPTION), LoadText(instance, IDS_SETUP_DEVELOPER_LINK),
          LoadText(instance, IDS_SETUP_USER_LINK)};
}

}  // namespace radixpad::setup
