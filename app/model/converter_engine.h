// ConverterEngine: the calculator engine as the converter window hosts it.
// It runs one field's text at a time for the Converter (LineRunner) and is
// its own host: it forwards every report of a run, those of the function
// calls included, to the Converter, which logs it and shows a warning mark
// beside the active field.
#pragma once

#include <string>
#include <string_view>

#include "language/engine.h"
#include "model/converter.h"

namespace radixpad {

// The engine's construction settings in RadixPad: mode word 18, echo on,
// assertions off, warnings on, automatic refresh on, debug off, line filter
// mode 0, line notification on.
calc::CalcEngineSettings ConverterEngineSettings();

// The name every run of RadixPad's engine defines as the constant 1.
inline constexpr char kConverterSymbol[] = "_WINDOWS";

// The context as the converter needs it: expressions only (no commands, no
// statements) and integer range warnings on. The application sets these once
// after it has made the context.
void ConfigureConverterContext(calc::CalcContext& context);

class ConverterEngine : public calc::CalcHost, public calc::CalcEngine, public LineRunner {
 public:
  // Runs on the context's own storage, so the previous answer is the
  // context's array 0.
  explicit ConverterEngine(calc::CalcContext& context,
                           const calc::CalcEngineSettings& settings = ConverterEngineSettings());

  // Makes "_WINDOWS" the process's predefined symbol and defines it in this
  // engine's storage. The application calls it once after it made the engine.
  void DefineConverterSymbol();

  // Where reports go; null drops them. The converter and this engine refer
  // to each other, so the link is made after both exist.
  void ForwardReportsTo(Converter* converter) { converter_ = converter; }

  // --- LineRunner ---
  // Only the first physical line of `text` runs: a field holds one line.
  int RunLine(std::string_view text) override;
  void ResetAnswer() override;
  calc::CalcValue Answer() override;
  const calc::SlotNames* SlotNames() override;

  // --- host ---
  void OnReport(calc::CalcEngine& engine, const calc::Report& report) override;
  // External function files are never found: no folder is ever named (the
  // base answer), and their extension would be ".CEF". Function bodies run
  // on plain engines whose host is this one (the base answers).
  std::string FileExtension(calc::CalcEngine& engine) override;

 private:
  Converter* converter_ = nullptr;
};

}  // namespace radixpad
