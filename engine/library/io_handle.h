// Script numbers as file or stream handles. Both tables have 16 slots with
// handles 1..16; every other number (0, negative, huge) names nothing and
// becomes 0, so that a number past the int range can never wrap onto a
// valid handle.
#pragma once

#include <cstdint>

namespace calc {

constexpr int kHandleSlots = 16;

constexpr int ToHandle(std::int64_t number) {
  return number >= 1 && number <= kHandleSlots ? static_cast<int>(number) : 0;
}

}  // namespace calc
