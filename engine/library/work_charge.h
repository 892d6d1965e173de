// The long matrix routines count their work on the run budget as they go, so
// that an interruption or the step limit ends even an O(n^3) routine on a
// 2048 x 2048 matrix within a moment.
#pragma once

#include <cstdint>

#include "core/run_budget.h"

namespace calc {

// Counts `operations` element operations; true without a budget. False when
// the run must end (the routine then gives E_MEM; the budget says why).
inline bool ChargeWork(CalcRunBudget* budget, std::uint64_t operations) {
  return budget == nullptr || budget->ChargeWork(operations);
}

}  // namespace calc
