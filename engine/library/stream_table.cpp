#include "library/stream_table.h"

namespace calc {

bool CalcStream::Write(std::string_view bytes) {
  const std::size_t end = position + bytes.size();
  if (end > kMaxStreamLength) return false;
  if (end > text.size()) text.resize(end);
  text.replace(position, bytes.size(), bytes);
  position = end;
  return true;
}

int CalcStreamTable::Open(std::uint8_t array, std::string_view text) {
  for (int slot = 0; slot < kSlots; ++slot) {
    if (slots_[slot]) continue;
    slots_[slot] = CalcStream{array, 0, std::string(text)};
    return slot + 1;
  }
  return 0;
}

bool CalcStreamTable::Close(int handle) {
  if (Get(handle) == nullptr) return false;
  slots_[handle - 1].reset();
  return true;
}

CalcStream* CalcStreamTable::Get(int handle) {
  if (handle < 1 || handle > kSlots || !slots_[handle - 1]) return nullptr;
  return &*slots_[handle - 1];
}

}  // namespace calc
