#include "library/householder.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "core/status_codes.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;

// One step of the tridiagonal reduction: the reflection that clears row i
// left of its subdiagonal element (columns 0 .. l, l = i - 1). Sets e[i] and
// returns h (0 when no reflection was needed). With `accumulate`, column i
// above the diagonal keeps the reflection's vector divided by h.
double ReflectRow(RealMatrix& a, std::vector<double>& e, Index i, bool accumulate) {
  const Index l = i - 1;
  double scale = 0.0;
  for (Index k = 0; k <= l; ++k) scale += std::fabs(a(i, k));
  if (l == 0 || scale == 0.0) {
    e[static_cast<std::size_t>(i)] = a(i, l);
    return 0.0;
  }
  // Scaled so that the squares neither overflow nor underflow.
  double h = 0.0;
  for (Index k = 0; k <= l; ++k) {
    a(i, k) /= scale;
    h += a(i, k) * a(i, k);
  }
  double f = a(i, l);
  double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
  e[static_cast<std::size_t>(i)] = scale * g;
  h -= f * g;
  a(i, l) = f - g;
  // p = A u / h into e[0 .. l], and K = u^T p / 2h.
  f = 0.0;
  for (Index j = 0; j <= l; ++j) {
    if (accumulate) a(j, i) = a(i, j) / h;
    g = 0.0;
    for (Index k = 0; k <= j; ++k) g += a(j, k) * a(i, k);
    for (Index k = j + 1; k <= l; ++k) g += a(k, j) * a(i, k);
    e[static_cast<std::size_t>(j)] = g / h;
    f += e[static_cast<std::size_t>(j)] * a(i, j);
  }
  const double hh = f / (h + h);
  // A -= u q^T + q u^T with q = p - K u, on the lower triangle.
  for (Index j = 0; j <= l; ++j) {
    f = a(i, j);
    g = e[static_cast<std::size_t>(j)] - hh * f;
    e[static_cast<std::size_t>(j)] = g;
    for (Index k = 0; k <= j; ++k) a(j, k) -= f * e[static_cast<std::size_t>(k)] + g * a(i, k);
  }
  return h;
}

// Turns the reflections kept in a by ReflectRow into their product Q, row by
// row from the top, and moves the diagonal into d (d[i] came in holding
// step i's h, zero when step i reflected nothing).
void AccumulateReflections(RealMatrix& a, std::vector<double>& d) {
  const Index n = a.rows();
  for (Index i = 0; i < n; ++i) {
    const Index l = i - 1;
    if (d[static_cast<std::size_t>(i)] != 0.0) {
      for (Index j = 0; j <= l; ++j) {
        double g = 0.0;
        for (Index k = 0; k <= l; ++k) g += a(i, k) * a(k, j);
        for (Index k = 0; k <= l; ++k) a(k, j) -= g * a(k, i);
      }
    }
    d[static_cast<std::size_t>(i)] = a(i, i);
    a(i, i) = 1.0;
    for (Index j = 0; j <= l; ++j) a(j, i) = a(i, j) = 0.0;
  }
}

}  // namespace

bool TridiagonalizeSymmetric(RealMatrix& a, std::vector<double>& d, std::vector<double>& e, bool accumulate,
                             CalcRunBudget* budget) {
  const Index n = a.rows();
  if (!ZeroVector(d, n) || !ZeroVector(e, n)) return false;
  for (Index i = n - 1; i > 0; --i) {
    if (!ChargeWork(budget, static_cast<std::uint64_t>(i) * static_cast<std::uint64_t>(i))) return false;
    d[static_cast<std::size_t>(i)] = ReflectRow(a, e, i, accumulate);
  }
  if (n == 0) return true;
  d[0] = 0.0;
  e[0] = 0.0;
  if (accumulate) {
    if (!ChargeWork(budget, static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n)))
      return false;
    AccumulateReflections(a, d);
  } else {
    for (Index i = 0; i < n; ++i) d[static_cast<std::size_t>(i)] = a(i, i);
  }
  return true;
}

bool ReduceToHessenberg(RealMatrix& a, CalcRunBudget* budget) {
  const Index n = a.rows();
  std::vector<double> v;
  if (!ZeroVector(v, n)) return false;
  for (Index k = 0; k + 2 < n; ++k) {
    if (!ChargeWork(budget, 4 * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n - k))) return false;
    double scale = 0.0;
    for (Index i = k + 1; i < n; ++i) scale += std::fabs(a(i, k));
    if (scale == 0.0) continue;  // the column is already clear
    double sigma = 0.0;
    for (Index i = k + 1; i < n; ++i) {
      v[static_cast<std::size_t>(i)] = a(i, k) / scale;
      sigma += v[static_cast<std::size_t>(i)] * v[static_cast<std::size_t>(i)];
    }
    const double x0 = v[static_cast<std::size_t>(k + 1)];
    // alpha takes the sign opposite to x0 so that v's first element does not
    // cancel.
    const double alpha = x0 >= 0.0 ? -std::sqrt(sigma) : std::sqrt(sigma);
    v[static_cast<std::size_t>(k + 1)] = x0 - alpha;
    const double h = sigma - x0 * alpha;  // v^T v / 2
    // A = H A H with H = I - v v^T / h: rows first (columns k on; the ones
    // left of k are zero in rows k + 1 on), then columns of every row.
    for (Index j = k; j < n; ++j) {
      double f = 0.0;
      for (Index i = k + 1; i < n; ++i) f += v[static_cast<std::size_t>(i)] * a(i, j);
      f /= h;
      for (Index i = k + 1; i < n; ++i) a(i, j) -= f * v[static_cast<std::size_t>(i)];
    }
    for (Index i = 0; i < n; ++i) {
      double f = 0.0;
      for (Index j = k + 1; j < n; ++j) f += a(i, j) * v[static_cast<std::size_t>(j)];
      f /= h;
      for (Index j = k + 1; j < n; ++j) a(i, j) -= f * v[static_cast<std::size_t>(j)];
    }
    a(k + 1, k) = alpha * scale;
    for (Index i = k + 2; i < n; ++i) a(i, k) = 0.0;
  }
  return true;
}

int House(RealMatrix a, RealMatrix& out, CalcRunBudget* budget) {
  if (!a.square()) {
    out = *RealMatrix::Make(1, 1);
    return W_INV;
  }
  const Index n = a.rows();
  std::vector<double> d, e;
  if (!TridiagonalizeSymmetric(a, d, e, false, budget)) return E_MEM;
  auto t = RealMatrix::Make(n, n, budget);
  if (!t) return E_MEM;
  for (Index i = 0; i < n; ++i) {
    (*t)(i, i) = d[static_cast<std::size_t>(i)];
    if (i > 0) (*t)(i, i - 1) = (*t)(i - 1, i) = e[static_cast<std::size_t>(i)];
  }
  out = std::move(*t);
  return kDone;
}

int Hes(RealMatrix a, RealMatrix& out, CalcRunBudget* budget) {
  if (!a.square()) {
    out = *RealMatrix::Make(1, 1);
    return W_INV;
  }
  if (!ReduceToHessenberg(a, budget)) return E_MEM;
  out = std::move(a);
  return kDone;
}

}  // namespace calc
