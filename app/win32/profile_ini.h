// The settings file through the Win32 private-profile functions. A file name
// without a folder makes them use the Windows folder.
#pragma once

#include <string>

#include "model/ini_store.h"

namespace radixpad::win32 {

class ProfileIni : public IniStore {
 public:
  explicit ProfileIni(std::string file) : file_(std::move(file)) {}

  int ReadInt(std::string_view section, std::string_view key, int fallback) override;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  std::string file_;
};

}  // namespace radixpad::win32
