// Commands: dispatch by code, the extra-argument rule, the switches with
// their one-step memory, :param and :params, and message expansion.
#include <string>
#include <vector>

#include "core/command_names.h"
#include "engine_fixture.h"

namespace calc::testing {
namespace {

TEST(EngineSwitch, BitSevenReturnsToThePreviousSettingAndOnlyTheLowByteCounts) {
  const struct {
    std::vector<std::int64_t> arguments;
    bool on;
  } rows[] = {
      {{0, -1}, true},      // off, then back
      {{0, 1, -1}, false},  // back to the setting before 1
      {{0, -1, -1}, false},  // a second swap toggles back
      {{256}, false},        // low byte 0
      {{256, 128}, true},
      {{2}, true},
  };
  for (const auto& row : rows) {
    CalcSwitch s(true);
    for (const std::int64_t argument : row.arguments) s.Apply(argument);
    EXPECT_EQ(s.on(), row.on) << row.arguments.size() << " arguments, first " << row.arguments[0];
  }
}

TEST(MessageExpansion, DashesNameTheSourceAndBackslashesQuote) {
  EXPECT_EQ(ExpandMessage("in - now", "f"), "in f now");
  EXPECT_EQ(ExpandMessage("in - now", ""), "in  now");
  EXPECT_EQ(ExpandMessage("a\\-b\\\\c", "f"), "a-b\\c");
  EXPECT_EQ(ExpandMessage("first\rsecond", "f"), "first");
  EXPECT_EQ(ExpandMessage("cut\nhere", "f"), "cut");
  // The second byte of a double-byte character is never a dash or backslash.
  EXPECT_EQ(ExpandMessage("\x95\x5c-\x83\x2d", "f"), "\x95\x5c" "f\x83\x2d");
}

using CommandTest = EngineTest;

TEST_F(CommandTest, UnknownAndUnbuiltCommandsFail) {
  EXPECT_EQ(Run(":"), E_COMMAND_NULL);
  EXPECT_EQ(Run(":hex"), E_COMMAND_NULL);
  EXPECT_EQ(Run(":print 1"), E_COMMAND_PARAM);
  EXPECT_EQ(engine.reports.back().token, ":print");
}

TEST_F(CommandTest, AnExtraArgumentFailsAfterTheCommandHasRun) {
  EXPECT_EQ(Run(":radix 16 5"), E_COMMAND_PARAM);
  EXPECT_EQ(engine.reports.back().token, "5");
  EXPECT_EQ(context.radix(), 16);
  EXPECT_EQ(Run(":radix 8 +"), kNoValue);
  EXPECT_EQ(context.radix(), 8);
  EXPECT_EQ(Run(":warn 0 1"), E_COMMAND_PARAM);
  EXPECT_FALSE(engine.warnings_on());
}

TEST_F(CommandTest, EachSwitchCommandWorksOnItsOwnPair) {
  Run(":assert 1\n:debug 1\n:ans 0");
  EXPECT_TRUE(engine.assertions_on());
  EXPECT_TRUE(engine.debug_on());
  EXPECT_FALSE(engine.storage().calls().answer.on());
  EXPECT_TRUE(engine.warnings_on());
  Run(":debug \\-1\n:ans 128");
  EXPECT_FALSE(engine.debug_on());
  EXPECT_TRUE(engine.storage().calls().answer.on());
  EXPECT_EQ(Run(":assert"), E_COMMAND_PARAM);
  EXPECT_EQ(Run(":assert nothing"), E_COMMAND_PARAM);
  EXPECT_TRUE(engine.assertions_on());
}

TEST_F(CommandTest, WarnShowsAStringOrAnArrayOnlyWhileWarningsAreOn) {
  Run(":warn [\"one]\n:array a\na { 116 119 111 0 120 }\n:warn a\n:warn @@:(255)\n:warn 0\n:warn [\"three]");
  EXPECT_EQ(engine.messages, (std::vector<std::string>{"one", "two", "two"}));
  EXPECT_TRUE(engine.reports.empty());
}

TEST_F(CommandTest, ParamAndParamsCheckTheirArguments) {
  const struct {
    const char* text;
    int code;
    const char* token;
  } rows[] = {
      {":param 10 1", E_COMMAND_PARAM, ":param"},
      {":param 3", E_COMMAND_PARAM, ":param"},
      {":params a b c d e f g h i j k", E_COMMAND_PARAMS, "k"},
      {":params a 5", E_COMMAND_PARAMS, "5"},
      {":params a &", E_COMMAND_PARAM, "&"},
      {"taken = 1; :params a taken", E_COMMAND_DEFINE, "taken"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Run(row.text), row.code) << row.text;
    ASSERT_EQ(engine.reports.size(), 1u) << row.text;
    EXPECT_EQ(engine.reports[0].token, row.token) << row.text;
  }
  EXPECT_EQ(engine.storage().variables().Find("a"), -1);  // a failing :params binds nothing

  Run(":params p &q r[]\n:param 2 1");
  const CalcStorage& s = engine.storage();
  EXPECT_EQ(s.variables().Find("p"), '0');
  EXPECT_EQ(s.variables().Find("q"), '1');
  EXPECT_EQ(s.arrays().Find("r"), '2');
  EXPECT_FALSE(s.calls().reference[0]);
  EXPECT_TRUE(s.calls().reference[1]);
  EXPECT_TRUE(s.calls().reference[2]);
}

// Answers the command codes above the named ones.
class HostCommandEngine : public RecordingEngine {
 public:
  using RecordingEngine::RecordingEngine;
  int HostCommand(CalcEngine&, const CalcTokenList&, CalcTokenList::const_iterator position) override {
    seen_argument = position->kind() == kTokNumber;
    return answer;
  }
  int answer = 0;
  bool seen_argument = false;
};

TEST(HostCommand, CodesAboveTheNamedCommandsGoToTheHost) {
  CalcContext context;
  HostCommandEngine engine(context, {});
  CalcLineList lines(1);
  lines[0].tokens.Append(kTokCommand, std::uint8_t{200});
  lines[0].tokens.AppendNumber(CalcValue::FromReal(5));
  EXPECT_EQ(engine.RunLines(lines), E_COMMAND_PARAM);  // the host left 5: an extra argument
  EXPECT_TRUE(engine.seen_argument);
  engine.answer = kNoValue;
  EXPECT_EQ(engine.RunLines(lines), kNoValue);  // a non-zero answer is the status
  engine.answer = E_FUNCTION;
  EXPECT_EQ(engine.RunLines(lines), E_FUNCTION);
}

}  // namespace
}  // namespace calc::testing
