// Values: kind switching, the real/fraction/time conversions, time
// normalisation, fps changes and narrowing to the integer modes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/context.h"
#include "core/status_codes.h"
#include "core/value.h"

namespace calc {
namespace {

class ValueTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};
};

struct FractionRow {
  double real;
  std::uint8_t sign;
  std::uint32_t num;
  std::uint32_t den;
};

TEST_F(ValueTest, RealsBecomeReducedFractions) {
  const FractionRow rows[] = {
      {2.5, 0, 5, 2},     {-0.125, 1, 1, 8}, {7.0, 0, 7, 1},        {0.0, 0, 0, 1},
      {0.1, 0, 1, 10},    {-3.75, 1, 15, 4}, {0.3, 0, 3, 10}, {0.0101, 0, 101, 10000}, {4294967295.0, 0, 4294967295u, 1},
      {1e-12, 0, 0, 1},  // no 32-bit fraction is that small: the numerator scales to 0
  };
  for (const auto& row : rows) {
    const CalcFraction f = RealToFraction(row.real);
    EXPECT_EQ(f.sign, row.sign) << row.real;
    EXPECT_EQ(f.num, row.num) << row.real;
    EXPECT_EQ(f.den, row.den) << row.real;
  }
}

TEST_F(ValueTest, RealsBeyondThirtyTwoBitsOverflowToAZeroDenominator) {
  for (double x : {1e10, -1e10 - 0.5, 4294967296.0}) {
    const CalcFraction big = RealToFraction(x);
    EXPECT_EQ(big.den, 0u) << x;
    EXPECT_EQ(FractionToReal(big), x < 0 ? -HUGE_VAL : HUGE_VAL) << x;
  }
}

TEST_F(ValueTest, SmallRealsKeepTheirRatio) {
  const CalcFraction tiny = RealToFraction(1.5e-5);
  EXPECT_NEAR(FractionToReal(tiny), 1.5e-5, 1e-9);
}

TEST_F(ValueTest, NonFiniteRealsConvertWithoutHanging) {
  const CalcFraction inf = RealToFraction(HUGE_VAL);
  EXPECT_EQ(inf.den, 0u);
  EXPECT_NE(inf.num, 0u);
  RealToFraction(std::numeric_limits<double>::quiet_NaN());
  RealToFraction(std::numeric_limits<double>::denorm_min());
  RealToFraction(1.7976931348623157e308);
  EXPECT_EQ(DecimalCount(std::numeric_limits<double>::denorm_min()) <= kMaxDecimalCount, true);
}

TEST_F(ValueTest, DecimalCountIsTheSmallestIntegralScale) {
  EXPECT_EQ(DecimalCount(0.0), 0);
  EXPECT_EQ(DecimalCount(12.0), 0);
  EXPECT_EQ(DecimalCount(0.125), 3);
  EXPECT_EQ(DecimalCount(-2.5), 1);
  EXPECT_EQ(DecimalCount(HUGE_VAL), 0);
  EXPECT_EQ(DecimalCount(std::nan("")), 0);
}

TEST_F(ValueTest, RealSecondsBecomeTimes) {
  const CalcTime t = RealToTime(3725.5, 30.0);
  EXPECT_EQ(t.sign, 0);
  EXPECT_EQ(t.hours, 1.0);
  EXPECT_EQ(t.minutes, 2.0);
  EXPECT_EQ(t.seconds, 5.0);
  EXPECT_DOUBLE_EQ(t.frames, 15.0);
  const CalcTime negative = RealToTime(-90.0, 30.0);
  EXPECT_EQ(negative.sign, 1);
  EXPECT_EQ(negative.minutes, 1.0);
  EXPECT_EQ(negative.seconds, 30.0);
  EXPECT_DOUBLE_EQ(TimeToSeconds(negative), -90.0);
}

TEST_F(ValueTest, NormalisingMovesANegativeFieldIntoTheSign) {
  CalcTime t;
  t.frames = -1.0;
  NormalizeTime(t);
  EXPECT_EQ(t.sign, 1);
  EXPECT_EQ(t.hours, 0.0);
  EXPECT_EQ(t.minutes, 0.0);
  EXPECT_EQ(t.seconds, 0.0);
  EXPECT_DOUBLE_EQ(t.frames, 1.0);
}

TEST_F(ValueTest, NormalisingCarriesFractionsDownAndOverflowUp) {
  CalcTime t;
  t.hours = 1.5;       // 30 minutes carried down
  t.seconds = 125.25;  // 2 minutes up, a quarter second down into frames
  NormalizeTime(t);
  EXPECT_EQ(t.hours, 1.0);
  EXPECT_EQ(t.minutes, 32.0);
  EXPECT_EQ(t.seconds, 5.0);
  EXPECT_DOUBLE_EQ(t.frames, 7.5);
}

TEST_F(ValueTest, NormalisingNonFiniteFieldsTerminates) {
  CalcTime nan_time;
  nan_time.hours = std::nan("");
  NormalizeTime(nan_time);
  CalcTime zero_fps;
  zero_fps.fps = 0.0;
  zero_fps.frames = 5.0;
  NormalizeTime(zero_fps);
  CalcTime huge;
  huge.hours = -1e300;
  NormalizeTime(huge);
  SUCCEED();
}

TEST_F(ValueTest, ChangingFpsReexpressesFrames) {
  CalcTime t;
  t.frames = 15.0;
  ChangeFps(t, 25.0);
  EXPECT_DOUBLE_EQ(t.frames, 12.5);
  EXPECT_EQ(t.fps, 25.0);
}

TEST_F(ValueTest, CopiesReexpressTimesInTheCurrentFps) {
  numeric.current_kind = kKindTime;
  CalcValue v = CalcValue::FromReal(1.5);  // 1 s 15 frames at 30 fps
  numeric.current_fps = 25.0;
  CalcValue copy(v);
  EXPECT_EQ(copy.AsTime().fps, 25.0);
  EXPECT_DOUBLE_EQ(copy.AsTime().frames, 12.5);
  EXPECT_DOUBLE_EQ(copy.ToReal(), 1.5);
}

TEST_F(ValueTest, ValuesSwitchLazilyToTheCurrentKind) {
  CalcValue v = CalcValue::FromReal(2.5);
  EXPECT_EQ(v.kind(), kKindComplex);
  numeric.current_kind = kKindFraction;
  EXPECT_EQ(v.kind(), kKindComplex);  // nothing happens until it is used
  EXPECT_EQ(v.Sync(), kKindFraction);
  EXPECT_EQ(v.AsFraction().num, 5u);
  EXPECT_EQ(v.AsFraction().den, 2u);
  numeric.current_kind = kKindTime;
  v.Sync();
  EXPECT_EQ(v.AsTime().seconds, 2.0);
  EXPECT_DOUBLE_EQ(v.AsTime().frames, 15.0);
}

TEST_F(ValueTest, LeavingTheComplexKindDropsTheImaginaryPart) {
  CalcValue v;
  v.AsComplex() = {3.0, 4.0};
  v.AsFraction();
  EXPECT_EQ(v.AsComplex().im, 0.0);
  EXPECT_EQ(v.AsComplex().re, 3.0);
}

TEST_F(ValueTest, ViewsDoNotChangeTheValue) {
  CalcValue v = CalcValue::FromReal(0.75);
  const CalcFraction f = v.FractionView();
  EXPECT_EQ(f.num, 3u);
  EXPECT_EQ(f.den, 4u);
  EXPECT_EQ(v.kind(), kKindComplex);
}

TEST_F(ValueTest, ValuesBuiltFromPartsTakeTheCurrentKind) {
  CalcFraction half{1, 1, 2};
  CalcValue from_fraction(half);
  EXPECT_EQ(from_fraction.kind(), kKindComplex);
  EXPECT_EQ(from_fraction.ToReal(), -0.5);
  numeric.current_kind = kKindFraction;
  CalcTime t;
  t.minutes = 1.0;
  CalcValue from_time(t);
  EXPECT_EQ(from_time.kind(), kKindFraction);
  EXPECT_EQ(from_time.AsFraction().num, 60u);
}

TEST_F(ValueTest, NegationWorksInEveryKind) {
  CalcValue c;
  c.AsComplex() = {1.0, -2.0};
  const CalcValue nc = c.Negate();
  EXPECT_EQ(nc.ComplexView().re, -1.0);
  EXPECT_EQ(nc.ComplexView().im, 2.0);
  numeric.current_kind = kKindFraction;
  EXPECT_EQ(CalcValue::FromReal(0.5).Negate().ToReal(), -0.5);
  numeric.current_kind = kKindTime;
  EXPECT_EQ(CalcValue::FromReal(90).Negate().ToReal(), -90.0);
}

TEST_F(ValueTest, AssignConvertsIntoTheTargetKind) {
  CalcValue source = CalcValue::FromReal(1.25);
  numeric.current_kind = kKindFraction;
  CalcValue target;
  target.Assign(source);
  EXPECT_EQ(target.kind(), kKindFraction);
  EXPECT_EQ(target.AsFraction().num, 5u);
  EXPECT_EQ(target.AsFraction().den, 4u);
}

TEST_F(ValueTest, ToIntegerTruncatesTowardZeroAndSurvivesNonFiniteValues) {
  EXPECT_EQ(CalcValue::FromReal(-2.9).ToInteger(), -2);
  EXPECT_EQ(CalcValue::FromReal(HUGE_VAL).ToInteger(), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(CalcValue::FromReal(std::nan("")).ToInteger(), std::numeric_limits<std::int64_t>::min());
}

struct NarrowRow {
  std::uint16_t mode;
  double input;
  double expected;
  int warning;
};

TEST_F(ValueTest, IntegerModesNarrowAndWarnOutsideTheirRange) {
  const NarrowRow rows[] = {
      {kModeChar, 200, -56, W_OVERFLOW},       {kModeUchar, -1, 255, W_UNDERFLOW},
      {kModeChar, -128, -128, 0},              {kModeChar, -129, 127, W_UNDERFLOW},
      {kModeUshort, 65536.9, 0, W_OVERFLOW},   {kModeShort, 32768, -32768, W_OVERFLOW},
      {kModeLong, 2147483648.0, -2147483648.0, W_OVERFLOW},
      {kModeUlong, -1, 4294967295.0, W_UNDERFLOW}, {kModeUlong, 4294967295.0, 4294967295.0, 0},
      {kModeLong, -7.9, -7, 0},                {kModeUlong, HUGE_VAL, 0, W_OVERFLOW},
  };
  for (const auto& row : rows) {
    CalcValue v = CalcValue::FromReal(row.input);
    EXPECT_EQ(FitToMode(v, row.mode, true), row.warning) << row.mode << " " << row.input;
    EXPECT_EQ(v.ToReal(), row.expected) << row.mode << " " << row.input;
    CalcValue quiet = CalcValue::FromReal(row.input);
    EXPECT_EQ(FitToMode(quiet, row.mode, false), 0);
    EXPECT_EQ(quiet.ToReal(), row.expected);
  }
}

TEST_F(ValueTest, FloatModesDropTheImaginaryPartAndOtherModesKeepTheValue) {
  CalcValue v;
  v.AsComplex() = {1.5, 2.0};
  EXPECT_EQ(FitToMode(v, kModeGfloat, true), 0);
  EXPECT_EQ(v.ComplexView().im, 0.0);
  CalcValue c;
  c.AsComplex() = {1.5, 2.0};
  FitToMode(c, kModeComplex, true);
  EXPECT_EQ(c.ComplexView().im, 2.0);
}

TEST_F(ValueTest, IntegerNarrowingStoresIntoTheActiveKind) {
  numeric.current_kind = kKindFraction;
  CalcValue v = CalcValue::FromReal(300.5);
  FitToMode(v, kModeUchar, false);
  EXPECT_EQ(v.kind(), kKindFraction);
  EXPECT_EQ(v.AsFraction().num, 44u);
  EXPECT_EQ(v.AsFraction().den, 1u);
}

TEST_F(ValueTest, AnglesConvertBetweenUnits) {
  CalcComplex c{90.0, 180.0};
  ConvertAngle(c, kDegrees, kRadians);
  EXPECT_DOUBLE_EQ(c.re, std::numbers::pi / 2);
  EXPECT_DOUBLE_EQ(c.im, std::numbers::pi);
  ConvertAngle(c, kRadians, kGrads);
  EXPECT_DOUBLE_EQ(c.re, 100.0);
  ConvertAngle(c, kGrads, kDegrees);
  EXPECT_DOUBLE_EQ(c.re, 90.0);
  ConvertAngle(c, kDegrees, kDegrees);
  EXPECT_DOUBLE_EQ(c.re, 90.0);
}

TEST_F(ValueTest, NamedConstantsReadInEveryKind) {
  CalcValue v;
  ASSERT_TRUE(ReadNamedConstant("RAND_MAX", v));
  EXPECT_EQ(v.ToReal(), 32767.0);
  numeric.current_kind = kKindTime;
  CalcValue t;
  ASSERT_TRUE(ReadNamedConstant("RAND_MAX", t));
  EXPECT_EQ(t.AsTime().hours, 9.0);
  EXPECT_EQ(t.AsTime().minutes, 6.0);
  EXPECT_EQ(t.AsTime().seconds, 7.0);
  numeric.current_kind = kKindComplex;
  CalcValue h;
  ASSERT_TRUE(ReadNamedConstant("HUGE_VAL", h));
  EXPECT_TRUE(std::isinf(h.ToReal()));
  EXPECT_FALSE(ReadNamedConstant("rand_max", h));
}

TEST_F(ValueTest, GcdAndLcmHandleZero) {
  EXPECT_EQ(FractionGcd(12, 18), 6u);
  EXPECT_EQ(FractionGcd(0, 5), 5u);
  EXPECT_EQ(FractionLcm(4294967295u, 4294967294u), 4294967295ull * 4294967294ull);
  EXPECT_EQ(FractionLcm(0, 0), 0u);
}

}  // namespace
}  // namespace calc
