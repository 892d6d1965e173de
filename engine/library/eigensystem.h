// What the eigenvalue routines give back: the count that the built-in returns,
// the eigenvalues, and (for the routines that find them) the eigenvectors.
#pragma once

#include <cstdint>
#include <vector>

#include "core/value.h"
#include "library/real_matrix.h"

namespace calc {

struct RealEigensystem {
  // The built-in's result: the number of eigenvalues found, 0 on failure.
  std::int32_t count = 0;
  std::vector<double> values;
  // One eigenvector per row or per column as each routine says; 0 x 0 when
  // the routine gives none or failed.
  RealMatrix vectors;
};

struct ComplexEigensystem {
  std::int32_t count = 0;
  std::vector<CalcComplex> values;
};

// How eigenvectors are laid out in RealEigensystem::vectors.
enum class VectorLayout : std::uint8_t { kRows, kColumns };
// What the order of an eigensystem compares.
enum class SortKey : std::uint8_t { kValue, kMagnitude };

// Puts values in decreasing order by selection: for each position the first
// strictly greatest of the rest moves forward (so equal keys keep their
// order, and a NaN never moves), and the matching eigenvector rows or columns
// are exchanged with them.
void SortDecreasing(std::vector<double>& values, RealMatrix& vectors, VectorLayout layout, SortKey key);

}  // namespace calc
