// The store operation every string-producing function and command shares:
// text written into an array's first-level vector, one byte per element,
// followed by a terminating 0. Reading goes through ArrayString
// (language/variables.h), which stops at that 0.
#pragma once

#include <cstdint>
#include <string_view>

#include "language/variables.h"

namespace calc {

// Elements at .. at + size - 1 receive the bytes of `text` (0..255), element
// at + size receives 0, and the vector is cut or grown to end right after
// it. at = 0 replaces the string; at = its length appends. 0, or E_MEM with
// the array unchanged when the vector cannot grow (the table's budget, the
// element limit, a negative `at`).
int StoreArrayString(CalcArrayTable& arrays, std::uint8_t code, std::int32_t at, std::string_view text);

}  // namespace calc
