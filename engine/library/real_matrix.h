// RealMatrix: the work space of the numeric matrix routines (eigenvalues,
// Householder and Hessenberg reductions). They compute in doubles, so a
// CalcMatrix is read once into one of these (a fraction as num / den, a time
// as seconds) and the result is written back in the current value kind.
//
// Shapes follow CalcMatrix's rule: a negative dimension or more than
// CalcMatrix::kMaxElements elements is refused (nullopt / E_MEM) before
// anything is allocated, and so is memory the system or the run budget
// refuses. Nothing here throws except the copy constructor (like any
// container's).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/matrix.h"
#include "core/run_budget.h"

namespace calc {

class RealMatrix {
 public:
  RealMatrix() = default;  // 0 x 0

  // rows x columns zeros, charged to `budget` when one is given.
  static std::optional<RealMatrix> Make(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget = nullptr);
  // The n x n identity.
  static std::optional<RealMatrix> Identity(std::int32_t n, CalcRunBudget* budget = nullptr);

  std::int32_t rows() const { return rows_; }
  std::int32_t columns() const { return columns_; }
  bool square() const { return rows_ == columns_; }

  // Callers keep 0 <= i < rows() and 0 <= j < columns().
  double& operator()(std::int32_t i, std::int32_t j) { return data_[Index(i, j)]; }
  double operator()(std::int32_t i, std::int32_t j) const { return data_[Index(i, j)]; }

  void SwapRows(std::int32_t a, std::int32_t b);
  void SwapColumns(std::int32_t a, std::int32_t b);
  // Exchanges (i, j) with (j, i); square matrices only.
  void TransposeInPlace();

 private:
  std::size_t Index(std::int32_t i, std::int32_t j) const {
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(j);
  }

  CalcMemoryCharge charge_;
  std::int32_t rows_ = 0;
  std::int32_t columns_ = 0;
  std::vector<double> data_;
};

// v becomes n zeros; false when the memory is not available (n <= the
// order of a valid matrix, so never a huge request).
bool ZeroVector(std::vector<double>& v, std::int32_t n);

// Every element of m as a double into out. kDone, or E_MEM when the work
// space cannot be made.
int ReadReal(const CalcMatrix& m, RealMatrix& out, CalcRunBudget* budget = nullptr);
// m's elements as values of the current kind into out (kDone or E_MEM).
int WriteReal(const RealMatrix& m, CalcMatrix& out, CalcRunBudget* budget = nullptr);
// A 1 x n matrix of the current kind holding `values` (kDone or E_MEM).
int WriteRealVector(std::span<const double> values, CalcMatrix& out, CalcRunBudget* budget = nullptr);
// A 1 x n matrix holding `values`. Outside the complex kind the imaginary
// parts are dropped by the kind conversion, as every value's are. kDone or
// E_MEM.
int WriteComplexVector(std::span<const CalcComplex> values, CalcMatrix& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
