// The eigenvalue routines on random symmetric matrices and on matrices of a
// chosen eigensystem: A v = lambda v for every pair given, the order each
// routine promises, and the same eigensystem from every route (eigen, house then
// qr or qrs, hes then dqr).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <random>
#include <vector>

#include "core/status_codes.h"
#include "library/eigen.h"
#include "library/hessenberg_qr.h"
#include "library/householder.h"
#include "library/jacobi.h"
#include "library/power_method.h"
#include "library/tridiagonal_qr.h"
#include "matrix_builders.h"

namespace calc {
namespace {

using testing::Rows;

double Norm(const Rows& a) {
  double s = 0.0;
  for (const auto& row : a)
    for (double v : row) s += v * v;
  return std::sqrt(s);
}

// |A v - lambda v| for eigenvector `index` of `vectors`, stored as a row or
// as a column.
double Residual(const Rows& a, const RealMatrix& vectors, int index, VectorLayout layout, double lambda) {
  const int n = static_cast<int>(a.size());
  const auto v = [&](int k) { return layout == VectorLayout::kRows ? vectors(index, k) : vectors(k, index); };
  double s = 0.0;
  for (int i = 0; i < n; ++i) {
    double av = 0.0;
    for (int k = 0; k < n; ++k) av += a[i][k] * v(k);
    s += (av - lambda * v(i)) * (av - lambda * v(i));
  }
  return std::sqrt(s);
}

double VectorLength(const RealMatrix& vectors, int index, VectorLayout layout) {
  double s = 0.0;
  for (int k = 0; k < vectors.rows(); ++k) {
    const double x = layout == VectorLayout::kRows ? vectors(index, k) : vectors(k, index);
    s += x * x;
  }
  return std::sqrt(s);
}

struct Solver {
  const char* name;
  std::function<int(RealMatrix, RealEigensystem&)> run;
  VectorLayout layout;
  SortKey order;
};

const std::vector<Solver>& SymmetricSolvers() {
  static const std::vector<Solver> solvers = {
      {"eigen", [](RealMatrix a, RealEigensystem& s) { return Eigen(std::move(a), s); }, VectorLayout::kRows,
       SortKey::kValue},
      {"jacobi", [](RealMatrix a, RealEigensystem& s) { return Jacobi(std::move(a), s); }, VectorLayout::kColumns,
       SortKey::kValue},
      {"jac", [](RealMatrix a, RealEigensystem& s) { return Jac(std::move(a), s); }, VectorLayout::kColumns,
       SortKey::kMagnitude},
  };
  return solvers;
}

bool Ordered(const std::vector<double>& values, SortKey key) {
  for (std::size_t i = 1; i < values.size(); ++i) {
    const double a = key == SortKey::kMagnitude ? std::fabs(values[i - 1]) : values[i - 1];
    const double b = key == SortKey::kMagnitude ? std::fabs(values[i]) : values[i];
    if (a < b) return false;
  }
  return true;
}

TEST(SymmetricEigenTest, RandomSymmetricMatricesGiveOrderedUnitEigenpairs) {
  std::mt19937 rng(7);
  for (int round = 0; round < 60; ++round) {
    const int n = 1 + round % 9;
    const Rows a = testing::RandomSymmetric(rng, n);
    const double scale = Norm(a);
    for (const Solver& solver : SymmetricSolvers()) {
      SCOPED_TRACE(::testing::Message() << solver.name << " round " << round << " order " << n);
      RealEigensystem s;
      ASSERT_EQ(solver.run(testing::RealOf(a), s), kDone);
      ASSERT_EQ(s.count, n);
      ASSERT_EQ(static_cast<int>(s.values.size()), n);
      EXPECT_TRUE(Ordered(s.values, solver.order));
      double trace = 0.0, sum = 0.0;
      for (int i = 0; i < n; ++i) {
        trace += a[i][i];
        sum += s.values[i];
        EXPECT_LT(Residual(a, s.vectors, i, solver.layout, s.values[i]), 1e-4 * scale) << i;
        EXPECT_NEAR(VectorLength(s.vectors, i, solver.layout), 1.0, 1e-6) << i;
      }
      EXPECT_NEAR(sum, trace, 1e-6 * scale);
    }
  }
}

// A = Q diag(lambda) Q^T with magnitudes far enough apart for the power
// methods to separate them.
struct Known {
  Rows a;
  std::vector<double> values;  // by decreasing magnitude
};

Known KnownEigensystem(std::mt19937& rng, int n) {
  std::vector<double> values;
  std::bernoulli_distribution negative(0.4);
  for (int i = 0; i < n; ++i) values.push_back((negative(rng) ? -1.0 : 1.0) * std::pow(1.6, n - i));
  Rows a = testing::Similar(testing::RandomOrthogonal(rng, n), testing::Diagonal(values));
  return {a, values};
}

std::vector<double> Sorted(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v;
}

void ExpectSameEigensystem(std::vector<double> got, std::vector<double> want, double tolerance) {
  ASSERT_EQ(got.size(), want.size());
  got = Sorted(got);
  want = Sorted(want);
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], tolerance) << i;
}

TEST(KnownEigensystemTest, EveryRouteFindsTheChosenEigenvalues) {
  std::mt19937 rng(11);
  for (int round = 0; round < 30; ++round) {
    const int n = 2 + round % 6;
    const Known k = KnownEigensystem(rng, n);
    SCOPED_TRACE(::testing::Message() << "round " << round << " order " << n);

    for (const Solver& solver : SymmetricSolvers()) {
      RealEigensystem s;
      ASSERT_EQ(solver.run(testing::RealOf(k.a), s), kDone);
      SCOPED_TRACE(solver.name);
      ExpectSameEigensystem(s.values, k.values, 1e-5);
    }

    RealMatrix tridiagonal;
    ASSERT_EQ(House(testing::RealOf(k.a), tridiagonal), kDone);
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        if (std::abs(i - j) > 1) {
          EXPECT_EQ(tridiagonal(i, j), 0.0);
        }
    RealEigensystem qr, qrs;
    ASSERT_EQ(Qr(tridiagonal, qr), kDone);
    ASSERT_EQ(Qrs(tridiagonal, qrs), kDone);
    EXPECT_EQ(qr.count, n);
    ExpectSameEigensystem(qr.values, k.values, 1e-5);
    ExpectSameEigensystem(qrs.values, k.values, 1e-4);

    RealMatrix hessenberg;
    ASSERT_EQ(Hes(testing::RealOf(k.a), hessenberg), kDone);
    ComplexEigensystem dqr;
    ASSERT_EQ(Dqr(std::move(hessenberg), dqr), kDone);
    ASSERT_EQ(dqr.count, n);
    std::vector<double> real_parts;
    for (const CalcComplex& z : dqr.values) {
      EXPECT_NEAR(z.im, 0.0, 1e-6);
      real_parts.push_back(z.re);
    }
    ExpectSameEigensystem(real_parts, k.values, 1e-5);
  }
}

TEST(KnownEigensystemTest, PowerMethodsFindTheDominantEigenvaluesInOrder) {
  std::mt19937 rng(13);
  std::minstd_rand generator(1);
  const RandomSource random = [&generator] { return static_cast<int>(generator() % 32768); };
  for (int round = 0; round < 30; ++round) {
    const int n = 2 + round % 6;
    const Known k = KnownEigensystem(rng, n);
    const int wanted = 1 + round % n;
    SCOPED_TRACE(::testing::Message() << "round " << round << " order " << n << " wanted " << wanted);
    RealEigensystem pm, power;
    ASSERT_EQ(Pm(testing::RealOf(k.a), wanted, random, pm), kDone);
    ASSERT_EQ(Power(testing::RealOf(k.a), wanted, power), kDone);
    EXPECT_EQ(pm.count, wanted);
    EXPECT_EQ(power.count, wanted);
    for (int i = 0; i < wanted; ++i) {
      EXPECT_NEAR(pm.values[i], k.values[i], 1e-4 * std::fabs(k.values[0])) << i;
      EXPECT_NEAR(power.values[i], k.values[i], 1e-4 * std::fabs(k.values[0])) << i;
      EXPECT_LT(Residual(k.a, pm.vectors, i, VectorLayout::kRows, pm.values[i]), 1e-2) << i;
      EXPECT_LT(Residual(k.a, power.vectors, i, VectorLayout::kRows, power.values[i]), 1e-2) << i;
    }
    ComplexEigensystem pm2;
    ASSERT_EQ(Pm2(testing::RealOf(k.a), wanted, random, pm2), kDone);
    EXPECT_EQ(pm2.count, wanted);
    for (int i = 0; i < pm2.count; ++i) {
      EXPECT_NEAR(pm2.values[i].re, k.values[i], 1e-2 * std::fabs(k.values[0])) << i;
      EXPECT_NEAR(pm2.values[i].im, 0.0, 1e-6) << i;
    }
  }
}

// A real matrix with the eigenvalues 2 +- 3i, 1.5 and -0.5, hidden by a
// random orthogonal similarity.
TEST(ComplexEigensystemTest, DqrAfterHesAndPm2FindTheConjugatePair) {
  std::mt19937 rng(17);
  const Rows block = {{2, -3, 0, 0}, {3, 2, 0, 0}, {0, 0, 1.5, 0}, {0, 0, 0, -0.5}};
  for (int round = 0; round < 10; ++round) {
    const Rows a = testing::Similar(testing::RandomOrthogonal(rng, 4), block);
    RealMatrix h;
    ASSERT_EQ(Hes(testing::RealOf(a), h), kDone);
    for (int i = 2; i < 4; ++i)
      for (int j = 0; j + 1 < i; ++j) {
        EXPECT_EQ(h(i, j), 0.0);
      }
    ComplexEigensystem dqr;
    ASSERT_EQ(Dqr(std::move(h), dqr), kDone);
    ASSERT_EQ(dqr.count, 4);
    std::vector<std::complex<double>> got;
    for (const CalcComplex& z : dqr.values) got.emplace_back(z.re, z.im);
    const std::complex<double> want[] = {{2, 3}, {2, -3}, {1.5, 0}, {-0.5, 0}};
    for (const auto& w : want)
      EXPECT_TRUE(std::any_of(got.begin(), got.end(), [&](auto z) { return std::abs(z - w) < 1e-6; }))
          << "round " << round << " missing " << w;

    std::minstd_rand generator(round + 1);
    ComplexEigensystem pm2;
    ASSERT_EQ(Pm2(testing::RealOf(a), 2, [&generator] { return static_cast<int>(generator() % 32768); }, pm2),
              kDone);
    ASSERT_EQ(pm2.count, 2);
    EXPECT_NEAR(pm2.values[0].re, 2.0, 1e-3);
    EXPECT_NEAR(pm2.values[0].im, 3.0, 1e-3);
    EXPECT_NEAR(pm2.values[1].im, -3.0, 1e-3);
  }
}

TEST(SymmetricEigenTest, DiagonalMatrixGivesItsDiagonalAndPermutedIdentityRows) {
  RealEigensystem s;
  ASSERT_EQ(Eigen(testing::RealOf({{1, 0, 0}, {0, 3, 0}, {0, 0, 2}}), s), kDone);
  EXPECT_EQ(s.values, (std::vector<double>{3, 2, 1}));
  EXPECT_EQ(testing::RowsOf(s.vectors), (Rows{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}));
}

}  // namespace
}  // namespace calc
