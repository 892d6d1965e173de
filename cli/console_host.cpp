#include "console_host.h"

#include "core/render.h"
#include "core/status_codes.h"
#include "canvas_png.h"
#include "language/functions.h"
#include "library/library_state.h"
#include "library/scan_item.h"
#include "line_reader.h"
#include "plot_drawing.h"

namespace radixcalc {

std::string FormatReport(const calc::Report& report, std::string_view place) {
  std::string line;
  if (!report.source.empty()) {
    line = report.source + ":" + std::to_string(report.line);
  } else {
    line = place;
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
    calc::AppendRenderedToken(context, token, names, text);
  }
  return text;
}

void ConsoleSetup::WriteReport(const std::string& line) {
  if (line == last_report_ && !line.empty()) {
    ++repeats_;
    return;
  }
  FlushReports();
  out->flush();  // results before the report, as they came
  *err << line << "\n";
  last_report_ = line;
}

void ConsoleSetup::FlushReports() {
  if (repeats_ > 0) {
    out->flush();
    *err << last_report_ << " (" << repeats_ << " more times)\n";
  }
  repeats_ = 0;
  last_report_.clear();
}

std::string ConsoleHost::Place(const calc::CalcEngine& engine) const {
  if (engine.in_source()) return std::string(engine.source_name()) + ":" + std::to_string(engine.SourceLine());
  if (engine.caller() != nullptr) return Place(*engine.caller());
  return setup_.prefix;
}

std::string ConsoleHost::Out(std::string_view engine_text) const {
  return setup_.codec != nullptr ? setup_.codec->FromEngine(engine_text) : std::string(engine_text);
}

bool ConsoleHost::NextFolder(calc::CalcEngine&, int& state, std::string& folder) {
  if (state < 0 || static_cast<std::size_t>(state) >= setup_.folders.size()) return false;
  folder = setup_.folders[static_cast<std::size_t>(state++)];
  return true;
}

std::string ConsoleHost::FileExtension(calc::CalcEngine&) { return setup_.extension; }

bool ConsoleHost::AssertionFailed(calc::CalcEngine& engine, int line, std::string_view source) {
  const std::string place = source.empty() ? Place(engine) : std::string(source) + ":" + std::to_string(line);
  setup_.FlushReports();
  setup_.out->flush();
  *setup_.err << Out(place) << ": assertion failed\n";
  return true;
}

void ConsoleHost::OnReport(calc::CalcEngine& engine, const calc::Report& report) {
  // The stop after a failed assertion was reported by AssertionFailed.
  if (report.code < 0x100 || report.code == calc::E_ASSERT_STOP) return;
  setup_.WriteReport(Out(FormatReport(report, Place(engine))));
}

void ConsoleHost::PrintValue(calc::CalcEngine&, std::string_view real, std::string_view imaginary) {
  setup_.FlushReports();
  // One write per result: every insertion into a stream costs a sentry, and
  // a file of expressions prints a result per line.
  std::string line = Out(real);
  if (!imaginary.empty()) line += Out(imaginary);
  line += '\n';
  setup_.out->write(line.data(), static_cast<std::streamsize>(line.size()));
}

void ConsoleHost::PrintList(calc::CalcEngine& engine, const calc::CalcTokenList& braces) {
  setup_.FlushReports();
  *setup_.out << Out(JoinTokens(engine.context(), braces, &engine.storage())) << "\n";
}

void ConsoleHost::PrintMessage(calc::CalcEngine&, std::string_view text) {
  setup_.FlushReports();
  *setup_.out << Out(text) << "\n";
}

void ConsoleHost::PrintText(calc::CalcEngine&, const std::vector<std::string>& pieces, bool newline) {
  setup_.FlushReports();
  std::string text;
  for (const std::string& piece : pieces) text += piece;
  *setup_.out << Out(text);
  if (newline) *setup_.out << "\n";
}

void ConsoleHost::ShowError(calc::CalcEngine& engine, std::string_view text) {
  setup_.WriteReport(Out(Place(engine) + ": error: " + std::string(text)));
}

void ConsoleHost::ClearOutput(calc::CalcEngine&) {
  if (!setup_.out_is_terminal) return;
  setup_.FlushReports();
  *setup_.out << "\x1b[2J\x1b[H" << std::flush;  // erase the screen, cursor home
}

bool ConsoleHost::ReadLine(calc::CalcEngine&, std::string_view prompt, std::string& line) {
  if (setup_.in == nullptr) return false;
  setup_.FlushReports();
  if (setup_.interactive) *setup_.out << Out(prompt);
  setup_.out->flush();  // the prompt and every result before the wait
  std::string read;
  try {
    if (ReadPhysicalLine(*setup_.in, read, calc::kMaxLineLength) != LineRead::kLine) return false;
  } catch (const std::ios_base::failure&) {
    return false;  // an input that fails to read has ended
  }
  TextProblem problem;
  if (setup_.codec == nullptr) {
    line = std::move(read);
    return true;
  }
  return setup_.codec->ToEngine(read, line, problem);
}

void ConsoleHost::ScanValues(calc::CalcEngine& engine, std::vector<calc::CalcScanItem>& items) {
  for (calc::CalcScanItem& item : items) {
    std::string line;
    if (!ReadLine(engine, item.prompt, line)) return;
    item.reply = std::move(line);
  }
}

std::FILE* ConsoleHost::OpenFile(calc::CalcEngine& engine, const std::string& path) {
  const std::string local = Out(path);
  std::FILE* file = calc::OpenReadableFile(local);
  if (file != nullptr && engine.debug_on()) {
    setup_.FlushReports();
    setup_.out->flush();
    std::string shown = local;
    for (char& c : shown)
      if (c == '\\') c = '/';  // the same trace on every system
    *setup_.err << Out(Place(engine)) << ": debug: reading " << shown << "\n";
  }
  return file;
}

void ConsoleHost::CreateCanvas(calc::CalcEngine&, calc::CalcCanvas& canvas, int, int) { WriteCanvas(canvas); }

void ConsoleHost::RefreshCanvas(calc::CalcEngine&, calc::CalcCanvas& canvas) { WriteCanvas(canvas); }

void ConsoleHost::RefreshPixel(calc::CalcEngine&, calc::CalcCanvas& canvas, int, int) { WriteCanvas(canvas); }

void ConsoleHost::DrawPlot(calc::CalcEngine& engine, calc::CalcPlotState& plots, double from, double to,
                           double step) {
  if (plots.entries.empty()) return;
  DrawPlotEntry(engine, calc::RunState(engine).canvas, plots.entries.back(), from, to, step);
}

void ConsoleHost::RedrawPlots(calc::CalcEngine& engine, calc::CalcPlotState& plots, double from, double to,
                              double step) {
  for (const calc::PlotEntry& entry : plots.entries) DrawPlotEntry(engine, calc::RunState(engine).canvas, entry, from, to, step);
}

void ConsoleHost::WriteCanvas(const calc::CalcCanvas& canvas) {
  if (setup_.canvas_file.empty() || canvas_failed_) return;
  const std::string problem = WriteCanvasPng(setup_.canvas_file, canvas);
  if (problem.empty()) return;
  canvas_failed_ = true;
  setup_.FlushReports();
  setup_.out->flush();
  *setup_.err << "radixcalc: --canvas " << setup_.canvas_file << ": " << problem << "\n";
}

}  // namespace radixcalc
