// The mathematical built-ins against the C library: every function family
// in one table of (text, expected, tolerance), in a float mode and, for the
// complex-capable ones, in a complex mode against std::complex; then the
// angle units and the exactness of fraction results.
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

struct RealCase {
  const char* text;
  double expected;
};

class ElementaryFunctions : public LibraryTest {};

TEST_F(ElementaryFunctions, GiveTheCLibrarysValuesInAFloatMode) {
  const std::vector<RealCase> cases = {
      {"sin 0.5", std::sin(0.5)},         {"cos 0.5", std::cos(0.5)},
      {"tan 0.5", std::tan(0.5)},         {"asin 0.5", std::asin(0.5)},
      {"acos 0.5", std::acos(0.5)},       {"atan 2", std::atan(2.0)},
      {"atan2 1 (0-2)", std::atan2(1.0, -2.0)},
      {"sinh 1.5", std::sinh(1.5)},       {"cosh 1.5", std::cosh(1.5)},
      {"tanh 0.5", std::tanh(0.5)},       {"asinh 2", std::asinh(2.0)},
      {"acosh 2", std::acosh(2.0)},       {"atanh 0.5", std::atanh(0.5)},
      {"exp 2", std::exp(2.0)},           {"exp10 2.5", std::pow(10.0, 2.5)},
      {"log 10", std::log(10.0)},         {"log10 2000", std::log10(2000.0)},
      {"pow 2 0.5", std::pow(2.0, 0.5)},  {"pow (0-2) 3", -8.0},
      {"sqr 1.5", 2.25},                  {"sqrt 2", std::sqrt(2.0)},
      {"ceil (0-1.5)", -1.0},             {"floor (0-1.5)", -2.0},
      {"abs (0-5)", 5.0},                 {"int (0-2.7)", -2.0},
      {"ldexp 3 4.9", 48.0},              {"polar 2 (0.5)", 2.0 * std::cos(0.5)},
      {"norm 3", 9.0},                    {"arg (0-1)", kPi},
      {"isinf HUGE_VAL", 1.0},               {"isnan 1", 0.0},
      {"real 7", 7.0},                    {"imag 7", 0.0},
  };
  for (const RealCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), kValue);
    EXPECT_NEAR(Answer(), c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)));
    EXPECT_TRUE(engine.reports.empty());
  }
}

struct ComplexCase {
  const char* text;
  Complex expected;
};

TEST_F(ElementaryFunctions, TakeThePrincipalBranchesInAComplexMode) {
  ASSERT_EQ(Run(":complex"), kNoValue);
  const Complex z(1.0, 2.0);
  const std::vector<ComplexCase> cases = {
      {"sin (1 2)", std::sin(z)},     {"cos (1 2)", std::cos(z)},     {"tan (1 2)", std::tan(z)},
      {"asin (1 2)", std::asin(z)},   {"acos (1 2)", std::acos(z)},   {"atan (1 2)", std::atan(z)},
      {"sinh (1 2)", std::sinh(z)},   {"cosh (1 2)", std::cosh(z)},   {"tanh (1 2)", std::tanh(z)},
      {"asinh (1 2)", std::asinh(z)}, {"acosh (1 2)", std::acosh(z)}, {"atanh (1 2)", std::atanh(z)},
      {"exp (1 2)", std::exp(z)},     {"log (1 2)", std::log(z)},     {"log10 (1 2)", std::log10(z)},
      {"exp10 (1 2)", std::pow(10.0, z)},
      {"pow (1 2) (0.5 1)", std::pow(z, Complex(0.5, 1.0))},
      {"sqr (1 2)", z * z},
      {"sqrt (1 2)", std::sqrt(z)},
      {"sqrt (1 (0-2))", std::sqrt(std::conj(z))},
      {"sqrt (0-4)", Complex(0.0, 2.0)},
      {"sqrt ((0-3) (0-4))", Complex(1.0, -2.0)},
      {"asin 2", std::asin(Complex(2.0, 0.0))},
      {"acosh 0.5", std::acosh(Complex(0.5, 0.0))},
      {"log (0-1)", Complex(0.0, kPi)},
      {"pow (0-8) (1/3)", std::pow(Complex(-8.0, 0.0), 1.0 / 3.0)},
      {"conjg (1 2)", std::conj(z)},
      {"abs (3 4)", 5.0},
      {"norm (1 2)", 5.0},
      {"arg (0 1)", kPi / 2},
      {"imag (1 2)", 2.0},
      {"real (1 2)", 1.0},
      {"polar 2 (kPi)", Complex(-2.0, 0.0)},
      {"ldexp (1 2) 3", Complex(8.0, 16.0)},
  };
  ASSERT_EQ(Run("kPi = 4 * atan 1"), kValue);
  for (const ComplexCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), kValue);
    const Complex got = ComplexAnswer();
    EXPECT_NEAR(got.real(), c.expected.real(), 1e-12 * std::max(1.0, std::abs(c.expected)));
    EXPECT_NEAR(got.imag(), c.expected.imag(), 1e-12 * std::max(1.0, std::abs(c.expected)));
    EXPECT_TRUE(engine.reports.empty());
  }
}

struct AngleCase {
  const char* unit;  // the command that selects it
  const char* text;
  double expected;
};

TEST_F(ElementaryFunctions, TakeAndGiveAnglesInTheCurrentUnit) {
  const std::vector<AngleCase> cases = {
      {":deg", "a2g(90)", 100.0},     {":deg", "sin 30", 0.5},        {":deg", "asin 1", 90.0},
      {":deg", "atan2 1 1", 45.0},    {":deg", "arg (0-1)", 180.0},   {":deg", "d2a 45", 45.0},
      {":deg", "a2r 180", kPi},       {":deg", "polar 2 60", 1.0},    {":grad", "cos 200", -1.0},
      {":grad", "acos 0", 100.0},     {":grad", "a2d 100", 90.0},     {":grad", "g2a 50", 50.0},
      {":rad", "a2g(kPi)", 200.0},    {":rad", "r2d(kPi)", 180.0},    {":rad", "d2g 180", 200.0},
      {":rad", "g2d 100", 90.0},      {":rad", "g2r 200", kPi},       {":rad", "r2g(kPi/2)", 100.0},
      {":rad", "r2a 1", 1.0},         {":deg", "d2r(180)", kPi},      {":grad", "d2r(180)", kPi},
  };
  ASSERT_EQ(Run("kPi = 4 * atan 1"), kValue);
  for (const AngleCase& c : cases) {
    SCOPED_TRACE(std::string(c.unit) + " " + c.text);
    ASSERT_EQ(Run(c.unit), kNoValue);
    ASSERT_EQ(Run(c.text), kValue);
    EXPECT_NEAR(Answer(), c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected)));
  }
}

TEST_F(ElementaryFunctions, KeepFractionsExactAndFitIntegerModes) {
  ASSERT_EQ(Run(":fract"), kNoValue);
  const struct {
    const char* text;
    std::uint8_t sign;
    std::uint32_t num;
    std::uint32_t den;
  } fractions[] = {
      {"sqr(1/3)", 0, 1, 9}, {"abs(0-1/3)", 0, 1, 3}, {"real(2/7)", 0, 2, 7},
      {"conjg(2/7)", 0, 2, 7}, {"norm(2/3)", 0, 4, 9}, {"num(0-3/4)", 1, 3, 1}, {"denom(3/4)", 0, 4, 1},
  };
  for (const auto& c : fractions) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), kValue);
    const CalcFraction f = FractionAnswer();
    EXPECT_EQ(f.sign, c.sign);
    EXPECT_EQ(f.num, c.num);
    EXPECT_EQ(f.den, c.den);
  }
  // An integer mode narrows the function's value like any other.
  ASSERT_EQ(Run(":long; sqrt 10"), kValue);
  EXPECT_EQ(Answer(), 3.0);
  ASSERT_EQ(Run(":char; exp10 3"), kValue);
  EXPECT_EQ(Answer(), static_cast<double>(static_cast<std::int8_t>(1000)));
}

}  // namespace
}  // namespace calc::testing
