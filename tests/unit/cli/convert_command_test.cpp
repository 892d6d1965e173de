// radixcalc convert: one number shown in the four converter fields.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "convert_command.h"
#include "core/numeric_settings.h"
#include "text_codec.h"

namespace radixcalc {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Convert(std::vector<std::string_view> args) {
  std::ostringstream out, err;
  const int status = RunConvert(args, out, err);
  return {status, out.str(), err.str()};
}

struct Row {
  std::vector<std::string_view> args;
  std::string expected;
  std::string err = "";
};

TEST(ConvertCommand, ShowsTheNumberInEveryField) {
  const Row rows[] = {
      {{"--width", "16", "--from", "10", "--", "-1"}, "1111111111111111\n177777\n\\-1\nFFFF\n"},
      {{"--from", "16", "ff"}, "11111111\n377\n255\nFF\n"},
      {{"255"}, "11111111\n377\n255\nFF\n"},
      {{"--width", "8", "200"}, "11001000\n310\n\\-56\nC8\n", "radixcalc convert: W_OVERFLOW\n"},
      {{"--width", "8", "--signs", "ssss", "--from", "2", "10000000"},
       "\\-10000000\n\\-200\n\\-128\n\\-80\n",
       "radixcalc convert: W_OVERFLOW\n"},
      {{"--signs", "uuuu", "--", "-1"},
       "11111111111111111111111111111111\n37777777777\n4294967295\nFFFFFFFF\n",
       "radixcalc convert: W_UNDERFLOW\n"},
      {{"--from", "8", "17"}, "1111\n17\n15\nF\n"},
      {{"\\x1F"}, "11111\n37\n31\n1F\n"},
      {{"'A"}, "1000001\n101\n65\n41\n"},
      {{"--width", "16", "65536"}, "0\n0\n0\n0\n", "radixcalc convert: W_OVERFLOW\n"},
  };
  for (const Row& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 0) << row.args.back();
    EXPECT_EQ(o.out, row.expected) << row.args.back();
    EXPECT_EQ(o.err, row.err) << row.args.back();
  }
}

TEST(ConvertCommand, TheTextIsAnExpressionEvaluatedInTheSourceField) {
  const Row rows[] = {
      {{"1+2*3"}, "111\n7\n7\n7\n"},
      {{"--from", "16", "ff+1"}, "100000000\n400\n256\n100\n"},
      {{"--from", "2", "101<<10"}, "10100\n24\n20\n14\n"},
      {{"(1+2)*3; +1"}, "1010\n12\n10\nA\n"},
  };
  for (const Row& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 0) << row.args.back();
    EXPECT_EQ(o.out, row.expected) << row.args.back();
    EXPECT_EQ(o.err, "");
  }
}

TEST(ConvertCommand, RangeWarningsOfEveryStepGoToStandardError) {
  const Outcome o = Convert({"--width", "8", "--signs", "ssss", "--", "100+100-100"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "1100100\n144\n100\n64\n");
  // 100+100 is above the signed 8-bit range, -56-100 below it.
  EXPECT_EQ(o.err, "radixcalc convert: W_OVERFLOW\nradixcalc convert: W_UNDERFLOW\n");
}

TEST(ConvertCommand, TextWithoutAValueFailsWithStatusOne) {
  const struct {
    std::vector<std::string_view> args;
    std::string report;
  } rows[] = {
      {{"--from", "2", "12"}, "radixcalc convert: E_CONSTANT: 12\n"},
      {{"1+"}, "radixcalc convert: E_RVALUE_NULL: +\n"},
      {{""}, ""},
      {{"x=1"}, "radixcalc convert: E_CONSTANT: x\n"},  // no implicit variables in the converter
      {{":radix 16"}, "radixcalc convert: E_COMMAND\n"},
      {{"if 1"}, "radixcalc convert: E_STAT\n"},
  };
  for (const auto& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 1) << row.args.back();
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err.substr(0, row.report.size()), row.report) << row.args.back();
    EXPECT_NE(o.err.find("gives no value"), std::string::npos);
  }
}

TEST(ConvertCommand, HoldTranscribesTheTextTokenByToken) {
  const Row rows[] = {
      {{"--hold", "10+20"}, "1010+10100\n12+24\n10+20\nA+14\n"},
      {{"--hold", "--from", "16", "@a 10 @@b"}, "@a 10000 @@b\n@a 20 @@b\n@a 16 @@b\n@a 10 @@b\n"},
      {{"--hold", "sin 2"}, "sin 10\nsin 2\nsin 2\nsin 2\n"},
      {{"--hold", "--width", "16", "--", "-1"}, "-1\n-1\n-1\n-1\n"},
      {{"--hold", "\\-1"}, "11111111111111111111111111111111\n37777777777\n\\-1\nFFFFFFFF\n"},
  };
  for (const Row& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 0) << row.args.back();
    EXPECT_EQ(o.out, row.expected) << row.args.back();
  }
}

// The field holds Shift-JIS: the text is converted, cut to 255 bytes on a
// character boundary, and every field shown converted back.
TEST(ConvertCommand, JapaneseTextIsConvertedAndCutOnACharacterBoundary) {
  if (!ConvertsByDefault()) GTEST_SKIP() << "radixcalc.exe passes the console's text through";
  const struct {
    std::vector<std::string_view> args;
    int status;
    std::string out;
    std::string err;
  } rows[] = {
      {{"--hold", "--from", "16", "あ+ff"}, 0, "あ+11111111\nあ+377\nあ+255\nあ+ff\n",
       "radixcalc convert: E_CONSTANT: あ\n"},
      {{"--from", "16", "あ+ff"}, 1, "",
       "radixcalc convert: E_CONSTANT: あ\nradixcalc convert: \"あ+ff\" gives no value in radix 16\n"},
      {{"5 \xF0\x9F\x98\x80 7"}, 1, "",
       "radixcalc convert: column 3: character U+1F600 (\xF0\x9F\x98\x80) has no Shift-JIS code\n"},
      {{"\x95\x5c"}, 1, "", "radixcalc convert: column 1: invalid UTF-8 (byte 95)\n"},
  };
  for (const auto& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, row.status) << row.args.back();
    EXPECT_EQ(o.out, row.out);
    EXPECT_EQ(o.err, row.err);
  }
  // The source field (DEC) keeps what fits in 255 Shift-JIS bytes.
  const struct {
    std::string text;
    std::string kept;
  } cuts[] = {
      {"1" + std::string(251, ' ') + "+表表", "1" + std::string(251, ' ') + "+表"},  // 257 bytes: one 表 goes
      {"1" + std::string(252, ' ') + "+表", "1" + std::string(252, ' ') + "+"},      // 256 bytes: never half of it
      {std::string(300, '1'), std::string(255, '1')},
  };
  for (const auto& cut : cuts) {
    std::istringstream fields(Convert({"--hold", cut.text}).out);
    std::string dec;
    for (int i = 0; i < 3; ++i) std::getline(fields, dec);
    EXPECT_EQ(dec, cut.kept);
  }
}

TEST(ConvertCommand, BadOptionsFailWithOneLineAndStatusTwo) {
  const struct {
    std::vector<std::string_view> args;
    std::string_view problem;
  } rows[] = {
      {{}, "TEXT is missing"},
      {{"--width", "12", "1"}, "--width must be 8, 16 or 32"},
      {{"--from", "3", "1"}, "--from must be 2, 8, 10 or 16"},
      {{"--signs", "usu", "1"}, "--signs must be four letters s or u (BIN OCT DEC HEX)"},
      {{"--signs", "uusx", "1"}, "--signs must be four letters s or u (BIN OCT DEC HEX)"},
      {{"--bogus", "1"}, "unknown option --bogus"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"1", "2"}, "more than one TEXT given"},
      {{"--width"}, "--width needs a value"},
  };
  for (const auto& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err,
              "radixcalc convert: " + std::string(row.problem) + " (radixcalc convert --help tells how to use it)\n");
  }
}

TEST(ConvertCommand, HelpDescribesTheConvertCommand) {
  for (const std::string_view help : {"--help", "-h"}) {
    const Outcome o = Convert({"--width", help});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, ConvertUsage());
    EXPECT_EQ(o.err, "");
  }
  EXPECT_EQ(Convert({"--", "--help"}).status, 1);  // after "--" it is the TEXT
}

}  // namespace
}  // namespace radixcalc
