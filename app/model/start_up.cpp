#include "model/start_up.h"

namespace radixpad {
namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xEF); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsHiddenStartCommand(std::string_view command_line) {
  constexpr std::string_view kIcon = "-icon";
  if (command_line.size() != kIcon.size()) return false;
  for (std::size_t i = 0; i < kIcon.size(); ++i)
    if (Lower(command_line[i]) != kIcon[i]) return false;
  return true;
}

std::string SettingsFileName(std::string_view program_path) {
  std::size_t name_start = 0;
  for (std::size_t i = 0; i < program_path.size(); ++i) {
    const auto c = static_cast<unsigned char>(program_path[i]);
    if (IsLeadByte(c) && i + 1 < program_path.size())
      ++i;
    else if (c == '\\' || c == '/' || c == ':')
      name_start = i + 1;
  }
  std::string_view name = program_path.substr(name_start);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name) + ".ini";
}

int ClampWindowCoordinate(int value, int desktop_edge) {
  if (value < 0) return 0;
  if (value >= desktop_edge) return desktop_edge - 100;
  return value;
}

}  // namespace radixpad
