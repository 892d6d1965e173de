// The tokenizer: where words end, how escapes and brackets quote, and how each
// word is classified. Rows read: text -> the tokens it must give.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/context.h"
#include "core/modes.h"
#include "core/status_codes.h"
#include "core/tokenizer.h"

namespace calc {
namespace {

struct Want {
  std::uint8_t kind;
  int code = 0;
  std::string text = "";
  double re = 0.0, im = 0.0;  // numbers only
};
Want Mark(std::uint8_t kind) { return {kind}; }
Want Op(int code) { return {kTokOperator, code}; }
Want Code(std::uint8_t kind, int code) { return {kind, code}; }
Want Text(std::uint8_t kind, std::string text) { return {kind, 0, std::move(text)}; }
Want Name(std::string text) { return Text(kTokName, std::move(text)); }
Want Num(double re, double im = 0.0) { return {kTokNumber, 0, "", re, im}; }

struct Row {
  std::string text;
  std::vector<Want> tokens;
};

// A text in a heap block of exactly its size: a read past its end is caught
// by the address sanitizer.
class ExactText {
 public:
  explicit ExactText(std::string_view text) : bytes_(new char[text.size()]), size_(text.size()) {
    std::memcpy(bytes_.get(), text.data(), text.size());
  }
  std::string_view view() const { return {bytes_.get(), size_}; }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_;
};

class TokenizerTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  void ExpectRows(const std::vector<Row>& rows, bool parse_numbers = true) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.text);
      CalcTokenList list;
      ASSERT_EQ(Tokenize(ctx, ExactText(row.text).view(), parse_numbers, list), kDone);
      ASSERT_EQ(list.Count(), row.tokens.size());
      auto want = row.tokens.begin();
      for (const CalcToken& token : list) {
        const Want& w = *want++;
        EXPECT_EQ(token.kind(), w.kind);
        EXPECT_EQ(token.code(), w.code);
        EXPECT_EQ(token.text(), w.text);
        EXPECT_EQ(token.is_number(), w.kind == kTokNumber);
        if (token.is_number()) {
          EXPECT_DOUBLE_EQ(token.NumberValue().ComplexView().re, w.re);
          EXPECT_DOUBLE_EQ(token.NumberValue().ComplexView().im, w.im);
        }
      }
    }
  }

  CalcContext ctx;
};

TEST_F(TokenizerTest, OperatorCharactersSplitWordsAndTheLongestFormWins) {
  ExpectRows({
      {"1+2", {Num(1), Op(11), Num(2)}},
      {"-5", {Op(12), Num(5)}},
      {"a+=b<<=2", {Name("a"), Op(31), Name("b"), Op(33), Num(2)}},
      {"a+++b--", {Name("a"), Op(6), Op(11), Name("b"), Op(7)}},
      {"a<b<=c>>d>>=e", {Name("a"), Op(15), Name("b"), Op(16), Name("c"), Op(14), Name("d"), Op(34), Name("e")}},
      {"a==b!=c=d", {Name("a"), Op(19), Name("b"), Op(20), Name("c"), Op(27), Name("d")}},
      {"a&&=b||c|=d|e", {Name("a"), Op(24), Op(27), Name("b"), Op(25), Name("c"), Op(36), Name("d"), Op(23),
                         Name("e")}},
      {"a^=b%c?d,e", {Name("a"), Op(37), Name("b"), Op(10), Name("c"), Op(26), Name("d"), Op(38), Name("e")}},
      {"f(x){ }\t\r\n", {Name("f"), Mark(kTokOpen), Name("x"), Mark(kTokClose), Mark(kTokOpenBrace),
                         Mark(kTokCloseBrace)}},
      {"a!b !x !", {Name("a!b"), Text(kTokExternal, "x"), Op(3)}},  // "!" is a word character
      {"~x", {Name("~x")}},
  });
}

TEST_F(TokenizerTest, BracketsAndBackslashesQuoteWords) {
  ExpectRows({
      {"[+]x[-]5[~]y", {Op(5), Name("x"), Op(4), Num(5), Op(2), Name("y")}},
      {"[]x[]", {Mark(kTokEmptyBrackets), Name("x"), Mark(kTokEmptyBrackets)}},
      {"[\"a\\]b]", {Text(kTokString, "a]b")}},
      {"[a b+c(d)][[x]y]z", {Name("a b+c(d)"), Name("[x"), Name("y]z")}},
      {"[&]", {Mark(kTokReference)}},
      {"[abc", {Name("abc")}},
      {"\\-5 \\-\\x10 \\017", {Num(-5), Num(-16), Num(15)}},
      {"a\\ b\\(c\\q", {Name("a b(cq")}},
      {"a\\\\b", {Name("a\\\\b")}},
      {"a\\", {Name("a")}},
      {"@a\\:b", {Code(kTokVariable, 'a')}},  // an escaped colon does not end the word
  });
}

TEST_F(TokenizerTest, WordsClassifyInTheDocumentedOrder) {
  ExpectRows({
      {"sin defined call", {Code(kTokBuiltin, 29), Code(kTokBuiltin, 0), Code(kTokBuiltin, 125)}},
      {"if do return", {Code(kTokStatement, 8), Code(kTokStatement, 0), Code(kTokStatement, 20)}},
      {":radix 16", {Code(kTokCommand, 23), Num(16)}},
      {":efloat :replot :foo :", {Code(kTokCommand, 1), Code(kTokCommand, 103), Code(kTokCommand, 0),
                                  Code(kTokCommand, 0)}},
      {"\"x\\ty [\"\\0\\e\\\\]", {Text(kTokString, "x\ty"), Text(kTokString, std::string("\0\x1B\\", 3))}},
      {"HUGE_VAL RAND_MAX huge_val Sin", {Num(HUGE_VAL), Num(32767), Name("huge_val"), Name("Sin")}},
      {"@a+@@b", {Code(kTokVariable, 'a'), Op(11), Code(kTokArray, 'b')}},
      {"@ @@ @ab", {Code(kTokArray, 0), Code(kTokVariable, '@'), Code(kTokVariable, 'a')}},
      {"@a:b a:b", {Code(kTokVariable, 'a'), Name("b"), Name("a:b")}},
      {std::string("\0 \x0E \x0F \x15", 7), {Mark(kTokOpen), Mark(kTokOpenBrace), Mark(kTokCloseBrace),
                                             Mark(kTokEmptyBrackets)}},
      {"\\\r \\\t\x0B \\\tz", {Mark(kTokClose), Op(11), Name("\tz")}},  // tab + code; 'z' is no operator
  });
  EXPECT_EQ(ResolveStringEscapes("\\a\\b\\f\\n\\r\\v\\q\\"), "\a\b\f\n\r\vq");
}

TEST_F(TokenizerTest, NumbersDependOnTheModeTheRadixAndTheParseSwitch) {
  ExpectRows({{"1\\+2i", {Name("1+2i")}}});
  ExpectRows({{"12 \\-5 HUGE_VAL", {Name("12"), Name("-5"), Num(HUGE_VAL)}}}, false);
  ctx.SetMode(kModeComplex);
  ExpectRows({{"1\\+2i 1+2i", {Num(1, 2), Num(1), Op(11), Num(0, 2)}}});
  ctx.SetMode(kModeLong);
  ctx.SetRadix(2);
  ExpectRows({{"12 101", {Name("12"), Num(5)}}});
}

TEST_F(TokenizerTest, DoubleByteCharactersStayWholeAndNothingIsReadPastTheEnd) {
  // 0x95 0x5C ends in a backslash, 0x83 0x5B in "[", 0x83 0x7C in "|".
  ExpectRows({
      {"x\x95\x5Cy", {Name("x\x95\x5Cy")}},
      {"\x95\x5C(1)", {Name("\x95\x5C"), Mark(kTokOpen), Num(1), Mark(kTokClose)}},
      {"\x83\x5B\x83\x7C [\"\x95\x5C]", {Name("\x83\x5B\x83\x7C"), Text(kTokString, "\x95\x5C")}},
      {"\xF0+\xFC", {Name("\xF0"), Op(11), Name("\xFC")}},  // 0xF0-0xFC are single bytes
      {"ab\x95", {Name("ab\x95")}},
      {"\\\x95", {Name("\x95")}},
      {"a<", {Name("a"), Op(15)}},
      {"[\\", {}},
      {"\"\\", {Text(kTokString, "")}},
      {"\\\t", {Name("\t")}},
  });
  std::uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(static_cast<std::size_t>(round % 40), '\0');
    for (char& b : bytes) b = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    CalcTokenList list;
    EXPECT_EQ(Tokenize(ctx, ExactText(bytes).view(), round % 2 == 0, list), kDone);
  }
}

TEST_F(TokenizerTest, LongWordsAreKeptWhole) {
  const std::string name(1000, 'n');
  const std::string digits(300, '1');
  ExpectRows({
      {name + "+" + name, {Name(name), Op(11), Name(name)}},
      {digits, {Num(std::stod(digits))}},
      {digits + "x", {Name(digits + "x")}},  // not cut into a number and a name
      {"[\"" + name + "]", {Text(kTokString, name)}},
  });
  ctx.SetMode(kModeUlong);
  ctx.SetRadix(16);
  ExpectRows({{std::string(300, 'f'), {Num(4294967295.0)}}});
}

TEST_F(TokenizerTest, TokenizingReplacesTheList) {
  CalcTokenList list;
  ASSERT_EQ(Tokenize(ctx, "a b c d", true, list), kDone);
  ASSERT_EQ(Tokenize(ctx, "x+1", true, list), kDone);
  EXPECT_EQ(list.Count(), 3u);
  EXPECT_EQ(list.begin()->text(), "x");
}

}  // namespace
}  // namespace calc
