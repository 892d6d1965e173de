#include "program_folder.h"

#include <windows.h>

namespace radixpad::win32 {

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return {};
  }
  // Walk by characters: in code page 932 the second byte of a double-byte character
  // can be 0x5C, which is not a path separator there.
  std::size_t lastSlash = 0;
  bool found = false;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < length) {
      ++i;
    } else if (path[i] == '\\') {
      lastSlash = i;
      found = true;
    }
  }
  return found ? std::string(path, lastSlash) : std::string{};
}

}  // namespace radixpad::win32
