// What the matrix built-ins cost: exact determinant and inverse of an 8 x 8
// fraction matrix (every step is fraction arithmetic with gcd reduction), and
// the eigenvalues and eigenvectors of a 50 x 50 symmetric matrix in doubles.
#include <benchmark/benchmark.h>

#include <random>

#include "core/matrix.h"
#include "core/numeric_settings.h"
#include "core/value.h"
#include "library/eigen.h"
#include "library/linalg.h"
#include "library/real_matrix.h"

namespace {

// L U for a unit lower L and an upper U with 1 or 2 on its diagonal, all
// small integers: every leading minor is a product of U's diagonal, so the
// pivots, the determinant and the inverse stay within 32-bit fraction terms
// and no step clamps (a clamped fraction would measure something else).
calc::CalcMatrix FractionMatrix() {
  constexpr int n = 8;
  std::mt19937 rng(8);
  std::uniform_int_distribution<int> element(-2, 2), diagonal(1, 2);
  int l[n][n] = {}, u[n][n] = {};
  for (int i = 0; i < n; ++i) {
    l[i][i] = 1;
    u[i][i] = diagonal(rng);
    for (int j = 0; j < i; ++j) l[i][j] = element(rng);
    for (int j = i + 1; j < n; ++j) u[i][j] = element(rng);
  }
  auto m = calc::CalcMatrix::Make(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      int sum = 0;
      for (int k = 0; k < n; ++k) sum += l[i][k] * u[k][j];
      m->SetElement(i, j, calc::CalcValue::FromReal(sum));
    }
  return *m;
}

void BM_DetFraction8(benchmark::State& state) {
  calc::NumericSettings fractions;
  fractions.current_kind = calc::kKindFraction;
  calc::NumericScope scope(fractions);
  const calc::CalcMatrix m = FractionMatrix();
  for (auto _ : state) {
    calc::CalcValue d;
    benchmark::DoNotOptimize(calc::Det(m, d));
    benchmark::DoNotOptimize(d);
  }
}

void BM_InvFraction8(benchmark::State& state) {
  calc::NumericSettings fractions;
  fractions.current_kind = calc::kKindFraction;
  calc::NumericScope scope(fractions);
  const calc::CalcMatrix m = FractionMatrix();
  for (auto _ : state) {
    calc::CalcMatrix inv;
    benchmark::DoNotOptimize(calc::Inv(m, inv));
    benchmark::DoNotOptimize(inv);
  }
}

void BM_EigenSymmetric50(benchmark::State& state) {
  std::mt19937 rng(50);
  std::uniform_real_distribution<double> element(-1.0, 1.0);
  auto a = calc::RealMatrix::Make(50, 50);
  for (int i = 0; i < 50; ++i)
    for (int j = 0; j <= i; ++j) (*a)(i, j) = (*a)(j, i) = element(rng);
  for (auto _ : state) {
    calc::RealEigensystem s;
    benchmark::DoNotOptimize(calc::Eigen(*a, s));
    benchmark::DoNotOptimize(s.count);
  }
}

BENCHMARK(BM_DetFraction8);
BENCHMARK(BM_InvFraction8);
BENCHMARK(BM_EigenSymmetric50);

}  // namespace

BENCHMARK_MAIN();
