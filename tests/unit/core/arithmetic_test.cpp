// Arithmetic: exact fractions and their clamping, field-wise times, the
// value-level operators across kinds and scaled complex division.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdlib>
#include <tuple>
#include <variant>

#include "core/arithmetic.h"

namespace calc {
namespace {

class ArithmeticTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};
};

enum Op { kAdd, kSub, kMul, kDiv };

CalcFraction F(long long n, std::uint32_t d) {
  return {static_cast<std::uint8_t>(n < 0), static_cast<std::uint32_t>(std::llabs(n)), d};
}

TEST_F(ArithmeticTest, FractionResultsAreExactOrClampedAndZeroDenominatorsPropagate) {
  constexpr std::uint32_t kMax = 4294967295;
  const struct {
    CalcFraction a;
    Op op;
    std::variant<CalcFraction, double> b;
    CalcFraction expected;
  } rows[] = {
      {F(1, 3), kAdd, F(1, 6), F(1, 2)},
      {F(1, 2), kSub, F(3, 4), F(-1, 4)},
      {F(1, 2), kDiv, -3.0, F(-1, 6)},
      {F(1, 2), kAdd, -2.0, F(-3, 2)},     // whole real crossing zero
      {F(-1, 3), kAdd, 0.75, F(5, 12)},    // non-whole real as its own fraction
      {F(2, 9), kMul, 1.5, F(1, 3)},
      // An infinite operand keeps its sign; opposite infinities are undefined.
      {F(1, 0), kAdd, F(-1, 2), F(1, 0)},
      {F(-1, 2), kAdd, F(1, 0), F(1, 0)},
      {F(-1, 0), kAdd, F(1, 2), F(-1, 0)},
      {F(1, 2), kSub, F(1, 0), F(-1, 0)},
      {F(1, 0), kAdd, F(-1, 0), F(0, 0)},
      {F(-3, 4), kDiv, F(0, 1), F(-1, 0)},
      {F(0, 1), kDiv, 0.0, F(0, 0)},
      // Terms past 32 bits: the larger one is clamped and the other scaled.
      {F(3000000000, 7), kMul, F(3, 2), F(kMax / 3, 2)},      // 4294967295/6
      {F(1, 3000000000), kMul, F(14, 3), F(2, kMax / 3)},     // 6/4294967295
      {F(65536, 1), kMul, 65536.0, F(1, 0)},                  // past 2^32
      {F(1, 65536), kMul, F(1, 65537), F(0, 1)},              // below 1/2^32
      {F(-2147483647, 1), kAdd, -3000000000.0, F(-1, 0)},
      // Cancelled before clamping, so a result that fits is exact.
      {F(2147483647, 2147483646), kMul, F(2147483646, 2147483645), F(2147483647, 2147483645)},
  };
  for (const auto& row : rows) {
    CalcFraction f = row.a;
    if (const double* x = std::get_if<double>(&row.b)) {
      if (row.op == kAdd) FractionAddReal(f, *x);
      if (row.op == kMul) FractionMultiplyReal(f, *x);
      if (row.op == kDiv) FractionDivideReal(f, *x);
    } else {
      const CalcFraction& b = std::get<CalcFraction>(row.b);
      if (row.op == kAdd) FractionAdd(f, b);
      if (row.op == kSub) FractionSubtract(f, b);
      if (row.op == kMul) FractionMultiply(f, b);
      if (row.op == kDiv) FractionDivide(f, b);
    }
    const CalcFraction& e = row.expected;
    EXPECT_EQ(std::tuple(int{f.sign}, f.num, f.den), std::tuple(int{e.sign}, e.num, e.den)) << "row " << &row - rows;
  }
}

CalcTime T(double h, double m, double s, double frames = 0, double fps = 30) {
  const bool negative = h < 0 || m < 0 || s < 0;
  return {static_cast<std::uint8_t>(negative), std::fabs(h), std::fabs(m), std::fabs(s), frames, fps};
}

TEST_F(ArithmeticTest, TimesCombineFieldByFieldInTheCurrentFpsAndNormalise) {
  const struct {
    CalcTime t;
    Op op;
    std::variant<CalcTime, double> u;
    CalcTime expected;
  } rows[] = {
      {T(0, 59, 50), kAdd, 15.0, T(1, 0, 5)},
      {T(0, 0, 5), kAdd, T(0, 0, -10), T(0, 0, -5)},
      {T(1, 0, 0), kSub, T(0, 1, 0, 1), T(0, 58, 59, 29)},
      {T(0, 0, 1, 20, 25), kAdd, T(0, 0, 0, 15), T(0, 0, 2, 9)},  // 20 frames at 25 fps are 24
      {T(0, 0, 0, 15), kAdd, T(0, 0, 1, 20, 25), T(0, 0, 2, 9)},
      {T(0, 0, 5), kMul, -2.5, T(0, 0, -12, 15)},
      {T(1, 0, 1, 6), kDiv, 4.0, T(0, 15, 0, 9)},
  };
  for (const auto& row : rows) {
    CalcTime t = row.t;
    if (const double* x = std::get_if<double>(&row.u)) {
      if (row.op == kAdd) TimeAddReal(t, *x);
      if (row.op == kMul) TimeMultiplyReal(t, *x);
      if (row.op == kDiv) TimeDivideReal(t, *x);
    } else {
      if (row.op == kAdd) TimeAdd(t, std::get<CalcTime>(row.u));
      if (row.op == kSub) TimeSubtract(t, std::get<CalcTime>(row.u));
    }
    const CalcTime& e = row.expected;  // every field here is exact in binary
    EXPECT_EQ(std::tuple(int{t.sign}, t.hours, t.minutes, t.seconds, t.frames, t.fps),
              std::tuple(int{e.sign}, e.hours, e.minutes, e.seconds, e.frames, 30.0))
        << "row " << &row - rows;
  }
}

// A value holding x (+ im i) in the given kind, whatever the current one.
CalcValue Make(std::uint8_t kind, double x, double im = 0) {
  CalcValue v;
  if (kind == kKindComplex) v.AsComplex() = {x, im};
  if (kind == kKindFraction) v.AsFraction() = RealToFraction(x);
  if (kind == kKindTime) v.AsTime() = RealToTime(x, Numeric().current_fps);
  return v;
}

TEST_F(ArithmeticTest, ValueOperatorsPickThePrimitiveByTheKindsOfBothSides) {
  const double inf = HUGE_VAL;
  const struct {
    std::uint8_t current, v_kind;
    double v_re, v_im;
    Op op;
    std::uint8_t w_kind;
    double w_re, w_im, re, im;
  } rows[] = {
      {kKindComplex, kKindComplex, 1, 2, kAdd, kKindFraction, 0.5, 0, 1.5, 2},
      {kKindComplex, kKindComplex, 1, 2, kSub, kKindTime, 60, 0, -59, 2},
      {kKindComplex, kKindComplex, 1, 2, kSub, kKindComplex, 3, 5, -2, -3},
      {kKindComplex, kKindComplex, 1, 2, kMul, kKindComplex, 3, 4, -5, 10},
      {kKindComplex, kKindComplex, inf, 1, kMul, kKindComplex, 2, 0, inf, 2},  // no inf * 0
      {kKindComplex, kKindComplex, 1, 2, kMul, kKindTime, 3, 0, 3, 6},
      {kKindComplex, kKindComplex, -5, 10, kDiv, kKindComplex, 3, 4, 1, 2},
      {kKindComplex, kKindComplex, 1, 2, kDiv, kKindFraction, 0.5, 0, 2, 4},
      {kKindComplex, kKindTime, 90, 0, kMul, kKindComplex, 2, 0, 180, 0},  // v switches first
      {kKindFraction, kKindFraction, 0.5, 0, kAdd, kKindComplex, 0.25, 9, 0.75, 0},
      {kKindFraction, kKindFraction, 0.5, 0, kSub, kKindTime, 2, 0, -1.5, 0},
      {kKindFraction, kKindFraction, 0.5, 0, kSub, kKindFraction, 0.75, 0, -0.25, 0},
      {kKindFraction, kKindFraction, 0.5, 0, kMul, kKindFraction, 0.5, 0, 0.25, 0},
      {kKindFraction, kKindFraction, 0.5, 0, kDiv, kKindTime, 4, 0, 0.125, 0},
      {kKindTime, kKindTime, 10, 0, kAdd, kKindFraction, 0.5, 0, 10.5, 0},
      {kKindTime, kKindTime, 10, 0, kSub, kKindComplex, 15, 0, -5, 0},
      {kKindTime, kKindTime, 10, 0, kSub, kKindTime, 4, 0, 6, 0},
      {kKindTime, kKindTime, 60, 0, kMul, kKindFraction, 0.25, 0, 15, 0},
      {kKindTime, kKindTime, 60, 0, kDiv, kKindTime, 4, 0, 15, 0},  // a time again
  };
  for (const auto& row : rows) {
    numeric.current_kind = row.current;
    CalcValue v = Make(row.v_kind, row.v_re, row.v_im);
    const CalcValue w = Make(row.w_kind, row.w_re, row.w_im);
    if (row.op == kAdd) ValueAdd(v, w);
    if (row.op == kSub) ValueSubtract(v, w);
    if (row.op == kMul) v = ValueMultiply(v, w);
    if (row.op == kDiv) ValueDivide(v, w);
    const int i = &row - rows;
    EXPECT_EQ(v.kind(), row.current) << "row " << i;
    EXPECT_DOUBLE_EQ(v.ToReal(), row.re) << "row " << i;
    EXPECT_DOUBLE_EQ(v.ComplexView().im, row.im) << "row " << i;
  }
}

TEST_F(ArithmeticTest, FractionValuesMeetFractionValuesWithoutPassingThroughReals) {
  numeric.current_kind = kKindFraction;
  CalcValue v{F(1, 3)};
  const CalcValue seventh{F(1, 7)};  // no 32-bit fraction converts back to it from a real
  const auto expect = [&v](std::uint32_t num, std::uint32_t den) {
    EXPECT_EQ(v.AsFraction().num, num);
    EXPECT_EQ(v.AsFraction().den, den);
  };
  v = ValueMultiply(v, seventh);
  expect(1, 21);
  ValueDivide(v, seventh);
  expect(1, 3);
  ValueSubtract(v, seventh);
  expect(4, 21);
  ValueAdd(v, seventh);
  expect(1, 3);
}

TEST_F(ArithmeticTest, RealOperandsActOnTheActiveKind) {
  CalcValue c = Make(kKindComplex, 1, 3);
  ValueSubtractReal(c, 2);
  ValueDivideReal(c, -2);
  EXPECT_EQ(c.AsComplex().re, 0.5);
  EXPECT_EQ(c.AsComplex().im, -1.5);
  numeric.current_kind = kKindTime;
  CalcValue t = Make(kKindComplex, 5);
  ValueAddReal(t, -10);
  ValueDivideReal(t, 0.5);
  EXPECT_EQ(t.kind(), kKindTime);
  EXPECT_EQ(t.ToReal(), -10);
}

TEST_F(ArithmeticTest, ComplexDivisionSurvivesBadlyScaledDivisorsAndFollowsIeeeByZero) {
  const std::complex<double> rows[][2] = {
      {{1, 1}, {1e300, 1e300}},   {{1e300, -1e300}, {1e300, 1e300}}, {{1, 2}, {1e-300, 1e-300}},
      {{3, -7}, {1e-170, 2e170}}, {{-2e-300, 5}, {4e307, -3e300}},   {{1, 2}, {3, 4}},
  };
  for (const auto& row : rows) {
    const std::complex<double> expected = row[0] / row[1];
    const CalcComplex q = ComplexDivide({row[0].real(), row[0].imag()}, {row[1].real(), row[1].imag()});
    EXPECT_NEAR(q.re, expected.real(), std::abs(expected) * 1e-15) << row[0] << " / " << row[1];
    EXPECT_NEAR(q.im, expected.imag(), std::abs(expected) * 1e-15) << row[0] << " / " << row[1];
  }
  const CalcComplex by_zero = ComplexDivide({1, -2}, {0, 0});
  EXPECT_EQ(by_zero.re, HUGE_VAL);
  EXPECT_EQ(by_zero.im, -HUGE_VAL);
  EXPECT_TRUE(std::isnan(ComplexDivide({0, 0}, {0, 0}).re));
}

}  // namespace
}  // namespace calc
