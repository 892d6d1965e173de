// The converter's logic against a fake window and a small fake engine that
// adds numbers: what the focus test, the buttons and the MASTER box do, and
// the limits on what is read. The real engine's side is converter_engine_test.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/literal.h"
#include "core/modes.h"
#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/token.h"
#include "core/tokenizer.h"
#include "fake_view.h"
#include "model/converter.h"

namespace radixpad {
namespace {

// Adds the numbers of a line such as "10+20"; anything else fails. Narrows
// like the engine and reports range warnings to the converter.
class AddingEngine : public LineRunner {
 public:
  explicit AddingEngine(calc::CalcContext& ctx) : ctx_(ctx) {}
  int RunLine(std::string_view text) override {
    ++runs;
    calc::CalcTokenList tokens;
    calc::Tokenize(ctx_, text, true, tokens);
    double sum = 0;
    bool expect_number = true;
    for (const calc::CalcToken& token : tokens) {
      if (expect_number && token.Is(calc::kTokNumber)) sum += token.NumberValue().ToReal();
      else if (!expect_number && token.Is(calc::kTokOperator, calc::kOpAdd)) {}
      else return calc::E_OPERATOR;
      expect_number = !expect_number;
    }
    if (tokens.Empty() || expect_number) return calc::E_RVALUE_NULL;
    answer_ = calc::CalcValue::FromReal(sum);
    const int warning = calc::FitToMode(answer_, ctx_.mode(), true);
    if (warning != 0 && converter) converter->OnReport(warning, 0, "", "");
    return 3;
  }
  void ResetAnswer() override { answer_ = calc::CalcValue::FromReal(0); }
  calc::CalcValue Answer() override { return answer_; }

  Converter* converter = nullptr;
  int runs = 0;

 private:
  calc::CalcContext& ctx_;
  calc::CalcValue answer_;
};

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.converter = &converter;
    const bool signs[4] = {true, true, false, true};
    converter.Restore(false, false, signs, 32);
  }

  calc::CalcContext ctx;
  FakeView view;
  AddingEngine engine{ctx};
  Converter converter{ctx, engine, view};
};

TEST_F(ConverterTest, StartsWithZeroInEveryField) {
  EXPECT_EQ(view.text, (std::array<std::string, 4>{"0", "0", "0", "0"}));
  EXPECT_EQ(view.width_shown, 32);
}

TEST_F(ConverterTest, ProgramWrittenTextDoesNotConvert) {
  view.focus = 0;
  view.text[2] = "99";
  converter.OnFieldEdited(3);
  EXPECT_EQ(converter.active_field(), 0);
  EXPECT_EQ(view.text[3], "0");
}

TEST_F(ConverterTest, WidthAndSignsChooseEachFieldsType) {
  converter.SetBitWidth(16);
  view.Type(converter, 3, "\\-1");
  EXPECT_EQ(view.text[3], "FFFF");
  converter.SetFieldSign(4, false);
  EXPECT_EQ(view.text[3], "\\-1");
  EXPECT_FALSE(converter.master());
  converter.SetAllSigns(true);
  EXPECT_TRUE(converter.master());
  EXPECT_EQ(view.text[0], "1111111111111111");
  EXPECT_EQ(view.text[2], "\\-1");  // the active field keeps what was typed
}

TEST_F(ConverterTest, ButtonsWithoutAnActiveFieldChangeOnlyTheButtons) {
  converter.SetBitWidth(8);
  converter.SetAllSigns(true);
  EXPECT_EQ(view.text, (std::array<std::string, 4>{"0", "0", "0", "0"}));
  EXPECT_EQ(view.width_shown, 8);
}

TEST_F(ConverterTest, OverlongFieldsAreCutBeforeEvaluation) {
  std::string text = "11";
  while (text.size() < 300) text += "+1";
  view.Type(converter, 3, text);  // the first 255 bytes end in "+": the value stays 0
  EXPECT_EQ(converter.current_value().ToReal(), 0);
  text.resize(254);  // "11" and 126 times "+1"
  view.Type(converter, 3, text);
  EXPECT_EQ(converter.current_value().ToReal(), 137);
}

// An edit control reports every change of its text, the program's own
// writes included.
class EchoingView : public FakeView {
 public:
  void SetFieldText(int field, std::string_view t) override {
    FakeView::SetFieldText(field, t);
    if (converter) converter->OnFieldEdited(field);
  }
  Converter* converter = nullptr;
};

TEST(ConverterWithEdits, TheProgramsOwnWritesNeverStartAConversion) {
  calc::CalcContext ctx;
  EchoingView view;
  AddingEngine engine{ctx};
  Converter converter{ctx, engine, view};
  view.converter = &converter;
  engine.converter = &converter;
  const bool signs[4] = {true, true, false, true};
  converter.Restore(false, false, signs, 32);
  view.Type(converter, 3, "10+20");
  EXPECT_EQ(engine.runs, 1);
  converter.ToggleHold();  // transcribes into the other fields
  EXPECT_EQ(engine.runs, 2);
  converter.OnEnter(false);  // rewrites the focused field itself
  EXPECT_EQ(engine.runs, 3);
  EXPECT_EQ(view.text, (std::array<std::string, 4>{"11110", "36", "30", "1E"}));
}

TEST_F(ConverterTest, TheMasterBoxAppliesTheGlobalSignOnlyWhenChecked) {
  converter.SetAllSigns(true);
  converter.SetFieldSign(3, false);
  EXPECT_FALSE(converter.master());
  view.Type(converter, 4, "FF");
  view.focus = 0;
  converter.OnMasterClicked(false);  // unchecked: only the focus returns
  EXPECT_EQ(view.focus, 4);
  EXPECT_FALSE(converter.field_unsigned(3));
  converter.OnMasterClicked(true);  // checked: the global pair's sign for all
  EXPECT_TRUE(converter.master());
  EXPECT_TRUE(converter.field_unsigned(3));
  EXPECT_TRUE(view.master_shown);
}

TEST_F(ConverterTest, WithNoWidthSelectedTheModeWordIsLeftAlone) {
  const bool signs[4] = {true, true, false, true};
  converter.Restore(false, false, signs, 7);  // a Bit setting outside 0..2
  EXPECT_EQ(converter.bits(), 0);
  EXPECT_EQ(view.width_shown, 0);
  ctx.SetMode(calc::kModeShort);
  view.Type(converter, 3, "1");
  EXPECT_EQ(ctx.mode(), calc::kModeShort);
  converter.SetBitWidth(12);  // not a width: ignored
  EXPECT_EQ(converter.bits(), 0);
}

}  // namespace
}  // namespace radixpad
