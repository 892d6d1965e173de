#include "plot_drawing.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/numeric_settings.h"
#include "library/angles.h"
#include "library/canvas_draw.h"

namespace radixcalc {
namespace {

// θ in Shift-JIS, the engine's text.
constexpr std::string_view kTheta = "\x83\xC6";

// Evaluates plot texts for one value of the variable in an engine of its own.
class PlotEvaluator {
 public:
  explicit PlotEvaluator(calc::CalcEngine& caller) : engine_(context_, caller.host(), caller.NestedSettings()) {
    const calc::CalcContext& from = caller.context();
    context_.SetMode(from.mode());
    context_.SetPrecision(from.precision());
    context_.SetRadix(from.radix());
    context_.SetFps(from.fps());
    context_.SetAngleUnit(from.numeric().angle_unit);
    engine_.set_library(caller.library());
    engine_.set_echo(false);
    engine_.storage().calls().functions.CopyFrom(caller.storage().calls().functions);
  }

  // The variable names the texts read; false when no slot is left.
  bool Bind(std::string_view name) {
    const int code = engine_.storage().variables().Declare(name, calc::CalcValue::FromReal(0), false);
    if (code < 0) return false;
    codes_[count_++] = static_cast<std::uint8_t>(code);
    return true;
  }

  // The text's real value with the variables at `value`; false after an
  // error (reported by the engine).
  bool Evaluate(const std::string& text, double value, double& out) {
    const calc::NumericScope numeric(context_.numeric());
    for (int i = 0; i < count_; ++i) engine_.storage().variables().Set(codes_[i], calc::CalcValue::FromReal(value), false);
    if (engine_.RunText(text) != calc::kValue) return false;
    out = engine_.storage().AnswerValue().ToReal();
    return true;
  }

 private:
  calc::CalcContext context_;
  calc::CalcEngine engine_;
  std::uint8_t codes_[2] = {};
  int count_ = 0;
};

// The world point of one sample; false after an error in a text.
bool SamplePoint(PlotEvaluator& evaluator, const calc::PlotEntry& entry, double value, double& x, double& y) {
  switch (entry.mode) {
    case calc::PlotMode::kRectangular:
      x = value;
      return evaluator.Evaluate(entry.first, value, y);
    case calc::PlotMode::kParametric:
      return evaluator.Evaluate(entry.first, value, x) && evaluator.Evaluate(entry.second, value, y);
    case calc::PlotMode::kPolar: {
      double r = 0;
      if (!evaluator.Evaluate(entry.first, value, r)) return false;
      const double radians = calc::AngleToRadians(value);
      x = r * std::cos(radians);
      y = r * std::sin(radians);
      return true;
    }
  }
  return false;
}

bool BindVariables(PlotEvaluator& evaluator, calc::PlotMode mode) {
  switch (mode) {
    case calc::PlotMode::kRectangular:
      return evaluator.Bind("x");
    case calc::PlotMode::kParametric:
      return evaluator.Bind("t");
    case calc::PlotMode::kPolar:
      return evaluator.Bind(kTheta) && evaluator.Bind("t");
  }
  return false;
}

// The samples of a range: count values, the k-th at Value(k).
struct SampleRange {
  long count = 0;
  double first = 0, last = 0, step = 0;
  const calc::PlotAxis* axis = nullptr;  // sampling evenly on this axis's scale

  double Value(long k) const {
    if (axis == nullptr) return first + static_cast<double>(k) * step;
    const double at = count > 1 ? first + (last - first) * static_cast<double>(k) / static_cast<double>(count - 1) : first;
    return axis->ValueAt(at);
  }
};

SampleRange RangeOf(const calc::CalcCanvas& canvas, const calc::PlotEntry& entry, double from, double to, double step) {
  SampleRange range;
  if (step == 0 && entry.mode == calc::PlotMode::kRectangular) {
    range.axis = &entry.x;
    range.first = entry.x.Place(from);
    range.last = entry.x.Place(to);
    if (std::isfinite(range.first) && std::isfinite(range.last)) range.count = canvas.width();
    return range;
  }
  const double steps = std::floor((to - from) / step);
  if (!(steps >= 0)) return range;  // NaN, or a step that leads away from `to`
  range.first = from;
  range.step = step;
  range.count = steps >= kMaxPlotSamples ? kMaxPlotSamples : static_cast<long>(steps) + 1;
  return range;
}

}  // namespace

void DrawPlotEntry(calc::CalcEngine& caller, calc::CalcCanvas& canvas, const calc::PlotEntry& entry, double from,
                   double to, double step) {
  if (!entry.active || canvas.width() == 0) return;
  const SampleRange range = RangeOf(canvas, entry, from, to, step);
  PlotEvaluator evaluator(caller);
  if (!BindVariables(evaluator, entry.mode)) return;
  const std::uint8_t colour = canvas.colour;
  canvas.colour = entry.colour;
  bool pen_down = false;
  double last_x = 0, last_y = 0;
  for (long k = 0; k < range.count; ++k) {
    double x = 0, y = 0;
    if (!SamplePoint(evaluator, entry, range.Value(k), x, y)) break;
    const double px = canvas.PixelX(entry.x.Place(x));
    const double py = canvas.PixelY(entry.y.Place(y));
    if (!std::isfinite(px) || !std::isfinite(py)) {
      pen_down = false;
      continue;
    }
    calc::DrawLine(canvas, pen_down ? calc::CalcSegment{last_x, last_y, px, py} : calc::CalcSegment{px, py, px, py});
    pen_down = true;
    last_x = px;
    last_y = py;
  }
  canvas.colour = colour;
}

}  // namespace radixcalc
