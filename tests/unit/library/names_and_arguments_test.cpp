// "defined" and "call", the argument forms every built-in shares and the
// failures of missing or unusable arguments, and the library as the engines
// of function calls see it.
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class NamesAndArguments : public LibraryTest {};

struct Outcome {
  const char* text;
  int status;
  double answer;  // when the status is kValue
};

TEST_F(NamesAndArguments, DefinedExaminesWithoutEvaluating) {
  ASSERT_EQ(Run("x = 1; :array a; func f; return 2; endfunc"), kNoValue);
  const std::vector<Outcome> cases = {
      {"defined(nothing)", kValue, 0}, {"defined nothing", kValue, 0}, {"defined((nothing))", kValue, 0},
      {"defined(x)", kValue, 1},       {"defined a", kValue, 1},       {"defined f", kValue, 1},
      {"defined 5", kValue, 1},        {"defined(sqrt)", kValue, 1},   {"defined(nothing + 1)", kValue, 1},
      {"defined(y = 3)", kValue, 1},   {"defined", E_FUNCTION, 0},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), c.status);
    if (c.status == kValue) {
      EXPECT_EQ(Answer(), c.answer);
    }
  }
  EXPECT_EQ(engine.storage().variables().Find("y"), -1);  // "y = 3" was not evaluated
}

TEST_F(NamesAndArguments, CallRunsTheBuiltinItsStringNames) {
  const std::vector<Outcome> cases = {
      {"call \"sin 0", kValue, 0},       {"call \"sqrt 16", kValue, 4},
      {"call \"pow 2 10", kValue, 1024}, {"call \"call \"call \"sqrt 9", kValue, 3},
      {"call [\"atan2] 0 1", kValue, 0}, {"call", E_FUNCTION, 0},
      {"call \"nosuch 1", E_CALL, 0},    {"call \"! 1", E_CALL, 0},
      {"call 5", E_CALL, 0},             {"call \"sqrt", E_FUNCTION, 0},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), c.status);
    if (c.status == kValue) {
      EXPECT_EQ(Answer(), c.answer);
    }
  }
  // The callee warns under its own name.
  ASSERT_EQ(Run("call \"sqrt (0-4)"), kValue);
  ASSERT_EQ(engine.reports.size(), 1u);
  EXPECT_EQ(engine.reports[0].code, W_SQRT);
  EXPECT_EQ(engine.reports[0].token, "sqrt");
}

TEST_F(NamesAndArguments, MissingAndUnusableArgumentsFail) {
  const std::vector<Outcome> cases = {
      {"sqrt", E_FUNCTION, 0},        {"(sqrt)", E_FUNCTION, 0},      {"pow 2", E_FUNCTION, 0},
      {"sqrt * 2", E_FUNCTION, 0},    {"sqrt \"text", E_CONSTANT, 0}, {"sqrt [-]", E_FUNCTION, 0},
      {"frexp 8 9", E_FUNCTION, 0},   {"frexp 8", E_FUNCTION, 0},     {"sqrt :deg", E_FUNCTION, 0},
      {"mktime [\"%Q] 1", E_FUNCTION, 0}, {"mktime [\"%]", E_FUNCTION, 0}, {"mktime [\"%Y]", E_FUNCTION, 0},
      {"dec 1 2", E_FUNCTION, 0},     {"strlen 5", E_FUNCTION, 0}, {"gget 1", E_FUNCTION, 0},
      // A prefix operator begins the argument; the function's value is no target.
      {"sqrt [-] 4 + 1", kValue, NAN}, {"sqrt x = 4", E_LVALUE, 0},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Run(c.text), c.status);
  }
}

TEST_F(NamesAndArguments, VariableArgumentsAreAssignedUnlessConstant) {
  ASSERT_EQ(Run("frexp 8 e"), kValue);
  EXPECT_EQ(Answer(), 0.5);
  EXPECT_EQ(Variable("e"), 4.0);
  ASSERT_EQ(Run("modf (0-2.25) @i"), kValue);
  EXPECT_EQ(Answer(), -0.25);
  EXPECT_EQ(engine.storage().GetVariable('i').ToReal(), -2.0);
  ASSERT_EQ(Run(":define K 1"), kNoValue);
  EXPECT_EQ(Run("modf 2.5 K"), E_ASS);
  EXPECT_EQ(Variable("K"), 1.0);
}

TEST_F(NamesAndArguments, RowAndColReadArraysAndValues) {
  ASSERT_EQ(Run(":array m; m {{1 2 3}{4 5 6}}"), kNoValue);
  const std::vector<Outcome> cases = {
      {"row m", kValue, 2}, {"col m", kValue, 3}, {"row(m)", kValue, 2}, {"col 7", kValue, 1},
      {"col (m + m)", kValue, 3},
  };
  for (const Outcome& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(c.text), c.status);
    EXPECT_EQ(Answer(), c.answer);
  }
}

TEST_F(NamesAndArguments, FunctionsCallBuiltinsAndShareTheRandomSequence) {
  ASSERT_EQ(Run("func root x; return sqrt x; endfunc"), kNoValue);
  ASSERT_EQ(Run("root 49"), kValue);
  EXPECT_EQ(Answer(), 7.0);
  // A call continues the caller's sequence instead of starting its own.
  ASSERT_EQ(Run("func draw; return rand; endfunc"), kNoValue);
  ASSERT_EQ(Run(":srand 1; a = draw; b = rand"), kValue);
  EXPECT_EQ(Variable("a"), 41.0);
  EXPECT_EQ(Variable("b"), 18467.0);
}

TEST_F(NamesAndArguments, AnEngineWithoutALibraryKnowsNoBuiltin) {
  engine.set_library(nullptr);
  EXPECT_EQ(Run("sqrt 4"), E_FUNCTION);
  EXPECT_EQ(Run(":srand 1"), E_COMMAND_PARAM);
}

}  // namespace
}  // namespace calc::testing
