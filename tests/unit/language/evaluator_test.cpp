// The evaluator: left-to-right evaluation over the grouped list, operands,
// the number pair at the start of a group, assignable operands, the postfix
// queue, identifiers resolved at fetch time, brace lists and the nesting
// bound.
#include <string>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

using EvaluatorTest = EngineTest;

struct ValueRow {
  const char* text;
  double value;
};

TEST_F(EvaluatorTest, ExpressionsGiveTheirValue) {
  const ValueRow rows[] = {
      {"2 + 3 * 4", 14},
      {"2 * 3 + 4", 10},
      {"(2 + 3) * 4", 20},
      {"10 - 4 - 3", 3},
      {"2 * 3 == 6", 1},
      {"a = b = 5; a + b", 10},
      {"41; (+ 1)", 42},          // a group that starts with an operator continues the answer
      {"41; ()", 41},             // an empty group is the answer unchanged
      {"41; + 1", 42},
      {"7; * 3", 21},
      {"x = 1; x ? 10 20", 10},
      {"x = 0; x ? 10 20", 20},
      {"x = 0; x ? (10) (2 * 10)", 20},
      {"1 << 33", 2},             // the count is taken modulo 32
      {"[!] 0.5", 1},
      {"[-] 3 + 1", -2},
      {"(3 4)", 0.75},            // two operands at the start of a group: a ratio
      {"(1 1 2)", 1.5},           // three: a mixed number
      {"(3 4) + 1", 1.75},
      {"x = 7, x + 1", 8},
      {"@:65 = 9; @A", 9},        // a computed code
      {"12; @:0 + 1", 13},        // variable code 0 is the answer's first element
      {"HUGE_VAL > 1", 1},
  };
  for (const ValueRow& row : rows) {
    EXPECT_EQ(Run(row.text), kValue) << row.text;
    EXPECT_DOUBLE_EQ(Answer(), row.value) << row.text;
    EXPECT_TRUE(engine.reports.empty()) << row.text;
  }
}

struct FailureRow {
  const char* text;
  int code;
  const char* token;
};

TEST_F(EvaluatorTest, MalformedExpressionsFailWithTheirCodeAtTheOffendingToken) {
  const FailureRow rows[] = {
      {"3 +", E_RVALUE_NULL, "+"},
      {"[-] * 4", E_UNARY, "*"},
      {"3 + }", E_CONSTANT, "}"},
      {"3 + [\"text]", E_CONSTANT, "[\"text]"},
      {"3 = 4", E_LVALUE, "="},
      {"3++", E_LVALUE, "++"},
      {"[++] 3", E_RVALUE, "[++]"},
      {"x = 1; x ?", E_CONDITIONAL, "?"},
      {"x = 1; x ? 2", E_CONDITIONAL, "?"},
      {"nothing_here + 1", E_CONSTANT, "nothing_here"},
      {"sin 1", E_FUNCTION, "sin"},
      {":array w; w { 1 , 2 }", E_ARRAY, ","},
      {"@@a 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", E_ARRAY, "16"},
      {":define K; K = 2", E_ASS, "K"},
      {"1 + if 1", E_CONSTANT, "if"},
  };
  for (const FailureRow& row : rows) {
    EXPECT_EQ(Run(row.text), row.code) << row.text;
    ASSERT_EQ(engine.reports.size(), 1u) << row.text;
    EXPECT_EQ(engine.reports[0].code, row.code) << row.text;
    EXPECT_EQ(engine.reports[0].token, row.token) << row.text;
  }
}

TEST_F(EvaluatorTest, ShortCircuitOperatorsDoNotEvaluateTheSkippedOperand) {
  Run("x = 3; 0 && (x = 5); 1 || (x = 6); y = 0; 1 ? 7 (y = 9); 0 ? (y = 8) 4");
  EXPECT_EQ(Variable("x"), 3);
  EXPECT_EQ(Variable("y"), 0);
  EXPECT_EQ(Printed(), "0\n1\n7\n4\n");
  // A skipped operand is a whole operand: an array reference with its
  // subscripts, a prefix chain, a parenthesised group.
  EXPECT_EQ(Run("0 && @@q 1 2 || 5"), kValue);
  EXPECT_EQ(Answer(), 1);
  EXPECT_EQ(Run("(0 && [-][-](1 + 2)) + 10"), kValue);
  EXPECT_EQ(Answer(), 10);
}

TEST_F(EvaluatorTest, PostfixOperationsRunAfterTheWholeExpression) {
  Run("a = 2; a++ + a");
  EXPECT_EQ(Answer(), 4);  // the old value twice
  EXPECT_EQ(Variable("a"), 3);
  // A failing line still applies what it queued before the failure.
  EXPECT_EQ(Run("a-- + )"), E_CONSTANT);
  EXPECT_EQ(Variable("a"), 2);
}

TEST_F(EvaluatorTest, ANegativeSubscriptAddressesElementZeroWithOneWarning) {
  Run(":array v; v [-]2 = 5");
  EXPECT_EQ(ReportCodes(), std::vector<int>{W_ARRAY});
  Run("v 0");
  EXPECT_EQ(Answer(), 5);
  EXPECT_TRUE(engine.reports.empty());
}

TEST_F(EvaluatorTest, TheNumberPairFollowsTheModeGroup) {
  EXPECT_EQ(Echo(":gcomplex; (1 2)"), "1+2i");
  EXPECT_EQ(Run(":gcomplex; (1 2 3)"), E_COMPLEX);
  EXPECT_EQ(Run(":gfloat; (1 1 2 3)"), E_FRACT);
  Run(":fract; (1 1 2)");
  EXPECT_EQ(Answer(), 1.5);
  // In the integer and time modes a second operand is no part of a number.
  EXPECT_EQ(Run(":long; 3 4"), E_OPERATOR);
  EXPECT_EQ(engine.reports.at(0).token, "4");
  EXPECT_EQ(Run(":time; 3 4"), E_OPERATOR);
}

TEST_F(EvaluatorTest, NamesAreResolvedWhenTheyAreFetched) {
  // "ff" is read while the radix is still 10 (a name) and resolved as a number
  // once the radix command has run.
  Run(":long; :radix 16; ff + 1");
  EXPECT_EQ(Answer(), 256);
  // A declaration made after a line was compiled takes effect for it.
  CalcLineList lines;
  ASSERT_EQ(CompileText(context, "late + 1", 1, lines), kDone);
  Run(":var late; late = 4");
  EXPECT_EQ(engine.RunLines(lines), kValue);
  EXPECT_EQ(Answer(), 5);
}

TEST_F(EvaluatorTest, AnAssignmentDeclaresANewNameOnlyWhenImplicitVariablesAreOn) {
  EXPECT_EQ(Run("fresh = 2; fresh * 3"), kValue);
  EXPECT_EQ(Answer(), 6);
  CalcHost host;
  CalcEngine strict(context, host);
  EXPECT_EQ(strict.RunText("other = 2"), E_CONSTANT);
}

TEST_F(EvaluatorTest, OnlyExpressionsThatAreNoAssignmentAtTopLevelAreEchoed) {
  Run("x = 5; (x = 6); x = 7, 8; [++] x; x++; x");
  EXPECT_EQ(Printed(), "6\n8\n8\n9\n");  // "x = 7, 8" assigns 7
}

TEST_F(EvaluatorTest, ResultsAreNarrowedAfterEveryStepWithRangeWarnings) {
  context.range_warnings = true;
  Run(":char; 100 + 100 - 100");
  EXPECT_EQ(Answer(), 100);
  EXPECT_EQ(ReportCodes(), (std::vector<int>{W_OVERFLOW, W_UNDERFLOW}));
  EXPECT_EQ(engine.reports[0].token, "");  // a single value carries no text
  // Array elements carry their unnarrowed value.
  Run("@@m { { 100 1 } { 2 3 } }; @@m * 2");
  EXPECT_EQ(ReportCodes(), std::vector<int>{W_OVERFLOW});
  EXPECT_EQ(engine.reports[0].token, "200");
  EXPECT_EQ(engine.printed.back(), "{ { \\-56 2 } { 4 6 } }");
  context.range_warnings = false;
  Run("100 + 100");
  EXPECT_TRUE(engine.reports.empty());
  EXPECT_EQ(Answer(), -56);
}

TEST_F(EvaluatorTest, BraceListsFillTheArrayTheyFollow) {
  Run("@@a { 1 2 3 4 5 }; @@a { 7 8 }; @@a 1; @@a 4");
  EXPECT_EQ(Printed(), "8\n0\n");
  Run("@@b { { 1 2 } { 3 4 } }; @@b");
  EXPECT_EQ(Printed(), "{ { 1 2 } { 3 4 } }\n");
  // A list may run on over the following statements.
  EXPECT_EQ(Run("@@c { 1 2"), kNoValue);
  Run("3 } ; @@c 2");
  EXPECT_EQ(Printed(), "3\n");
  // A brace list inside a brace list is no item.
  EXPECT_EQ(Run("@@d { @@e { 1 } }"), E_ARRAY);
}

TEST_F(EvaluatorTest, NestingIsBoundedWithEMem) {
  const std::string deep = std::string(255, '(') + "1";
  EXPECT_EQ(Run(deep), kValue);
  EXPECT_EQ(Run("(" + deep), E_MEM);
  std::string prefix;
  for (int i = 0; i < 3000; ++i) prefix += "[-]";
  EXPECT_EQ(Run(prefix + "1"), E_MEM);
  std::string chain;
  for (int i = 0; i < 5000; ++i) chain += "q = ";
  EXPECT_EQ(Run(chain + "1"), E_MEM);
  // Skipping is iterative: no bound is needed there.
  EXPECT_EQ(Run("0 && " + prefix + "1"), kValue);
}

TEST_F(EvaluatorTest, CommandsInsideExpressionsObeyTheContextSwitch) {
  EXPECT_EQ(Run("1 + :radix 16"), kNoValue);  // a command ends the line without a value
  EXPECT_EQ(context.radix(), 16);
  context.commands_allowed = false;
  EXPECT_EQ(Run("1 + :radix 8"), E_COMMAND);
  EXPECT_EQ(context.radix(), 16);
}

}  // namespace
}  // namespace calc::testing
