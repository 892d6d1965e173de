// det, inv, dec and trans in the fraction kind, against an exact rational
// model on random small integer matrices, plus the shapes and pivots that
// produce the warnings and the refusals of work the budget does not allow.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <random>
#include <vector>

#include "core/status_codes.h"
#include "library/linalg.h"
#include "matrix_builders.h"

namespace calc {
namespace {

using testing::CalcOf;
using testing::Rows;

// An exact rational with 64-bit terms; `fits` turns false once a term leaves
// the 32-bit range that the engine's fractions hold exactly.
struct Rational {
  std::int64_t num = 0;
  std::int64_t den = 1;

  static Rational Of(std::int64_t n, std::int64_t d) {
    if (d < 0) n = -n, d = -d;
    const std::int64_t g = std::gcd(n < 0 ? -n : n, d);
    return g == 0 ? Rational{n, d} : Rational{n / g, d / g};
  }
  bool fits() const { return std::llabs(num) <= 0xFFFFFFFFLL && den <= 0xFFFFFFFFLL; }
  bool zero() const { return num == 0; }
  friend Rational operator+(Rational a, Rational b) { return Of(a.num * b.den + b.num * a.den, a.den * b.den); }
  friend Rational operator-(Rational a, Rational b) { return Of(a.num * b.den - b.num * a.den, a.den * b.den); }
  friend Rational operator*(Rational a, Rational b) { return Of(a.num * b.num, a.den * b.den); }
  friend Rational operator/(Rational a, Rational b) { return Of(a.num * b.den, a.den * b.num); }
  friend bool operator==(Rational a, Rational b) { return a.num == b.num && a.den == b.den; }
};

using RationalRows = std::vector<std::vector<Rational>>;

// The model's answers, nullopt when a term would not fit 32 bits (or the
// model meets what the case does not cover: a singular matrix for inv, a zero
// pivot for Crout).
struct Model {
  bool fits = true;
  Rational Check(Rational r) {
    fits = fits && r.fits();
    return r;
  }

  // Gaussian elimination with row exchanges and a sign.
  Rational Det(RationalRows a) {
    const std::size_t n = a.size();
    Rational d{1, 1};
    for (std::size_t j = 0; j < n; ++j) {
      std::size_t p = j;
      while (p < n && a[p][j].zero()) ++p;
      if (p == n) return Rational{0, 1};
      if (p != j) std::swap(a[p], a[j]), d = Check(Rational{0, 1} - d);
      for (std::size_t k = j + 1; k < n; ++k) {
        const Rational f = Check(a[k][j] / a[j][j]);
        for (std::size_t c = j; c < n; ++c) a[k][c] = Check(a[k][c] - f * a[j][c]);
      }
      d = Check(d * a[j][j]);
    }
    return d;
  }

  std::optional<RationalRows> Inv(RationalRows a) {
    const std::size_t n = a.size();
    RationalRows b(n, std::vector<Rational>(n));
    for (std::size_t i = 0; i < n; ++i) b[i][i] = Rational{1, 1};
    for (std::size_t j = 0; j < n; ++j) {
      std::size_t p = j;
      while (p < n && a[p][j].zero()) ++p;
      if (p == n) return std::nullopt;
      std::swap(a[p], a[j]);
      std::swap(b[p], b[j]);
      const Rational pivot = a[j][j];
      for (std::size_t c = 0; c < n; ++c) a[j][c] = Check(a[j][c] / pivot), b[j][c] = Check(b[j][c] / pivot);
      for (std::size_t k = 0; k < n; ++k) {
        if (k == j) continue;
        const Rational f = a[k][j];
        for (std::size_t c = 0; c < n; ++c) a[k][c] = Check(a[k][c] - f * a[j][c]), b[k][c] = Check(b[k][c] - f * b[j][c]);
      }
    }
    return b;
  }

  // Crout by its defining sums: L(i, j) = a(i, j) - sum L(i, k) U(k, j) for
  // i >= j, U(j, i) = (a(j, i) - sum L(j, k) U(k, i)) / L(j, j) for i > j.
  std::optional<RationalRows> Crout(const RationalRows& a) {
    const std::size_t n = a.size();
    RationalRows lu(n, std::vector<Rational>(n));
    for (std::size_t j = 0; j < n; ++j) {
      for (std::size_t i = j; i < n; ++i) {
        Rational s = a[i][j];
        for (std::size_t k = 0; k < j; ++k) s = Check(s - lu[i][k] * lu[k][j]);
        lu[i][j] = s;
      }
      if (j + 1 < n && lu[j][j].zero()) return std::nullopt;
      for (std::size_t i = j + 1; i < n; ++i) {
        Rational s = a[j][i];
        for (std::size_t k = 0; k < j; ++k) s = Check(s - lu[j][k] * lu[k][i]);
        lu[j][i] = Check(s / lu[j][j]);
      }
    }
    return lu;
  }
};

Rational FractionOf(const CalcValue& v) {
  const CalcFraction f = v.FractionView();
  return Rational{f.sign ? -static_cast<std::int64_t>(f.num) : static_cast<std::int64_t>(f.num), f.den};
}

RationalRows FractionsOf(const CalcMatrix& m) {
  RationalRows rows(m.rows(), std::vector<Rational>(m.columns()));
  for (int i = 0; i < m.rows(); ++i)
    for (int j = 0; j < m.columns(); ++j) rows[i][j] = FractionOf(m.Element(i, j));
  return rows;
}

class FractionModeTest : public ::testing::Test {
 protected:
  FractionModeTest() { numeric.current_kind = kKindFraction; }
  NumericSettings numeric;
  NumericScope scope{numeric};
};

TEST_F(FractionModeTest, RandomIntegerMatricesMatchTheRationalModel) {
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<int> size(1, 5), element(-6, 6);
  int compared_det = 0, compared_inv = 0, compared_dec = 0;
  for (int round = 0; round < 400; ++round) {
    const int n = size(rng);
    Rows rows(n, std::vector<double>(n));
    RationalRows exact(n, std::vector<Rational>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        // Zeros are frequent, so that the pivot searches run.
        const int v = element(rng) % 4 == 0 ? 0 : element(rng);
        rows[i][j] = v;
        exact[i][j] = Rational{v, 1};
      }
    const CalcMatrix m = CalcOf(rows);
    SCOPED_TRACE(::testing::Message() << "round " << round << " order " << n);

    Model det_model;
    const Rational det = det_model.Det(exact);
    CalcValue det_out;
    ASSERT_EQ(Det(m, det_out), kDone);
    if (det_model.fits) {
      EXPECT_EQ(FractionOf(det_out), det);
      ++compared_det;
    }

    Model inv_model;
    const auto inv = inv_model.Inv(exact);
    CalcMatrix inv_out;
    const int inv_status = Inv(m, inv_out);
    EXPECT_EQ(inv_status, det.zero() ? W_INV : kDone);
    if (inv && inv_model.fits && inv_status == kDone) {
      EXPECT_TRUE(FractionsOf(inv_out) == *inv);
      ++compared_inv;
    }

    Model dec_model;
    const auto crout = dec_model.Crout(exact);
    CalcMatrix dec_out, lower, upper;
    ASSERT_EQ(Dec(m, dec_out), kDone);
    ASSERT_EQ(DecFactors(m, lower, upper), kDone);
    if (crout && dec_model.fits) {
      EXPECT_TRUE(FractionsOf(dec_out) == *crout);
      const RationalRows l = FractionsOf(lower), u = FractionsOf(upper);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
          EXPECT_TRUE(l[i][j] == (j <= i ? (*crout)[i][j] : Rational{0, 1})) << i << "," << j;
          EXPECT_TRUE(u[i][j] == (j > i ? (*crout)[i][j] : Rational{j == i ? 1 : 0, 1})) << i << "," << j;
        }
      ++compared_dec;
    }
  }
  // The generator must reach each comparison often enough to mean something.
  EXPECT_GT(compared_det, 300);
  EXPECT_GT(compared_inv, 200);
  EXPECT_GT(compared_dec, 100);
}

TEST_F(FractionModeTest, ZeroPivotAndSmallInverseGiveTheExactAnswers) {
  CalcValue d;
  EXPECT_EQ(Det(CalcOf({{0, 1}, {1, 0}}), d), kDone);
  EXPECT_TRUE(FractionOf(d) == (Rational{-1, 1}));
  EXPECT_EQ(Det(CalcOf({{0, 2, 1}, {0, 1, 1}, {3, 0, 0}}), d), kDone);
  EXPECT_TRUE(FractionOf(d) == (Rational{3, 1}));

  CalcMatrix inv;
  EXPECT_EQ(Inv(CalcOf({{2, 1}, {1, 1}}), inv), kDone);
  EXPECT_TRUE(FractionsOf(inv) == (RationalRows{{{1, 1}, {-1, 1}}, {{-1, 1}, {2, 1}}}));
  EXPECT_EQ(Inv(CalcOf({{3, 0}, {0, 4}}), inv), kDone);  // a result no float mode holds exactly
  EXPECT_TRUE(FractionsOf(inv) == (RationalRows{{{1, 3}, {0, 1}}, {{0, 1}, {1, 4}}}));
}

TEST_F(FractionModeTest, TransposeSwapsRowsAndColumns) {
  CalcMatrix t;
  ASSERT_EQ(Trans(CalcOf({{1, 2, 3}, {4, 5, 6}}), t), kDone);
  ASSERT_EQ(t.rows(), 3);
  ASSERT_EQ(t.columns(), 2);
  EXPECT_TRUE(FractionsOf(t) == (RationalRows{{{1, 1}, {4, 1}}, {{2, 1}, {5, 1}}, {{3, 1}, {6, 1}}}));
}

// Each row: the routine, its input and the status it gives; the result is
// then a 1 x 1 zero.
TEST_F(FractionModeTest, NonSquareAndSingularInputsGiveZeroAndTheirWarning) {
  struct Case {
    const char* what;
    Rows input;
    int det, inv, dec;
  };
  const Case cases[] = {
      {"2 x 3", {{1, 2, 3}, {4, 5, 6}}, W_DET, W_INV, W_DEC},
      {"3 x 1", {{1}, {2}, {3}}, W_DET, W_INV, W_DEC},
      {"singular", {{1, 2}, {2, 4}}, kDone, W_INV, kDone},
      {"zero column", {{0, 1}, {0, 1}}, kDone, W_INV, kDone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CalcMatrix m = CalcOf(c.input);
    CalcValue d = CalcValue::FromReal(7);
    EXPECT_EQ(Det(m, d), c.det);
    EXPECT_EQ(d.ToReal(), 0.0);
    CalcMatrix inv, dec, l, u;
    EXPECT_EQ(Inv(m, inv), c.inv);
    if (c.inv != kDone) {
      EXPECT_EQ(inv.count(), 1);
      EXPECT_EQ(inv.First().ToReal(), 0.0);
    }
    EXPECT_EQ(Dec(m, dec), c.dec);
    EXPECT_EQ(DecFactors(m, l, u), c.dec);
    if (c.dec != kDone) {
      EXPECT_EQ(dec.count(), 1);
      EXPECT_EQ(l.count(), 1);
      EXPECT_EQ(u.count(), 1);
    }
  }
}

TEST_F(FractionModeTest, WorkTheBudgetRefusesEndsWithOutOfMemory) {
  const CalcMatrix m = CalcOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
  auto tight = CalcRunBudget::Make();
  tight->SetMemoryLimit(64);  // not even one 3 x 3 copy
  CalcValue d;
  CalcMatrix out, l, u;
  EXPECT_EQ(Det(m, d, tight.get()), E_MEM);
  EXPECT_EQ(Inv(m, out, tight.get()), E_MEM);
  EXPECT_EQ(Dec(m, out, tight.get()), E_MEM);
  EXPECT_EQ(DecFactors(m, l, u, tight.get()), E_MEM);
  EXPECT_EQ(Trans(m, out, tight.get()), E_MEM);

  auto short_run = CalcRunBudget::Make();
  short_run->SetStepLimit(2);
  auto big = CalcMatrix::Make(40, 40);
  for (int i = 0; i < 40; ++i) big->SetElement(i, i, CalcValue::FromReal(i + 1));
  EXPECT_EQ(Inv(*big, out, short_run.get()), E_MEM);
  EXPECT_EQ(short_run->stop(), CalcRunBudget::Stop::kStepLimit);
}

}  // namespace
}  // namespace calc
