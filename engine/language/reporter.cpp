#include "language/reporter.h"

#include "core/status_codes.h"

namespace calc {

ReportOutcome ReportStatus(int code, const Offender& offender, const ReportSettings& settings,
                           ReportHook& hook) {
  const bool from_source = settings.source != nullptr;
  const ReportOutcome outcome = IsError(code) && from_source ? ReportOutcome::kStop : ReportOutcome::kContinue;
  if (IsWarning(code) && !settings.warnings_on) return outcome;

  Report report;
  report.code = code;
  if (from_source) {
    report.line = settings.source->current_line - settings.source->first_line + 1;
    report.source = settings.source->name;
  }
  if (IsWarning(code) || IsTokenError(code)) {
    if (offender.token != nullptr)
      report.token = RenderToken(settings.context, *offender.token, settings.names);
    else
      report.token = offender.text;
  } else if (code == E_MEM) {
    report.token = offender.text;  // why the run budget refused, if it did
  }
  hook.OnReport(report);
  return outcome;
}

}  // namespace calc
