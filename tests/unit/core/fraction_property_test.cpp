// Fraction arithmetic against exact rational arithmetic on random operands:
// wherever the true result fits 32-bit terms it must come out exact and reduced.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>

#include "core/arithmetic.h"

namespace calc {
namespace {

// Terms stay at or below 2^20, so cross products and sums stay below 2^42.
using Wide = std::int64_t;

class FractionPropertyTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};
};

enum Op { kAdd, kSubtract, kMultiply, kDivide, kAddWhole, kMultiplyWhole, kDivideWhole, kOpCount };

TEST_F(FractionPropertyTest, ResultsThatFitThirtyTwoBitsAreExactAndReduced) {
  std::mt19937 rng(20240611);
  // Mostly small terms, some up to 2^20 so that sums and products pass 32 bits
  // before they cancel.
  const auto term = [&](std::uint32_t min) {
    const std::uint32_t max = rng() % 4 == 0 ? 1u << 20 : 3000;
    return std::uniform_int_distribution<std::uint32_t>(min, max)(rng);
  };
  int checked = 0;
  for (int i = 0; i < 4000; ++i) {
    const auto op = static_cast<Op>(i % kOpCount);
    const bool divides = op == kDivide || op == kDivideWhole;
    const CalcFraction a{static_cast<std::uint8_t>(rng() % 2), term(0), term(1)};
    // b is never zero as a divisor; it is a whole number for the real operations.
    const CalcFraction b{static_cast<std::uint8_t>(rng() % 2), term(divides ? 1 : 0), op >= kAddWhole ? 1 : term(1)};

    // The exact result as a reduced rational.
    const Wide an = a.sign ? -Wide{a.num} : Wide{a.num}, bn = b.sign ? -Wide{b.num} : Wide{b.num};
    Wide num = an * b.den + (op == kSubtract ? -bn : bn) * a.den;
    Wide den = Wide{a.den} * b.den;
    if (op == kMultiply || op == kMultiplyWhole) num = an * bn;
    if (divides) num = an * b.den, den = Wide{a.den} * bn;
    if (den < 0) num = -num, den = -den;
    Wide g = num < 0 ? -num : num;
    for (Wide r = den; r != 0;) g = std::exchange(r, g % r);
    num /= g, den /= g;
    const Wide magnitude = num < 0 ? -num : num;
    if (magnitude > 4294967295 || den > 4294967295) continue;

    CalcFraction f = a;
    const double real = FractionToReal(b);
    switch (op) {
      case kAdd: FractionAdd(f, b); break;
      case kSubtract: FractionSubtract(f, b); break;
      case kMultiply: FractionMultiply(f, b); break;
      case kDivide: FractionDivide(f, b); break;
      case kAddWhole: FractionAddReal(f, real); break;
      case kMultiplyWhole: FractionMultiplyReal(f, real); break;
      default: FractionDivideReal(f, real); break;
    }
    ++checked;
    const auto where = [&] {
      return ::testing::Message() << "op " << op << ": " << (a.sign ? "-" : "") << a.num << "/" << a.den << ", "
                                  << (b.sign ? "-" : "") << b.num << "/" << b.den;
    };
    EXPECT_EQ(f.num, static_cast<std::int64_t>(magnitude)) << where();
    EXPECT_EQ(f.den, static_cast<std::int64_t>(den)) << where();
    if (magnitude != 0) {  // a zero keeps the sign it had
      EXPECT_EQ(f.sign, num < 0 ? 1 : 0) << where();
    }
  }
  EXPECT_GT(checked, 3000);
}

}  // namespace
}  // namespace calc
