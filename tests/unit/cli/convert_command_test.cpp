// radixcalc convert: one number shown in the four converter fields.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "convert_command.h"
#include "core/numeric_settings.h"

namespace radixcalc {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Convert(std::vector<std::string_view> args) {
  calc::Numeric() = calc::NumericSettings{};
  std::ostringstream out, err;
  const int status = RunConvert(args, out, err);
  return {status, out.str(), err.str()};
}

struct Row {
  std::vector<std::string_view> args;
  std::string expected;
};

TEST(ConvertCommand, ShowsTheNumberInEveryField) {
  const Row rows[] = {
      {{"--width", "16", "--from", "10", "--", "-1"}, "1111111111111111\n177777\n\\-1\nFFFF\n"},
      {{"--from", "16", "ff"}, "11111111\n377\n255\nFF\n"},
      {{"255"}, "11111111\n377\n255\nFF\n"},
      {{"--width", "8", "200"}, "11001000\n310\n\\-56\nC8\n"},
      {{"--width", "8", "--signs", "ssss", "--from", "2", "10000000"}, "\\-10000000\n\\-200\n\\-128\n\\-80\n"},
      {{"--signs", "uuuu", "--", "-1"}, "11111111111111111111111111111111\n37777777777\n4294967295\nFFFFFFFF\n"},
      {{"--from", "8", "17"}, "1111\n17\n15\nF\n"},
      {{"\\x1F"}, "11111\n37\n31\n1F\n"},
      {{"'A"}, "1000001\n101\n65\n41\n"},
      {{"--width", "16", "65536"}, "0\n0\n0\n0\n"},
  };
  for (const Row& row : rows) {
    const Outcome o = Convert(row.args);
    EXPECT_EQ(o.status, 0) << row.args.back();
    EXPECT_EQ(o.out, row.expected) << row.args.back();
    EXPECT_EQ(o.err, "");
  }
}

TEST(ConvertCommand, TextThatIsNotANumberFailsWithStatusOne) {
  for (std::string_view text : {"12", "1+2", "", "zz"}) {
    const Outcome o = Convert({"--from", "2", text});
    EXPECT_EQ(o.status, 1) << text;
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("not a number"), std::string::npos);
  }
}

TEST(ConvertCommand, BadOptionsFailWithStatusTwo) {
  const std::vector<std::vector<std::string_view>> cases = {
      {},
      {"--width", "12", "1"},
      {"--from", "3", "1"},
      {"--signs", "usu", "1"},
      {"--signs", "uusx", "1"},
      {"--bogus", "1"},
      {"1", "2"},
      {"--width"},
  };
  for (const auto& args : cases) {
    const Outcome o = Convert(args);
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace radixcalc
