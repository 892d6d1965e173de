// The reporter: which reports reach the host, with which line, source and
// token text, and when the run must stop.
#include <gtest/gtest.h>

#include <vector>

#include "core/keywords.h"
#include "core/status_codes.h"
#include "language/reporter.h"

namespace calc {
namespace {

class RecordingHook : public ReportHook {
 public:
  void OnReport(const Report& report) override { reports.push_back(report); }
  std::vector<Report> reports;
};

class ReporterTest : public ::testing::Test {
 protected:
  NumericSettings numeric;
  NumericScope numeric_scope{numeric};

  ReportOutcome Send(int code, const Offender& offender = {}) {
    return ReportStatus(code, offender, settings, hook);
  }

  CalcContext ctx;
  ReportSettings settings{ctx};
  RecordingHook hook;
};

TEST_F(ReporterTest, WarningsAreDroppedWhileSwitchedOff) {
  settings.warnings_on = false;
  EXPECT_EQ(Send(W_DIV), ReportOutcome::kContinue);
  EXPECT_TRUE(hook.reports.empty());
  settings.warnings_on = true;
  Send(W_DIV);
  ASSERT_EQ(hook.reports.size(), 1u);
  EXPECT_EQ(hook.reports[0].code, W_DIV);
}

TEST_F(ReporterTest, ErrorsStopOnlyWhileASourceRuns) {
  EXPECT_EQ(Send(E_OPERATOR), ReportOutcome::kContinue);
  const ReportSource file{"script.txt", 10, 14};
  settings.source = &file;
  EXPECT_EQ(Send(E_OPERATOR), ReportOutcome::kStop);
  EXPECT_EQ(Send(W_OVERFLOW), ReportOutcome::kContinue);
  settings.warnings_on = false;
  EXPECT_EQ(Send(E_MEM), ReportOutcome::kStop);  // errors are reported whatever the warning switch
  ASSERT_EQ(hook.reports.size(), 4u);
  EXPECT_EQ(hook.reports[0].line, 0);
  EXPECT_EQ(hook.reports[0].source, "");
  EXPECT_EQ(hook.reports[1].line, 5);
  EXPECT_EQ(hook.reports[1].source, "script.txt");
}

TEST_F(ReporterTest, OnlyWarningsAndTokenErrorsCarryTheTokenText) {
  ctx.SetMode(kModeChar);
  const CalcToken number(kTokNumber, CalcValue::FromReal(200));
  const CalcToken op(kTokOperator, std::uint8_t{kOpNegate});
  Send(W_OVERFLOW, {&number, ""});
  Send(E_UNARY, {&op, ""});
  Send(E_MEM, {&op, ""});
  Send(E_COMMAND, {&op, ""});
  Send(W_OVERFLOW, {nullptr, "300"});
  ASSERT_EQ(hook.reports.size(), 5u);
  EXPECT_EQ(hook.reports[0].token, "\\-56");  // rendered in the current mode
  EXPECT_EQ(hook.reports[1].token, "[-]");
  EXPECT_EQ(hook.reports[2].token, "");
  EXPECT_EQ(hook.reports[3].token, "");
  EXPECT_EQ(hook.reports[4].token, "300");
}

}  // namespace
}  // namespace calc
