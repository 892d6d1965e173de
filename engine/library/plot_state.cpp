#include "library/plot_state.h"

namespace calc {

void PlotAxis::SetLogarithmic(double new_base) {
  if (!(new_base > 1) || std::isinf(new_base)) {
    logarithmic = false;
    return;
  }
  logarithmic = true;
  base = new_base;
  factor = 1 / std::log(new_base);
}

double PlotAxis::Place(double value) const {
  if (!logarithmic) return value;
  return value > 0 ? std::log(value) * factor : NAN;
}

double PlotAxis::ValueAt(double position) const { return logarithmic ? std::pow(base, position) : position; }

}  // namespace calc
