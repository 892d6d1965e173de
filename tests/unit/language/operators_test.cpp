// The operators: arithmetic by value kind, the bit and comparison operators
// on first elements, the logical and conditional operators, the assignments,
// the increments and the matrix behaviour of * / % + -.
#include <cmath>
#include <string>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

using OperatorsTest = EngineTest;

struct ValueRow {
  const char* text;
  double value;
};

TEST_F(OperatorsTest, ScalarOperatorsGiveTheirValue) {
  const ValueRow rows[] = {
      {"7 / 2", 3.5},
      {"7 % 3", 1},
      {"[-]7 % 3", -1},
      {"7.5 % 2", 1.5},
      {":long; 7 / 2", 3},           // integer modes truncate after the step
      {":long; [-]7 / 2", -3},
      {":fract; 7_2 % 1", 0.5},       // exact for fractions
      {":time; 100 % 60", 40},
      {":gfloat; 6 & 3", 2},
      {"6 | 3", 7},
      {"6 ^ 3", 5},
      {"1 << 31", 2147483648.0},
      {"2.9 << 1", 4},                // truncated toward zero first
      {"[-]1 >> 28", 15},             // a negative value as its unsigned 32-bit image
      {":ulong; [~] 0", 4294967295.0},
      {":long; [~] 0", -1},
      {":gfloat; 2 < 3", 1},
      {"3 <= 3", 1},
      {"2 > 3", 0},
      {"3 >= 4", 0},
      {"3 == 3", 1},
      {"3 != 3", 0},
      {":gcomplex; (1 5) == (1 7)", 1},  // complex values compare by their real parts
      {":gfloat; 2 && 3", 1},
      {"0 || 0", 0},
      {"[!] 0", 1},
      {"[!] 2", 0},
      {"[+] 4", 4},
      {"1, 2, 3", 3},
      {"x = 6; x *= 2; x /= 3; x += 10; x -= 1; x %= 5; x <<= 3; x >>= 1; x &= 6; x |= 1; x ^= 3; x", 6},
      {"y = 5; [--] y; y", 4},
      {":time; t = 10; [++] t", 11},  // a time steps by one second
  };
  for (const ValueRow& row : rows) {
    EXPECT_EQ(Run(row.text), kValue) << row.text;
    EXPECT_DOUBLE_EQ(Answer(), row.value) << row.text;
    EXPECT_TRUE(engine.reports.empty()) << row.text;
  }
}

TEST_F(OperatorsTest, DivisionByZeroWarnsOnceAndStillRuns) {
  EXPECT_EQ(Run("1 / 0"), kValue);
  EXPECT_TRUE(std::isinf(Answer()));
  EXPECT_EQ(ReportCodes(), std::vector<int>{W_DIV});
  EXPECT_EQ(engine.reports[0].token, "/");
  Run("z = 4; z %= 0");
  EXPECT_EQ(ReportCodes(), std::vector<int>{W_DIV});
  engine.set_warnings(false);
  Run("1 / 0");
  EXPECT_TRUE(engine.reports.empty());
  EXPECT_TRUE(std::isinf(Answer()));
}

TEST_F(OperatorsTest, AssignmentsRefuseConstantsAndNonTargets) {
  EXPECT_EQ(Run(":define K 3; K += 1"), E_ASS);
  EXPECT_EQ(Variable("K"), 3);
  EXPECT_EQ(Run("K++"), E_ASS);
  EXPECT_EQ(Run("4 += 1"), E_LVALUE);
  EXPECT_EQ(Run("a = 1; a + 2 = 3"), E_LVALUE);  // an operator's result is no target
  EXPECT_EQ(Variable("a"), 1);
}

struct MatrixRow {
  const char* text;
  const char* echo;
};

TEST_F(OperatorsTest, MatrixOperandsFollowTheShapeRules) {
  Run("@@m { { 1 2 } { 3 4 } }; @@r { { 1 2 3 } }");
  const MatrixRow rows[] = {
      {"@@m * @@m", "{ { 7 10 } { 15 22 } }"},
      {"2 * @@m", "{ { 2 4 } { 6 8 } }"},
      {"@@m * 2", "{ { 2 4 } { 6 8 } }"},
      {"@@m / 2", "{ { 0.5 1 } { 1.5 2 } }"},
      {"@@m % 2", "{ { 1 0 } { 1 0 } }"},
      {"@@m + @@m", "{ { 2 4 } { 6 8 } }"},
      {"@@m + 1", "2"},                                // a single right value cuts the left down
      {"1 + @@m", "{ { 2 2 } { 3 4 } }"},              // the left grows to the right's shape
      {"@@m - @@r", "{ { 0 0 \\-3 } { 3 4 0 } }"},      // and to the larger of both
      {"[-] @@m", "{ { \\-1 \\-2 } { \\-3 \\-4 } }"},
      {"@@m == 1", "1"},                               // comparisons take first elements
      {"@@m & 3", "1"},
      {"@@m && 0", "0"},                               // a matrix counts as true
  };
  for (const MatrixRow& row : rows) EXPECT_EQ(Echo(row.text), row.echo) << row.text;
}

TEST_F(OperatorsTest, IncrementsOfArrayElementsStoreBack) {
  Run(":array v; v 3 = 5; [++] v 3; v 3 ++; v 3");
  EXPECT_EQ(Answer(), 7);
  Run("@@m { { 1 2 } { 3 4 } }; @@m 1 0 += 10; @@m 1 0");
  EXPECT_EQ(Answer(), 13);
}

}  // namespace
}  // namespace calc::testing
