// A statement of 200,000 terms compiles and evaluates: grouping and
// evaluation take time and memory in proportion to the line, and the
// evaluator's nesting stays flat for a flat sum however long it is.
#include <gtest/gtest.h>

#include <string>

#include "core/context.h"
#include "core/status_codes.h"
#include "language/engine.h"

namespace calc {
namespace {

TEST(LongLineTest, TwoHundredThousandTermsEvaluate) {
  constexpr int kTerms = 200000;
  std::string text = "1";
  text.reserve(kTerms * 5);
  // 1 + 2*3 + 1 + 2*3 ...: every second term a product, which the grouping
  // pass puts in parentheses.
  for (int i = 1; i < kTerms; ++i) text += i % 2 == 1 ? "+2*3" : "+1";
  CalcContext ctx;
  CalcHost host;
  CalcEngine engine(ctx, host);
  ASSERT_EQ(engine.RunText(text), kValue);
  EXPECT_EQ(engine.storage().AnswerValue().ToReal(), (kTerms / 2) * 1.0 + (kTerms / 2) * 6.0);
}

}  // namespace
}  // namespace calc
