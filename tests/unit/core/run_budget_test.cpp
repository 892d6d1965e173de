// The run budget: work against the step limit, the interruption request, and
// memory charges that are given back when their holder goes.
#include "core/run_budget.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace calc {
namespace {

using Stop = CalcRunBudget::Stop;

TEST(RunBudget, WorkPassesTheStepLimitOnlyAfterThatManySteps) {
  struct Case {
    std::uint64_t limit;
    std::vector<std::uint64_t> charges;  // element operations, in order
    std::size_t first_refused;           // index of the first refused charge, or charges.size()
  };
  constexpr std::uint64_t kStep = CalcRunBudget::kWorkPerStep;
  const std::vector<Case> cases = {
      {3, {kStep, kStep, kStep, kStep}, 3},       // three statements fit, the fourth does not
      {3, {3 * kStep, 1}, 1},                     // one large operation uses the whole limit
      {1, {kStep / 2, kStep / 2, 1}, 2},          // parts of a step add up
      {0, {~std::uint64_t{0}, ~std::uint64_t{0}}, 2},  // no limit, and the count saturates
      {2, {~std::uint64_t{0}}, 0},
  };
  for (const Case& c : cases) {
    auto budget = CalcRunBudget::Make();
    budget->SetStepLimit(c.limit);
    std::size_t refused = c.charges.size();
    for (std::size_t i = 0; i < c.charges.size() && refused == c.charges.size(); ++i)
      if (!budget->ChargeWork(c.charges[i])) refused = i;
    EXPECT_EQ(refused, c.first_refused) << "limit " << c.limit;
    EXPECT_EQ(budget->stop(), refused < c.charges.size() ? Stop::kStepLimit : Stop::kNone);
    if (refused < c.charges.size()) {
      EXPECT_TRUE(budget->ended());
      EXPECT_FALSE(budget->ChargeStep());  // stays ended
      budget->SetStepLimit(c.limit);       // until the next run begins
      EXPECT_TRUE(budget->ChargeWork(1));
      EXPECT_EQ(budget->stop(), Stop::kNone);
    }
  }
}

TEST(RunBudget, AnInterruptionEndsTheRunOnceAndIsNotCarriedIntoTheNext) {
  auto budget = CalcRunBudget::Make();
  EXPECT_TRUE(budget->ChargeStep());
  budget->RequestInterrupt();
  EXPECT_FALSE(budget->ChargeWork(1));
  EXPECT_EQ(budget->stop(), Stop::kInterrupted);
  EXPECT_FALSE(budget->ChargeWork(1));  // every later check of this run agrees
  EXPECT_EQ(CalcRunBudget::StopText(budget->stop()), "interrupted");
  budget->ClearStop();
  EXPECT_TRUE(budget->ChargeWork(1));  // the request was taken
}

TEST(RunBudget, MemoryPastTheLimitIsRefusedAndGivenBackByItsHolder) {
  auto budget = CalcRunBudget::Make();
  budget->SetMemoryLimit(1000);
  {
    CalcMemoryCharge a;
    ASSERT_TRUE(a.Set(600, budget.get()));
    CalcMemoryCharge b;
    EXPECT_FALSE(b.Set(500, budget.get()));  // 1100 would pass the limit
    EXPECT_EQ(budget->stop(), Stop::kMemory);
    EXPECT_FALSE(budget->ended());  // a refusal fails one operation, not the run
    EXPECT_EQ(b.bytes(), 0u);
    EXPECT_TRUE(b.Set(400, budget.get()));
    EXPECT_EQ(budget->memory_used(), 1000u);
    EXPECT_TRUE(a.Set(100));  // shrinking never fails
    EXPECT_EQ(budget->memory_used(), 500u);
    CalcMemoryCharge copy(b);  // a copy is charged too: 900
    EXPECT_EQ(budget->memory_used(), 900u);
    EXPECT_THROW(CalcMemoryCharge another(b), std::bad_alloc);  // 1300 does not fit
    CalcMemoryCharge moved(std::move(a));
    EXPECT_EQ(a.bytes(), 0u);
    EXPECT_EQ(budget->memory_used(), 900u);
  }
  EXPECT_EQ(budget->memory_used(), 0u);
  budget->SetMemoryLimit(0);  // no limit
  CalcMemoryCharge huge;
  EXPECT_TRUE(huge.Set(std::numeric_limits<std::size_t>::max() / 2, budget.get()));
}

TEST(RunBudget, AChargeMovesToAnotherBudgetAndKeepsItAlive) {
  auto first = CalcRunBudget::Make();
  auto second = CalcRunBudget::Make();
  CalcMemoryCharge charge;
  ASSERT_TRUE(charge.Set(100, first.get()));
  second->SetMemoryLimit(50);
  EXPECT_FALSE(charge.Set(100, second.get()));
  EXPECT_EQ(charge.budget(), first.get());
  second->SetMemoryLimit(0);
  ASSERT_TRUE(charge.Set(100, second.get()));
  EXPECT_EQ(first->memory_used(), 0u);
  EXPECT_EQ(second->memory_used(), 100u);
  CalcRunBudget* const held = second.get();
  second.reset();  // the engine that made it is gone; the value still holds it
  EXPECT_EQ(held->memory_used(), 100u);
  charge.Reset();
}

}  // namespace
}  // namespace calc
