#include "program_folder.h"

#include <windows.h>

namespace radixpad::win32 {
namespace {

// Positions of the path separators, walking by characters: in code page 932
// the second byte of a double-byte character can be 0x5C, which is not a
// separator there.
template <typename Visit>
void ForEachSeparator(const std::string& path, Visit visit) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\') {
      visit(i);
    }
  }
}

}  // namespace

std::string ProgramPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return {};
  }
  return std::string(path, length);
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  std::size_t lastSlash = std::string::npos;
  ForEachSeparator(path, [&](std::size_t i) { lastSlash = i; });
  return lastSlash == std::string::npos ? std::string{} : path.substr(0, lastSlash);
}

void CreateFolderPath(const std::string& path) {
  ForEachSeparator(path, [&](std::size_t i) {
    if (i > 0 && path[i - 1] != ':') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  });
  CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace radixpad::win32
