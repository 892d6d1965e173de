#include "model/converter_engine.h"

#include "core/modes.h"
#include "library/standard_library.h"

namespace radixpad {

calc::CalcEngineSettings ConverterEngineSettings() {
  calc::CalcEngineSettings settings;
  settings.mode = calc::kModeGfloat;  // 18
  settings.echo = true;
  settings.assertions = false;
  settings.warnings = true;
  settings.auto_refresh = true;
  settings.debug = false;
  settings.line_filter_mode = calc::CalcLineFilter::kRunAll;  // 0
  settings.line_notification = true;
  return settings;
}

void ConfigureConverterContext(calc::CalcContext& context) {
  context.commands_allowed = false;
  context.statements_allowed = false;
  context.range_warnings = true;
}

ConverterEngine::ConverterEngine(calc::CalcContext& context, const calc::CalcEngineSettings& settings)
    : calc::CalcEngine(context, StorageOf(context), *this, settings) {
  set_library(&calc::StandardLibrary());
}

void ConverterEngine::DefineConverterSymbol() {
  SetPredefinedSymbol(kConverterSymbol);
  DefinePredefinedSymbol();
}

int ConverterEngine::RunLine(std::string_view text) {
  // A single-line edit can still receive a pasted line end; what follows it
  // is not part of the field's expression.
  const std::size_t end = text.find_first_of("\r\n");
  // Every keystroke evaluates the field afresh: a brace list or block left
  // open by the previous text must not swallow this one.
  ResetControl();
  return RunText(text.substr(0, end));
}

void ConverterEngine::ResetAnswer() { storage().ResetAnswer(); }

calc::CalcValue ConverterEngine::Answer() { return storage().AnswerValue(); }

const calc::SlotNames* ConverterEngine::SlotNames() { return &storage(); }

void ConverterEngine::OnReport(calc::CalcEngine&, const calc::Report& report) {
  if (report.code < 0x100 || converter_ == nullptr) return;
  converter_->OnReport(report.code, report.line, report.source, report.token);
}

std::string ConverterEngine::FileExtension(calc::CalcEngine&) { return ".CEF"; }

}  // namespace radixpad
