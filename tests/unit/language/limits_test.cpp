// Hostile text against the run budget: every case would run for hours or
// take gigabytes without it. Each must end with E_MEM and the reason in the
// report's token, within the memory limit, and leave the engine usable.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine_fixture.h"

namespace calc::testing {
namespace {

struct LimitCase {
  const char* what;
  std::string setup;    // runs first and must succeed
  std::string hostile;  // must fail with E_MEM
  std::uint64_t steps;  // step limit (0: none)
  std::size_t memory;   // memory limit
  const char* reason;   // the report's token
};

std::string Repeated(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

constexpr std::size_t kMiB = std::size_t{1} << 20;

std::vector<LimitCase> Cases() {
  return {
      // 262144^2 multiply-adds: the sum of one element alone is 262144 long.
      {"product of long vectors", "@@a 262143 0 = 1", "@@a * @@a", 1000000, 1024 * kMiB, "step limit reached"},
      // 724^3 multiply-adds.
      {"product of square matrices", "@@a 723 723 = 1", "@@a * @@a", 1000000, 1024 * kMiB, "step limit reached"},
      {"brace list", "", "@@b {" + Repeated(" 1", 20000) + " }", 100, 1024 * kMiB, "step limit reached"},
      {"array growth loop", "", "for i = 0; i < 100; i = i + 1\n@@a i 0 100000 = 1\nnext", 0, 20 * kMiB,
       "memory limit reached"},
      {"one large matrix", "", "@@c 2000 2000 = 1", 0, 100 * kMiB, "memory limit reached"},
      // Every operand level holds its own copy of the array.
      {"copies held by nested operands", "@@a 100000 0 = 1", "@@a + (@@a + (@@a + (@@a + (@@a + @@a))))", 0,
       40 * kMiB, "memory limit reached"},
  };
}

class LimitsTest : public EngineTest {};

TEST_F(LimitsTest, HostileTextEndsWithTheReasonAndTheEngineStaysUsable) {
  for (const LimitCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    engine.SetStepLimit(0);
    engine.SetMemoryLimit(c.memory);
    engine.storage().arrays().ClearSlot('a');
    Run(c.setup);
    ASSERT_TRUE(engine.reports.empty());
    engine.SetStepLimit(c.steps);
    EXPECT_EQ(Run(c.hostile), E_MEM);
    ASSERT_FALSE(engine.reports.empty());
    EXPECT_EQ(engine.reports.back().code, E_MEM);
    EXPECT_EQ(engine.reports.back().token, c.reason);
    EXPECT_LE(engine.budget().memory_used(), c.memory);
    engine.SetStepLimit(0);
    EXPECT_EQ(Echo("1 + 1"), "2");
  }
}

// A loop is recorded until it closes, and its statements are kept that long:
// they count against the limit, and the lines after the failure run as usual.
TEST_F(LimitsTest, ALoopThatIsNeverClosedCannotRecordPastTheLimit) {
  engine.SetMemoryLimit(4 * kMiB);
  Run("for i = 0; i < 2; i = i + 1\n" + Repeated("x = 1+2+3+4+5+6+7+8\n", 20000));
  ASSERT_FALSE(engine.reports.empty());
  EXPECT_EQ(engine.reports.front().code, E_MEM);
  EXPECT_EQ(engine.reports.front().token, "memory limit reached");
  EXPECT_LE(engine.budget().memory_used(), 4 * kMiB);
  EXPECT_EQ(Variable("x"), 36);
  EXPECT_EQ(Echo("1 + 1"), "2");
}

// The statements of a line share its comment: 100,001 statements and a
// 100,000-byte comment take a few megabytes, not one copy per statement.
TEST_F(LimitsTest, TheStatementsOfALineShareItsComment) {
  engine.SetMemoryLimit(32 * kMiB);
  EXPECT_EQ(Run("1" + Repeated(";", 100000) + "#" + Repeated("x", 100000)), kNoValue);
  EXPECT_TRUE(engine.reports.empty());
  // "1\#" is no value (E_CONSTANT), but the line compiles all the same.
  Run("1\\#" + Repeated(";", 100000) + "#" + Repeated("x", 100000));
  ASSERT_EQ(engine.reports.size(), 1u);
  EXPECT_EQ(engine.reports[0].code, E_CONSTANT);
}

TEST_F(LimitsTest, AnInterruptionEndsAProductThatIsRunning) {
  Run("@@a 262143 0 = 1");
  ASSERT_TRUE(engine.reports.empty());
  std::thread interrupter([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    engine.RequestInterrupt();
  });
  EXPECT_EQ(Run("@@a * @@a"), E_MEM);
  interrupter.join();
  ASSERT_EQ(engine.reports.size(), 1u);
  EXPECT_EQ(engine.reports[0].token, "interrupted");
  EXPECT_TRUE(engine.interrupted());
  EXPECT_EQ(Echo("3"), "3");  // the next run is not interrupted
}

TEST_F(LimitsTest, MemoryThatRunsOutWithoutTheBudgetIsReportedWithoutAReason) {
  // Too deep to evaluate: the nesting limit, not the budget, refuses it.
  EXPECT_EQ(Run(Repeated("(", 5000) + "1" + Repeated(")", 5000)), E_MEM);
  ASSERT_EQ(engine.reports.size(), 1u);
  EXPECT_EQ(engine.reports[0].token, "");
}

TEST_F(LimitsTest, StorageGivesItsMemoryBackWhenItIsFreed) {
  Run("@@a 1000 0 = 1; @@a 5 5 5 = 1; x = @@a * 2");
  ASSERT_TRUE(engine.reports.empty());
  const std::size_t used = engine.budget().memory_used();
  EXPECT_GT(used, 1000 * sizeof(CalcValue));
  engine.storage().arrays().ClearSlot('a');
  EXPECT_LT(engine.budget().memory_used(), used - 1000 * sizeof(CalcValue));
}

}  // namespace
}  // namespace calc::testing
