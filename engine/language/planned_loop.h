// Planned loops: a for or while loop whose every statement runs as a scalar
// plan (see scalar_plan.h) is replayed iteration by iteration without the
// general statement machinery.
//
// Replaying a statement counts a step, applies the line filter and the
// skipping rules, evaluates, stores the answer and echoes. In a loop whose
// condition is a planned group and whose other statements are planned
// assignments and the closing keyword, while nothing is being skipped, no
// hook is asked and no brace list is open, all of that reduces to: count a
// step per statement and compute and store each plan, in the replay's order.
// The planned run does exactly that, and hands the loop back to the general
// replay at the first statement it cannot take as it stands: a plan that
// declines, a step that ends the run, the condition that ends the loop. The
// general replay then runs that statement as it always would, so every
// report, warning and count is the one the general replay gives.
#pragma once

#include <cstddef>
#include <vector>

#include "language/scalar_plan.h"

namespace calc {

class CalcEngine;
struct CalcBlock;
struct CalcBlockRun;

struct CalcLoopPlan {
  // The entry of the condition statement ("for (...)" after the rewrite of
  // the for block, "while (...)"); the loop wraps back to it.
  std::size_t first = 0;
  const CalcScalarPlan* condition = nullptr;
  // The entries after the condition, in order: a planned assignment, or null
  // for the closing keyword.
  std::vector<const CalcScalarPlan*> cycle;
};

// The plan of a for or while block whose statements' plans are built; false
// when the block does not qualify.
bool BuildLoopPlan(const CalcBlock& block, CalcLoopPlan& plan);

// Runs whole iterations of `block`, whose cursor in `run` is on its
// condition, and leaves the cursor on the statement the general replay takes
// next (which may be the condition again).
void RunPlannedIterations(CalcEngine& engine, const CalcBlock& block, CalcBlockRun& run);

}  // namespace calc
