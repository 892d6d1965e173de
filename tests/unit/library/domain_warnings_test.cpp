// Domain events: a real function taken outside its real domain warns once,
// with the function's own warning where it has one and W_FUNCTION otherwise,
// and never in a complex mode, where the value is complex instead.
#include <cmath>
#include <vector>

#include "library_fixture.h"

namespace calc::testing {
namespace {

class DomainWarnings : public LibraryTest {};

struct DomainCase {
  const char* text;
  int warning;
};

TEST_F(DomainWarnings, AreReportedOnceInAFloatModeAndNeverInAComplexMode) {
  const std::vector<DomainCase> cases = {
      {"sqrt(0-4)", W_SQRT},      {"asin 2", W_ASIN},          {"acos (0-2)", W_ACOS},
      {"acosh 0.5", W_ACOSH},     {"atanh 2", W_ATANH},        {"atanh 1", W_ATANH},
      {"log (0-1)", W_LOG},       {"log 0", W_LOG},            {"log10 (0-1)", W_LOG10},
      {"pow (0-8) 0.5", W_FUNCTION}, {"pow 0 (0-1)", W_FUNCTION}, {"exp 1000", W_FUNCTION},
  };
  for (const DomainCase& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Run(":gfloat"), kNoValue);
    ASSERT_EQ(Run(c.text), kValue);
    EXPECT_EQ(ReportCodes(), std::vector<int>{c.warning});
    ASSERT_EQ(Run(":gcomplex"), kNoValue);
    ASSERT_EQ(Run(c.text), kValue);
    EXPECT_TRUE(engine.reports.empty());
  }
}

TEST_F(DomainWarnings, LeaveTheRealFunctionsResult) {
  ASSERT_EQ(Run("sqrt(0-4)"), kValue);
  EXPECT_TRUE(std::isnan(Answer()));
  ASSERT_EQ(Run("log 0"), kValue);
  EXPECT_EQ(Answer(), -HUGE_VAL);
  ASSERT_EQ(Run(":complex; sqrt(0-4)"), kValue);
  EXPECT_NEAR(ComplexAnswer().real(), 0.0, 1e-15);
  EXPECT_NEAR(ComplexAnswer().imag(), 2.0, 1e-15);
}

TEST_F(DomainWarnings, AreSilentInsideTheDomainAndOffWithTheWarningSwitch) {
  for (const char* text : {"sqrt 4", "asin 1", "acosh 1", "log 1", "pow (0-8) 3", "exp 700"}) {
    SCOPED_TRACE(text);
    ASSERT_EQ(Run(text), kValue);
    EXPECT_TRUE(engine.reports.empty());
  }
  ASSERT_EQ(Run(":warn 0; sqrt(0-4)"), kValue);
  EXPECT_TRUE(engine.reports.empty());
}

}  // namespace
}  // namespace calc::testing
