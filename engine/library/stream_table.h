// The string streams a script opens: 16 slots, each empty or holding a
// working copy of an array's string with a read/write position. A script
// names a stream by its handle, the slot number plus one (1..16; 0 is never
// a handle). The array itself changes only when the stream is flushed or
// closed with write-back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/matrix.h"
#include "library/io_handle.h"

namespace calc {

// The longest text a stream holds: the longest string an array can hold
// (one element stays for its terminating 0). A write that would pass it
// fails and changes nothing, so a loop of sputc cannot take all memory.
constexpr std::size_t kMaxStreamLength = static_cast<std::size_t>(CalcMatrix::kMaxElements) - 1;

struct CalcStream {
  std::uint8_t array = 0;  // the array the text came from and goes back to
  std::size_t position = 0;  // never beyond text.size()
  std::string text;

  // The unread rest: from the position to the end.
  std::string_view Rest() const { return std::string_view(text).substr(position); }
  // Writes `bytes` at the position, overwriting and then extending the text;
  // the position moves past them. False, with nothing changed, when the
  // text would pass kMaxStreamLength.
  bool Write(std::string_view bytes);
};

class CalcStreamTable {
 public:
  static constexpr int kSlots = kHandleSlots;

  // A stream over a copy of `text` in the first empty slot, at position 0.
  // The handle, or 0 when every slot is taken.
  int Open(std::uint8_t array, std::string_view text);
  // Empties the slot. False for a handle that names no stream.
  bool Close(int handle);
  // The stream of `handle`; null for a handle that names none.
  CalcStream* Get(int handle);

 private:
  std::array<std::optional<CalcStream>, kSlots> slots_;
};

}  // namespace calc
