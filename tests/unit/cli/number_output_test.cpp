// How radixcalc prints numbers: by default with as many digits as they need
// (integers whole, other reals with the shortest digits that read back the
// same), and with --prec N as the engine's precision N.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/context.h"
#include "core/format.h"
#include "core/modes.h"
#include "run_command.h"

namespace radixcalc {
namespace {

std::string Printed(std::vector<std::string_view> args) {
  std::istringstream in;
  std::ostringstream out, err;
  RunScripts(args, in, out, err);
  return out.str() + err.str();
}

TEST(NumberOutput, EveryModeAndPrecisionPrintsAsACalculatorShould) {
  const struct {
    std::vector<std::string_view> args;
    std::string printed;
  } rows[] = {
      // Integers keep every digit, up to 2^64.
      {{"-e", "123456789"}, "123456789\n"},
      {{"-e", "2999997"}, "2999997\n"},
      {{"-e", "0 - 9007199254740993"}, "-9007199254740992\n"},
      {{"-e", "k = 1024 * 1024 * 1024 * 1024 * 1024 * 1024; k; k * 16"},
       "1152921504606846976\n1.8446744073709552e+19\n"},
      {{"-e", "1e20"}, "1e+20\n"},
      // Other reals: the shortest digits that read back, "%g"'s layout.
      {{"-e", "1 / 3; 0.1 + 0.2; 123.456"}, "0.3333333333333333\n0.30000000000000004\n123.456\n"},
      {{"-e", "0.0001; 1e\\-5; 1 / 3 * 1e\\-10"}, "0.0001\n1e-05\n3.3333333333333335e-11\n"},
      // The exponent and fixed notations, and a script's own precision.
      {{"--mode", "efloat", "-e", "123456789; 0.5"}, "1.23456789e+08\n5e-01\n"},
      {{"--mode", "float", "-e", "1e20; 1 / 8"}, "100000000000000000000\n0.125\n"},
      {{"-e", ":prec 3; 2 / 3; :prec 0; 2 / 3"}, "0.667\n0.6666666666666666\n"},
      // --prec N is the precision N, as in the engine.
      {{"--prec", "6", "-e", "123456789"}, "1.23457e+08\n"},
      {{"--prec", "6", "--mode", "complex", "-e", "(1 + 2i) / 3"}, "0.333333+0.666667i\n"},
      // Complex parts and matrix elements follow the same rule.
      {{"--mode", "complex", "-e", "(1 + 2i) / 3; 123456789 + 0.5i"},
       "0.3333333333333333+0.6666666666666666i\n123456789+0.5i\n"},
      {{"-e", "@@m 1 1 = 0.1; @@m 0 1 = 123456789; @@m"}, "{ { 0 123456789 } { 0 0.1 } }\n"},
  };
  for (const auto& row : rows) EXPECT_EQ(Printed(row.args), row.printed) << row.args.back();
}

// Any finite double, in each notation, prints as text that reads back as
// the same double; whole numbers in the general notation print as integers.
TEST(NumberOutput, ShortestTextReadsBackAsTheSameDouble) {
  std::mt19937_64 random(20261207);
  calc::CalcContext context;
  context.shortest_automatic = true;
  context.SetPrecision(0);
  for (const std::uint16_t mode : {calc::kModeGfloat, calc::kModeEfloat, calc::kModeFloat}) {
    context.SetMode(mode);
    for (int i = 0; i < 20000; ++i) {
      const double x = std::bit_cast<double>(random());
      if (!std::isfinite(x)) continue;
      const std::string text = calc::FormatValue(context, calc::CalcValue::FromReal(x));
      double read = 0;
      std::from_chars(text.data(), text.data() + text.size(), read);
      ASSERT_EQ(read, x) << text;
    }
  }
  context.SetMode(calc::kModeGfloat);
  for (int i = 0; i < 20000; ++i) {
    const auto n = static_cast<std::int64_t>(random() >> 11) - (std::int64_t{1} << 52);
    ASSERT_EQ(calc::FormatValue(context, calc::CalcValue::FromReal(static_cast<double>(n))), std::to_string(n));
  }
}

}  // namespace
}  // namespace radixcalc
