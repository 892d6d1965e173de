// An array's brace initializer being collected, possibly across statements:
// "@a = {1, 2," on one line and "3}" on the next fill one array.
#pragma once

#include <cstdint>

#include "core/token.h"

namespace calc {

struct CalcBraceList {
  bool active = false;
  std::uint8_t code = 0;
  bool by_code = false;
  int depth = 0;          // braces open so far
  CalcTokenList tokens;   // from the "{" on
  void Reset() {
    active = false;
    depth = 0;
    tokens.Clear();
  }
};

}  // namespace calc
