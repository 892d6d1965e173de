// The built-ins `pm`, `power` and `pm2`: the k dominant eigenvalues of a
// square matrix by power iteration, each found eigenvalue removed before the
// next is sought.
#pragma once

#include <cstdint>
#include <functional>

#include "core/run_budget.h"
#include "library/real_matrix.h"
#include "library/eigensystem.h"

namespace calc {

// The engine's pseudo-random generator: every call gives its next number,
// 0 .. 32767. pm and pm2 draw their start vectors from it, so a script that
// seeds the generator gets the same results every run.
using RandomSource = std::function<int()>;

// pm: a start component is (random & kPmStartMask) - kPmStartOffset.
constexpr int kPmStartMask = 2047;
constexpr int kPmStartOffset = 4096;
constexpr std::int32_t kPmIterationLimit = 753;
// The iteration ends when the ratios y(i) / x(i) spread no more than this.
constexpr double kPmSpread = 1e-6;
// Components and ratios below this magnitude count as zero.
constexpr double kPmTiny = 1e-20;
constexpr double kPmHuge = 1e20;

constexpr double kPowerTolerance = 1e-6;
constexpr std::int32_t kPowerIterationLimit = 200;

constexpr double kPm2Spread = 0.001;
constexpr std::int32_t kPm2InnerLimit = 75;
constexpr double kPm2Settled = 0.00001;
constexpr std::int32_t kPm2PassLimit = 10;

// Power method with deflation by A - lambda' x x^T (lambda' = x^T A x), from
// pseudo-random start vectors. Finds min(wanted, n) eigenvalues (none for
// wanted <= 0); count is that number, values holds them in the order found
// and vectors (min(wanted, n) x n) the unit eigenvector i as row i. An
// eigenvalue that reaches the iteration limit keeps its last estimate. Not
// square: count 0. kDone or E_MEM.
int Pm(RealMatrix a, std::int32_t wanted, const RandomSource& random, RealEigensystem& out,
       CalcRunBudget* budget = nullptr);

// Power method from the start vector of equal components 1 / sqrt(n), with
// deflation by A - lambda x x^T. values and vectors (rows) as for Pm, all
// min(wanted, n) of them computed; count is the index of the first
// eigenvalue that did not settle within kPowerIterationLimit steps (a NaN
// never settles), else min(wanted, n). A zero matrix (or an eigenvalue 0
// reached exactly) settles at once with lambda 0. Not square: count 0.
int Power(RealMatrix a, std::int32_t wanted, RealEigensystem& out, CalcRunBudget* budget = nullptr);

// Power method for matrices whose dominant eigenvalues may be a complex
// pair. The iterate is kept orthogonal (Gram-Schmidt, applied twice) to the
// invariant subspaces already found. In each inner iteration x, y = Ax and
// z = Ay: when the ratios y(i) / x(i) spread no more than kPm2Spread the
// eigenvalue is real (x . y); else z + p y + q x = 0 is fitted by least
// squares and the roots of mu^2 + p mu + q are the estimate (a complex
// pair, or two real eigenvalues of equal magnitude). An inner loop of at most
// kPm2InnerLimit iterations ends when successive estimates differ by less
// than kPm2Settled; at most kPm2PassLimit such passes per estimate. A pair
// adds x + iy and x - iy (only the first when one place is left). values
// holds min(wanted, n) eigenvalues at most; count is the index of the first
// that did not settle, else their number. Not square: count 0.
int Pm2(RealMatrix a, std::int32_t wanted, const RandomSource& random, ComplexEigensystem& out,
        CalcRunBudget* budget = nullptr);

}  // namespace calc
