// CalcHost: what the embedding program answers for the engine. An engine is
// made on a host and asks it for everything outside the language: whether a
// line runs, where external function files are, how a function body runs,
// where reports and output go, input, graphics and files. The engines made
// for function calls share the host of the engine that calls them, so one
// host sees everything its text does, however deep the calls go.
//
// The operations are listed in the order of the engine's hook slots (slot 0
// is the engine's destruction). Every operation has a base answer, so a host
// overrides only what it serves. Each receives the engine that asks, so that
// a host can tell where a report or a line comes from (engine.caller() leads
// back to the outermost engine).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/token.h"
#include "language/reporter.h"

namespace calc {

class CalcEngine;
struct CalcFunctionEntry;
struct CalcLineInfo;
// Types of the library's operations (formatted input, graphics), defined there.
struct CalcScanItem;
struct CalcCanvas;
struct CalcPlotState;

class CalcHost {
 public:
  virtual ~CalcHost() = default;

  // 1. Called by the line filter before it asks PermitLine (when line
  // notification is on).
  virtual void NotifyLine(CalcEngine& engine, const CalcLineInfo& line);
  // 2. The line filter's final answer; true runs the statement. Base: true.
  virtual bool PermitLine(CalcEngine& engine, const CalcLineInfo& line);
  // 3. Reserved for the host; the engine does not call it.
  virtual void ReservedHook(CalcEngine& engine);
  // 4. The next folder to search for external function files; `state` starts
  // at 0 and is the host's to advance. False when there are no more. Base:
  // no folders.
  virtual bool NextFolder(CalcEngine& engine, int& state, std::string& folder);
  // 5. The extension that makes an external function's name a file name.
  // Base: ".cef".
  virtual std::string FileExtension(CalcEngine& engine);
  // 6. Runs a function entry in `context` (fresh, made for the call) with the
  // caller's arguments; 3 means it ran. `copy_state` is true for
  // user-defined functions. Base: an engine on the context's storage and on
  // this host, with the caller's nested settings, runs it from begin to end
  // (CalcEngine::RunEntryOn).
  virtual int RunFunction(CalcFunctionEntry& entry, bool copy_state, CalcContext& context,
                          const CalcTokenList& arguments, CalcEngine& caller);
  // 7. Runs the external function `name`, which is not cached; 3 means it
  // ran. Base: as for RunFunction, with CalcEngine::RunFileOn.
  virtual int RunNamedText(std::string_view name, CalcContext& context, const CalcTokenList& arguments,
                           CalcEngine& caller);
  // 8. An "assert" failed at `line` of `source` (0 and "" outside a source);
  // true stops the run. Base: false.
  virtual bool AssertionFailed(CalcEngine& engine, int line, std::string_view source);
  // 9. A report: a code with its line, source and token text.
  virtual void OnReport(CalcEngine& engine, const Report& report);
  // 10. Echo of a 1 x 1 result: its real and imaginary texts (answer format).
  virtual void PrintValue(CalcEngine& engine, std::string_view real, std::string_view imaginary);
  // 11. Echo of any other result: the brace form of the previous answer.
  virtual void PrintList(CalcEngine& engine, const CalcTokenList& braces);
  // 12. A message text (":warn").
  virtual void PrintMessage(CalcEngine& engine, std::string_view text);

  // The formatted output and input commands (":error", ":clear", ":print"
  // and its kin, ":scanf", ":scan") and the command codes above 103, whose
  // non-zero answer is the command's status. Base: nothing.
  virtual void ShowError(CalcEngine& engine, std::string_view text);
  virtual void ClearOutput(CalcEngine& engine);
  virtual void PrintText(CalcEngine& engine, const std::vector<std::string>& pieces, bool newline);
  virtual bool ReadLine(CalcEngine& engine, std::string_view prompt, std::string& line);
  virtual void ScanValues(CalcEngine& engine, std::vector<CalcScanItem>& items);
  virtual int HostCommand(CalcEngine& engine, const CalcTokenList& tokens, CalcTokenList::const_iterator position);

  // The graphics commands. The library has already changed the canvas or
  // the plot record when a hook is called: CreateCanvas follows ":gworld"
  // (the canvas is made and cleared), SetWindow follows ":window" (the world
  // window is applied), DrawPlot follows ":plot" (its entry is the record's
  // last) and RedrawPlots is ":replot" (every entry, with the last range).
  // Base: nothing, so a host that does not show or plot keeps the canvas in
  // memory only.
  virtual void CreateCanvas(CalcEngine& engine, CalcCanvas& canvas, int width, int height);
  virtual void RefreshCanvas(CalcEngine& engine, CalcCanvas& canvas);
  virtual void RefreshPixel(CalcEngine& engine, CalcCanvas& canvas, int x, int y);
  virtual void SetWindow(CalcEngine& engine, CalcCanvas& canvas, double left, double top, double right,
                         double bottom);
  virtual void DrawPlot(CalcEngine& engine, CalcPlotState& plots, double from, double to, double step);
  virtual void RedrawPlots(CalcEngine& engine, CalcPlotState& plots, double from, double to, double step);

  // Opens a file the engine reads (an external function's file); null when
  // it cannot. Base: OpenReadableFile with the path as it is.
  virtual std::FILE* OpenFile(CalcEngine& engine, const std::string& path);
};

}  // namespace calc
