// The built-ins `jac` (threshold Jacobi) and `jacobi` (cyclic Jacobi):
// eigenvalues and eigenvectors of a real symmetric matrix by plane rotations
// that clear one off-diagonal pair at a time. Both keep the eigenvectors as
// the COLUMNS of the vectors matrix (the product of the rotations).
#pragma once

#include <cstdint>

#include "core/run_budget.h"
#include "library/real_matrix.h"
#include "library/eigensystem.h"

namespace calc {

// jac: the threshold starts at kJacThresholdFactor times the largest absolute
// row sum and grows by kJacThresholdGrowth after every sweep.
constexpr double kJacThresholdFactor = 1e-6;
constexpr double kJacThresholdGrowth = 1.05;
constexpr std::int32_t kJacSweepLimit = 100;
// The cosine of jac's rotation is sqrt(t / r + 1) times this constant, which
// is close to, but not, the square root of one half; results depend on it.
constexpr double kJacHalfRoot = 0.707106782373095;

// jacobi: elements below kJacobiRotationThreshold in magnitude are not
// rotated; sweeps stop once the sum of squares above the diagonal falls below
// tol * (tol * (D / 2 + O)), D and O being the sums of squares on and above
// the diagonal of the input.
constexpr double kJacobiRotationThreshold = 1e-20;
constexpr double kJacobiTolerance = 1e-6;
constexpr std::int32_t kJacobiSweepLimit = 100;

// Threshold Jacobi. Each sweep finds the largest off-diagonal magnitude of
// the upper triangle; below the threshold (or zero) the routine ends, else
// every pair at or above the threshold is rotated away. After at most
// kJacSweepLimit sweeps the diagonal is sorted by decreasing magnitude (the
// earlier of equal magnitudes first) with the vector columns. count is the
// order n whether or not the threshold was reached (the last iterate stands).
// Not square: count 0. kDone or E_MEM.
int Jac(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget = nullptr);

// Cyclic Jacobi: sweeps over every upper pair while the off-diagonal sum of
// squares is at or above the stop level, at most kJacobiSweepLimit of them;
// a sweep that rotates nothing (every element below the rotation threshold)
// also ends the iteration, since no later sweep could change anything. Then
// the values are sorted in decreasing order with the vector columns and count
// is n. At the sweep limit the routine has not converged: count 0, no values
// and no vectors, as for eigen's iteration limit. A NaN or infinite element
// (or sums of squares beyond the double range) gives no finite stop level and
// fails the same way at once, without sweeping. Not square: count 0.
// kDone or E_MEM.
int Jacobi(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
