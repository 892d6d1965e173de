#include "library/file_table.h"

namespace calc {

bool IsValidFileMode(std::string_view mode) {
  if (mode.empty() || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) return false;
  bool plus = false, binary = false, text = false;
  for (const char c : mode.substr(1)) {
    bool* seen = c == '+' ? &plus : c == 'b' ? &binary : c == 't' ? &text : nullptr;
    if (seen == nullptr || *seen) return false;
    *seen = true;
  }
  return !(binary && text);
}

int CalcFileTable::Open(const std::string& name, std::string_view mode) {
  if (!IsValidFileMode(mode)) return 0;
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slots_[slot]) continue;
    std::FILE* file = std::fopen(name.c_str(), std::string(mode).c_str());
    if (file == nullptr) return 0;
    slots_[slot].reset(file);
    return slot + 1;
  }
  return 0;
}

bool CalcFileTable::Close(int handle) {
  if (Get(handle) == nullptr) return false;
  std::FILE* file = slots_[handle - 1].release();
  return std::fclose(file) == 0;
}

std::FILE* CalcFileTable::Get(int handle) const {
  if (handle < 1 || handle > kSlots) return nullptr;
  return slots_[handle - 1].get();
}

}  // namespace calc
