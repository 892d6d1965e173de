// The engine as radixcalc hosts it: echoed results go to one stream, one per
// line, and reports to another.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "language/engine.h"

namespace radixcalc {

// A report as one line: "SOURCE:LINE: NAME[: TOKEN]", or "PREFIX: NAME[: TOKEN]"
// for a report without a source.
std::string FormatReport(const calc::Report& report, std::string_view prefix);

// A token list with one blank between tokens (the brace form of a matrix).
std::string JoinTokens(const calc::CalcContext& context, const calc::CalcTokenList& tokens,
                       const calc::SlotNames* names);

class ConsoleEngine : public calc::CalcEngine {
 public:
  // `prefix` stands before reports that have no source.
  ConsoleEngine(calc::CalcContext& context, const calc::CalcEngineSettings& settings, std::ostream& out,
                std::ostream& err, std::string prefix);

  void OnReport(const calc::Report& report) override;
  // A scalar as its answer text: the real text followed by the imaginary one.
  void PrintValue(std::string_view real, std::string_view imaginary) override;
  // A matrix as its brace form.
  void PrintList(const calc::CalcTokenList& braces) override;
  void PrintMessage(std::string_view text) override;

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::string prefix_;
};

}  // namespace radixcalc
