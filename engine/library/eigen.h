// The built-in `eigen`: eigenvalues and eigenvectors of a real symmetric
// matrix by Householder reduction to tridiagonal form and QL iterations with
// an implicit shift.
#pragma once

#include <cstdint>

#include "core/run_budget.h"
#include "library/real_matrix.h"
#include "library/eigensystem.h"

namespace calc {

// QL stops on an off-diagonal element e(m) once
// (|d(m)| + |d(m + 1)|) * kEigenTolerance >= |e(m)|.
constexpr double kEigenTolerance = 1e-6;
// More iterations than this for one eigenvalue is a failure.
constexpr std::int32_t kEigenIterationLimit = 100;

// a is read as symmetric from its lower triangle (the upper triangle of a
// non-symmetric matrix is not read). On success out.count is the order n,
// out.values the eigenvalues in decreasing order (equal ones keep their
// order) and out.vectors holds eigenvector i as row i. Not square, or an
// eigenvalue that needs more than kEigenIterationLimit iterations (NaN or
// infinite elements end that way): count 0 and no values. kDone or E_MEM.
int Eigen(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
