// Number literals: the forms every mode reads, the forms of each mode group,
// integer digits in every radix, and the texts that are not numbers. Rows read
// text -> the value shown as "re" or "re+imi", "num/den", "h:m:s:f" (a leading
// "-" for a negative fraction or time), or "no" when the text is not a number.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/context.h"
#include "core/literal.h"
#include "core/value.h"

namespace calc {
namespace {

constexpr std::uint16_t kEveryMode[] = {16, 17, 18, 32, 33, 34, 64, 65, 128, 129, 130, 131,
                                        256, 257, 258, 259, 260, 261};

std::string Show(const CalcValue& v, bool as_real) {
  char s[160];
  if (as_real || v.kind() == kKindComplex) {
    const CalcComplex c = as_real ? CalcComplex{v.ToReal(), 0.0} : v.ComplexView();
    std::snprintf(s, sizeof s, c.im == 0 ? "%.17g" : "%.17g%+.17gi", c.re, c.im);
  } else if (v.kind() == kKindFraction) {
    const CalcFraction f = v.FractionView();
    std::snprintf(s, sizeof s, "%s%u/%u", f.sign ? "-" : "", unsigned{f.num}, unsigned{f.den});
  } else {
    const CalcTime t = v.TimeView();
    std::snprintf(s, sizeof s, "%s%g:%g:%g:%g", t.sign ? "-" : "", t.hours, t.minutes, t.seconds,
                  t.frames);
  }
  return s;
}

// The sixteen hex digits of a double's bytes, lowest byte first.
std::string Image(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  std::string digits;
  char pair[3];
  for (int i = 0; i < 8; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>((bits >> (8 * i)) & 0xFF));
    digits += pair;
  }
  return digits;
}

struct Row {
  std::string text;
  std::string want;
};

class LiteralTest : public ::testing::Test {
 protected:
  // Every test starts and ends with the process-wide settings of a fresh start.
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  void Expect(std::uint16_t mode, const std::vector<Row>& rows, int radix = 10, bool as_real = false) {
    ctx.SetMode(mode);
    ctx.SetRadix(radix);
    for (const Row& row : rows) {
      // An exact-size copy without a terminator: reading past the end of the
      // text trips the address sanitizer.
      const auto bytes = std::make_unique<char[]>(row.text.size());
      std::copy(row.text.begin(), row.text.end(), bytes.get());
      CalcValue v;
      const bool ok = ParseNumber(ctx, std::string_view(bytes.get(), row.text.size()), v);
      EXPECT_EQ(ok ? Show(v, as_real) : "no", row.want)
          << row.text << " mode " << mode << " radix " << radix;
    }
  }
  // Forms that read the same real number in every mode.
  void ExpectInEveryMode(const std::vector<Row>& rows) {
    for (std::uint16_t mode : kEveryMode) Expect(mode, rows, 2, true);
  }

  CalcContext ctx;
};

TEST_F(LiteralTest, IntegerDigitsAreReadInEveryRadixFromTwoToThirtySix) {
  const std::string digits = "0123456789abcdefghijklmnopqrstuvwxyz_";
  for (int radix = 2; radix <= 36; ++radix) {
    const std::string r = std::to_string(radix);
    Expect(kModeLong, {{"10", r}, {"-10", "-" + r}, {digits.substr(radix - 1, 1), std::to_string(radix - 1)},
                       {digits.substr(radix, 1), "no"}}, radix);
  }
}

TEST_F(LiteralTest, IntegerModesReadTheWholeTextAsA32BitStrtoulWould) {
  for (std::uint16_t mode = kModeChar; mode <= kModeUlong; ++mode) {  // narrowing comes later
    Expect(mode, {{"101", "5"}, {"-101", "-5"}, {"102", "no"}, {"12", "no"}}, 2);
    Expect(mode, {{"ff", "255"}, {"FF", "255"}, {"0x1f", "31"}, {"-0X1F", "-31"}, {"g", "no"},
                  {"0x", "no"}, {"0xg", "no"}}, 16);
    Expect(mode, {{"0x1f", "42819"}, {"zz", "1295"}}, 36);
    Expect(mode, {{"007", "7"}, {" 12", "12"}, {"+-1", "4294967295"}, {"--1", "-4294967295"},
                  {"4294967296", "4294967295"}, {"99999999999999999999999", "4294967295"},
                  {"-4294967296", "-4294967295"}, {"1" + std::string(1000, '0'), "4294967295"},
                  {"1.5", "no"}, {"12 ", "no"}, {"1e3", "no"}, {"", "no"}, {"-", "no"}, {" ", "no"},
                  {"0x10", "no"}, {"1_2", "no"}});
  }
}

TEST_F(LiteralTest, BackslashFormsAndCharacterConstantsReadTheSameInEveryMode) {
  ExpectInEveryMode({{"\\x1F", "31"}, {"\\017", "15"}, {"\\b101", "5"}, {"\\123", "123"}, {"\\0", "0"},
                     {"-\\x10", "-16"}, {"\\-\\x10", "-16"}, {"+\\x10", "16"}, {"\\x0x1f", "31"},
                     {"\\x 1", "1"}, {"\\x100000000", "4294967295"}, {"\\b-1", "4294967295"},
                     {"\\", "no"}, {"-\\", "no"}, {"\\-", "no"}, {"\\q1", "no"}, {"\\x", "no"},
                     {"\\b102", "no"}, {"\\x1g", "no"}, {"\\08", "no"}, {"\\12a", "no"}, {"\\0 ", "no"},
                     {"\\\\x1", "no"}, {"\\'A", "no"}, {std::string("1\0", 2), "no"}});
  ExpectInEveryMode({{"'A", "65"}, {"'AB", "16706"}, {"'\\n", "10"}, {"'\\e", "27"}, {"'\\q", "113"},
                     {"'\\\\", "92"}, {"'ABCD", "1094861636"}, {"'ABCDE", "1094861636"},
                     {"'\\n\\t\\0\\v", "168361995"}, {"-'A", "-65"}, {"\\-'A", "-65"}, {"'A\\", "65"},
                     {"'\xFF", "-1"}, {"'A\xFF", "16639"}, {"'\xFF" "A", "4294967105"},
                     {"'\x80" "ABC", "2151760451"}, {"'", "0"}, {"'\\", "0"}});
}

TEST_F(LiteralTest, FloatAndFractionModesReadSignedRealsFractionsAndAngles) {
  const std::vector<Row> malformed = {
      {"", "no"}, {"-", "no"}, {"1.5x", "no"}, {"1.5 ", "no"}, {"1_", "no"}, {"_3", "no"},
      {"1_-1_2", "no"}, {"1_-2", "no"}, {"1__2", "no"}, {"1_2_", "no"}, {"1_2_-3", "no"},
      {"90dd", "no"}, {"90dx", "no"}, {"1:30", "no"}, {"2i", "no"}, {"1+2i", "no"}};
  for (std::uint16_t mode : {kModeEfloat, kModeFloat, kModeGfloat}) {
    Expect(mode, {{"1.5", "1.5"}, {"-1.5", "-1.5"}, {"\\-2", "-2"}, {"+2", "2"}, {"--2", "2"},
                  {"1e999", "inf"}, {"90d", "1.5707963267948966"}, {"-200g", "-3.1415926535897936"}});
    Expect(mode, malformed);
  }
  for (std::uint16_t mode : {kModeGfloat, kModeFract, kModeMfract}) {  // kind fraction until used
    Expect(mode, {{"3_4", "3/4"}, {"-3_4", "-3/4"}, {"6_8", "3/4"}, {"1_1_2", "3/2"}, {"-1_1_2", "-3/2"},
                  {"2_\\1_\\3", "7/3"}, {"1.9_2", "1/2"}, {"1_2.7", "1/2"}, {"0_5", "0/1"},
                  {"1_2d", "0.0087266462599716477"}});
  }
  // Terms past 32 bits saturate like every other literal, whatever the radix
  // (strtod reads decimal and 0x forms alike).
  for (std::uint16_t mode : {kModeGfloat, kModeFract, kModeMfract}) {
    for (int radix : {2, 10, 16, 36}) {
      Expect(mode,
             {{"4294967296_7", "4294967295/7"}, {"-4294967296_7", "-4294967295/7"},
              {"1e20_7", "4294967295/7"}, {"0x100000000_7", "4294967295/7"}, {"4294967295_2", "4294967295/2"},
              {"3_4294967296", "1/1431655765"}, {"1_1_4294967296", "1/1"}, {"4294967296_1_2", "4294967295/2"}},
             radix);
    }
  }
  Expect(kModeFract, {{"1.5", "3/2"}, {"--2", "2/1"}, {"1e999", "1/0"}});
  Expect(kModeFract, malformed);
  ctx.SetAngleUnit(kDegrees);
  Expect(kModeGfloat, {{"1r", "57.295779513082323"}, {"100g", "90"}, {"90d", "90"}});
  ctx.SetAngleUnit(kGrads);
  Expect(kModeFract, {{"90d", "100"}});
}

TEST_F(LiteralTest, ComplexModesReadRealAndImaginaryParts) {
  for (std::uint16_t mode : {kModeEcomplex, kModeComplex, kModeGcomplex}) {
    Expect(mode, {{"1+2i", "1+2i"}, {"1-i", "1-1i"}, {"2i", "0+2i"}, {"-i", "0-1i"}, {"i", "0+1i"},
                  {"1\\-2i", "1-2i"}, {"1\\+2i", "1+2i"}, {"-1-2i", "-1-2i"}, {"-3", "-3"},
                  {"\\-3+i", "-3+1i"}, {"1.5e1+2.5i", "15+2.5i"}, {"1+-2i", "1-2i"},
                  {"90d", "1.5707963267948966"}, {"1+2", "no"}, {"1+2ix", "no"}, {"1+2ii", "no"},
                  {"ix", "no"}, {"1\\2i", "no"}, {"1+", "no"}, {"1\\", "no"}, {"1+ i", "no"},
                  {"1+2i ", "no"}, {"2x", "no"}, {"", "no"}, {"+", "no"}, {"1i2", "no"}, {"+i+i", "no"},
                  {"1_2", "no"}});
  }
}

TEST_F(LiteralTest, TimeFieldsArePlacedByCountUnitLetterAndMode) {
  Expect(kModeMtime, {{"1:30", "1:30:0:0"}, {"1:2:3", "1:2:3:0"}, {"-1:30", "-1:30:0:0"},
                      {"1:\\-30", "0:30:0:0"}});
  Expect(kModeHtime, {{"1:30", "1:30:0:0"}, {"1:2:3:4", "1:2:3:4"}});
  Expect(kModeTime, {{"1:30", "0:1:30:0"}, {"90", "0:1:30:0"}, {"90s", "0:1:30:0"}, {"-90s", "-0:1:30:0"},
                     {"2h", "2:0:0:0"}, {"90m", "1:30:0:0"}, {"1.5h", "1:30:0:0"}, {"45f", "0:0:1:15"},
                     {"1:2:3", "1:2:3:0"}, {"1:30m", "1:30:0:0"}, {"1:15f", "0:0:1:15"},
                     {"1:2:3f", "0:1:2:3"}, {"\\-1:30", "-0:1:30:0"}});
  Expect(kModeFtime, {{"1:15", "0:0:1:15"}, {"1:2:3", "0:1:2:3"}, {"1:30s", "0:1:30:0"},
                      {"1:2:3s", "1:2:3:0"}, {"1:2:3:4f", "1:2:3:4"}});
  ctx.SetFps(25);
  Expect(kModeFtime, {{"30f", "0:0:1:5"}});
  for (std::uint16_t mode = kModeHtime; mode <= kModeFtime; ++mode) {
    Expect(mode, {{"1:2h", "no"}, {"1:2:3m", "no"}, {"1:2:3h", "no"}, {"1:2:3:4s", "no"}, {"1:2:3:4:5", "no"},
                  {"1:2:3:4:5f", "no"}, {"1:", "no"}, {":1", "no"}, {"1x", "no"}, {"1hs", "no"},
                  {"1h ", "no"}, {"", "no"}, {"-", "no"}, {"1::2", "no"}, {"1:2:x", "no"}, {"h", "no"}});
  }
}

TEST_F(LiteralTest, RawImagesFillTheCurrentKindAndPadShortTextWithZeros) {
  const std::string one = Image(1.0), two = Image(2.0);
  for (std::uint16_t mode : {kModeGfloat, kModeComplex}) {
    Expect(mode, {{"\\f" + one, "1"}, {"\\f" + one + Image(-2.5), "1-2.5i"},
                  {"\\f" + Image(0.5) + "i", "0+0.5i"}, {"-\\f" + one + two, "-1-2i"},
                  {"\\f1", "7.9050503334599447e-323"},  // the digit pads to byte 0x10
                  {"\\f" + one + "00000000000010", "1+2.2250738585072014e-308i"},
                  {"\\f" + one + "0i", "no"}});
  }
  Expect(kModeFract, {{"\\f" + Image(-3.0) + Image(4.0), "-3/4"}, {"\\f" + Image(-3.0) + Image(-4.0), "3/4"},
                      {"\\f" + Image(6.9) + Image(8.0), "6/8"}, {"\\f" + Image(5.0), "5/0"},
                      {"\\f" + Image(5e9) + Image(7.0), "4294967295/7"},  // saturated, not wrapped
                      {"\\f" + Image(3.0) + Image(-1e10), "-3/4294967295"},
                      {"\\f" + one + "i", "no"}});
  Expect(kModeFtime, {{"\\f" + Image(3725.5) + Image(7.0), "1:2:5:7"}, {"-\\f" + Image(90.0), "-0:1:30:0"}});
  for (std::uint16_t mode : kEveryMode) {
    Expect(mode, {{"\\f", "no"}, {"\\fi", "no"}, {"\\fg", "no"}, {"\\f" + one + two + "0", "no"},
                  {"\\f12 34", "no"}, {"\\f1i2", "no"}, {"\\f" + one + two + "x", "no"}});
  }
}

TEST_F(LiteralTest, AReadReplacesTheKindAndContentTheValueHeld) {
  ctx.SetMode(kModeFract);
  CalcValue v;  // a fraction, left behind by a mode change
  v.AsFraction() = {1, 7, 9};
  ctx.SetMode(kModeGfloat);
  ASSERT_TRUE(ParseNumber(ctx, "1.5", v));
  EXPECT_EQ(v.kind(), kKindComplex);
  EXPECT_EQ(v.AsComplex().re, 1.5);
}

}  // namespace
}  // namespace calc
