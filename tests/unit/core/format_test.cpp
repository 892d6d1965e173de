// Number formatting: every mode group, the automatic precisions, the integer
// radices and the answer display's split text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/context.h"
#include "core/format.h"
#include "core/modes.h"
#include "core/value.h"

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class FormatTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  // Values are made in the complex kind; the mode alone decides the text.
  std::string Show(std::uint16_t mode, CalcComplex c, int precision = 6, int radix = 10) {
    CalcValue v;
    v.AsComplex() = c;
    context_.SetMode(mode);
    context_.SetPrecision(precision);
    context_.SetRadix(radix);
    return FormatValue(context_, v);
  }

  CalcContext context_;
};

struct Row {
  std::uint16_t mode;
  int precision;  // the radix in the integer modes
  CalcComplex value;
  const char* text;
};

TEST_F(FormatTest, RealAndComplexModesUseThePrecisionOrEachPartsOwnDigits) {
  const Row rows[] = {
      {kModeGfloat, 6, {1.0 / 3}, "0.333333"},   {kModeGfloat, 0, {1.0 / 3}, "0.333333333333333"},
      {kModeEfloat, 0, {123.45}, "1.2345e+02"},  {kModeEfloat, 6, {123.45}, "1.234500e+02"},
      {kModeEfloat, 0, {0.125}, "1.25e-01"},     {kModeEfloat, 0, {1000}, "1.000e+03"},
      {kModeFloat, 0, {0.125}, "0.125"},         {kModeFloat, 2, {2.5}, "2.50"},
      {kModeFloat, 0, {7}, "7"},                 {kModeGfloat, 6, {1.5, 2}, "1.5"},
      {kModeGcomplex, 6, {0, 0}, "0"},           {kModeGcomplex, 6, {0, 1}, "1i"},
      {kModeGcomplex, 6, {1, -1}, "1-1i"},       {kModeGcomplex, 6, {1.5, 2}, "1.5+2i"},
      {kModeGcomplex, 6, {-0.0, -2}, "-2i"},     {kModeGcomplex, 6, {3, -0.0}, "3"},
      {kModeComplex, 2, {1, 1}, "1.00+1.00i"},   {kModeComplex, 0, {2.5, -0.125}, "2.5-0.125i"},
      {kModeEcomplex, 0, {123.45, 0.125}, "1.2345e+02+1.25e-01i"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(Show(r.mode, r.value, r.precision), r.text) << r.mode << " p" << r.precision;
}

TEST_F(FormatTest, SignificantCountGivesTheDigitsAfterTheFirstSignificantOne) {
  const struct { double x; int count; } rows[] = {
      {123.45, 4}, {0.125, 2}, {-0.0625, 2}, {1000, 3}, {99, 1}, {7, 0},
      {1.5, 1},    {0.001, 0}, {0, 0},       {kInf, 0}, {kNaN, 0},
  };
  for (const auto& r : rows) EXPECT_EQ(SignificantCount(r.x), r.count) << r.x;
  // With that many digits the exponent notation gives every double back.
  for (double x : {1.0 / 3, 2.0 / 3, 1e-5, 6.02214076e23, -42.4242, 0.1}) {
    CalcValue v = CalcValue::FromReal(x);
    context_.SetPrecision(0);
    context_.SetMode(kModeEfloat);
    EXPECT_EQ(std::strtod(FormatValue(context_, v).c_str(), nullptr), x) << x;
  }
}

TEST_F(FormatTest, FractionsPrintSignNumeratorAndDenominatorWithUnderscores) {
  const Row rows[] = {
      {kModeFract, 0, {-0.75}, "-3_4"}, {kModeFract, 0, {5}, "5"},       {kModeFract, 0, {3.5}, "7_2"},
      {kModeMfract, 0, {3.5}, "3_1_2"}, {kModeMfract, 0, {0.5}, "1_2"},  {kModeMfract, 0, {-1.5}, "-1_1_2"},
      {kModeMfract, 0, {4}, "4"},       {kModeMfract, 0, {-0.25}, "-1_4"},
      // Too large for 32-bit terms: the denominator fits to 0 and the real shows.
      {kModeFract, 0, {1e10}, "1e+10"}, {kModeMfract, 0, {-2.5e12}, "-2.5e+12"},
  };
  for (const Row& r : rows) EXPECT_EQ(Show(r.mode, r.value), r.text) << r.value.re;
}

TEST_F(FormatTest, ValuesHeldAsFractionsFollowTheModeAndShowDenominatorZeroAsAReal) {
  context_.SetMode(kModeMfract);
  const NumericScope in_context(context_.numeric());  // the values below are made in this mode
  const CalcValue negative_zero(CalcFraction{1, 0, 1}), seven_halves(CalcFraction{0, 7, 2}),
      over_zero(CalcFraction{0, 1, 0}), minus_over_zero(CalcFraction{1, 1, 0});
  ASSERT_EQ(over_zero.kind(), kKindFraction);
  EXPECT_EQ(FormatValue(context_, negative_zero), "0");
  EXPECT_EQ(FormatValue(context_, over_zero), "inf");
  EXPECT_EQ(FormatValue(context_, minus_over_zero), "-inf");
  context_.SetMode(kModeGfloat);
  EXPECT_EQ(FormatValue(context_, seven_halves), "3.5");
  context_.SetMode(kModeLong);
  EXPECT_EQ(FormatValue(context_, seven_halves), "3");
  EXPECT_EQ(seven_halves.kind(), kKindFraction);
}

TEST_F(FormatTest, TimesPadEachComponentBelowTenAndDropLeadingZeroComponents) {
  const Row rows[] = {
      {kModeTime, 0, {3725.5}, "01:02:05.5"},  {kModeFtime, 0, {3725.5}, "01:02:05:15"},
      {kModeMtime, 0, {3725.5}, "01:02.09166666666667"},
      {kModeHtime, 0, {3725.5}, "01.03486111111111"},
      {kModeTime, 0, {90}, "01:30"},           {kModeMtime, 0, {90}, "01.5"},
      {kModeFtime, 0, {90}, "01:30:00"},       {kModeHtime, 0, {90}, "00.025"},
      {kModeTime, 0, {36000}, "10:00:00"},     {kModeFtime, 0, {0.5}, "15"},
      {kModeTime, 0, {5}, "05"},               {kModeTime, 0, {-90}, "-01:30"},
  };
  for (const Row& r : rows) EXPECT_EQ(Show(r.mode, r.value), r.text) << r.mode << " " << r.value.re;
  context_.SetFps(25);  // frames are counted in the current fps
  EXPECT_EQ(Show(kModeFtime, {0.5}), "12.5");
}

TEST_F(FormatTest, IntegerModesTruncateNarrowAndWriteInTheRadix) {
  const Row rows[] = {
      {kModeUshort, 16, {-1}, "FFFF"},        {kModeShort, 16, {-1}, "-1"},
      {kModeChar, 2, {200}, "-111000"},       {kModeUlong, 36, {35}, "Z"},
      {kModeUchar, 10, {-1}, "255"},          {kModeUlong, 16, {-1}, "FFFFFFFF"},
      {kModeLong, 10, {2147483648.0}, "-2147483648"},
      {kModeLong, 10, {-7.9}, "-7"},          {kModeUshort, 10, {65536.9}, "0"},
      {kModeLong, 10, {4294967301.0}, "5"},   {kModeLong, 8, {8, 5}, "10"},
      // Beyond the 64-bit range, infinities and NaN read as -2^63: all low bits 0.
      {kModeLong, 10, {kInf}, "0"},           {kModeUlong, 10, {kNaN}, "0"},
      {kModeChar, 16, {-kInf}, "0"},          {kModeUlong, 10, {1e19}, "0"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(Show(r.mode, r.value, 6, r.precision), r.text) << r.mode << " " << r.value.re;
}

TEST_F(FormatTest, IntegerTextRoundTripsInEveryRadix) {
  const std::int32_t signed_values[] = {0, 1, -1, 35, -36, INT32_MAX, INT32_MIN};
  const std::uint32_t unsigned_values[] = {0, 1, 35, 36, 2147483648u, UINT32_MAX};
  for (int radix = 2; radix <= 36; ++radix) {
    for (std::int32_t n : signed_values) {
      const std::string text = SignedToText(n, radix);
      EXPECT_EQ(std::strtoll(text.c_str(), nullptr, radix), n) << text << " radix " << radix;
    }
    for (std::uint32_t n : unsigned_values) {
      const std::string text = UnsignedToText(n, radix);
      EXPECT_EQ(std::strtoull(text.c_str(), nullptr, radix), n) << text << " radix " << radix;
    }
  }
  EXPECT_EQ(SignedToText(INT32_MIN, 2), "-10000000000000000000000000000000");
  EXPECT_EQ(SignedToText(INT32_MIN, 16), "-80000000");
  EXPECT_EQ(SignedToText(INT32_MIN, 36), "-ZIK0ZK");
  EXPECT_EQ(UnsignedToText(255, 1), "255");  // out-of-range radices clamp as the context's
  EXPECT_EQ(UnsignedToText(35, 99), "Z");
}

TEST_F(FormatTest, AHugePrecisionStopsWhereTheDoubleHasNoMoreDigits) {
  const std::string huge_fixed = Show(kModeFloat, {1e308}, 100000);
  EXPECT_EQ(huge_fixed.size(), 309u + 1 + kMaxFormatPrecision);
  EXPECT_EQ(std::strtod(huge_fixed.c_str(), nullptr), 1e308);
  const std::string tiny = Show(kModeFloat, {std::numeric_limits<double>::denorm_min()}, 100000);
  EXPECT_EQ(tiny.size(), 2u + kMaxFormatPrecision);
  EXPECT_EQ(tiny.substr(tiny.size() - 9), "447265625");  // the last exact digits of 2^-1074
  EXPECT_EQ(Show(kModeGfloat, {1.0 / 3}, 100000),
            "0.333333333333333314829616256247390992939472198486328125");
  EXPECT_EQ(Show(kModeEcomplex, {1, 1}, 100000).size(), 2u * (2 + kMaxFormatPrecision + 4) + 2);
}

TEST_F(FormatTest, TheAnswerKeepsTheImaginaryPartApartWithItsSign) {
  const struct { CalcComplex c; const char* real; const char* imaginary; } rows[] = {
      {{1.5, 2}, "1.5", "+2i"}, {{1, -1}, "1", "-1i"}, {{0, 2}, "", "+2i"},
      {{0, -2}, "", "-2i"},     {{3, 0}, "3", ""},
  };
  context_.SetMode(kModeGcomplex);
  for (const auto& r : rows) {
    CalcValue v;
    v.AsComplex() = r.c;
    const AnswerText answer = FormatAnswer(context_, v);
    EXPECT_EQ(answer.real, r.real);
    EXPECT_EQ(answer.imaginary, r.imaginary);
  }
}

TEST_F(FormatTest, TheAnswerDiffersOnlyInFractionSeparatorsElsewhere) {
  CalcValue v;
  v.AsComplex() = {-3.5, 4};
  for (std::uint16_t mode : {kModeFract, kModeMfract, kModeGfloat, kModeFtime, kModeUlong}) {
    context_.SetMode(mode);
    std::string text = FormatValue(context_, v);
    for (std::size_t at; (at = text.find('_')) != std::string::npos;) text.replace(at, 1, "\x81\x76");
    const AnswerText answer = FormatAnswer(context_, v);
    EXPECT_EQ(answer.real, text) << mode;
    EXPECT_EQ(answer.imaginary, "") << mode;
  }
  context_.SetMode(kModeMfract);
  EXPECT_EQ(FormatAnswer(context_, v).real, "-3\x81\x76" "1\x81\x76" "2");
}

}  // namespace
}  // namespace calc
