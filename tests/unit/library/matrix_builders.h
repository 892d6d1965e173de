// Matrices for the library tests: from rows of numbers, random symmetric
// ones, and ones with a chosen eigensystem (Q diag Q^T for an orthogonal Q).
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "core/matrix.h"
#include "library/real_matrix.h"

namespace calc::testing {

using Rows = std::vector<std::vector<double>>;

inline CalcMatrix CalcOf(const Rows& rows) {
  auto m = CalcMatrix::Make(static_cast<int>(rows.size()), rows.empty() ? 0 : static_cast<int>(rows[0].size()));
  for (int i = 0; i < m->rows(); ++i)
    for (int j = 0; j < m->columns(); ++j) m->SetElement(i, j, CalcValue::FromReal(rows[i][j]));
  return *m;
}

inline RealMatrix RealOf(const Rows& rows) {
  auto m = RealMatrix::Make(static_cast<int>(rows.size()), rows.empty() ? 0 : static_cast<int>(rows[0].size()));
  for (int i = 0; i < m->rows(); ++i)
    for (int j = 0; j < m->columns(); ++j) (*m)(i, j) = rows[i][j];
  return std::move(*m);
}

inline Rows RowsOf(const RealMatrix& m) {
  Rows rows(m.rows(), std::vector<double>(m.columns()));
  for (int i = 0; i < m.rows(); ++i)
    for (int j = 0; j < m.columns(); ++j) rows[i][j] = m(i, j);
  return rows;
}

inline Rows RandomSymmetric(std::mt19937& rng, int n) {
  std::uniform_real_distribution<double> element(-10.0, 10.0);
  Rows a(n, std::vector<double>(n));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= i; ++j) a[i][j] = a[j][i] = element(rng);
  return a;
}

// A random orthogonal matrix: the product of two Householder reflections.
inline Rows RandomOrthogonal(std::mt19937& rng, int n) {
  std::normal_distribution<double> normal;
  Rows q(n, std::vector<double>(n, 0.0));
  for (int i = 0; i < n; ++i) q[i][i] = 1.0;
  for (int reflection = 0; reflection < 2; ++reflection) {
    std::vector<double> v(n);
    double vv = 0.0;
    for (double& x : v) {
      x = normal(rng);
      vv += x * x;
    }
    // q <- q (I - 2 v v^T / v^T v)
    for (int i = 0; i < n; ++i) {
      double qv = 0.0;
      for (int k = 0; k < n; ++k) qv += q[i][k] * v[k];
      for (int j = 0; j < n; ++j) q[i][j] -= 2.0 * qv * v[j] / vv;
    }
  }
  return q;
}

// Q B Q^T.
inline Rows Similar(const Rows& q, const Rows& b) {
  const int n = static_cast<int>(q.size());
  Rows qb(n, std::vector<double>(n, 0.0)), out(n, std::vector<double>(n, 0.0));
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) qb[i][j] += q[i][k] * b[k][j];
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      for (int k = 0; k < n; ++k) out[i][j] += qb[i][k] * q[j][k];
  return out;
}

inline Rows Diagonal(const std::vector<double>& d) {
  Rows b;
  for (std::size_t i = 0; i < d.size(); ++i) {
    b.emplace_back(d.size(), 0.0);
    b.back()[i] = d[i];
  }
  return b;
}

}  // namespace calc::testing
