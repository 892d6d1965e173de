// The declaration commands :var :array :define :enum :undef :label, run on
// tokenized lines with a stand-in for operand evaluation.
#include <gtest/gtest.h>

#include <string>

#include "core/command_names.h"
#include "core/context.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"
#include "language/declarations.h"

namespace calc {
namespace {

class DeclarationsTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  // Runs one command line such as ":var x y"; leaves `rest` at the first
  // token the command did not use and `offending` at the reported one.
  int Run(const std::string& line) {
    EXPECT_EQ(Tokenize(ctx, line, true, tokens), 0);
    EXPECT_EQ(tokens.begin()->kind(), kTokCommand);
    return RunTokens(tokens.begin()->code(), std::next(tokens.begin()));
  }
  int RunTokens(int code, CalcTokenList::const_iterator first) {
    DeclarationArgs args{first, tokens.end(), evaluator, tokens.end()};
    const int status = RunDeclaration(code, storage(), args);
    rest = args.pos;
    offending = args.offending;
    return status;
  }
  std::string RestText() const { return rest == tokens.end() ? "" : std::string(rest->text()); }

  CalcStorage& storage() { return StorageOf(ctx); }
  double Value(const char* name) {
    const int code = storage().variables().Find(name);
    EXPECT_GE(code, 0) << name;
    return code < 0 ? -1 : storage().GetVariable(static_cast<std::uint8_t>(code)).ToReal();
  }
  bool Constant(const char* name) {
    const int code = storage().variables().Find(name);
    return code >= 0 && storage().variables().IsConstant(static_cast<std::uint8_t>(code));
  }

  CalcContext ctx;
  CalcTokenList tokens;
  CalcTokenList::const_iterator rest, offending;
  int evaluations = 0;
  // Numbers and variable names evaluate; anything else fails untouched.
  OperandEvaluator evaluator = [this](CalcTokenList::const_iterator& pos, CalcTokenList::const_iterator,
                                      CalcMatrix& out) {
    ++evaluations;
    CalcValue v;
    if (pos->kind() == kTokNumber) {
      v = pos->NumberValue();
    } else if (int code = storage().variables().Find(pos->text()); pos->kind() == kTokName && code >= 0) {
      v = storage().GetVariable(static_cast<std::uint8_t>(code));
    } else {
      return static_cast<int>(E_CONSTANT);
    }
    out.SetElementAt(0, v);
    ++pos;
    return 0;
  };
};

TEST_F(DeclarationsTest, TheCommandCodesAreThoseOfTheCommandList) {
  EXPECT_EQ(LookupCommand("define"), kCmdDefine);
  EXPECT_EQ(LookupCommand("label"), kCmdLabel);  // the four others lie between
  EXPECT_EQ(CommandName(kCmdVar), "var");
  EXPECT_EQ(Run(":radix 16"), E_COMMAND_NULL);
}

TEST_F(DeclarationsTest, VarAndArrayDeclareEachNameFromTheTopCodeDown) {
  ASSERT_EQ(Run(":var x y"), kNoValue);
  EXPECT_EQ(storage().variables().Find("x"), 255);
  EXPECT_EQ(storage().variables().Find("y"), 254);
  EXPECT_FALSE(Constant("x"));
  ASSERT_EQ(Run(":array a"), kNoValue);
  EXPECT_EQ(storage().arrays().Find("a"), 255);
}

TEST_F(DeclarationsTest, AFailingVarDeclaresNothingAndPointsAtTheToken) {
  Run(":array a");
  EXPECT_EQ(Run(":var p a q"), E_COMMAND_DEFINE);  // names of either table count
  EXPECT_EQ(offending->text(), "a");
  EXPECT_EQ(Run(":var p q p"), E_COMMAND_DEFINE);
  EXPECT_EQ(tokens.IndexOf(offending), 3u);
  EXPECT_EQ(Run(":array p 5"), E_COMMAND_PARAM);
  EXPECT_EQ(offending->kind(), kTokNumber);
  EXPECT_EQ(storage().variables().Find("p"), -1);
  EXPECT_EQ(storage().arrays().Find("p"), -1);
  ASSERT_EQ(Run(":var p"), kNoValue);
  EXPECT_EQ(storage().variables().Find("p"), 255);  // the rolled-back slots are free again
}

TEST_F(DeclarationsTest, DeclaringIntoAFullTableCreatesNothingQuietly) {
  for (int i = 0; i < kSlotCount; ++i) storage().variables().Set(static_cast<std::uint8_t>(i), CalcValue(), true);
  EXPECT_EQ(Run(":var x"), kNoValue);
  EXPECT_EQ(Run(":define K 3"), kNoValue);
  EXPECT_EQ(Run(":enum A B"), kNoValue);
  EXPECT_EQ(storage().variables().Find("x"), -1);
  EXPECT_EQ(storage().variables().Find("K"), -1);
  EXPECT_EQ(storage().variables().Find("B"), -1);
}

TEST_F(DeclarationsTest, DefineMakesAConstantThatIsOneWithoutAValue) {
  ASSERT_EQ(Run(":define K"), kNoValue);
  EXPECT_EQ(Value("K"), 1.0);
  EXPECT_TRUE(Constant("K"));
  EXPECT_EQ(storage().SetVariable(static_cast<std::uint8_t>(storage().variables().Find("K")),
                                  CalcValue::FromReal(2), false),
            E_ASS);
  EXPECT_EQ(Value("K"), 1.0);

  ASSERT_EQ(Run(":define H 2.5 7"), kNoValue);
  EXPECT_EQ(Value("H"), 2.5);
  EXPECT_EQ(rest->kind(), kTokNumber);  // the extra 7 is left for the caller's check

  ASSERT_EQ(Run(":define Z unknown"), kNoValue);  // an operand that fails
  EXPECT_EQ(Value("Z"), 1.0);
  EXPECT_EQ(RestText(), "unknown");

  EXPECT_EQ(Run(":define K 3"), E_COMMAND_DEFINE);
  EXPECT_EQ(Run(":define 3"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":define"), E_COMMAND_PARAM);
  EXPECT_EQ(offending, tokens.end());
}

TEST_F(DeclarationsTest, EnumCountsFromZeroAndRestartsAfterAValue) {
  ASSERT_EQ(Run(":enum A B 10 C"), kNoValue);
  EXPECT_EQ(Value("A"), 0.0);
  EXPECT_EQ(Value("B"), 10.0);
  EXPECT_EQ(Value("C"), 11.0);
  EXPECT_TRUE(Constant("C"));

  ASSERT_EQ(Run(":enum D 2.5 E F C"), kNoValue);  // C is no new name: a value
  EXPECT_EQ(Value("D"), 2.0);  // truncated, while the counter runs on from 2.5
  EXPECT_EQ(Value("E"), 3.0);
  EXPECT_EQ(Value("F"), 11.0);
}

TEST_F(DeclarationsTest, AFailingEnumRemovesTheConstantsItMade) {
  Run(":var v");
  EXPECT_EQ(Run(":enum P Q 1 v"), E_COMMAND_DEFINE);  // v after a value is a name again
  EXPECT_EQ(offending->text(), "v");
  EXPECT_EQ(Run(":enum P Q R \"s"), E_COMMAND_PARAM);  // a value that cannot be evaluated
  EXPECT_EQ(offending->kind(), kTokString);
  EXPECT_EQ(Run(":enum 3"), E_COMMAND_PARAM);
  EXPECT_EQ(storage().variables().Find("P"), -1);
  EXPECT_EQ(storage().variables().Find("Q"), -1);
  EXPECT_EQ(storage().variables().Find("R"), -1);
}

TEST_F(DeclarationsTest, UndefFreesAVariableNameForANewDeclaration) {
  Run(":define K 5");
  ASSERT_EQ(Run(":undef K"), kNoValue);
  EXPECT_EQ(storage().variables().Find("K"), -1);
  ASSERT_EQ(Run(":var K"), kNoValue);
  EXPECT_FALSE(Constant("K"));

  Run(":array a");
  EXPECT_EQ(Run(":undef a"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":undef nothing"), E_COMMAND_UNDEF);
  EXPECT_EQ(Run(":undef 4"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":undef"), E_COMMAND_PARAM);
}

TEST_F(DeclarationsTest, LabelNamesASlotGivenByItsCode) {
  ASSERT_EQ(Run(":label rate @r"), kNoValue);
  EXPECT_EQ(storage().variables().Find("rate"), 'r');
  EXPECT_EQ(storage().variables().State('r'), kSlotUsed);
  ASSERT_EQ(Run(":label grid @@g 1"), kNoValue);
  EXPECT_EQ(storage().arrays().Find("grid"), 'g');
  EXPECT_EQ(rest->kind(), kTokNumber);

  EXPECT_EQ(Run(":label rate @s"), E_COMMAND_DEFINE);
  EXPECT_EQ(Run(":label other"), E_COMMAND_PARAM);
  EXPECT_EQ(offending, tokens.end());
  EXPECT_EQ(Run(":label other 5"), E_COMMAND_PARAM);
  EXPECT_EQ(offending->kind(), kTokNumber);
  EXPECT_EQ(Run(":label @r @s"), E_COMMAND_PARAM);
}

TEST_F(DeclarationsTest, LabellingADeclaredSlotMovesTheDeclaredVariable) {
  Run(":define K 4");
  tokens.Clear();
  tokens.Append(kTokName, std::string("alias"));
  tokens.Append(kTokVariable, std::uint8_t{255});
  ASSERT_EQ(RunTokens(kCmdLabel, tokens.begin()), kNoValue);
  EXPECT_EQ(storage().variables().Find("alias"), 255);
  EXPECT_EQ(storage().variables().Find("K"), 254);
  EXPECT_EQ(Value("K"), 4.0);
  EXPECT_TRUE(Constant("K"));
  EXPECT_FALSE(Constant("alias"));
}

}  // namespace
}  // namespace calc
