// The built-ins `qr` and `qrs`: eigenvalues of a symmetric tridiagonal
// matrix by shifted QR iterations. Only the diagonal and the subdiagonal of
// the argument are read (apply `house` to a full symmetric matrix first).
// Both give the eigenvalues in the positions where they settle on the
// diagonal, unsorted, and no vectors.
#pragma once

#include <cstdint>

#include "core/run_budget.h"
#include "library/real_matrix.h"
#include "library/eigensystem.h"

namespace calc {

// qr: the last off-diagonal element of the active block counts as zero below
// kQrTolerance in magnitude; after kQrIterationLimit iterations on one
// eigenvalue its current diagonal element is accepted.
constexpr double kQrTolerance = 1e-7;
constexpr std::int32_t kQrIterationLimit = 31;
// qrs works with squared off-diagonal elements; a square counts as zero below
// kQrsTolerance; kQrsIterationLimit iterations per eigenvalue.
constexpr double kQrsTolerance = 1e-10;
constexpr std::int32_t kQrsIterationLimit = 99;

// Shifted by the last diagonal element of the active block; Givens rotations.
// count is n (the last iterate is accepted at the limit); not square: 0.
// kDone or E_MEM.
int Qr(const RealMatrix& a, RealEigensystem& out, CalcRunBudget* budget = nullptr);

// The square-root-free form of the same iteration (Pal, Walker and Kahan's
// recurrence on the squared off-diagonal elements), same shift. count is n;
// not square: 0. kDone or E_MEM.
int Qrs(const RealMatrix& a, RealEigensystem& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
