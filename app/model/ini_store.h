// A settings file of the private-profile kind, seen through the four calls
// the converter makes. The Win32 build answers them with the profile
// functions; tests use an in-memory store.
#pragma once

#include <string>
#include <string_view>

namespace radixpad {

class IniStore {
 public:
  virtual ~IniStore() = default;
  // Decimal integer with an optional leading minus; the default when missing.
  virtual int ReadInt(std::string_view section, std::string_view key, int fallback) = 0;
  virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace radixpad
