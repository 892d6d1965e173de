// The files a script opens: 16 slots, each empty or holding an open C stream.
// A script names an open file by its handle, the slot number plus one
// (1..16); 0 is never a handle, so "fopen gave 0" is the test for failure.
// Every file still open when the table goes (the end of the run) is closed.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "library/io_handle.h"

namespace calc {

// True for the modes every C library takes alike: "r", "w" or "a", then at
// most one each of "+", "b" and "t" in any order, "b" and "t" not together.
// Anything else is refused before fopen sees it: glibc would ignore unknown
// letters, while the Windows runtime aborts the process on them.
bool IsValidFileMode(std::string_view mode);

class CalcFileTable {
 public:
  static constexpr int kSlots = kHandleSlots;

  // Opens `name` in the first empty slot. The handle, or 0 when every slot
  // is taken, the mode is refused or the file cannot be opened.
  int Open(const std::string& name, std::string_view mode);
  // True when `handle` named an open file and closing it succeeded; the
  // slot is empty afterwards either way.
  bool Close(int handle);
  // The open file of `handle`; null for a handle that names none.
  std::FILE* Get(int handle) const;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::array<std::unique_ptr<std::FILE, Closer>, kSlots> slots_;
};

}  // namespace calc
