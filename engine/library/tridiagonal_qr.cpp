#include "library/tridiagonal_qr.h"

#include <cmath>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;

// The diagonal d and, when wanted, the subdiagonal e (e[i] below d[i], so e
// has n - 1 elements; squared for qrs) of a square matrix.
bool ReadTridiagonal(const RealMatrix& a, bool squared, std::vector<double>& d, std::vector<double>& e) {
  const Index n = a.rows();
  if (!ZeroVector(d, n) || !ZeroVector(e, n - 1)) return false;
  for (Index i = 0; i < n; ++i) d[static_cast<std::size_t>(i)] = a(i, i);
  for (Index i = 0; i + 1 < n; ++i) {
    const double sub = a(i + 1, i);
    e[static_cast<std::size_t>(i)] = squared ? sub * sub : sub;
  }
  return true;
}

// One explicit QR step T - mu I = QR, T <- RQ + mu I on the block 0 .. m,
// by Givens rotations from the top (rotation k, cosine c_k and sine s_k,
// clears the subdiagonal of column k). Only R's diagonal and first
// superdiagonal are needed: the new diagonal is
// c_k c_(k-1) R(k,k) + s_k R(k,k+1) + mu and the new subdiagonal
// s_k R(k+1,k+1).
void QrStep(std::vector<double>& d, std::vector<double>& e, Index m, double mu) {
  double p = d[0] - mu;  // row k's diagonal after rotations 0 .. k-1
  double q = e[0];       // row k's superdiagonal likewise
  double c_before = 1.0, s_before = 0.0;
  for (Index k = 0; k < m; ++k) {
    const auto K = static_cast<std::size_t>(k);
    const double below = d[K + 1] - mu;
    const double r = std::hypot(p, e[K]);  // R(k, k)
    const double c = r == 0.0 ? 1.0 : p / r;
    const double s = r == 0.0 ? 0.0 : e[K] / r;
    if (k > 0) e[K - 1] = s_before * r;
    const double r_super = c * q + s * below;  // R(k, k+1)
    d[K] = c * c_before * r + s * r_super + mu;
    const double p_next = c * below - s * q;
    q = k + 1 < m ? c * e[K + 1] : 0.0;
    p = p_next;
    c_before = c;
    s_before = s;
  }
  e[static_cast<std::size_t>(m - 1)] = s_before * p;  // R(m, m) = p
  d[static_cast<std::size_t>(m)] = c_before * p + mu;
}

// The same step on squared subdiagonal elements (Pal-Walker-Kahan): with
// gamma_k = c_(k-1) p_k, gamma_(k+1) = c_k^2 a_(k+1) - s_k^2 gamma_k, the new
// diagonal is gamma_k + s_k^2 (gamma_k + a_(k+1)) + mu and the new squared
// subdiagonal s_k^2 R(k+1,k+1)^2, where R(k+1,k+1)^2 = p^2 + b^2; p^2 is
// gamma^2 / c^2, or c_(k-1)^2 b_k^2 when c_k is 0. No square roots.
void QrsStep(std::vector<double>& d, std::vector<double>& e2, Index m, double mu) {
  double gamma = d[0] - mu;
  double p2 = gamma * gamma;
  double c2_before = 1.0, s2_before = 0.0;
  for (Index k = 0; k < m; ++k) {
    const auto K = static_cast<std::size_t>(k);
    const double b2 = e2[K];
    const double r2 = p2 + b2;
    if (k > 0) e2[K - 1] = s2_before * r2;
    const double c2 = r2 == 0.0 ? 1.0 : p2 / r2;
    const double s2 = r2 == 0.0 ? 0.0 : b2 / r2;
    const double below = d[K + 1] - mu;
    const double gamma_next = c2 * below - s2 * gamma;
    d[K] = gamma + s2 * (gamma + below) + mu;
    p2 = c2 != 0.0 ? gamma_next * gamma_next / c2 : c2_before * b2;
    gamma = gamma_next;
    c2_before = c2;
    s2_before = s2;
  }
  e2[static_cast<std::size_t>(m - 1)] = s2_before * p2;
  d[static_cast<std::size_t>(m)] = gamma + mu;
}

using Step = void (*)(std::vector<double>&, std::vector<double>&, Index, double);

// Shrinks the active block from the bottom: its last subdiagonal element
// (squared for qrs) below `tolerance`, or `limit` steps on it, accepts the
// last diagonal element.
int Iterate(const RealMatrix& a, bool squared, double tolerance, Index limit, Step step, RealEigensystem& out,
            CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  std::vector<double> d, e;
  if (!ReadTridiagonal(a, squared, d, e)) return E_MEM;
  Index iterations = 0;
  for (Index m = a.rows() - 1; m > 0;) {
    if (std::fabs(e[static_cast<std::size_t>(m - 1)]) < tolerance || iterations >= limit) {
      --m;
      iterations = 0;
      continue;
    }
    if (!ChargeWork(budget, 8 * static_cast<std::uint64_t>(m))) return E_MEM;
    ++iterations;
    step(d, e, m, d[static_cast<std::size_t>(m)]);
  }
  out.count = a.rows();
  out.values = std::move(d);
  return kDone;
}

}  // namespace

int Qr(const RealMatrix& a, RealEigensystem& out, CalcRunBudget* budget) {
  return Iterate(a, false, kQrTolerance, kQrIterationLimit, QrStep, out, budget);
}

int Qrs(const RealMatrix& a, RealEigensystem& out, CalcRunBudget* budget) {
  return Iterate(a, true, kQrsTolerance, kQrsIterationLimit, QrsStep, out, budget);
}

}  // namespace calc
