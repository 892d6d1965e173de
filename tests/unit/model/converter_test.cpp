// The converter's logic against a fake window and a small fake engine that
// adds numbers: live conversion, Enter, hold, signs, widths and warnings.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/literal.h"
#include "core/modes.h"
#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/token.h"
#include "core/tokenizer.h"
#include "model/converter.h"

namespace radixpad {
namespace {

class FakeView : public ConverterView {
 public:
  std::string FieldText(int field) override { return text[field - 1]; }
  void SetFieldText(int field, std::string_view t) override { text[field - 1] = t; }
  int FocusedField() override { return focus; }
  void FocusField(int field) override { focus = field; }
  void SelectAll(int field) override { selected = field; }
  void HideWarningMarks() override { mark = 0; }
  void ShowWarningMark(int field) override { mark = field; }
  void ShowHold(bool on) override { hold_shown = on; }
  void ShowSigns(bool, const bool[4], bool m) override { master_shown = m; }
  void ShowWidth(int bits) override { width_shown = bits; }

  // The user types into a field: it has the focus and its text changes.
  void Type(Converter& converter, int field, std::string_view t) {
    focus = field;
    text[field - 1] = t;
    converter.OnFieldEdited(field);
  }

  std::array<std::string, 4> text;
  int focus = 0, selected = 0, mark = 0, width_shown = -1;
  bool hold_shown = false, master_shown = false;
};

// Adds the numbers of a line such as "10+20"; anything else fails. Narrows
// like the engine and reports range warnings to the converter.
class AddingEngine : public LineRunner {
 public:
  explicit AddingEngine(calc::CalcContext& ctx) : ctx_(ctx) {}
  int RunLine(std::string_view text) override {
    calc::CalcTokenList tokens;
    calc::Tokenize(ctx_, text, true, tokens);
    double sum = 0;
    bool expect_number = true;
    for (const calc::CalcToken& token : tokens) {
      if (expect_number && token.Is(calc::kTokNumber)) sum += token.number()->ToReal();
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

 private:
  calc::CalcContext& ctx_;
  calc::CalcValue answer_;
};

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calc::Numeric() = calc::NumericSettings{};
    engine.converter = &converter;
    const bool signs[4] = {true, true, false, true};
    converter.Restore(false, false, signs, 32);
  }
  void TearDown() override { calc::Numeric() = calc::NumericSettings{}; }

  calc::CalcContext ctx;
  FakeView view;
  AddingEngine engine{ctx};
  Converter converter{ctx, engine, view};
};

TEST_F(ConverterTest, StartsWithZeroInEveryField) {
  EXPECT_EQ(view.text, (std::array<std::string, 4>{"0", "0", "0", "0"}));
  EXPECT_EQ(view.width_shown, 32);
}

TEST_F(ConverterTest, TypingShowsTheValueInTheOtherFieldsAndEnterRewritesAll) {
  view.Type(converter, 3, "10+20");
  EXPECT_EQ(view.text, (std::array<std::string, 4>{"11110", "36", "10+20", "1E"}));
  converter.OnEnter(false);
  EXPECT_EQ(view.text[2], "30");
  EXPECT_EQ(view.selected, 3);
}

TEST_F(ConverterTest, AnIncompleteExpressionKeepsTheLastValue) {
  view.Type(converter, 3, "12");
  view.Type(converter, 3, "12+");
  EXPECT_EQ(view.text[3], "C");
  EXPECT_EQ(converter.current_value().ToReal(), 12);
}

TEST_F(ConverterTest, ProgramWrittenTextDoesNotConvert) {
  view.focus = 0;
  view.text[2] = "99";
  converter.OnFieldEdited(3);
  EXPECT_EQ(converter.active_field(), 0);
  EXPECT_EQ(view.text[3], "0");
}

TEST_F(ConverterTest, HoldTranscribesTheExpressionTokenByToken) {
  converter.ToggleHold();
  EXPECT_TRUE(view.hold_shown);
  view.Type(converter, 3, "10+20");
  EXPECT_EQ(view.text[0], "1010+10100");
  EXPECT_EQ(view.text[1], "12+24");
  EXPECT_EQ(view.text[3], "A+14");
  view.Type(converter, 4, "1 2");  // adjacent operands keep one blank
  EXPECT_EQ(view.text[2], "1 2");
  converter.OnEnter(false);  // Enter releases hold unless KeepLock is set
  EXPECT_FALSE(converter.hold());
  converter.ToggleHold();
  converter.OnEnter(true);
  EXPECT_TRUE(converter.hold());
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

TEST_F(ConverterTest, OverflowShowsAMarkBesideTheActiveFieldUntilTheNextCleanKeystroke) {
  converter.SetBitWidth(8);
  view.Type(converter, 3, "100+100");
  EXPECT_EQ(view.mark, 3);
  ASSERT_EQ(converter.error_log().Count(), 1u);
  EXPECT_EQ(converter.error_log().Entry(0)->code, calc::W_OVERFLOW);
  EXPECT_EQ(view.text[2], "100+100");
  EXPECT_EQ(view.text[0], "11001000");  // 200 narrowed to -56, unsigned 8 bit
  view.Type(converter, 3, "1");
  EXPECT_EQ(view.mark, 0);
  EXPECT_EQ(converter.error_log().Count(), 0u);
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

}  // namespace
}  // namespace radixpad
