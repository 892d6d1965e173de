// A loop in its steady state allocates nothing: every iteration replays
// statements that were compiled once, and the values an operator reads and
// makes (1 x 1 matrices) live inline.
#include <gtest/gtest.h>

#include <string>

#include "core/context.h"
#include "core/status_codes.h"
#include "counting_new.h"
#include "language/engine.h"

namespace calc {
namespace {

// The allocations of running `loop` with `n` iterations on a fresh engine.
long AllocationsOfLoop(const std::string& loop, int n) {
  CalcContext ctx;
  CalcHost host;
  CalcEngine engine(ctx, host);
  std::string text = loop;
  text.replace(text.find('N'), 1, std::to_string(n));
  const long before = testing::AllocationCount();
  EXPECT_EQ(engine.RunText(text), kNoValue) << text;
  const long used = testing::AllocationCount() - before;
  EXPECT_EQ(engine.errors_reported(), 0) << text;
  return used;
}

// Ten times the iterations, the same allocations: none belongs to an
// iteration. The loops use every kind of operand and operator a loop body
// typically has: variables by name and by code, numbers, arithmetic,
// comparison, logic, compound assignment, postfix increment, an array
// element and a matrix element.
TEST(SteadyLoopAllocationTest, IterationsAllocateNothing) {
  const char* const loops[] = {
      ":var i s\nfor i = 0; i < N; i = i + 1; s = s + i*2%7; next",
      ":var i s\ni = 0\nwhile i < N; s += (i & 3) << 1; i++; endwhile",
      "@i = 0\ndo; @s = @s - @i / 3; @i = @i + 1; until !(@i < N) || @i == -1",
      "@@a 1 = 0\nfor @i = 0; @i < N; @i++; @@a 1 = @@a 1 + @i; next",
      "@@m 2 3 = 0\nfor @i = 0; @i < N; @i++; @@m 2 3 = @@m 2 3 * 2 - @i; next",
  };
  for (const char* loop : loops) {
    const long short_run = AllocationsOfLoop(loop, 100);
    const long long_run = AllocationsOfLoop(loop, 1000);
    EXPECT_EQ(long_run, short_run) << loop;
  }
}

}  // namespace
}  // namespace calc
