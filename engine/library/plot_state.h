// CalcPlotState: the function plots of a run. ":plot" adds an entry (at most
// kMaxEntries) built from the current setup (":rectangular", ":parametric",
// ":polar", ":logscale", ":nologscale"); the host draws the entries
// (DrawPlot for the new one, RedrawPlots for all of them on ":replot").
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace calc {

enum class PlotMode : std::uint8_t {
  kRectangular = 0,  // y(x)
  kParametric = 1,   // x(t), y(t)
  kPolar = 2,        // r(θ)
};

// One axis's scale: linear, or logarithmic to a base above 1, when a value v
// is placed at log_base(v).
struct PlotAxis {
  bool logarithmic = false;
  double base = 10;
  double factor = 1 / std::log(10.0);  // 1 / ln(base)

  // Turns the logarithmic scale on with `base`, or off when the base is
  // not above 1 (or not a number).
  void SetLogarithmic(double base);
  // Where a value goes on this axis: itself, or its logarithm (NaN for a
  // value not above 0, which the host then does not draw).
  double Place(double value) const;
  // The value placed at `position` (the inverse of Place).
  double ValueAt(double position) const;
};

struct PlotEntry {
  bool active = true;
  PlotMode mode = PlotMode::kRectangular;
  std::uint8_t colour = 0;
  std::string first;   // y(x), x(t) or r(θ)
  std::string second;  // y(t) in parametric mode
  PlotAxis x, y;
};

struct CalcPlotState {
  static constexpr std::size_t kMaxEntries = 10;

  // What the next entry is made with: mode and axes.
  PlotEntry setup;
  std::vector<PlotEntry> entries;
  // The range of the last ":plot", for ":replot".
  double from = 0, to = 0, step = 0;

  // Forgets every entry (a new canvas); the setup stays.
  void Clear() { entries.clear(); }
};

}  // namespace calc
