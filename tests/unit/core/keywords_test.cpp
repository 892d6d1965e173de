// The fixed vocabularies: a word's code is its position, and lookups invert
// the name tables exactly (case-sensitive, whole words only).
#include <gtest/gtest.h>

#include "core/command_names.h"
#include "core/keywords.h"

namespace calc {
namespace {

TEST(Keywords, EveryTableInvertsItsNames) {
  for (int code = 0; code < kBuiltinCount; ++code)
    EXPECT_EQ(LookupBuiltin(BuiltinName(code)), code) << BuiltinName(code);
  for (int code = 0; code < kStatementCount; ++code)
    EXPECT_EQ(LookupStatement(StatementName(code)), code) << StatementName(code);
  for (int code = 1; code < kCommandCount; ++code)
    EXPECT_EQ(LookupCommand(CommandName(code)), code) << CommandName(code);
}

TEST(Keywords, CodesSitAtTheirDocumentedPositions) {
  EXPECT_EQ(BuiltinName(0), "defined");
  EXPECT_EQ(BuiltinName(29), "sin");
  EXPECT_EQ(BuiltinName(55), "int");
  EXPECT_EQ(BuiltinName(125), "call");
  EXPECT_EQ(StatementName(kStDo), "do");
  EXPECT_EQ(StatementName(kStIf), "if");
  EXPECT_EQ(StatementName(kStReturn), "return");
  EXPECT_EQ(OperatorForm(kOpNegate), "[-]");
  EXPECT_EQ(OperatorForm(kOpSubtract), "-");
  EXPECT_EQ(OperatorForm(kOpOrAssign), "|=");
  EXPECT_EQ(OperatorForm(kOpXorAssign), "^=");
  EXPECT_EQ(OperatorForm(kOpComma), ",");
  EXPECT_EQ(CommandName(kCmdAngle), "angle");
  EXPECT_EQ(CommandName(kCmdAns), "ans");
  EXPECT_EQ(CommandName(kCmdParams), "params");
  EXPECT_EQ(CommandName(kCmdDefine), "define");
  EXPECT_EQ(CommandName(kCmdLabel), "label");
  EXPECT_EQ(CommandName(kCmdLastNamed), "replot");
}

TEST(Keywords, LookupsRejectNearMisses) {
  EXPECT_FALSE(LookupBuiltin("Sin"));
  EXPECT_FALSE(LookupBuiltin("sin2"));
  EXPECT_FALSE(LookupStatement("If"));
  EXPECT_FALSE(LookupBuiltin(""));
  EXPECT_EQ(BuiltinName(126), "");
  EXPECT_EQ(StatementName(-1), "");
  EXPECT_EQ(OperatorForm(39), "");
}

TEST(Keywords, OperatorWordsNameThePrefixForms) {
  EXPECT_EQ(LookupOperatorWord("-"), kOpNegate);
  EXPECT_EQ(LookupOperatorWord("+"), kOpPlus);
  EXPECT_EQ(LookupOperatorWord("++"), kOpPreIncrement);
  EXPECT_EQ(LookupOperatorWord("!"), kOpLogicalNot);
  EXPECT_EQ(LookupOperatorWord("||"), kOpLogicalOr);
  EXPECT_FALSE(LookupOperatorWord("*"));
  EXPECT_FALSE(LookupOperatorWord("="));
}

}  // namespace
}  // namespace calc
