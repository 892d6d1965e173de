#include "console_engine.h"

#include <utility>

#include "core/render.h"
#include "core/status_codes.h"

namespace radixcalc {

std::string FormatReport(const calc::Report& report, std::string_view prefix) {
  std::string line;
  if (!report.source.empty()) {
    line = report.source + ":" + std::to_string(report.line);
  } else {
    line = prefix;
  }
  line += ": ";
  line += calc::StatusName(report.code);
  if (!report.token.empty()) {
    line += ": ";
    line += report.token;
  }
  return line;
}

std::string JoinTokens(const calc::CalcContext& context, const calc::CalcTokenList& tokens,
                       const calc::SlotNames* names) {
  std::string text;
  for (const calc::CalcToken& token : tokens) {
    if (!text.empty()) text += ' ';
    calc::AppendRenderedToken(context, token.kind(), token.payload(), names, text);
  }
  return text;
}

ConsoleEngine::ConsoleEngine(calc::CalcContext& context, const calc::CalcEngineSettings& settings,
                             std::ostream& out, std::ostream& err, std::string prefix)
    : CalcEngine(context, settings), out_(out), err_(err), prefix_(std::move(prefix)) {}

void ConsoleEngine::OnReport(const calc::Report& report) {
  if (report.code < 0x100) return;
  err_ << FormatReport(report, prefix_) << "\n";
}

void ConsoleEngine::PrintValue(std::string_view real, std::string_view imaginary) {
  out_ << real << imaginary << "\n";
}

void ConsoleEngine::PrintList(const calc::CalcTokenList& braces) {
  out_ << JoinTokens(context(), braces, &storage()) << "\n";
}

void ConsoleEngine::PrintMessage(std::string_view text) { out_ << text << "\n"; }

}  // namespace radixcalc
