// A long line compiles to a few dozen bytes per character, whatever it is made
// of, and the budget's estimate of a line before it is compiled is never below
// what its statements are charged afterwards.
#include <gtest/gtest.h>

#include <string>

#include "core/context.h"
#include "core/status_codes.h"
#include "counting_new.h"
#include "language/compiled_size.h"
#include "language/line_runner.h"

namespace calc {
namespace {

TEST(CompiledLineSizeTest, ALongLineTakesAFewDozenBytesPerCharacter) {
  // Each piece repeated to about 200,000 characters.
  const char* const pieces[] = {"1+", ";", "a+", "x=1;", "(1)*", "long_name_here+", "1i+", "[\"text] ", "sin(1)+"};
  for (const char* piece : pieces) {
    std::string line;
    while (line.size() < 200000) line += piece;
    line += '1';
    CalcContext context;
    CalcLineList lines;
    const std::size_t before = testing::AllocatedBytes();
    ASSERT_EQ(CompileLine(context, line, 1, lines), kDone) << piece;
    const double per_character = double(testing::AllocatedBytes() - before) / double(line.size());
    EXPECT_LE(per_character, 56.0) << piece;
    EXPECT_GE(CompiledSizeEstimate(line), CompiledSize(lines)) << piece;
  }
}

}  // namespace
}  // namespace calc
