#include "library/eigensystem.h"

#include <cmath>
#include <utility>

namespace calc {

void SortDecreasing(std::vector<double>& values, RealMatrix& vectors, VectorLayout layout, SortKey key) {
  const auto measure = [key](double v) { return key == SortKey::kMagnitude ? std::fabs(v) : v; };
  const auto n = static_cast<std::int32_t>(values.size());
  for (std::int32_t i = 0; i + 1 < n; ++i) {
    std::int32_t best = i;
    for (std::int32_t j = i + 1; j < n; ++j)
      if (measure(values[static_cast<std::size_t>(j)]) > measure(values[static_cast<std::size_t>(best)])) best = j;
    if (best == i) continue;
    std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(best)]);
    if (layout == VectorLayout::kRows)
      vectors.SwapRows(i, best);
    else
      vectors.SwapColumns(i, best);
  }
}

}  // namespace calc
