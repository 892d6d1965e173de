// A recording engine for the language tests: an engine that is its own host,
// runs text and keeps what it echoed and reported.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/numeric_settings.h"
#include "core/render.h"
#include "core/status_codes.h"
#include "language/engine.h"

namespace calc::testing {

struct Seen {
  int code;
  std::string token;
  std::string source;
  int line = 0;
};

class RecordingEngine : public CalcHost, public CalcEngine {
 public:
  RecordingEngine(CalcContext& context, const CalcEngineSettings& settings) : CalcEngine(context, *this, settings) {}

  void OnReport(CalcEngine&, const Report& report) override {
    reports.push_back({report.code, report.token, report.source, report.line});
  }
  void PrintValue(CalcEngine&, std::string_view real, std::string_view imaginary) override {
    printed.push_back(std::string(real) + std::string(imaginary));
  }
  void PrintList(CalcEngine& engine, const CalcTokenList& braces) override {
    std::string text;
    for (const CalcToken& token : braces) {
      if (!text.empty()) text += ' ';
      text += RenderToken(engine.context(), token, &engine.storage());
    }
    printed.push_back(text);
  }
  void NotifyLine(CalcEngine&, const CalcLineInfo& line) override { notified.push_back(line.line); }
  bool PermitLine(CalcEngine&, const CalcLineInfo& line) override { return line.line != refused_line; }
  void PrintMessage(CalcEngine&, std::string_view text) override { messages.emplace_back(text); }
  void PrintText(CalcEngine&, const std::vector<std::string>& pieces, bool newline) override {
    std::string text;
    for (const std::string& piece : pieces) text += piece;
    texts.push_back(newline ? text + "\n" : text);
  }
  void ShowError(CalcEngine&, std::string_view text) override { errors.emplace_back(text); }
  bool ReadLine(CalcEngine&, std::string_view prompt, std::string& line) override {
    prompts.emplace_back(prompt);
    if (input.empty()) return false;
    line = input.front();
    input.erase(input.begin());
    return true;
  }
  void ScanValues(CalcEngine&, std::vector<CalcScanItem>& items) override {
    if (scan_values) scan_values(items);
  }
  void ClearOutput(CalcEngine&) override { ++clears; }
  bool NextFolder(CalcEngine&, int& state, std::string& folder) override {
    ++folders_asked;
    if (state < 0 || static_cast<std::size_t>(state) >= folders.size()) return false;
    folder = folders[static_cast<std::size_t>(state++)];
    return true;
  }
  int RunNamedText(std::string_view name, CalcContext& ctx, const CalcTokenList& arguments,
                   CalcEngine& caller) override {
    named_texts.emplace_back(name);
    return CalcHost::RunNamedText(name, ctx, arguments, caller);
  }
  void CreateCanvas(CalcEngine&, CalcCanvas&, int width, int height) override {
    canvases_made.push_back({width, height});
  }
  void RefreshCanvas(CalcEngine&, CalcCanvas&) override { ++canvas_refreshes; }
  void RefreshPixel(CalcEngine&, CalcCanvas&, int x, int y) override { pixel_refreshes.push_back({x, y}); }
  void DrawPlot(CalcEngine&, CalcPlotState&, double from, double to, double step) override {
    plot_ranges.push_back({from, to, step});
  }
  void RedrawPlots(CalcEngine&, CalcPlotState&, double from, double to, double step) override {
    redraw_ranges.push_back({from, to, step});
  }
  bool AssertionFailed(CalcEngine&, int line, std::string_view source) override {
    assertions.push_back(std::string(source) + ":" + std::to_string(line));
    return stop_on_assert;
  }

  std::vector<std::string> printed;
  std::vector<Seen> reports;
  std::vector<int> notified;
  std::vector<std::string> messages;
  std::vector<std::string> texts;   // PrintText's deliveries, joined
  std::vector<std::string> errors;  // ShowError's texts
  std::vector<std::string> input;    // ReadLine's answers, first to last
  std::vector<std::string> prompts;  // ReadLine's prompts
  std::function<void(std::vector<CalcScanItem>&)> scan_values;  // ScanValues's answer
  int clears = 0;
  std::vector<std::string> folders;  // NextFolder's answers
  int folders_asked = 0;
  std::vector<std::string> named_texts;  // RunNamedText's calls
  std::vector<std::string> assertions;
  bool stop_on_assert = false;
  int refused_line = -1;
  // The graphics hooks' calls: sizes, refreshes, pixels, ranges.
  std::vector<std::vector<int>> canvases_made;
  int canvas_refreshes = 0;
  std::vector<std::vector<int>> pixel_refreshes;
  std::vector<std::vector<double>> plot_ranges;
  std::vector<std::vector<double>> redraw_ranges;
};

class EngineTest : public ::testing::Test {
 protected:
  ~EngineTest() override {
    ExternalFunctionCache().Clear();
    ExternalFunctionCache().set_capacity(kDefaultExternalCacheCapacity);
  }

  static CalcEngineSettings Scripting() {
    CalcEngineSettings settings;
    settings.implicit_variables = true;
    return settings;
  }

  // Runs text as a fresh run and returns the status of its last statement.
  int Run(std::string_view text) {
    engine.printed.clear();
    engine.reports.clear();
    engine.messages.clear();
    engine.texts.clear();
    engine.errors.clear();
    return engine.RunText(text);
  }

  // The echo of a text that must produce exactly one printed line.
  std::string Echo(std::string_view text) {
    Run(text);
    return engine.printed.empty() ? std::string("<nothing>") : engine.printed.back();
  }

  double Answer() { return engine.storage().AnswerValue().ToReal(); }
  double Variable(std::string_view name) {
    const int code = engine.storage().variables().Find(name);
    return code < 0 ? -999999.0 : engine.storage().GetVariable(static_cast<std::uint8_t>(code)).ToReal();
  }

  std::vector<int> ReportCodes() const {
    std::vector<int> codes;
    for (const Seen& seen : engine.reports) codes.push_back(seen.code);
    return codes;
  }

  std::string Printed() const {
    std::string all;
    for (const std::string& line : engine.printed) all += line + "\n";
    return all;
  }

  CalcContext context;
  RecordingEngine engine{context, Scripting()};
};

}  // namespace calc::testing
