// The 21 statement keywords. Each has two handlers:
// - a structure handler, run before a line that starts with the keyword is
//   evaluated: it keeps the if and switch stacks and the loop flags and
//   decides whether the line runs (0) or is skipped (4), or fails;
// - an action handler, run when the keyword is evaluated as the line's first
//   operand: it reads its condition or value and changes the state.
//
// Conditionals have no syntax tree: a stack of state bytes says, per nesting
// level, whether the current text runs.
//   if levels:     0 no branch taken yet (skipping), 1 running the taken
//                  branch, 2 skipping to endif, 3 condition being evaluated;
//   switch levels: 0 no case matched yet, 1 running, 2 skipping to endswi,
//                  3 value being evaluated.
// Level 0 of both stacks is always 1.
#pragma once

#include <cstdint>

#include "core/token.h"
#include "language/blocks.h"
#include "core/matrix.h"

namespace calc {

class CalcEngine;

struct CalcControlState {
  static constexpr int kMaxIfDepth = 15;
  static constexpr int kMaxSwitchDepth = 15;

  int if_depth = 0;
  std::uint8_t if_state[kMaxIfDepth + 1] = {1};
  int switch_depth = 0;
  std::uint8_t switch_state[kMaxSwitchDepth + 1] = {1};
  CalcMatrix switch_value[kMaxSwitchDepth + 1];
  CalcBlockState blocks;
  // Set by "return": the current run ends after this statement.
  bool stop = false;

  // True when the if and switch levels at the current depths let text run.
  bool Live() const;
  // True when an ordinary line is skipped: the text is not live, or a
  // replayed block has break or continue pending.
  bool Skips() const;
  // Back to the state of a fresh engine (the block tree is freed).
  void Reset();
};

using StatementHandler = int (*)(CalcEngine& engine, const CalcToken& keyword);

// The structure handler of a keyword (0 run, 4 skip, or an error). Keywords
// outside 0..20 run.
int RunStructureHandler(CalcEngine& engine, const CalcToken& keyword);
// The action handler of a keyword (4 done, or an error).
int RunActionHandler(CalcEngine& engine, const CalcToken& keyword);

}  // namespace calc
