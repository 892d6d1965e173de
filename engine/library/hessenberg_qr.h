// The built-in `dqr`: every eigenvalue, complex ones included, of an upper
// Hessenberg matrix (for example the result of `hes`) by Francis's
// double-shift QR iteration.
#pragma once

#include <cstdint>

#include "core/run_budget.h"
#include "library/real_matrix.h"
#include "library/eigensystem.h"

namespace calc {

// A subdiagonal element below this magnitude counts as zero.
constexpr double kDqrTolerance = 0.00001;
// Iterations in all, over every eigenvalue.
constexpr std::int32_t kDqrIterationLimit = 256;

// Only the upper Hessenberg part of a is read. Eigenvalues are given in the
// order they split off (from the bottom of the matrix), a complex pair as
// x + iy then x - iy. When the iteration limit is reached the routine stops:
// count and values hold the eigenvalues found until then. Not square:
// count 0. kDone or E_MEM.
int Dqr(RealMatrix a, ComplexEigensystem& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
