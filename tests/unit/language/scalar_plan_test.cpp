// Scalar plans and planned loops must be invisible: a replayed loop gives
// exactly the values, answer, reports and step counts that the same
// statements give when they run one by one through the general walk.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/grouping.h"
#include "engine_fixture.h"
#include "language/scalar_plan.h"

namespace calc::testing {
namespace {

struct PlanRow {
  const char* text;
  std::size_t plans;
  bool whole_statement;
};

TEST(ScalarPlans, CoverTheStatementOrItsOutermostArithmeticGroups) {
  const PlanRow rows[] = {
      {"s = s + i*2%7", 1, true},
      {"x", 1, true},
      {"x = y", 1, true},
      {"a < b", 1, true},
      {"x = -y", 0, false},               // prefix operators are the general walk's
      {"x = y && z", 0, false},           // so is every operator outside the set
      {"f(1) + (a*b)", 2, false},         // a call: only its groups
      {"@a 1 = b + 1", 1, false},         // an array target: the right side only
      {"x = (a + (b < (c*2)))", 1, true}, // nested groups stay inside one plan
      {"x = y = 1", 0, false},            // one "=" only
      {"x = a++", 0, false},
      {"@:2 + 1", 0, false},              // a computed code reads an operand
  };
  for (const PlanRow& row : rows) {
    NumericSettings numeric;
    NumericScope scope(numeric);
    CalcContext context;
    CalcTokenList tokens;
    ASSERT_EQ(TokenizeAndGroup(context, row.text, true, tokens), kDone) << row.text;
    CalcScalarPlans plans;
    plans.Build(tokens);
    EXPECT_EQ(plans.Count(), row.plans) << row.text;
    EXPECT_EQ(plans.Find(&*tokens.begin()) != nullptr, row.whole_statement) << row.text;
  }
}

// A random expression over a, b, c and a few numbers, mostly with the planned
// operators, sometimes with others that make the plan decline.
std::string RandomExpression(std::mt19937& rng, int depth) {
  static const char* const kOperands[] = {"a", "b", "c", "0", "1", "2", "7", "0.5", "3.25", "1e300", "c"};
  static const char* const kOperators[] = {"*", "/", "%", "+", "-", "<", "<=", ">", ">=", "==", "!=", "&&", "<<"};
  std::uniform_int_distribution<int> pick(0, 99);
  if (depth == 0 || pick(rng) < 35) return kOperands[pick(rng) % std::size(kOperands)];
  std::string left = RandomExpression(rng, depth - 1);
  std::string right = RandomExpression(rng, depth - 1);
  if (pick(rng) < 30) right = "(" + right + ")";
  const int op = pick(rng) % 100 < 90 ? pick(rng) % 11 : 11 + pick(rng) % 2;
  return left + kOperators[op] + right;
}

struct Outcome {
  std::vector<std::uint64_t> values;  // a, r and the answer, bit for bit
  std::vector<std::string> reports;
  std::vector<std::string> printed;
};

Outcome RunScript(const std::string& text) {
  CalcContext context;
  CalcEngineSettings settings;
  settings.implicit_variables = true;
  RecordingEngine engine(context, settings);
  engine.RunText(text);
  Outcome out;
  for (const char* name : {"a", "r"}) {
    const int code = engine.storage().variables().Find(name);
    const double x = code < 0 ? -1.0 : engine.storage().GetVariable(static_cast<std::uint8_t>(code)).ToReal();
    out.values.push_back(std::bit_cast<std::uint64_t>(x));
  }
  out.values.push_back(std::bit_cast<std::uint64_t>(engine.storage().AnswerValue().ToReal()));
  for (const Seen& seen : engine.reports) out.reports.push_back(std::to_string(seen.code) + " " + seen.token);
  out.printed = engine.printed;
  return out;
}

bool ReportsAnError(const Outcome& outcome) {
  for (const std::string& report : outcome.reports)
    if (IsError(std::stoi(report))) return true;
  return false;
}

TEST(ScalarPlans, ALoopGivesWhatTheSameStatementsGiveOneByOne) {
  std::mt19937 rng(20261208);
  const char* const modes[] = {":gfloat 17", ":efloat 6", ":complex", ":long 10", ":fract"};
  int compared = 0;
  for (int i = 0; i < 600; ++i) {
    const std::string mode = modes[i % std::size(modes)];
    const std::string expression = RandomExpression(rng, 3);
    const std::string start = mode + "\na = 5\nb = 0-3\nc = 0\n";
    const std::string looped = start + "for k = 0; k < 3; k = k + 1; r = " + expression + "; a = a + r; next\n";
    std::string unrolled = start + "k = 0\n";
    for (int n = 0; n < 3; ++n) unrolled += "r = " + expression + "\na = a + r\nk = k + 1\n";
    const Outcome planned = RunScript(looped);
    const Outcome general = RunScript(unrolled);
    // An error ends a loop but not a run of separate statements.
    if (ReportsAnError(general)) continue;
    ++compared;
    EXPECT_EQ(planned.values, general.values) << mode << "  r = " << expression;
    EXPECT_EQ(planned.reports, general.reports) << mode << "  r = " << expression;
    EXPECT_EQ(planned.printed, general.printed) << mode << "  r = " << expression;
  }
  EXPECT_GT(compared, 400);
}

// A function's body is planned once, when it is defined, and every call runs
// the plans: a call gives what the body's statements give written out.
TEST(ScalarPlans, AFunctionBodyGivesWhatItsStatementsGiveWrittenOut) {
  std::mt19937 rng(7);
  int compared = 0;
  for (int i = 0; i < 300; ++i) {
    const std::string mode = i % 3 == 0 ? ":long 10" : ":gfloat 17";
    const std::string expression = RandomExpression(rng, 3);
    const Outcome called =
        RunScript(mode + "\nfunc h a b c\nr = " + expression + "\nreturn r\nendfunc\nh 5 (0-3) 0\nh 2 7 0.5\n");
    const Outcome direct = RunScript(mode + "\na = 5\nb = 0-3\nc = 0\nr = " + expression + "\nr\na = 2\nb = 7\nc = 0.5\nr = " +
                                     expression + "\nr\n");
    if (ReportsAnError(direct)) continue;
    ++compared;
    EXPECT_EQ(called.printed, direct.printed) << mode << "  r = " << expression;
    EXPECT_EQ(called.reports, direct.reports) << mode << "  r = " << expression;
  }
  EXPECT_GT(compared, 150);
}

// The step limit counts every statement of a planned loop as the general
// replay does: the same loop stops at the same iteration in the long mode,
// where no plan applies, and in a float mode, where all of them do.
TEST(ScalarPlans, TheStepLimitStopsAPlannedLoopWhereItStopsTheGeneralOne) {
  for (const std::uint64_t limit : {1u, 2u, 3u, 17u, 100u, 1001u}) {
    std::vector<double> stopped_at;
    for (const char* mode : {":long 10", ":gfloat 17"}) {
      CalcContext context;
      CalcEngineSettings settings;
      settings.implicit_variables = true;
      RecordingEngine engine(context, settings);
      engine.RunText(std::string(mode) + "\ns = 0");
      engine.SetStepLimit(limit);
      engine.RunText("for i = 0; i < 100000; i = i + 1; s = s + i*2%7; next");
      ASSERT_FALSE(engine.reports.empty()) << mode << " " << limit;
      EXPECT_EQ(engine.reports.back().token, "step limit reached") << mode << " " << limit;
      const int i = engine.storage().variables().Find("i");
      const int s = engine.storage().variables().Find("s");
      stopped_at.push_back(i < 0 ? -1.0 : engine.storage().GetVariable(static_cast<std::uint8_t>(i)).ToReal());
      stopped_at.push_back(engine.storage().GetVariable(static_cast<std::uint8_t>(s)).ToReal());
      stopped_at.push_back(static_cast<double>(engine.steps()));
    }
    EXPECT_EQ(std::vector<double>(stopped_at.begin(), stopped_at.begin() + 3),
              std::vector<double>(stopped_at.begin() + 3, stopped_at.end()))
        << "limit " << limit;
  }
}

// A plan that declines part way through hands its statement back: the
// division by zero in the fourth iteration warns once, as it does unplanned.
TEST_F(EngineTest, ADecliningPlanLeavesItsIterationToTheGeneralReplay) {
  Run(":gfloat 17\nr = 0\nt = 0\nfor i = 0; i < 6; i = i + 1; r = 12/(i-3); t = t + r; next\nt");
  EXPECT_EQ(ReportCodes(), std::vector<int>{W_DIV});
  EXPECT_EQ(Printed(), "inf\n");
  EXPECT_EQ(Variable("i"), 6);
}

}  // namespace
}  // namespace calc::testing
