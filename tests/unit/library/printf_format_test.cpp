// The printf formatter on its own: conversions, flags, bounds, refused
// directives, and output that must be the same on every platform (exponent
// digits, exact decimal expansion, non-finite values).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "core/status_codes.h"
#include "library/printf_format.h"

namespace calc {
namespace {

using Argument = std::variant<double, std::string>;

// Arguments from a list; an integer is taken from a number truncated, as
// the commands do. Running out fails like a missing script argument.
class ListArguments final : public PrintfArguments {
 public:
  explicit ListArguments(std::vector<Argument> list) : list_(std::move(list)) {}
  int NextInteger(std::int32_t& out) override {
    double value = 0;
    if (const int status = NextReal(value)) return status;
    out = static_cast<std::int32_t>(static_cast<std::int64_t>(value));
    return kDone;
  }
  int NextReal(double& out) override {
    if (next_ >= list_.size() || !std::holds_alternative<double>(list_[next_])) return E_COMMAND_PARAM;
    out = std::get<double>(list_[next_++]);
    return kDone;
  }
  int NextString(std::string& out) override {
    if (next_ >= list_.size() || !std::holds_alternative<std::string>(list_[next_])) return E_COMMAND_PARAM;
    out = std::get<std::string>(list_[next_++]);
    return kDone;
  }
  std::size_t used() const { return next_; }

 private:
  std::vector<Argument> list_;
  std::size_t next_ = 0;
};

struct Case {
  const char* format;
  std::vector<Argument> arguments;
  const char* expected;
};

std::string Format(const Case& c, int& status) {
  ListArguments arguments(c.arguments);
  std::vector<std::string> pieces;
  status = FormatPrintf(c.format, arguments, pieces);
  std::string text;
  for (const std::string& piece : pieces) text += piece;
  return text;
}

TEST(PrintfFormat, ConversionsAndFlags) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<Case> cases = {
      {"%5.2f|%x|%s", {3.14159, 255.0, std::string("ab")}, " 3.14|ff|ab"},
      {"100%% %d", {7.0}, "100% 7"},
      {"%d %i%d", {-12.0, 5.0}, "<refused>"},  // "%i%d" runs on to the d: refused
      {"[%6d][%-6d][%06d][%+d][% d]", {42.0, 42.0, -42.0, 42.0, 42.0}, "[    42][42    ][-00042][+42][ 42]"},
      {"[%.3d][%.0d][%8.3d][%08.3d]", {7.0, 0.0, -7.0, 7.0}, "[007][][    -007][     007]"},
      {"%u %x %X %o", {-1.0, -1.0, 3054.0, 8.0}, "4294967295 ffffffff BEE 10"},
      {"%#o %#x %#X %#x", {8.0, 255.0, 255.0, 0.0}, "010 0xff 0XFF 0"},
      {"%hd %hu %hx %ld %lu", {70000.0, -1.0, 65537.0, -5.0, 5.0}, "4464 65535 1 -5 5"},
      {"%c%c|%3c|%-3c|", {72.0, 105.0 + 256.0, 65.0, 66.0}, "Hi|  A|B  |"},
      {"%e|%E|%.0e|%#.0e", {12345.678, 0.000125, 5.0, 5.0}, "1.234568e+04|1.250000E-04|5e+00|5.e+00"},
      // Two exponent digits at least, three when needed, on every platform.
      {"%e %e %g", {1e100, 1e-300, 1e-5}, "1.000000e+100 1.000000e-300 1e-05"},
      {"%g %g %g %g %G", {100000.0, 1000000.0, 0.0001, 2.5, 1e-10}, "100000 1e+06 0.0001 2.5 1E-10"},
      {"%#g %#.3g %.3g %g", {2.0, 1.0, 1234.5, 0.0}, "2.00000 1.00 1.23e+03 0"},
      {"[%8.3f][%-8.2f][%08.2f][%+.1f][% .1f]", {3.14159, 2.5, -2.5, 1.0, 1.0},
       "[   3.142][2.50    ][-0002.50][+1.0][ 1.0]"},
      {"%.20f", {0.1}, "0.10000000000000000555"},  // the exact value, not a platform's approximation
      {"%lf %f %.0f %#.0f", {1.5, -0.0, 2.5, 2.0}, "1.500000 -0.000000 2 2."},
      {"%f %e %5G|%-5f|%+f", {inf, -inf, std::nan(""), inf, inf}, "inf -inf   NAN|inf  |+inf"},
      {"%*d|%-*d|%.*f|%*.*s|", {5.0, 1.0, 3.0, 2.0, 2.0, 3.14159, 4.0, 2.0, std::string("abc")},
       "    1|2  |3.14|  ab|"},
      {"%*d|%.*f", {-4.0, 9.0, -1.0, 0.5}, "9   |0.500000"},
      {"[%s][%5s][%-5s][%.1s]", {std::string("x"), std::string("ab"), std::string("ab"), std::string("xyz")},
       "[x][   ab][ab   ][x]"},
      {"%4096d|", {1.0}, nullptr},  // the largest width is taken
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    int status = 0;
    const std::string text = Format(c, status);
    if (c.expected == nullptr) {
      EXPECT_EQ(status, kDone);
      EXPECT_EQ(text.size(), 4097u);
    } else if (std::string(c.expected) == "<refused>") {
      EXPECT_EQ(status, E_COMMAND_PARAM);
    } else {
      EXPECT_EQ(status, kDone);
      EXPECT_EQ(text, c.expected);
    }
  }
}

// The directive text never reaches a C library formatter: anything that is
// not flags, bounded width and precision, at most two stars and a length
// modifier valid for the conversion is refused before any argument is read.
TEST(PrintfFormat, RefusedDirectivesReadNoArgument) {
  const char* refused[] = {
      "%n",     "%p",     "%ls",     "%lc",    "%lld",     "%hhd",    "%hf",   "%hs",     "%Lf",
      "%qd",    "%zd",    "%jd",     "%id",    "%99999999d", "%.4097f", "%4097d", "%1$d",  "%'d",
      "%**d",   "%*.**d", "%.*.*d",  "%5",     "abc%",     "%-",      "%I64d", "%.2.3f", "%d%5.3",
  };
  for (const char* format : refused) {
    SCOPED_TRACE(format);
    ListArguments arguments({1.0, 1.0, 1.0, 1.0});
    std::vector<std::string> pieces;
    const int status = FormatPrintf(format, arguments, pieces);
    EXPECT_EQ(status, E_COMMAND_PARAM);
    if (std::string(format) != "%d%5.3") {
      EXPECT_EQ(arguments.used(), 0u);
    }
  }
  // A "*" beyond the bound is refused as well.
  for (const double star : {4097.0, -4097.0, -2147483648.0}) {
    ListArguments arguments({star, 1.0});
    std::vector<std::string> pieces;
    EXPECT_EQ(FormatPrintf("%*d", arguments, pieces), E_COMMAND_PARAM);
  }
  ListArguments arguments({1.0, 5000.0, 1.0});
  std::vector<std::string> pieces;
  EXPECT_EQ(FormatPrintf("%.*f", arguments, pieces), kDone);  // a precision of 1 ...
  EXPECT_EQ(FormatPrintf("%.*f", arguments, pieces), E_COMMAND_PARAM);  // ... and one of 5000
}

}  // namespace
}  // namespace calc
