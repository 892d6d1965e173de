// ConverterEngine: the calculator engine as the converter window hosts it.
// It runs one field's text at a time for the Converter (LineRunner) and
// forwards every report of a run to the Converter, which logs it and shows a
// warning mark beside the active field.
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

class ConverterEngine : public calc::CalcEngine, public LineRunner {
 public:
  // Runs on the context's own storage, so the previous answer is the
  // context's array 0. Engines made for function calls pass the caller's
  // nested settings.
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

  // --- hooks ---
  void OnReport(const calc::Report& report) override;
  // External function files are never found: no folder is ever named (the
  // base answer), and their extension would be ".CEF".
  std::string FileExtension() override;
  // Function bodies run in a temporary engine of this kind whose reports go
  // to the same converter.
  int RunFunction(calc::CalcFunctionEntry& entry, bool copy_state, calc::CalcContext& context,
                  const calc::CalcTokenList& arguments, calc::CalcEngine& caller) override;
  int RunNamedText(std::string_view name, calc::CalcContext& context, const calc::CalcTokenList& arguments,
                   calc::CalcEngine& caller) override;

 private:
  Converter* converter_ = nullptr;
};

}  // namespace radixpad
