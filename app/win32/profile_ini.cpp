#include "win32/profile_ini.h"

#include <windows.h>

namespace radixpad::win32 {

int ProfileIni::ReadInt(std::string_view section, std::string_view key, int fallback) {
  // GetPrivateProfileInt reads a leading minus as part of the number.
  return static_cast<int>(GetPrivateProfileIntA(std::string(section).c_str(), std::string(key).c_str(), fallback,
                                                file_.c_str()));
}

std::string ProfileIni::ReadString(std::string_view section, std::string_view key, std::string_view fallback) {
  char buffer[MAX_PATH + 1] = {};
  GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(fallback).c_str(),
                           buffer, sizeof buffer, file_.c_str());
  return buffer;
}

void ProfileIni::WriteInt(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileIni::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // A failed write is ignored: the settings simply stay as they were.
  WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), std::string(value).c_str(),
                             file_.c_str());
}

}  // namespace radixpad::win32
