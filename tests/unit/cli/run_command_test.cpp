// radixcalc's run form: -e texts and files as sources, echo on standard
// output, reports on standard error, and the exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/numeric_settings.h"
#include "run_command.h"

namespace radixcalc {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunCli(std::vector<std::string_view> args, const std::string& input = "") {
  calc::Numeric() = calc::NumericSettings{};
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunScripts(args, in, out, err);
  calc::Numeric() = calc::NumericSettings{};
  return {status, out.str(), err.str()};
}

TEST(RunCommand, TheForLoopExampleEndsWithItsSum) {
  const Outcome o = RunCli({"-e", "for i = 0; i < 3; i = i + 1; s = s + i; next; s"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "3\n");
  EXPECT_EQ(o.err, "");
}

TEST(RunCommand, TextsRunInOrderAndShareTheirVariables) {
  const Outcome o = RunCli({"-e", "x = 4", "-", "-e", "x * y"}, "y = 5\nx + y\n");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "9\n20\n");
}

TEST(RunCommand, AnErrorEndsItsTextReportsItsLineAndSetsStatusOne) {
  const Outcome o = RunCli({"-e", "1\n2 +\n3", "-e", "4"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "1\n4\n");
  EXPECT_EQ(o.err, "-e:2: E_RVALUE_NULL: +\n");
}

TEST(RunCommand, WarningsAloneKeepStatusZero) {
  const Outcome o = RunCli({"-e", "1 / 0 > 1"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out, "1\n");
  EXPECT_EQ(o.err, "-e:1: W_DIV: /\n");
}

TEST(RunCommand, ModeAndRadixOptionsSetTheStartingMode) {
  EXPECT_EQ(RunCli({"--mode", "ushort", "--radix", "16", "-e", "0 - 1"}).out, "FFFF\n");
  EXPECT_EQ(RunCli({"--mode", "fract", "-e", "1_2 + 1_3"}).out, "5\x81\x76" "6\n");
  // ":ptype" returns to the mode the run started in.
  EXPECT_EQ(RunCli({"--mode", "long", "-e", ":gfloat; :ptype; 7 / 2"}).out, "3\n");
}

TEST(RunCommand, AnOpenBlockAtTheEndOfATextIsAnError) {
  const Outcome o = RunCli({"-e", "while 1\n1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "-e:2: while block not closed\n");
}

TEST(RunCommand, TheStepLimitEndsARunawayLoop) {
  const Outcome o = RunCli({"--max-steps", "500", "-e", "do\nuntil 1"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "-e:1: E_MEM\n");
}

TEST(RunCommand, UsageErrorsAndUnreadableFilesGiveStatusTwo) {
  const std::vector<std::vector<std::string_view>> usage = {
      {"--mode", "hex", "-e", "1"}, {"--radix", "40", "-e", "1"}, {"--bogus", "1"}, {"-e"}, {"--mode", "long"},
  };
  for (const auto& args : usage) {
    const Outcome o = RunCli(args);
    EXPECT_EQ(o.status, 2) << args.front();
    EXPECT_NE(o.err.find("usage:"), std::string::npos);
  }
  const Outcome missing = RunCli({"-e", "1", "/nonexistent/script.calc"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "1\n");
  EXPECT_EQ(missing.err, "radixcalc: cannot read /nonexistent/script.calc\n");
}

}  // namespace
}  // namespace radixcalc
