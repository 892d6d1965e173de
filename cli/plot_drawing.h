// How radixcalc draws a function plot on the canvas: each entry's texts are
// evaluated over the range in an engine of their own, so that the variable
// the text uses (x for y(x), t for x(t) and y(t), θ or t for r(θ)) never
// touches the caller's; that engine knows the caller's user-defined
// functions and numeric settings but none of its variables. Consecutive
// points are joined with lines in the entry's colour; a point that is not a
// number, infinite, or not above 0 on a logarithmic axis breaks the curve.
#pragma once

#include "language/engine.h"
#include "library/canvas.h"
#include "library/plot_state.h"

namespace radixcalc {

// The most points one entry is evaluated at; a range with a smaller step
// is drawn up to there.
constexpr long kMaxPlotSamples = 1'000'000;

// Draws `entry` from `from` to `to` by `step`; a step of 0 (a y(x) plot with
// no range) samples once per pixel column, evenly on the x axis's scale.
// An error in a text is reported through the host once and ends the entry.
void DrawPlotEntry(calc::CalcEngine& caller, calc::CalcCanvas& canvas, const calc::PlotEntry& entry, double from,
                   double to, double step);

}  // namespace radixcalc
