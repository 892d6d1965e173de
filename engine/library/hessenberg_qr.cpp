#include "library/hessenberg_qr.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "core/status_codes.h"
#include "library/work_charge.h"

namespace calc {

namespace {

using Index = std::int32_t;

// The row l at which the active block (ending at row last) starts: the first
// negligible subdiagonal element from the bottom up, cleared; 0 if none.
Index SplitPoint(RealMatrix& a, Index last) {
  Index l = last;
  for (; l >= 1; --l) {
    if (std::fabs(a(l, l - 1)) < kDqrTolerance) {
      a(l, l - 1) = 0.0;
      break;
    }
  }
  return std::max<Index>(l, 0);
}

// The eigenvalues of the trailing 2 x 2 block at rows last - 1 .. last, the
// total shift t added back.
void TakePair(const RealMatrix& a, Index last, double t, ComplexEigensystem& out) {
  const double x = a(last, last);
  const double y = a(last - 1, last - 1);
  const double w = a(last, last - 1) * a(last - 1, last);
  const double p = 0.5 * (y - x);
  const double q = p * p + w;
  const double z = std::sqrt(std::fabs(q));
  if (q >= 0.0) {
    const double zz = p + std::copysign(z, p);
    const double first = x + t + zz;
    out.values.push_back({first, 0.0});
    out.values.push_back({zz != 0.0 ? x + t - w / zz : first, 0.0});
  } else {
    out.values.push_back({x + t + p, z});
    out.values.push_back({x + t + p, -z});
  }
}

// One double-shift QR sweep on the block l .. last, chasing the bulge down
// with 3 x 3 reflections. x, y and w describe the shifts (the trailing 2 x 2
// block, or an exceptional shift).
void FrancisStep(RealMatrix& a, Index l, Index last, double x, double y, double w) {
  // Two consecutive small subdiagonal elements let the sweep start lower.
  Index m = last - 2;
  double p = 0.0, q = 0.0, r = 0.0;
  for (; m >= l; --m) {
    const double z = a(m, m);
    const double rr = x - z;
    const double ss = y - z;
    p = (rr * ss - w) / a(m + 1, m) + a(m, m + 1);
    q = a(m + 1, m + 1) - z - rr - ss;
    r = a(m + 2, m + 1);
    const double scale = std::fabs(p) + std::fabs(q) + std::fabs(r);
    if (scale != 0.0) {
      p /= scale;
      q /= scale;
      r /= scale;
    }
    if (m == l) break;
    const double u = std::fabs(a(m, m - 1)) * (std::fabs(q) + std::fabs(r));
    const double v = std::fabs(p) * (std::fabs(a(m - 1, m - 1)) + std::fabs(z) + std::fabs(a(m + 1, m + 1)));
    if (u + v == v) break;
  }
  for (Index i = m + 2; i <= last; ++i) {
    a(i, i - 2) = 0.0;
    if (i != m + 2) a(i, i - 3) = 0.0;
  }
  for (Index k = m; k <= last - 1; ++k) {
    double scale = 1.0;
    if (k != m) {
      p = a(k, k - 1);
      q = a(k + 1, k - 1);
      r = k != last - 1 ? a(k + 2, k - 1) : 0.0;
      scale = std::fabs(p) + std::fabs(q) + std::fabs(r);
      if (scale != 0.0) {
        p /= scale;
        q /= scale;
        r /= scale;
      }
    }
    const double s = std::copysign(std::sqrt(p * p + q * q + r * r), p);
    if (s == 0.0) continue;
    if (k == m) {
      if (l != m) a(k, k - 1) = -a(k, k - 1);
    } else {
      a(k, k - 1) = -s * scale;
    }
    p += s;
    const double vx = p / s, vy = q / s, vz = r / s;
    q /= p;
    r /= p;
    // Rows k .. k+2 from the left.
    for (Index j = k; j <= last; ++j) {
      double f = a(k, j) + q * a(k + 1, j);
      if (k != last - 1) {
        f += r * a(k + 2, j);
        a(k + 2, j) -= f * vz;
      }
      a(k + 1, j) -= f * vy;
      a(k, j) -= f * vx;
    }
    // Columns k .. k+2 from the right.
    const Index bottom = std::min(last, k + 3);
    for (Index i = l; i <= bottom; ++i) {
      double f = vx * a(i, k) + vy * a(i, k + 1);
      if (k != last - 1) {
        f += vz * a(i, k + 2);
        a(i, k + 2) -= f * r;
      }
      a(i, k + 1) -= f * q;
      a(i, k) -= f;
    }
  }
}

}  // namespace

int Dqr(RealMatrix a, ComplexEigensystem& out, CalcRunBudget* budget) {
  out = ComplexEigensystem();
  if (!a.square()) return kDone;
  const Index n = a.rows();
  try {
    out.values.reserve(static_cast<std::size_t>(n));
  } catch (const std::bad_alloc&) {
    return E_MEM;
  }
  double t = 0.0;  // the exceptional shifts applied so far
  Index total = 0;
  Index last = n - 1;
  Index on_this = 0;  // iterations since the last eigenvalue split off
  while (last >= 0) {
    const Index l = SplitPoint(a, last);
    if (l == last) {  // a 1 x 1 block
      out.values.push_back({a(last, last) + t, 0.0});
      --last;
      on_this = 0;
    } else if (l == last - 1) {  // a 2 x 2 block
      TakePair(a, last, t, out);
      last -= 2;
      on_this = 0;
    } else {
      if (total == kDqrIterationLimit) break;
      if (!ChargeWork(budget, 12 * static_cast<std::uint64_t>(n) * static_cast<std::uint64_t>(last - l + 1)))
        return E_MEM;
      double x = a(last, last);
      double y = a(last - 1, last - 1);
      double w = a(last, last - 1) * a(last - 1, last);
      // A block that does not split after 10 and 20 iterations gets an ad
      // hoc shift, which breaks cycles the Francis shift can fall into.
      if (on_this == 10 || on_this == 20) {
        t += x;
        for (Index i = 0; i <= last; ++i) a(i, i) -= x;
        const double s = std::fabs(a(last, last - 1)) + std::fabs(a(last - 1, last - 2));
        x = y = 0.75 * s;
        w = -0.4375 * s * s;
      }
      ++on_this;
      ++total;
      FrancisStep(a, l, last, x, y, w);
    }
  }
  out.count = static_cast<Index>(out.values.size());
  return kDone;
}

}  // namespace calc
