// The engine's host in radixcalc: echoed results and messages go to one
// stream, one per line, and reports to another as "SOURCE:LINE: NAME[: TOKEN]".
// The functions the text calls run on the same host, so reports from inside
// a function name the function and its line; a report that has no source of
// its own (a function that cannot start) names the place of the call instead.
#pragma once

#include <istream>
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
  std::vector<std::string> folders;  // NextFolder's answers
  std::string extension = ".cef";    // FileExtension's answer
  const TextCodec* codec = nullptr;  // null: text goes out as it is
  bool out_is_terminal = false;      // ":clear" clears the screen only then
  std::istream* in = nullptr;        // the input ":scanf" and ":scan" read; null: none
  bool interactive = false;          // input and output are a terminal: prompts are shown
  std::string canvas_file;           // --canvas: where the canvas goes as a PNG ("" none)

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

// radixcalc's answers to the engine: every engine of a run, the engines of
// function calls included, is made on one ConsoleHost.
class ConsoleHost : public calc::CalcHost {
 public:
  explicit ConsoleHost(ConsoleSetup& setup) : setup_(setup) {}

  // "SOURCE:LINE" of the statement `engine` runs now; outside a source, the
  // place of the engine that called it, or the prefix.
  std::string Place(const calc::CalcEngine& engine) const;

  bool NextFolder(calc::CalcEngine& engine, int& state, std::string& folder) override;
  std::string FileExtension(calc::CalcEngine& engine) override;
  // Reports "PLACE: assertion failed" and stops the run.
  bool AssertionFailed(calc::CalcEngine& engine, int line, std::string_view source) override;
  void OnReport(calc::CalcEngine& engine, const calc::Report& report) override;
  // A scalar as its answer text: the real text followed by the imaginary one.
  void PrintValue(calc::CalcEngine& engine, std::string_view real, std::string_view imaginary) override;
  // A matrix as its brace form.
  void PrintList(calc::CalcEngine& engine, const calc::CalcTokenList& braces) override;
  void PrintMessage(calc::CalcEngine& engine, std::string_view text) override;
  // ":print" and its kin: the pieces converted like results, as one text.
  void PrintText(calc::CalcEngine& engine, const std::vector<std::string>& pieces, bool newline) override;
  // ":error": a report line "PLACE: error: TEXT" on the report stream.
  void ShowError(calc::CalcEngine& engine, std::string_view text) override;
  // ":clear": clears a terminal; output to a file or pipe is left alone.
  void ClearOutput(calc::CalcEngine& engine) override;
  // ":scanf": one line of the input, converted like a script's text; the
  // prompt is shown first in an interactive session. False at the end of the
  // input or for a line that cannot become engine text.
  bool ReadLine(calc::CalcEngine& engine, std::string_view prompt, std::string& line) override;
  // ":scan": each item's prompt (in an interactive session) and one line of
  // input as its reply, until the input ends.
  void ScanValues(calc::CalcEngine& engine, std::vector<calc::CalcScanItem>& items) override;
  // Opens a function file; with the debug switch on (":debug 1") each file
  // read is traced on the report stream.
  std::FILE* OpenFile(calc::CalcEngine& engine, const std::string& path) override;

  // The canvas hooks write the canvas to --canvas's file: a new canvas, and
  // every refresh. The world window needs nothing of the host: the library
  // has applied it when SetWindow is called.
  void CreateCanvas(calc::CalcEngine& engine, calc::CalcCanvas& canvas, int width, int height) override;
  void RefreshCanvas(calc::CalcEngine& engine, calc::CalcCanvas& canvas) override;
  void RefreshPixel(calc::CalcEngine& engine, calc::CalcCanvas& canvas, int x, int y) override;
  // Draws the newest entry (DrawPlot) or every entry (RedrawPlots) on the
  // run's canvas (see plot_drawing.h).
  void DrawPlot(calc::CalcEngine& engine, calc::CalcPlotState& plots, double from, double to, double step) override;
  void RedrawPlots(calc::CalcEngine& engine, calc::CalcPlotState& plots, double from, double to,
                   double step) override;

  // Writes the canvas to --canvas's file, if one was given; a failure is
  // reported once per run on the report stream.
  void WriteCanvas(const calc::CalcCanvas& canvas);

 private:
  std::string Out(std::string_view engine_text) const;

  ConsoleSetup& setup_;
  bool canvas_failed_ = false;
};

}  // namespace radixcalc
