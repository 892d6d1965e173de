#include "library/eigen.h"

#include <cmath>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/householder.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;

// QL iterations on the tridiagonal matrix (diagonal d, subdiagonal e with
// e[i] beside d[i - 1] and d[i]), applying every rotation to the columns of
// z, which then hold the eigenvectors. False when an eigenvalue needs more
// than the iteration limit, or when the budget ends the run (`stopped`).
bool QlImplicit(std::vector<double>& d, std::vector<double>& e, RealMatrix& z, CalcRunBudget* budget,
                bool& stopped) {
  const Index n = static_cast<Index>(d.size());
  // Renumber e so that e[i] sits between d[i] and d[i + 1].
  for (Index i = 1; i < n; ++i) e[static_cast<std::size_t>(i - 1)] = e[static_cast<std::size_t>(i)];
  if (n > 0) e[static_cast<std::size_t>(n - 1)] = 0.0;
  const auto D = [&d](Index i) -> double& { return d[static_cast<std::size_t>(i)]; };
  const auto E = [&e](Index i) -> double& { return e[static_cast<std::size_t>(i)]; };

  for (Index l = 0; l < n; ++l) {
    Index iterations = 0;
    Index m;
    do {
      // The first negligible off-diagonal element from l down splits the
      // matrix; a NaN is never negligible.
      for (m = l; m < n - 1; ++m)
        if ((std::fabs(D(m)) + std::fabs(D(m + 1))) * kEigenTolerance >= std::fabs(E(m))) break;
      if (m == l) break;
      if (++iterations > kEigenIterationLimit) return false;
      if (!ChargeWork(budget, 4 * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(m - l))) {
        stopped = true;
        return false;
      }
      // Wilkinson shift from the leading 2 x 2 block.
      double g = (D(l + 1) - D(l)) / (2.0 * E(l));
      double r = std::hypot(g, 1.0);
      g = D(m) - D(l) + E(l) / (g + std::copysign(r, g));
      double s = 1.0, c = 1.0, p = 0.0;
      Index i = m - 1;
      for (; i >= l; --i) {
        double f = s * E(i);
        const double b = c * E(i);
        r = std::hypot(f, g);
        E(i + 1) = r;
        if (r == 0.0) {  // underflow: the block splits here
          D(i + 1) -= p;
          E(m) = 0.0;
          break;
        }
        s = f / r;
        c = g / r;
        g = D(i + 1) - p;
        r = (D(i) - g) * s + 2.0 * c * b;
        p = s * r;
        D(i + 1) = g + p;
        g = c * r - b;
        for (Index k = 0; k < n; ++k) {
          f = z(k, i + 1);
          z(k, i + 1) = s * z(k, i) + c * f;
          z(k, i) = c * z(k, i) - s * f;
        }
      }
      if (r == 0.0 && i >= l) continue;
      D(l) -= p;
      E(l) = g;
      E(m) = 0.0;
    } while (m != l);
  }
  return true;
}

}  // namespace

int Eigen(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  std::vector<double> d, e;
  if (!TridiagonalizeSymmetric(a, d, e, true, budget)) return E_MEM;
  bool stopped = false;
  if (!QlImplicit(d, e, a, budget, stopped)) return stopped ? E_MEM : kDone;
  // The columns of a are the eigenvectors; they are given as rows.
  a.TransposeInPlace();
  SortDecreasing(d, a, VectorLayout::kRows, SortKey::kValue);
  out.count = a.rows();
  out.values = std::move(d);
  out.vectors = std::move(a);
  return kDone;
}

}  // namespace calc
