#include "library/jacobi.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;

// A <- J^T A J and V <- V J for the rotation J in the plane (p, q) with
// J(p, p) = J(q, q) = c, J(q, p) = s, J(p, q) = -s, chosen by the caller so
// that the new a(p, q) is zero; it is stored as exactly zero.
void Rotate(RealMatrix& a, RealMatrix& v, Index p, Index q, double c, double s) {
  const Index n = a.rows();
  for (Index k = 0; k < n; ++k) {
    const double akp = a(k, p), akq = a(k, q);
    a(k, p) = c * akp + s * akq;
    a(k, q) = c * akq - s * akp;
  }
  for (Index k = 0; k < n; ++k) {
    const double apk = a(p, k), aqk = a(q, k);
    a(p, k) = c * apk + s * aqk;
    a(q, k) = c * aqk - s * apk;
  }
  a(p, q) = a(q, p) = 0.0;
  for (Index k = 0; k < n; ++k) {
    const double vkp = v(k, p), vkq = v(k, q);
    v(k, p) = c * vkp + s * vkq;
    v(k, q) = c * vkq - s * vkp;
  }
}

// jac's rotation: with t = (a_pp - a_qq) / 2 and r = sqrt(t^2 + a_pq^2),
// cos 2theta = t / r and the cosine is sqrt(t / r + 1) times the constant.
// For t < 0, 1 + t / r cancels; r + t = a_pq^2 / (r - t) gives it without.
void JacRotation(double app, double aqq, double apq, double& c, double& s) {
  const double t = (app - aqq) / 2.0;
  const double r = std::hypot(t, apq);
  const double one_plus = t >= 0.0 ? t / r + 1.0 : (apq / r) * (apq / (r - t));
  c = std::sqrt(one_plus) * kJacHalfRoot;
  // c underflows only for an a_pq negligible beside t: the rotation is then
  // the exchange of p and q.
  s = c == 0.0 ? std::copysign(1.0, apq) : apq / (2.0 * r * c);
}

// The classic stable rotation: tan theta is the smaller root of
// t^2 + 2 cot(2 theta) t - 1 = 0.
void JacobiRotation(double app, double aqq, double apq, double& c, double& s) {
  const double cot = (app - aqq) / (2.0 * apq);
  const double t = (cot >= 0.0 ? 1.0 : -1.0) / (std::fabs(cot) + std::hypot(cot, 1.0));
  c = 1.0 / std::hypot(t, 1.0);
  s = t * c;
}

double LargestRowSum(const RealMatrix& a) {
  double largest = 0.0;
  for (Index i = 0; i < a.rows(); ++i) {
    double sum = 0.0;
    for (Index j = 0; j < a.columns(); ++j) sum += std::fabs(a(i, j));
    largest = std::max(largest, sum);
  }
  return largest;
}

double LargestAboveDiagonal(const RealMatrix& a) {
  double largest = 0.0;
  for (Index p = 0; p < a.rows(); ++p)
    for (Index q = p + 1; q < a.rows(); ++q) largest = std::max(largest, std::fabs(a(p, q)));
  return largest;
}

double SquaresAboveDiagonal(const RealMatrix& a) {
  double sum = 0.0;
  for (Index p = 0; p < a.rows(); ++p)
    for (Index q = p + 1; q < a.rows(); ++q) sum += a(p, q) * a(p, q);
  return sum;
}

std::uint64_t SweepWork(Index n) {
  return 6 * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n);
}

// The final diagonal as the eigenvalues, sorted with the vector columns.
int Finish(RealMatrix& a, RealMatrix& v, SortKey key, RealEigensystem& out) {
  const Index n = a.rows();
  std::vector<double> values;
  if (!ZeroVector(values, n)) return E_MEM;
  for (Index i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = a(i, i);
  SortDecreasing(values, v, VectorLayout::kColumns, key);
  out.count = n;
  out.values = std::move(values);
  out.vectors = std::move(v);
  return kDone;
}

}  // namespace

int Jac(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  auto v = RealMatrix::Identity(n, budget);
  if (!v) return E_MEM;
  double threshold = kJacThresholdFactor * LargestRowSum(a);
  for (Index sweep = 0; sweep < kJacSweepLimit; ++sweep) {
    const double largest = LargestAboveDiagonal(a);
    // Zero has nothing left to rotate even when the threshold is zero too.
    if (largest < threshold || largest == 0.0) break;
    if (!ChargeWork(budget, SweepWork(n))) return E_MEM;
    for (Index p = 0; p < n; ++p)
      for (Index q = p + 1; q < n; ++q) {
        const double apq = a(p, q);
        if (std::fabs(apq) < threshold || apq == 0.0) continue;
        double c, s;
        JacRotation(a(p, p), a(q, q), apq, c, s);
        Rotate(a, *v, p, q, c, s);
      }
    threshold *= kJacThresholdGrowth;
  }
  return Finish(a, *v, SortKey::kMagnitude, out);
}

int Jacobi(RealMatrix a, RealEigensystem& out, CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  auto v = RealMatrix::Identity(n, budget);
  if (!v) return E_MEM;
  double diagonal = 0.0;
  for (Index i = 0; i < n; ++i) diagonal += a(i, i) * a(i, i);
  const double level = kJacobiTolerance * (kJacobiTolerance * (diagonal / 2.0 + SquaresAboveDiagonal(a)));
  // A NaN or infinite element (or squares past the double range) leaves no
  // finite level to fall below: every sweep would run and fail at the limit.
  if (!std::isfinite(level)) return kDone;
  for (Index sweep = 0; sweep < kJacobiSweepLimit; ++sweep) {
    if (SquaresAboveDiagonal(a) < level) return Finish(a, *v, SortKey::kValue, out);
    if (!ChargeWork(budget, SweepWork(n))) return E_MEM;
    bool rotated = false;
    for (Index p = 0; p < n; ++p)
      for (Index q = p + 1; q < n; ++q) {
        const double apq = a(p, q);
        if (std::fabs(apq) < kJacobiRotationThreshold) continue;
        double c, s;
        JacobiRotation(a(p, p), a(q, q), apq, c, s);
        Rotate(a, *v, p, q, c, s);
        rotated = true;
      }
    if (!rotated) return Finish(a, *v, SortKey::kValue, out);
  }
  return kDone;  // the sweep limit: not converged
}

}  // namespace calc
