// The converter with the real engine behind it, set up as the application
// sets it up: each keystroke's evaluation, transcription under hold, integer
// widths and signs, range warnings and the switches that keep the converter
// to expressions.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/numeric_settings.h"
#include "core/status_codes.h"
#include "fake_view.h"
#include "model/converter.h"
#include "model/converter_engine.h"

namespace radixpad {
namespace {

using Fields = std::array<std::string, 4>;

class ConverterEngineTest : public ::testing::Test {
 protected:
  ConverterEngineTest() {
    ConfigureConverterContext(ctx);
    engine.ForwardReportsTo(&converter);
    const bool signs[4] = {true, true, false, true};  // a fresh settings file
    converter.Restore(false, false, signs, 32);
  }

  std::vector<int> LoggedCodes() const {
    std::vector<int> codes;
    for (std::size_t i = 0; i < converter.error_log().Count(); ++i)
      codes.push_back(converter.error_log().Entry(i)->code);
    return codes;
  }

  calc::CalcContext ctx;
  ConverterEngine engine{ctx};
  FakeView view;
  Converter converter{ctx, engine, view};
};

TEST_F(ConverterEngineTest, TypingAnExpressionShowsItsValueInTheOtherFieldsAndEnterWritesItEverywhere) {
  view.Type(converter, 3, "1");
  view.Type(converter, 3, "10");
  view.Type(converter, 3, "10+");  // incomplete: the last value stays
  EXPECT_EQ(view.text, (Fields{"1010", "12", "10+", "A"}));
  view.Type(converter, 3, "10+2");
  view.Type(converter, 3, "10+20");
  EXPECT_EQ(view.text, (Fields{"11110", "36", "10+20", "1E"}));
  converter.OnEnter(false);
  EXPECT_EQ(view.text, (Fields{"11110", "36", "30", "1E"}));
  EXPECT_EQ(view.selected, 3);
}

TEST_F(ConverterEngineTest, EachFieldReadsItsOwnRadix) {
  view.Type(converter, 4, "ff+1");
  EXPECT_EQ(view.text, (Fields{"100000000", "400", "256", "ff+1"}));
  view.Type(converter, 1, "101<<10");
  EXPECT_EQ(view.text, (Fields{"101<<10", "24", "20", "14"}));
}

TEST_F(ConverterEngineTest, HoldTranscribesTheTypedTokensIntoEachRadix) {
  converter.ToggleHold();
  view.Type(converter, 3, "10+20");
  EXPECT_EQ(view.text, (Fields{"1010+10100", "12+24", "10+20", "A+14"}));
  // A built-in function name is followed by one blank, adjacent operands are
  // kept apart by one.
  view.Type(converter, 3, "sin 8");
  EXPECT_EQ(view.text, (Fields{"sin 1000", "sin 10", "sin 8", "sin 8"}));
  view.Type(converter, 4, "1 A");
  EXPECT_EQ(view.text, (Fields{"1 1010", "1 12", "1 10", "1 A"}));
  converter.OnEnter(false);
  EXPECT_FALSE(converter.hold());
}

TEST_F(ConverterEngineTest, EveryEvaluationStartsFromAZeroPreviousAnswer) {
  view.Type(converter, 3, "5");
  view.Type(converter, 3, "+1");  // the previous answer, not 5, stands before the operator
  EXPECT_EQ(view.text[3], "1");
  view.Type(converter, 3, "(1+2)*3; +1");
  EXPECT_EQ(view.text[3], "A");
}

TEST_F(ConverterEngineTest, NarrowWidthsAndUnsignedFieldsShowTheValueNarrowed) {
  converter.SetBitWidth(16);
  view.Type(converter, 3, "-1");
  EXPECT_EQ(view.text, (Fields{"1111111111111111", "177777", "-1", "FFFF"}));
  EXPECT_TRUE(LoggedCodes().empty());  // -1 fits the decimal field's signed type
  converter.SetAllSigns(false);
  EXPECT_EQ(view.text, (Fields{"\\-1", "\\-1", "-1", "\\-1"}));
}

TEST_F(ConverterEngineTest, AnOverflowIsLoggedAndMarkedUntilTheNextCleanKeystroke) {
  converter.SetBitWidth(8);
  view.Type(converter, 3, "100+100");
  EXPECT_EQ(LoggedCodes(), std::vector<int>{calc::W_OVERFLOW});
  EXPECT_EQ(view.mark, 3);
  EXPECT_EQ(view.text, (Fields{"11001000", "310", "100+100", "C8"}));
  view.Type(converter, 3, "100+10");
  EXPECT_TRUE(LoggedCodes().empty());
  EXPECT_EQ(view.mark, 0);
}

TEST_F(ConverterEngineTest, BuiltinFunctionsWorkInTheFieldsAndTheirWarningsAreLogged) {
  view.Type(converter, 3, "sqrt(100)+abs(0-6)");
  EXPECT_EQ(view.text, (Fields{"10000", "20", "sqrt(100)+abs(0-6)", "10"}));
  EXPECT_TRUE(LoggedCodes().empty());
  view.Type(converter, 3, "sqrt(0-4)");
  EXPECT_EQ(LoggedCodes(), std::vector<int>{calc::W_SQRT});
  EXPECT_EQ(view.mark, 3);
}

TEST_F(ConverterEngineTest, TwoWarningsOfOneEvaluationAreLoggedInOrder) {
  converter.SetBitWidth(8);
  view.Type(converter, 3, "100+100-100");
  EXPECT_EQ(LoggedCodes(), (std::vector<int>{calc::W_OVERFLOW, calc::W_UNDERFLOW}));
  EXPECT_EQ(view.mark, 3);
}

TEST_F(ConverterEngineTest, CommandsAndStatementsAreRefusedAndKeepTheLastValue) {
  view.Type(converter, 3, "7");
  const struct {
    const char* text;
    int code;
  } rows[] = {{":radix 16", calc::E_COMMAND}, {"if 1", calc::E_STAT}};
  for (const auto& row : rows) {
    view.Type(converter, 3, row.text);
    EXPECT_EQ(LoggedCodes(), std::vector<int>{row.code}) << row.text;
    EXPECT_EQ(view.mark, 3) << row.text;
    EXPECT_EQ(view.text[3], "7") << row.text;
  }
  view.Type(converter, 4, "10");  // the radix command did not stick
  EXPECT_EQ(view.text[2], "16");
}

TEST_F(ConverterEngineTest, AnOpenBraceListDoesNotCarryIntoTheNextKeystroke) {
  view.Type(converter, 3, "@@a={1,");
  view.Type(converter, 3, "2");
  EXPECT_EQ(view.text[3], "2");
  EXPECT_TRUE(LoggedCodes().empty());
}

TEST_F(ConverterEngineTest, OnlyTheFirstLineOfAPastedTextRuns) {
  view.Type(converter, 3, "12\r\n:radix 16");
  EXPECT_EQ(view.text[3], "C");
  EXPECT_TRUE(LoggedCodes().empty());
}

TEST_F(ConverterEngineTest, ReportsWithoutAConverterAreDropped) {
  engine.ForwardReportsTo(nullptr);
  converter.SetBitWidth(8);
  view.Type(converter, 3, "100+100");
  EXPECT_TRUE(LoggedCodes().empty());
  EXPECT_EQ(view.mark, 0);
}

// Whatever is typed, in any field, width and hold state: the converter keeps
// going and every field stays a text of bounded length.
TEST_F(ConverterEngineTest, AnyTypedTextKeepsTheConverterRunning) {
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  const std::string alphabet = "0123456789abcdefxABCDEF+-*/%<>=!&|^~()[]{},;:.'\"\\@#$? \x81\x82\xe0\xff";
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const std::size_t length = next() % 40;
    for (std::size_t i = 0; i < length; ++i)
      text += (next() % 8 == 0) ? static_cast<char>(next() >> 24) : alphabet[next() % alphabet.size()];
    if (round % 500 == 0) converter.ToggleHold();
    if (round % 300 == 0) converter.SetBitWidth(round % 900 == 0 ? 8 : round % 600 == 0 ? 16 : 32);
    view.Type(converter, 1 + static_cast<int>(next() % 4), text);
    if (round % 7 == 0) converter.OnEnter(round % 2 == 0);
    for (const std::string& field : view.text) ASSERT_LT(field.size(), 10000u) << text;
  }
}

TEST_F(ConverterEngineTest, ThePredefinedSymbolReadsOneAndExternalFunctionsAreNeverFound) {
  engine.DefineConverterSymbol();
  view.Type(converter, 3, "_WINDOWS+1");
  EXPECT_EQ(view.text[3], "2");
  view.Type(converter, 3, "!anything");
  EXPECT_EQ(LoggedCodes(), (std::vector<int>{calc::E_FUNC_OPEN, calc::E_EXTFUNC}));
  EXPECT_EQ(view.mark, 3);
  calc::CalcEngine::SetPredefinedSymbol("");
}

}  // namespace
}  // namespace radixpad
