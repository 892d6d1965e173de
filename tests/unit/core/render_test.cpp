// Token rendering: every kind's text, and the property calculation hold rests
// on: rendering a list token by token and tokenizing the joined text again under
// the same mode and radix gives back the same tokens.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/command_names.h"
#include "core/context.h"
#include "core/keywords.h"
#include "core/render.h"
#include "core/token.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

class RenderTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  std::string Number(double x) { return RenderToken(ctx, kTokNumber, CalcValue::FromReal(x)); }

  CalcContext ctx;
};

class FakeSlotNames : public SlotNames {
 public:
  std::string_view VariableName(std::uint8_t code) const override { return Find(variables, code); }
  std::string_view ArrayName(std::uint8_t code) const override { return Find(arrays, code); }
  std::map<std::uint8_t, std::string> variables, arrays;

 private:
  static std::string_view Find(const std::map<std::uint8_t, std::string>& m, std::uint8_t code) {
    auto it = m.find(code);
    return it == m.end() ? std::string_view() : std::string_view(it->second);
  }
};

TEST_F(RenderTest, NumbersCarryABackslashBeforeEverySign) {
  ctx.SetMode(kModeLong);
  ctx.SetRadix(16);
  EXPECT_EQ(Number(-255), "\\-FF");
  ctx.SetRadix(2);
  EXPECT_EQ(Number(5), "101");
  ctx.SetMode(kModeGfloat);
  EXPECT_EQ(Number(1e20), "1e\\+20");
  ctx.SetMode(kModeComplex);
  CalcValue c;
  c.AsComplex() = {1.0, -2.0};
  EXPECT_EQ(RenderToken(ctx, kTokNumber, c), "1.000000\\-2.000000i");
  ctx.SetMode(kModeUshort);
  ctx.SetRadix(16);
  EXPECT_EQ(Number(-1), "FFFF");  // narrowed by the formatter, not in the token
}

TEST_F(RenderTest, KeywordKindsRenderTheirNames) {
  EXPECT_EQ(RenderToken(ctx, kTokCommand, std::uint8_t{1}), ":efloat");
  EXPECT_EQ(RenderToken(ctx, kTokCommand, std::uint8_t{103}), ":replot");
  EXPECT_EQ(RenderToken(ctx, kTokCommand, std::uint8_t{0}), ":");
  EXPECT_EQ(RenderToken(ctx, kTokStatement, std::uint8_t{kStDo}), "do");
  EXPECT_EQ(RenderToken(ctx, kTokStatement, std::uint8_t{kStReturn}), "return");
  EXPECT_EQ(RenderToken(ctx, kTokBuiltin, std::uint8_t{0}), "defined");
  EXPECT_EQ(RenderToken(ctx, kTokBuiltin, std::uint8_t{125}), "call");
  EXPECT_EQ(RenderToken(ctx, kTokOperator, std::uint8_t{kOpNegate}), "[-]");
  EXPECT_EQ(RenderToken(ctx, kTokOperator, std::uint8_t{kOpSubtract}), "-");
  EXPECT_EQ(RenderToken(ctx, kTokExternal, std::string("f")), "!f");
}

TEST_F(RenderTest, PunctuationAndKindsWithoutTextRender) {
  const std::pair<std::uint8_t, std::string_view> rows[] = {
      {kTokOpen, "("}, {kTokClose, ")"}, {kTokOpenBrace, "{"}, {kTokCloseBrace, "}"},
      {kTokReference, "&"}, {kTokEmptyBrackets, "[]"}, {kTokMatrix, ""}, {99, ""},
  };
  for (const auto& [kind, text] : rows) EXPECT_EQ(RenderToken(ctx, kind, {}), text) << int(kind);
}

TEST_F(RenderTest, StringsEscapeTheClosingBracketAndBackslashes) {
  EXPECT_EQ(RenderToken(ctx, kTokString, std::string("a]b")), "[\"a\\]b]");
  EXPECT_EQ(RenderToken(ctx, kTokString, std::string("a\\n")), "[\"a\\\\n]");
  // A double-byte character whose second byte is "]" is copied whole.
  EXPECT_EQ(RenderToken(ctx, kTokString, std::string("\x81]")), "[\"\x81]]");
  // A lead byte without its second byte is escaped so that it cannot take
  // the closing bracket, and reads back alone.
  const std::string rendered = RenderToken(ctx, kTokString, std::string("ab\x82"));
  EXPECT_EQ(rendered, "[\"ab\\\x82]");
  CalcTokenList list;
  ASSERT_EQ(Tokenize(ctx, rendered, true, list), 0);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0)->text(), "ab\x82");
}

TEST_F(RenderTest, SlotsRenderByNameOnceNamed) {
  FakeSlotNames names;
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'x'}, &names), "@x");
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{0}, &names), "@");
  EXPECT_EQ(RenderToken(ctx, kTokArray, std::uint8_t{'y'}, &names), "@@y");
  EXPECT_EQ(RenderToken(ctx, kTokArray, std::uint8_t{0}, &names), "@");
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'+'}, &names), "@\\+");
  names.variables['x'] = "speed";
  names.arrays['y'] = "table";
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'x'}, &names), "speed");
  EXPECT_EQ(RenderToken(ctx, kTokArray, std::uint8_t{'y'}, &names), "table");
  EXPECT_EQ(RenderToken(ctx, kTokVariable, std::uint8_t{'x'}), "@x");
}

// --- round trip ----------------------------------------------------------------

struct ModeCase {
  std::uint16_t mode;
  int radix;
};

class RoundTrip {
 public:
  RoundTrip(std::uint32_t seed, const CalcContext& ctx) : rng_(seed), ctx_(ctx) {}

  void AddRandomToken(CalcTokenList& list) {
    switch (Pick(12)) {
      case 0: case 1: case 2: list.AppendNumber(RandomNumber()); break;
      case 3: list.Append(kTokName, RandomName()); break;
      case 4: list.Append(kTokString, RandomString()); break;
      case 5: list.Append(kTokOperator, std::uint8_t(Pick(kOperatorCount))); break;
      case 6: list.Append(kTokCommand, std::uint8_t(Pick(kCommandCount))); break;
      case 7: list.Append(kTokStatement, std::uint8_t(Pick(kStatementCount))); break;
      case 8: list.Append(kTokBuiltin, std::uint8_t(Pick(kBuiltinCount))); break;
      case 9: list.Append(Pick(2) ? kTokVariable : kTokArray, RandomSlotCode()); break;
      case 10: list.Append(kTokExternal, RandomName()); break;
      default: {
        constexpr std::uint8_t kPunctuation[] = {kTokOpen, kTokClose, kTokOpenBrace, kTokCloseBrace,
                                                 kTokEmptyBrackets};
        list.Append(kPunctuation[Pick(5)]);
      }
    }
  }

  // A value of the context's mode that its text shows exactly.
  CalcValue RandomNumber() {
    const std::uint16_t mode = ctx_.mode();
    CalcValue v;
    if (InGroup(mode, kGroupInteger)) {
      const bool is_unsigned = mode & 1;
      const int bits = mode < kModeShort ? 8 : mode < kModeLong ? 16 : 32;
      const double span = std::ldexp(1.0, bits);
      double x = std::floor(Uniform() * span);
      if (!is_unsigned) x -= span / 2;
      v.SetReal(x);
    } else if (InGroup(mode, kGroupFraction)) {
      v.AsFraction() = CalcFraction{std::uint8_t(Pick(2)), std::uint32_t(Pick(100000)),
                                    std::uint32_t(1 + Pick(1000))};
      ReduceFraction(v.AsFraction());
    } else if (InGroup(mode, kGroupTime)) {
      CalcTime& t = v.AsTime();
      t.sign = std::uint8_t(Pick(2));
      t.hours = Pick(30);
      t.minutes = Pick(60);
      t.seconds = 1 + Pick(59);
      t.frames = mode == kModeFtime ? Pick(30) : 0;
    } else {
      const double re = Dyadic(), im = InGroup(mode, kGroupComplex) && Pick(2) ? Dyadic() : 0.0;
      v.AsComplex() = {re, im};
    }
    return v;
  }

  std::string RandomName() {
    static constexpr std::string_view kChars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
    std::string name = "_";
    for (int n = Pick(8); n >= 0; --n) name += kChars[Pick(kChars.size())];
    return name;
  }

  std::string RandomString() {
    static constexpr std::string_view kChars = "ab ]\\[\"+-:;@!&|xyz\x82\xa0";
    std::string s;
    for (int n = Pick(10); n > 0; --n) s += kChars[Pick(kChars.size())];
    if (Pick(3) == 0) s += "\x93\xfa\x96\x7b";  // a two-character Shift-JIS word
    return s;
  }

  std::uint8_t RandomSlotCode() {
    static constexpr std::string_view kCodes = "axyzAZ09_+-*/<>=!&|,()[]{}\\:.?~^%";
    return static_cast<std::uint8_t>(kCodes[Pick(kCodes.size())]);
  }

  int Pick(std::size_t n) { return static_cast<int>(rng_() % n); }

 private:
  double Uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }
  // Short decimals, sometimes with an exponent: read from their own text, so
  // that automatic precision prints exactly the digits they were read from.
  double Dyadic() {
    std::string text = std::to_string(static_cast<int>(Pick(200001)) - 100000);
    if (Pick(5) == 0) {
      text += 'e';
      text += std::to_string(Pick(40) - 20);
    }
    return std::strtod(text.c_str(), nullptr);
  }

  std::mt19937 rng_;
  const CalcContext& ctx_;
};

bool SameNumber(std::uint16_t mode, const CalcValue& a, const CalcValue& b) {
  if (InGroup(mode, kGroupFraction)) {
    const CalcFraction x = a.FractionView(), y = b.FractionView();
    return (x.num == 0 && y.num == 0) || (x.sign == y.sign && x.num == y.num && x.den == y.den);
  }
  if (InGroup(mode, kGroupTime)) {
    const CalcTime x = a.TimeView(), y = b.TimeView();
    return x.sign == y.sign && x.hours == y.hours && x.minutes == y.minutes && x.seconds == y.seconds &&
           x.frames == y.frames;
  }
  const CalcComplex x = a.ComplexView(), y = b.ComplexView();
  return x.re == y.re && x.im == y.im;
}

void ExpectSameTokens(std::uint16_t mode, const CalcTokenList& want, const CalcTokenList& got,
                      const std::string& text) {
  ASSERT_EQ(want.Count(), got.Count()) << text;
  auto w = want.begin();
  for (auto g = got.begin(); g != got.end(); ++g, ++w) {
    ASSERT_EQ(int(w->kind()), int(g->kind())) << text;
    if (w->kind() == kTokNumber)
      ASSERT_TRUE(SameNumber(mode, w->NumberValue(), g->NumberValue())) << text;
    else {
      ASSERT_EQ(int(w->code()), int(g->code())) << text;
      ASSERT_EQ(w->text(), g->text()) << text;
    }
  }
}

TEST_F(RenderTest, RenderedListsTokenizeBackToTheSameTokens) {
  const ModeCase modes[] = {
      {kModeGfloat, 10}, {kModeEfloat, 10}, {kModeFloat, 10},  {kModeGcomplex, 10}, {kModeFract, 10},
      {kModeMfract, 10}, {kModeTime, 10},   {kModeFtime, 10},  {kModeChar, 2},      {kModeUchar, 8},
      {kModeShort, 36},  {kModeUshort, 16}, {kModeLong, 10},   {kModeUlong, 7},     {kModeLong, 25},
  };
  std::uint32_t seed = 1;
  for (const ModeCase& m : modes) {
    ctx.SetMode(m.mode);
    ctx.SetRadix(m.radix);
    ctx.SetPrecision(0);  // every digit
    for (int round = 0; round < 200; ++round) {
      RoundTrip gen(seed++, ctx);
      CalcTokenList original;
      for (int n = 1 + gen.Pick(12); n > 0; --n) gen.AddRandomToken(original);
      std::string text;
      for (const CalcToken& token : original) {
        if (!text.empty()) text += ' ';
        text += RenderToken(ctx, token);
      }
      CalcTokenList again;
      ASSERT_EQ(Tokenize(ctx, text, true, again), 0);
      ExpectSameTokens(m.mode, original, again, text);
    }
  }
}

}  // namespace
}  // namespace calc
