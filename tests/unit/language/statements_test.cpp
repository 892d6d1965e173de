// Statements: the if and switch stacks with their limits, loops recorded and
// replayed, break and continue, the for rewrite, functions defined but not
// run, return and assert, and the closers without openers.
#include <string>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

using StatementsTest = EngineTest;

struct ScriptRow {
  const char* text;
  const char* printed;
};

TEST_F(StatementsTest, ConditionalsRunExactlyTheTakenBranch) {
  const ScriptRow rows[] = {
      {"if 0\n1\nelif 1\n2\nelse\n3\nendif", "2\n"},
      {"if 1\n1\nelif 1\n2\nelse\n3\nendif", "1\n"},
      {"if 0\n1\nelif 0\n2\nelse\n3\nendif", "3\n"},
      {"if 0\nif 1\n1\nelse\n2\nendif\n3\nendif\n4", "4\n"},  // an if in skipped text takes no branch
      {"x = 2\nif x - 2\n1\nendif", ""},
      {"@@e { { 0 0 } }\nif @@e\n5\nendif", "5\n"},  // a condition that is not 1 x 1 is true
      {"if 1 +\n1\nelse\n2\nendif\n3", "3\n"},  // a failing condition takes no branch
      {"switch 2\ncase 1\n10\ncase 2\n20\ncase 3\n30\nbreakswi\ncase 4\n40\nendswi", "20\n30\n"},
      {"switch 9\ncase 1\n10\ndefault\n0\nendswi", "0\n"},
      {"switch 1\ncase 1\nswitch 2\ncase 2\n22\nendswi\n11\nendswi", "22\n11\n"},
      {"if 0\nswitch 1\ncase 1\n10\nendswi\nendif", ""},
  };
  for (const ScriptRow& row : rows) {
    Run(row.text);
    EXPECT_EQ(Printed(), row.printed) << row.text;
  }
}

TEST_F(StatementsTest, FifteenLevelsNestButASixteenthFails) {
  std::string ifs;
  for (int i = 0; i < 15; ++i) ifs += "if 1\n";
  Run(ifs + "7\n");
  EXPECT_EQ(Printed(), "7\n");
  EXPECT_EQ(Run("if 1"), E_STAT_IF);
  engine.ResetControl();
  std::string switches;
  for (int i = 0; i < 16; ++i) switches += "switch 1\ncase 1\n";
  Run(switches);
  EXPECT_EQ(ReportCodes(), std::vector<int>{E_STAT_SWITCH});
}

TEST_F(StatementsTest, LoopsRepeatUntilTheirConditionEndsThem) {
  const ScriptRow rows[] = {
      {"do\n1\nuntil 0", "1\n"},                                            // once
      {"n = 0\ndo\nn += 1\nif n == 3; break; endif\nuntil 1\nn", "3\n"},   // until break
      {"n = 0\nwhile n < 3\nn += 1\nn\nendwhile", "1\n2\n3\n"},
      {"n = 0\nwhile n < 4\nn += 1\nif n == 2; continue; endif\nn\nendwhile", "1\n3\n4\n"},
      {"n = 0\ndo\nn += 1\nif n < 3; continue; endif\nn\nuntil n < 5", "3\n4\n5\n"},
      {"for i = 0; i < 3; i = i + 1\ni * 10\nnext\ni", "0\n10\n20\n3\n"},
      {"for i = 0; i < 2; i += 1\nfor j = 0; j < 2; j += 1\ni * 10 + j\nnext\nnext", "0\n1\n10\n11\n"},
      {"for k = 0;; k += 1\nif k == 2; break; endif\nnext\nk", "2\n"},    // no condition: until break
      {"for i = 0; i < 3; i += 1; s = s + i; next; s", "3\n"},
      {"if 0\ndo\n5\nuntil 0\nendif\n6", "6\n"},                         // a loop in skipped text
      {"m = 0\ndo\nm += 1\nif m < 3; continue; endif\ndo\n7\nuntil 0\nuntil m < 3", "7\n"},
  };
  for (const ScriptRow& row : rows) {
    Run(row.text);
    EXPECT_EQ(Printed(), row.printed) << row.text;
    EXPECT_TRUE(engine.reports.empty()) << row.text;
    EXPECT_EQ(engine.control().blocks.mode(), RecordingMode::kNormal) << row.text;
  }
}

struct ErrorRow {
  const char* text;
  int code;
};

TEST_F(StatementsTest, MisplacedAndMalformedStatementsFail) {
  const ErrorRow rows[] = {
      {"break", E_STAT_BREAK},
      {"continue", E_STAT_CONTINUE},
      {"until 1", E_STAT_UNTIL},
      {"endwhile", E_STAT_ENDWHILE},
      {"next", E_STAT_NEXT},
      {"endfunc", E_STAT_ENDFUNC},
      {"elif 1", E_STAT_ENDIF},
      {"else", E_STAT_ENDIF},
      {"endif", E_STAT_ENDIF},
      {"case 1", E_STAT_ENDSWI},
      {"default", E_STAT_ENDSWI},
      {"breakswi", E_STAT_ENDSWI},
      {"endswi", E_STAT_ENDSWI},
      {"for i = 0\nnext", E_STAT_FOR_CON},
      {"for i = 0; i < 3\nnext", E_STAT_FOR_EXP},
      {"do\nendwhile", E_STAT_ENDWHILE},  // a closer of another loop
      {"while 1\nuntil 0", E_STAT_UNTIL},
      {"func f\nfunc g", E_STAT_FUNC_NEST},
      {"func\nendfunc", E_STAT_FUNCNAME},
  };
  for (const ErrorRow& row : rows) {
    engine.ResetControl();
    Run(row.text);
    EXPECT_EQ(ReportCodes(), std::vector<int>{row.code}) << row.text;
    EXPECT_EQ(engine.control().blocks.mode(), RecordingMode::kNormal) << row.text;
  }
}

TEST_F(StatementsTest, AnErrorInALoopEndsItAndUnwindsItsConditionals) {
  Run("do\nif 1\n1 +\nendif\nuntil 1");
  EXPECT_EQ(ReportCodes(), std::vector<int>{E_RVALUE_NULL});
  EXPECT_EQ(engine.control().if_depth, 0);
  EXPECT_EQ(Run("endif"), E_STAT_ENDIF);
}

TEST_F(StatementsTest, FunctionsAreDefinedWithoutRunningTheirBody) {
  const auto body_size = [&](std::string_view name) -> std::size_t {
    const CalcFunctionEntry* entry = engine.storage().calls().functions.Find(name, false);
    return entry == nullptr ? 999 : entry->body->lines.size();
  };
  Run("func twice a\nx = 99\nreturn a * 2\nendfunc\nx");
  EXPECT_EQ(body_size("twice"), 2u);
  EXPECT_NE(Variable("x"), 99);
  // Loops inside a body are kept as plain statements of the body.
  Run("func count\ndo\n1\nuntil 0\nendfunc");
  EXPECT_EQ(body_size("count"), 3u);
  EXPECT_TRUE(engine.reports.empty());
}

TEST_F(StatementsTest, ReturnEndsTheRunWithItsValue) {
  EXPECT_EQ(Run("1\nreturn 5\n2"), kNoValue);
  EXPECT_EQ(Printed(), "1\n");
  EXPECT_EQ(Answer(), 5);
  Run("n = 0\ndo\nn += 1\nif n == 4; return n * 10; endif\nuntil 1\n99");
  EXPECT_EQ(Answer(), 40);
  EXPECT_EQ(engine.control().blocks.mode(), RecordingMode::kNormal);
}

TEST_F(StatementsTest, AssertIsTestedOnlyWhileAssertionsAreOn) {
  EXPECT_EQ(Run("assert 0\n1"), kValue);
  engine.set_assertions(true);
  EXPECT_EQ(Run("assert 0\n1"), kValue);  // the base hook answers "go on"
  struct Stopping : RecordingEngine {
    using RecordingEngine::RecordingEngine;
    bool AssertionFailed(CalcEngine&, int, std::string_view) override { return true; }
  } stopping(context, Scripting());
  stopping.set_assertions(true);
  EXPECT_EQ(stopping.RunText("assert 1\nassert 0"), E_ASSERT_STOP);
}

TEST_F(StatementsTest, ContextSwitchesRefuseStatementsAndCommands) {
  context.statements_allowed = false;
  context.commands_allowed = false;
  EXPECT_EQ(Run("if 1"), E_STAT);
  EXPECT_EQ(Run(":radix 16"), E_COMMAND);
  EXPECT_EQ(context.radix(), 10);
  EXPECT_EQ(Run("1 + 1"), kValue);
}

TEST_F(StatementsTest, BlockNestingIsBoundedWithEMem) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "do\n";
  engine.BeginSource("deep");  // an error ends a source's run
  Run(text);
  engine.EndSource();
  EXPECT_EQ(ReportCodes(), std::vector<int>{E_MEM});
  EXPECT_EQ(engine.current_line(), CalcBlockState::kMaxBlockDepth + 1);
  EXPECT_EQ(engine.control().blocks.mode(), RecordingMode::kNormal);
}

}  // namespace
}  // namespace calc::testing
