// The engine as radixcalc hosts it: echoed results and messages go to one
// stream, one per line, and reports to another as "SOURCE:LINE: NAME[: TOKEN]".
// The same kind of engine runs every function the text calls, so reports
// from inside a function name the function and its line; a report that has
// no source of its own (a function that cannot start) names the place of the
// call instead.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "language/engine.h"
#include "text_codec.h"

namespace radixcalc {

// A report as one line: "SOURCE:LINE: NAME[: TOKEN]", or "PLACE: NAME[: TOKEN]"
// for a report without a source.
std::string FormatReport(const calc::Report& report, std::string_view place);

// A token list with one blank between tokens (the brace form of a matrix).
std::string JoinTokens(const calc::CalcContext& context, const calc::CalcTokenList& tokens,
                       const calc::SlotNames* names);

// What the engines of one radixcalc run share: the streams and the answers
// to the file hooks. Folders and extension are engine text.
struct ConsoleSetup {
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
  std::string prefix = "radixcalc";  // the place of reports made outside any source
  std::vector<std::string> folders;  // hook 4
  std::string extension = ".cef";    // hook 5
  const TextCodec* codec = nullptr;  // null: text goes out as it is

  // Writes a report line. A run of identical lines with no other output in
  // between (a failure passed up through every level of a recursion, a
  // warning in a loop) shows as the first line and, once the run of lines
  // ends, the same line followed by " (N more times)".
  void WriteReport(const std::string& line);
  // Ends a run of identical report lines: call before any other output.
  void FlushReports();

 private:
  std::string last_report_;
  long repeats_ = 0;
};

class ConsoleEngine : public calc::CalcEngine {
 public:
  // The engine of the host's own text, with storage of its own.
  ConsoleEngine(calc::CalcContext& context, const calc::CalcEngineSettings& settings, ConsoleSetup& setup);
  // The engine `maker` makes for a call, on the call's context.
  ConsoleEngine(calc::CalcContext& context, ConsoleEngine& maker);

  // "SOURCE:LINE" of the statement running now; outside a source, the place
  // of the engine that called this one, or the prefix.
  std::string Place() const;

  // --- hooks ---
  bool NextFolder(int& state, std::string& folder) override;
  std::string FileExtension() override;
  int RunFunction(calc::CalcFunctionEntry& entry, bool copy_state, calc::CalcContext& context,
                  const calc::CalcTokenList& arguments, calc::CalcEngine& caller) override;
  int RunNamedText(std::string_view name, calc::CalcContext& context, const calc::CalcTokenList& arguments,
                   calc::CalcEngine& caller) override;
  // Reports "PLACE: assertion failed" and stops the run.
  bool AssertionFailed(int line, std::string_view source) override;
  void OnReport(const calc::Report& report) override;
  // A scalar as its answer text: the real text followed by the imaginary one.
  void PrintValue(std::string_view real, std::string_view imaginary) override;
  // A matrix as its brace form.
  void PrintList(const calc::CalcTokenList& braces) override;
  void PrintMessage(std::string_view text) override;
  // Opens a function file; with the debug switch on (":debug 1") each file
  // read is traced on the report stream.
  std::FILE* OpenFile(const std::string& path) override;

 private:
  std::string Out(std::string_view engine_text) const;

  ConsoleSetup& setup_;
  const ConsoleEngine* maker_ = nullptr;
};

}  // namespace radixcalc
