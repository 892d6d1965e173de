#include "library/power_method.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;
using Vector = std::vector<double>;

double Dot(const Vector& x, const Vector& y) {
  double sum = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) sum += x[i] * y[i];
  return sum;
}

double Norm(const Vector& x) { return std::sqrt(Dot(x, x)); }

// Divides rather than multiplies by the reciprocal: a vector of one element
// then becomes exactly +-1, and its Rayleigh quotient the element itself.
void DivideBy(Vector& x, double length) {
  for (double& v : x) v /= length;
}

// y = A x.
void Multiply(const RealMatrix& a, const Vector& x, Vector& y) {
  for (Index i = 0; i < a.rows(); ++i) {
    double sum = 0.0;
    for (Index j = 0; j < a.columns(); ++j) sum += a(i, j) * x[static_cast<std::size_t>(j)];
    y[static_cast<std::size_t>(i)] = sum;
  }
}

// A -= lambda x x^T.
void Deflate(RealMatrix& a, double lambda, const Vector& x) {
  for (Index i = 0; i < a.rows(); ++i)
    for (Index j = 0; j < a.columns(); ++j)
      a(i, j) -= lambda * x[static_cast<std::size_t>(i)] * x[static_cast<std::size_t>(j)];
}

void StoreRow(RealMatrix& m, Index row, const Vector& x) {
  for (Index j = 0; j < m.columns(); ++j) m(row, j) = x[static_cast<std::size_t>(j)];
}

// A unit start vector of components (random & mask) - offset, all of them
// between -4096 and -2049, so the length is never zero.
void RandomStart(const RandomSource& random, Vector& x) {
  for (double& v : x) v = static_cast<double>((random() & kPmStartMask) - kPmStartOffset);
  DivideBy(x, Norm(x));
}

// Largest minus smallest ratio y(i) / x(i) over the components where x is
// not zero. A zero y(i) there pins the smallest ratio to kPmTiny, a y(i)
// over a zero x(i) pins the largest to kPmHuge, and NaN ratios are passed
// over, so that a NaN iterate ends the iteration instead of running on.
double RatioSpread(const Vector& x, const Vector& y) {
  double smallest = kPmHuge, largest = -kPmHuge;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::fabs(x[i]) > kPmTiny) {
      if (std::fabs(y[i]) < kPmTiny) {
        smallest = kPmTiny;
      } else {
        const double ratio = y[i] / x[i];
        if (ratio < smallest) smallest = ratio;
        if (ratio > largest) largest = ratio;
      }
    } else if (std::fabs(y[i]) >= kPmTiny) {
      largest = kPmHuge;
    }
  }
  return largest - smallest;
}

Index Wanted(Index wanted, Index n) { return std::clamp(wanted, Index{0}, n); }

std::uint64_t MatrixWork(Index n) { return static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(n); }

// The work space of Pm and Power: k values, a k x n matrix of vectors and
// two vectors of n.
bool MakeSpace(Index k, Index n, RealEigensystem& out, Vector& x, Vector& y, CalcRunBudget* budget) {
  auto vectors = RealMatrix::Make(k, n, budget);
  if (!vectors || !ZeroVector(out.values, k) || !ZeroVector(x, n) || !ZeroVector(y, n)) return false;
  out.vectors = std::move(*vectors);
  return true;
}

// x <- x - Q Q^T x over the first `rank` rows of basis, twice, since one
// classical Gram-Schmidt pass loses orthogonality.
void Orthogonalise(const RealMatrix& basis, Index rank, Vector& x) {
  for (int pass = 0; pass < 2; ++pass)
    for (Index r = 0; r < rank; ++r) {
      double along = 0.0;
      for (Index j = 0; j < basis.columns(); ++j) along += basis(r, j) * x[static_cast<std::size_t>(j)];
      for (Index j = 0; j < basis.columns(); ++j) x[static_cast<std::size_t>(j)] -= along * basis(r, j);
    }
}

// pm2's estimate: one real eigenvalue, or the two roots of a fitted
// quadratic.
struct Estimate {
  bool pair = false;
  CalcComplex first, second;
};

double Distance(const Estimate& a, const Estimate& b) {
  if (a.pair != b.pair) return kPmHuge;
  double d = std::fabs(a.first.re - b.first.re) + std::fabs(a.first.im - b.first.im);
  if (a.pair) d += std::fabs(a.second.re - b.second.re) + std::fabs(a.second.im - b.second.im);
  return d;
}

// The roots of mu^2 + p mu + q fitted so that z + p y + q x is least; a
// single real eigenvalue x . y when x and y are (nearly) parallel.
Estimate FitQuadratic(const Vector& x, const Vector& y, const Vector& z) {
  const double xx = Dot(x, x), xy = Dot(x, y), yy = Dot(y, y), xz = Dot(x, z), yz = Dot(y, z);
  const double det = yy * xx - xy * xy;
  Estimate e;
  if (!(det > 1e-12 * yy * xx)) {
    e.first = {xy / xx, 0.0};
    return e;
  }
  const double p = (-yz * xx + xz * xy) / det;
  const double q = (-xz * yy + yz * xy) / det;
  const double disc = p * p - 4.0 * q;
  e.pair = true;
  if (disc < 0.0) {
    const double im = std::sqrt(-disc) / 2.0;
    e.first = {-p / 2.0, im};
    e.second = {-p / 2.0, -im};
  } else {
    // The larger magnitude first, as the eigenvalues are found.
    const double root = std::copysign(std::sqrt(disc), -p);
    e.first = {(-p + root) / 2.0, 0.0};
    e.second = {(-p - root) / 2.0, 0.0};
  }
  return e;
}

}  // namespace

int Pm(RealMatrix a, Index wanted, const RandomSource& random, RealEigensystem& out, CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  const Index k = Wanted(wanted, n);
  Vector x, y;
  if (!MakeSpace(k, n, out, x, y, budget)) return E_MEM;
  for (Index found = 0; found < k; ++found) {
    RandomStart(random, x);
    double lambda = 0.0;
    for (Index step = 0; step < kPmIterationLimit; ++step) {
      if (!ChargeWork(budget, MatrixWork(n))) return E_MEM;
      Multiply(a, x, y);
      lambda = Dot(x, y) / Dot(x, x);
      if (RatioSpread(x, y) <= kPmSpread) break;
      x = y;
      DivideBy(x, Norm(y));
    }
    out.values[static_cast<std::size_t>(found)] = lambda;
    StoreRow(out.vectors, found, x);
    Multiply(a, x, y);
    Deflate(a, Dot(x, y), x);
  }
  out.count = k;
  return kDone;
}

int Power(RealMatrix a, Index wanted, RealEigensystem& out, CalcRunBudget* budget) {
  out = RealEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  const Index k = Wanted(wanted, n);
  Vector x, y;
  if (!MakeSpace(k, n, out, x, y, budget)) return E_MEM;
  out.count = k;
  for (Index found = 0; found < k; ++found) {
    std::fill(x.begin(), x.end(), 1.0 / std::sqrt(static_cast<double>(n)));
    double lambda = 0.0, sign = 1.0, r_before = 0.0;
    bool settled = false;
    for (Index step = 0; step < kPowerIterationLimit; ++step) {
      if (!ChargeWork(budget, MatrixWork(n))) return E_MEM;
      Multiply(a, x, y);
      const double length = Norm(y);
      if (length == 0.0) {  // x lies in the null space: the eigenvalue is 0
        lambda = 0.0;
        settled = true;
        break;
      }
      lambda = sign * length;
      double s = 0.0;
      for (std::size_t i = 0; i < x.size(); ++i) {
        const double next = y[i] / lambda;
        s += (next - x[i]) * (next - x[i]);
        x[i] = next;
      }
      if (std::isnan(s)) break;
      // x turned round: the eigenvalue is negative.
      if (s > 2.0) {
        lambda = -lambda;
        sign = -sign;
      }
      const double r = std::sqrt(s);
      if (!(s > (r_before - r) * kPowerTolerance)) {
        settled = true;
        break;
      }
      r_before = r;
    }
    if (!settled && out.count == k) out.count = found;
    out.values[static_cast<std::size_t>(found)] = lambda;
    StoreRow(out.vectors, found, x);
    Deflate(a, lambda, x);
  }
  return kDone;
}

int Pm2(RealMatrix a, Index wanted, const RandomSource& random, ComplexEigensystem& out, CalcRunBudget* budget) {
  out = ComplexEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  const Index k = Wanted(wanted, n);
  auto basis = RealMatrix::Make(n, n, budget);  // orthonormal rows spanning what was found
  Vector x, y, z;
  if (!basis || !ZeroVector(x, n) || !ZeroVector(y, n) || !ZeroVector(z, n)) return E_MEM;
  try {
    out.values.reserve(static_cast<std::size_t>(k));
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  Index rank = 0;
  Index failed_at = -1;
  while (static_cast<Index>(out.values.size()) < k && rank < n) {
    RandomStart(random, x);
    Orthogonalise(*basis, rank, x);
    const double start_length = Norm(x);
    if (!(start_length > 0.0)) break;  // nothing left outside the basis
    DivideBy(x, start_length);
    Estimate estimate, before;
    bool settled = false, have_before = false;
    for (Index pass = 0; pass < kPm2PassLimit && !settled; ++pass) {
      for (Index step = 0; step < kPm2InnerLimit; ++step) {
        if (!ChargeWork(budget, 2 * MatrixWork(n))) return E_MEM;
        Multiply(a, x, y);
        Orthogonalise(*basis, rank, y);
        if (RatioSpread(x, y) <= kPm2Spread) {
          estimate = Estimate{false, {Dot(x, y), 0.0}, {}};
          settled = true;
          break;
        }
        Multiply(a, y, z);
        Orthogonalise(*basis, rank, z);
        estimate = FitQuadratic(x, y, z);
        if (have_before && Distance(estimate, before) < kPm2Settled) {
          settled = true;
          break;
        }
        before = estimate;
        have_before = true;
        const double length = Norm(y);
        if (!(length > 0.0)) break;  // y is 0 (or NaN): the estimate stands
        x = y;
        DivideBy(x, length);
      }
    }
    if (!settled && failed_at < 0) failed_at = static_cast<Index>(out.values.size());
    out.values.push_back(estimate.first);
    StoreRow(*basis, rank++, x);
    if (!estimate.pair) continue;
    if (static_cast<Index>(out.values.size()) < k) out.values.push_back(estimate.second);
    // The pair's invariant plane is spanned by x and y: add y's part
    // orthogonal to x.
    if (rank < n) {
      Orthogonalise(*basis, rank, y);
      const double length = Norm(y);
      if (length > 0.0) {
        DivideBy(y, length);
        StoreRow(*basis, rank++, y);
      }
    }
  }
  out.count = failed_at >= 0 ? failed_at : static_cast<Index>(out.values.size());
  return kDone;
}

}  // namespace calc
