// The canvas and plot commands: ":gworld", ":window", ":gclear", ":gcolor",
// ":gfill", ":wfill", ":gmove", ":wmove", ":gline", ":wline", ":gput",
// ":wput", ":gget", ":wget", ":gupdate", ":rectangular", ":parametric",
// ":polar", ":logscale", ":nologscale", ":plot" and ":replot".
//
// Pixel coordinates and colours are the integral parts of their arguments,
// world coordinates the arguments themselves. Every argument is read before
// anything changes, so a failing argument leaves the canvas as it was. The
// host hears of each change through its graphics hooks; refreshes are asked
// for only while automatic refresh (":gupdate") is on.
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/angles.h"
#include "library/array_strings.h"
#include "library/canvas_draw.h"
#include "library/command_arguments.h"
#include "library/library_commands.h"
#include "library/library_state.h"

namespace calc {
namespace {

// Reads up to `most` further operands as reals; fewer than `least` fail the
// command.
int ReadNumbers(CalcEngine& engine, const CalcToken& command, std::size_t least, std::size_t most,
                std::vector<double>& numbers) {
  CalcEvaluator& ev = engine.evaluator();
  while (numbers.size() < most && ev.NextCanBeginOperand()) {
    CalcMatrix value;
    if (const int status = ReadCommandValue(engine, command, value)) return status;
    numbers.push_back(value.First().ToReal());
  }
  if (numbers.size() < least) return ev.Fail(E_COMMAND_PARAM, &command);
  return kDone;
}

double Whole(double x) { return std::trunc(x); }

CalcCanvas& CanvasOf(CalcEngine& engine) { return RunState(engine).canvas; }

void Refresh(CalcEngine& engine) {
  if (engine.auto_refresh()) engine.host().RefreshCanvas(engine, CanvasOf(engine));
}

// The pixel point form of ":gput" and ":wput": the given colour becomes the
// current one; a point on the canvas is set and refreshed.
int PutPoint(CalcEngine& engine, double x, double y, const std::vector<double>& numbers) {
  CalcCanvas& canvas = CanvasOf(engine);
  if (numbers.size() > 2) canvas.colour = ColourByte(numbers[2]);
  if (!canvas.Contains(x, y)) return kNoValue;
  canvas.Put(x, y, canvas.colour);
  if (engine.auto_refresh()) engine.host().RefreshPixel(engine, canvas, static_cast<int>(x), static_cast<int>(y));
  return kNoValue;
}

// The colour a query form of ":gget" and ":wget" stores into its variable.
int StoreColour(CalcEngine& engine, const CalcToken& command, double x, double y) {
  VariableTarget target;
  if (const int status = ReadCommandVariable(engine, command, target)) return status;
  const double colour = CanvasOf(engine).Get(x, y);
  if (const int status = AssignVariable(engine, target, CalcValue::FromReal(colour))) return status;
  return kNoValue;
}

// ":gput a": pixel (j, i) := element (i, j) of array a as a byte. Only the
// elements that exist are read; the pixels beyond them become 0.
int PutArray(CalcEngine& engine, std::uint8_t code) {
  CalcCanvas& canvas = CanvasOf(engine);
  const CalcMatrix& matrix = engine.storage().arrays().Matrix(code);
  for (int row = 0; row < canvas.height(); ++row) {
    for (int column = 0; column < canvas.width(); ++column) {
      const bool exists = row < matrix.rows() && column < matrix.columns();
      canvas.Put(column, row, exists ? ColourByte(matrix.Element(row, column).ToReal()) : 0);
    }
  }
  Refresh(engine);
  return kNoValue;
}

// ":gget a": array a becomes height x width, element (i, j) := pixel (j, i).
int GetArray(CalcEngine& engine, const CalcToken& command, std::uint8_t code) {
  const CalcCanvas& canvas = CanvasOf(engine);
  CalcArrayTable& arrays = engine.storage().arrays();
  std::optional<CalcMatrix> copy = CalcMatrix::Make(canvas.height(), canvas.width(), arrays.budget());
  if (!copy) return engine.evaluator().Fail(E_MEM, &command);
  for (int row = 0; row < canvas.height(); ++row)
    for (int column = 0; column < canvas.width(); ++column)
      copy->At(row * canvas.width() + column) = CalcValue::FromReal(canvas.Get(column, row));
  arrays.Matrix(code) = std::move(*copy);
  return kNoValue;
}

// The array the next token names, or -1 (nothing taken).
int NextArray(CalcEngine& engine, const CalcToken& command, bool writable, int& code) {
  const int status = writable ? TakeWritableArray(engine, code) : TakeArray(engine, code);
  return status == kDone ? kDone : engine.evaluator().Fail(status, &command);
}

// A plot text: a string literal or an array's string; nothing else.
int ReadPlotText(CalcEngine& engine, const CalcToken& command, std::string& text) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* next = ev.Peek();
  if (next != nullptr && next->kind() == kTokString) {
    ev.Take();
    text = next->text();
    return kDone;
  }
  int array = -1;
  if (TakeArray(engine, array) != kDone || array < 0) return ev.Fail(E_COMMAND_PARAM, next ? next : &command);
  text = ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array));
  return kDone;
}

// The axes a ":logscale" or ":nologscale" word names.
bool NamedAxes(std::string_view word, bool& x, bool& y) {
  x = word == "x" || word == "xy";
  y = word == "y" || word == "xy";
  return x || y;
}

// The range ":plot" gives DrawPlot when it names none: the canvas's width
// for y(x), one turn in steps of one degree for the others. A step of 0
// asks the host for one sample per pixel column.
void DefaultRange(const CalcCanvas& canvas, const PlotEntry& entry, double& from, double& to, double& step) {
  if (entry.mode == PlotMode::kRectangular) {
    from = entry.x.ValueAt(canvas.WorldX(0));
    to = entry.x.ValueAt(canvas.WorldX(canvas.width() - 1.0));
    step = 0;
  } else {
    from = 0;
    to = RadiansToAngle(2 * std::numbers::pi);
    step = RadiansToAngle(std::numbers::pi / 180);
  }
}

}  // namespace

int RunGworld(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> size;
  if (const int status = ReadNumbers(engine, command, 2, 2, size)) return status;
  const double width = Whole(size[0]), height = Whole(size[1]);
  if (!CalcCanvas::ValidSize(width, height)) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);
  StandardLibraryState& state = RunState(engine);
  state.canvas.Create(static_cast<int>(width), static_cast<int>(height));
  state.plots.Clear();
  engine.host().CreateCanvas(engine, state.canvas, state.canvas.width(), state.canvas.height());
  return kNoValue;
}

int RunWindow(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> c;
  if (const int status = ReadNumbers(engine, command, 4, 4, c)) return status;
  CalcCanvas& canvas = CanvasOf(engine);
  if (!canvas.SetWindow(c[0], c[1], c[2], c[3])) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);
  engine.host().SetWindow(engine, canvas, c[0], c[1], c[2], c[3]);
  return kNoValue;
}

int RunGclear(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> colour;
  if (const int status = ReadNumbers(engine, command, 0, 1, colour)) return status;
  CanvasOf(engine).Clear(colour.empty() ? 0 : ColourByte(colour[0]));
  Refresh(engine);
  return kNoValue;
}

int RunGcolor(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> colour;
  if (const int status = ReadNumbers(engine, command, 1, 1, colour)) return status;
  CanvasOf(engine).colour = ColourByte(colour[0]);
  return kNoValue;
}

// ":gfill x y w h [colour]" and ":wfill" (world corners, either order).
int RunFill(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 4, 5, n)) return status;
  CalcCanvas& canvas = CanvasOf(engine);
  if (n.size() > 4) canvas.colour = ColourByte(n[4]);
  if (command.code() == kCmdGfill) {
    FillRect(canvas, Whole(n[0]), Whole(n[1]), Whole(n[2]), Whole(n[3]));
  } else {
    const double x1 = canvas.PixelX(n[0]), x2 = canvas.PixelX(n[0] + n[2]);
    const double y1 = canvas.PixelY(n[1]), y2 = canvas.PixelY(n[1] + n[3]);
    FillRect(canvas, std::fmin(x1, x2), std::fmin(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1));
  }
  Refresh(engine);
  return kNoValue;
}

// ":gmove x y" and ":wmove x y".
int RunMove(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 2, 2, n)) return status;
  CalcCanvas& canvas = CanvasOf(engine);
  if (command.code() == kCmdGmove) {
    canvas.MovePen(n[0], n[1]);
  } else {
    canvas.MovePenWorld(n[0], n[1]);
  }
  return kNoValue;
}

// ":gline x y [colour]" from the pen, ":gline x1 y1 x2 y2 [colour]", and
// ":wline" alike in world coordinates. The pen ends at the last point.
int RunLine(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 2, 5, n)) return status;
  CalcCanvas& canvas = CanvasOf(engine);
  const bool world = command.code() == kCmdWline;
  const bool two_points = n.size() >= 4;
  if (n.size() == 3 || n.size() == 5) canvas.colour = ColourByte(n.back());
  if (two_points) {
    if (world) canvas.MovePenWorld(n[0], n[1]);
    else canvas.MovePen(n[0], n[1]);
  }
  const double end_x = two_points ? n[2] : n[0];
  const double end_y = two_points ? n[3] : n[1];
  const double from_x = canvas.pen_x(), from_y = canvas.pen_y();
  if (world) canvas.MovePenWorld(end_x, end_y);
  else canvas.MovePen(end_x, end_y);
  DrawLine(canvas, {from_x, from_y, canvas.pen_x(), canvas.pen_y()});
  Refresh(engine);
  return kNoValue;
}

// ":gput a", ":gput x y [colour]" and ":wput x y [colour]".
int RunPut(CalcEngine& engine, const CalcToken& command) {
  const bool world = command.code() == kCmdWput;
  if (!world) {
    int array = -1;
    if (const int status = NextArray(engine, command, false, array)) return status;
    if (array >= 0) return PutArray(engine, static_cast<std::uint8_t>(array));
  }
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 2, 3, n)) return status;
  const CalcCanvas& canvas = CanvasOf(engine);
  if (world) return PutPoint(engine, canvas.PixelX(n[0]), canvas.PixelY(n[1]), n);
  return PutPoint(engine, Whole(n[0]), Whole(n[1]), n);
}

// ":gget a", ":gget x y v" and ":wget x y v".
int RunGet(CalcEngine& engine, const CalcToken& command) {
  const bool world = command.code() == kCmdWget;
  if (!world) {
    int array = -1;
    if (const int status = NextArray(engine, command, true, array)) return status;
    if (array >= 0) return GetArray(engine, command, static_cast<std::uint8_t>(array));
  }
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 2, 2, n)) return status;
  const CalcCanvas& canvas = CanvasOf(engine);
  if (world) return StoreColour(engine, command, canvas.PixelX(n[0]), canvas.PixelY(n[1]));
  return StoreColour(engine, command, Whole(n[0]), Whole(n[1]));
}

int RunGupdate(CalcEngine& engine, const CalcToken& command) {
  std::vector<double> flag;
  if (const int status = ReadNumbers(engine, command, 0, 1, flag)) return status;
  engine.set_auto_refresh(flag.empty() || flag[0] != 0);
  Refresh(engine);
  return kNoValue;
}

// ":rectangular", ":parametric", ":polar": the mode of the next plot.
int RunPlotMode(CalcEngine& engine, const CalcToken& command) {
  PlotEntry& setup = RunState(engine).plots.setup;
  switch (command.code()) {
    case kCmdParametric:
      setup.mode = PlotMode::kParametric;
      break;
    case kCmdPolar:
      setup.mode = PlotMode::kPolar;
      break;
    default:
      setup.mode = PlotMode::kRectangular;
  }
  return kNoValue;
}

// ":logscale axes [base]" and ":nologscale axes", axes "x", "y" or "xy".
int RunLogscale(CalcEngine& engine, const CalcToken& command) {
  std::string word;
  if (const int status = ReadCommandString(engine, command, word)) return status;
  bool x = false, y = false;
  if (!NamedAxes(word, x, y)) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);
  std::vector<double> base;
  if (command.code() == kCmdLogscale) {
    if (const int status = ReadNumbers(engine, command, 0, 1, base)) return status;
  }
  // ":nologscale" is a base that switches the scale off.
  const double chosen = command.code() == kCmdNologscale ? 0 : base.empty() ? 10 : base[0];
  PlotEntry& setup = RunState(engine).plots.setup;
  if (x) setup.x.SetLogarithmic(chosen);
  if (y) setup.y.SetLogarithmic(chosen);
  return kNoValue;
}

// ":plot text [text] [from to [step]] [colour]": a new entry in the current
// setup, drawn by the host.
int RunPlot(CalcEngine& engine, const CalcToken& command) {
  StandardLibraryState& state = RunState(engine);
  PlotEntry entry = state.plots.setup;
  entry.colour = state.canvas.colour;
  if (const int status = ReadPlotText(engine, command, entry.first)) return status;
  const bool parametric = entry.mode == PlotMode::kParametric;
  if (parametric) {
    if (const int status = ReadPlotText(engine, command, entry.second)) return status;
  }
  const bool rectangular = entry.mode == PlotMode::kRectangular;
  const std::size_t range_count = rectangular ? 2 : 3;  // the others need a step
  std::vector<double> n;
  if (const int status = ReadNumbers(engine, command, 0, range_count + 1, n)) return status;
  double from = 0, to = 0, step = 0;
  DefaultRange(state.canvas, entry, from, to, step);
  if (n.size() == 1 || n.size() == range_count + 1) entry.colour = ColourByte(n.back());
  if (n.size() >= 2) {
    if (n.size() < range_count) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);  // no step
    from = n[0];
    to = n[1];
    if (!rectangular) step = n[2];
  }
  if (state.plots.entries.size() >= CalcPlotState::kMaxEntries) return engine.evaluator().Fail(E_COMMAND_PARAM, &command);
  state.plots.entries.push_back(std::move(entry));
  state.plots.from = from;
  state.plots.to = to;
  state.plots.step = step;
  engine.host().DrawPlot(engine, state.plots, from, to, step);
  Refresh(engine);
  return kNoValue;
}

int RunReplot(CalcEngine& engine, const CalcToken&) {
  CalcPlotState& plots = RunState(engine).plots;
  engine.host().RedrawPlots(engine, plots, plots.from, plots.to, plots.step);
  Refresh(engine);
  return kNoValue;
}

}  // namespace calc
