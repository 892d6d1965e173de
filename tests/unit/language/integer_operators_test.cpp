// The operators of the integer modes against C's own fixed-width arithmetic:
// every width and sign, every operator from "*" to "!=", on the edges of
// each type. The model computes each result in the C type itself (with the
// compiler's overflow builtins telling whether the exact value fits it);
// the engine must give the same narrowed value and warn exactly when the
// exact value lies outside the type.
#include <cstdint>
#include <limits>
#include <type_traits>
#include <string>
#include <vector>

#include "core/modes.h"
#include "engine_fixture.h"

namespace calc::testing {
namespace {

struct Expected {
  std::int64_t value;
  int warning;  // 0, W_OVERFLOW or W_UNDERFLOW
};

// A result whose exact value may not fit T: the wrapped value, and the
// warning by the exact value's sign.
template <typename T>
Expected Fitted(T wrapped, bool overflowed, bool exact_is_negative) {
  return {static_cast<std::int64_t>(wrapped), !overflowed ? 0 : exact_is_negative ? W_UNDERFLOW : W_OVERFLOW};
}

template <typename T>
Expected Exact(T value) {
  return {static_cast<std::int64_t>(value), 0};
}

// C on T. Division and remainder truncate toward zero; the only C trap,
// the minimum divided by -1, is the exact value one past the maximum.
template <typename T>
Expected Model(const std::string& op, T a, T b) {
  using Promoted = std::conditional_t<std::is_signed_v<T>, std::int32_t, std::uint32_t>;
  T r{};
  if (op == "+") return Fitted(r, __builtin_add_overflow(a, b, &r), b < 0);
  if (op == "-") return Fitted(r, __builtin_sub_overflow(a, b, &r), a < b);
  if (op == "*") return Fitted(r, __builtin_mul_overflow(a, b, &r), (a < 0) != (b < 0));
  if (op == "/" || op == "%") {
    if (std::is_signed_v<T> && a == std::numeric_limits<T>::min() && b == T(-1))
      return op == "/" ? Expected{a, W_OVERFLOW} : Exact(T(0));
    return Exact(static_cast<T>(op == "/" ? Promoted(a) / Promoted(b) : Promoted(a) % Promoted(b)));
  }
  const unsigned count = static_cast<unsigned>(b) & 31u;
  if (op == "<<") return Fitted(r, __builtin_mul_overflow(a, std::int64_t{1} << count, &r), a < 0);
  if (op == ">>") return Exact(static_cast<T>(Promoted(a) >> count));
  if (op == "<") return Exact(a < b);
  if (op == "<=") return Exact(a <= b);
  if (op == ">") return Exact(a > b);
  if (op == ">=") return Exact(a >= b);
  if (op == "==") return Exact(a == b);
  if (op == "!=") return Exact(a != b);
  if (op == "&") return Exact(static_cast<T>(a & b));
  if (op == "^") return Exact(static_cast<T>(a ^ b));
  return Exact(static_cast<T>(a | b));
}

// Edges of every type, converted into T (so that each type sees its own
// minimum, maximum, their neighbours and a few bit patterns).
template <typename T>
std::vector<T> Operands() {
  const std::int64_t seeds[] = {0,      1,      2,          3,          7,          31,         32,
                                100,    -1,     -2,         -7,         127,        128,        255,
                                32767,  32768,  65535,      0x55555555, 2147483647, 2147483648, 4294967295,
                                -128,   -32768, -2147483647 - 1};
  std::vector<T> operands;
  for (std::int64_t seed : seeds) operands.push_back(static_cast<T>(seed));
  return operands;
}

// A negative operand is written with the unary minus: a "-" after "="
// would subtract from the previous answer.
template <typename T>
std::string Literal(T n) {
  return n < 0 ? "[-]" + std::to_string(-static_cast<std::int64_t>(n)) : std::to_string(+n);
}

class IntegerOperatorsTest : public EngineTest {
 protected:
  template <typename T>
  void ExpectLikeC(std::uint16_t mode) {
    const char* const ops[] = {"*", "/", "%", "+", "-", "<<", ">>", "<", "<=", ">", ">=", "==", "!=", "&", "^", "|"};
    context.range_warnings = true;
    context.SetMode(mode);  // a text's numbers are read in the mode it starts in
    for (T a : Operands<T>()) {
      for (T b : Operands<T>()) {
        // Setting the operands may warn (a literal is read before the minus
        // in front of it applies); only the operation's own reports count.
        Run("a = " + Literal(a) + "; b = " + Literal(b));
        for (const std::string op : ops) {
          if ((op == "/" || op == "%") && b == 0) continue;  // left to the reals, tested below
          const std::string where = "mode " + std::to_string(mode) + ": " + std::to_string(+a) + " " + op + " " + std::to_string(+b);
          ASSERT_EQ(Run("a " + op + " b"), kValue) << where;
          const Expected want = Model(op, a, b);
          EXPECT_EQ(Answer(), static_cast<double>(want.value)) << where;
          const std::vector<int> warnings = want.warning ? std::vector<int>{want.warning} : std::vector<int>{};
          EXPECT_EQ(ReportCodes(), warnings) << where;
        }
      }
    }
  }
};

TEST_F(IntegerOperatorsTest, EveryWidthAndSignComputesAsCDoes) {
  ExpectLikeC<std::int8_t>(kModeChar);
  ExpectLikeC<std::uint8_t>(kModeUchar);
  ExpectLikeC<std::int16_t>(kModeShort);
  ExpectLikeC<std::uint16_t>(kModeUshort);
  ExpectLikeC<std::int32_t>(kModeLong);
  ExpectLikeC<std::uint32_t>(kModeUlong);
}

struct TextRow {
  std::uint16_t mode;
  int radix;
  const char* text;
  double value;
  std::vector<int> warnings;
};

class IntegerTextTest : public EngineTest {
 protected:
  void Expect(const std::vector<TextRow>& rows) {
    context.range_warnings = true;
    for (const TextRow& row : rows) {
      context.SetMode(row.mode);  // a text's numbers are read in the mode it starts in
      context.SetRadix(row.radix);
      EXPECT_EQ(Run(row.text), kValue) << row.text;
      EXPECT_EQ(Answer(), row.value) << row.text;
      EXPECT_EQ(ReportCodes(), row.warnings) << row.text;
    }
  }
};

TEST_F(IntegerTextTest, ProductsPastTheRealsKeepTheirLowBits) {
  Expect({
      {kModeUlong, 16, "FFFFFFFF * FFFFFFFF", 1, {W_OVERFLOW}},
      {kModeUlong, 16, "FFFFFFFF * FFFFFF", 0xFF000001, {W_OVERFLOW}},
      {kModeLong, 10, "2147483647 * 2147483647", 1, {W_OVERFLOW}},
      {kModeUlong, 16, "(((6C5-7FF)+(9A5-94D))*((237+718)+(170-FAB)))", 0x45858,
       {W_UNDERFLOW, W_UNDERFLOW, W_OVERFLOW}},
      {kModeUlong, 16, "x = FFFFFFFF; x *= x", 1, {W_OVERFLOW}},  // the compound assignments too
      {kModeLong, 10, "[~] 0", -1, {}},                             // the type's own complement
      {kModeUchar, 10, "[~] 200", 55, {}},
  });
}

TEST_F(IntegerTextTest, DivisionByZeroKeepsTheRealResultAndItsWarnings) {
  Expect({
      {kModeLong, 10, "7 / 0", 0, {W_DIV, W_OVERFLOW}},  // +infinity narrows to 0
      {kModeLong, 10, "n = 0 - 7; n / 0", 0, {W_DIV, W_UNDERFLOW}},  // -infinity
      {kModeLong, 10, "0 / 0", 0, {W_DIV}},  // NaN is in no direction
      {kModeLong, 10, "7 % 0", 0, {W_DIV}},
      {kModeUchar, 10, "7 / 0", 0, {W_DIV, W_OVERFLOW}},
  });
}

struct MatrixRow {
  const char* text;
  const char* echo;
  std::vector<std::string> warning_texts;  // each a W_OVERFLOW
};

TEST_F(IntegerTextTest, MatrixProductsAndElementWiseQuotientsAreExactToo) {
  context.range_warnings = true;
  context.SetMode(kModeUlong);
  context.SetRadix(16);
  Run("@@m { { FFFFFFFF 2 } { 3 FFFFFFFF } }; @@r { { FFFFFFFF FFFFFFFF } }; @@c { { FFFFFFFF } { FFFFFFFF } }; "
      "@@w { { FFFFFFFF FFFFFFFF } { FFFFFFFF FFFFFFFF } }");
  const MatrixRow rows[] = {
      // Each element sums exact products.
      {"@@m * @@m", "{ { 7 FFFFFFFC } { FFFFFFFA 7 } }",
       {"18446744065119617031", "17179869180", "25769803770", "18446744065119617031"}},
      {"@@r * @@c", "2", {""}},  // 2^65 - 2^34 + 2; a single result carries no text
      {"@@w * @@w", "{ { 2 2 } { 2 2 } }",  // past 2^64 the text is the nearest real
       {"36893488130239234048", "36893488130239234048", "36893488130239234048", "36893488130239234048"}},
      {"@@m * FFFFFFFF", "{ { 1 FFFFFFFE } { FFFFFFFD 1 } }",
       {"18446744065119617025", "8589934590", "12884901885", "18446744065119617025"}},
      {"FFFFFFFF * @@m", "{ { 1 FFFFFFFE } { FFFFFFFD 1 } }",
       {"18446744065119617025", "8589934590", "12884901885", "18446744065119617025"}},
      {"@@m / 2", "{ { 7FFFFFFF 1 } { 1 7FFFFFFF } }", {}},
  };
  for (const MatrixRow& row : rows) {
    EXPECT_EQ(Echo(row.text), row.echo) << row.text;
    std::vector<std::string> texts;
    for (const Seen& seen : engine.reports) {
      EXPECT_EQ(seen.code, W_OVERFLOW) << row.text;
      texts.push_back(seen.token);
    }
    EXPECT_EQ(texts, row.warning_texts) << row.text;
  }
  context.SetMode(kModeLong);
  context.SetRadix(10);
  Run("@@s { { [-]7 7 } }");
  EXPECT_EQ(Echo("@@s / [-]2"), "{ { 3 \\-3 } }");  // toward zero, element by element
  EXPECT_EQ(Echo("@@s % [-]2"), "{ { \\-1 1 } }");  // the sign of the dividend
}

}  // namespace
}  // namespace calc::testing
