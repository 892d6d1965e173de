#include "library/real_matrix.h"

#include <new>
#include <utility>

#include "core/status_codes.h"

namespace calc {

std::optional<RealMatrix> RealMatrix::Make(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget) {
  // Checked before the multiplication below can overflow or allocate.
  if (!CalcMatrix::ValidShape(rows, columns)) return std::nullopt;
  const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns);
  RealMatrix made;
  if (budget != nullptr && !made.charge_.Set(count * sizeof(double), budget)) return std::nullopt;
  try {
    made.data_.assign(count, 0.0);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  made.rows_ = rows;
  made.columns_ = columns;
  return made;
}

std::optional<RealMatrix> RealMatrix::Identity(std::int32_t n, CalcRunBudget* budget) {
  auto made = Make(n, n, budget);
  if (made)
    for (std::int32_t i = 0; i < n; ++i) (*made)(i, i) = 1.0;
  return made;
}

void RealMatrix::SwapRows(std::int32_t a, std::int32_t b) {
  for (std::int32_t j = 0; j < columns_; ++j) std::swap((*this)(a, j), (*this)(b, j));
}

void RealMatrix::SwapColumns(std::int32_t a, std::int32_t b) {
  for (std::int32_t i = 0; i < rows_; ++i) std::swap((*this)(i, a), (*this)(i, b));
}

void RealMatrix::TransposeInPlace() {
  for (std::int32_t i = 0; i < rows_; ++i)
    for (std::int32_t j = i + 1; j < columns_; ++j) std::swap((*this)(i, j), (*this)(j, i));
}

bool ZeroVector(std::vector<double>& v, std::int32_t n) {
  try {
    v.assign(static_cast<std::size_t>(n < 0 ? 0 : n), 0.0);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

int ReadReal(const CalcMatrix& m, RealMatrix& out, CalcRunBudget* budget) {
  auto made = RealMatrix::Make(m.rows(), m.columns(), budget);
  if (!made) return E_MEM;
  // At() leaves the stored kind alone; ToReal reads any kind.
  for (std::int32_t i = 0; i < m.rows(); ++i)
    for (std::int32_t j = 0; j < m.columns(); ++j) (*made)(i, j) = m.At(i * m.columns() + j).ToReal();
  out = std::move(*made);
  return kDone;
}

int WriteReal(const RealMatrix& m, CalcMatrix& out, CalcRunBudget* budget) {
  auto made = CalcMatrix::Make(m.rows(), m.columns(), budget);
  if (!made) return E_MEM;
  for (std::int32_t i = 0; i < m.rows(); ++i)
    for (std::int32_t j = 0; j < m.columns(); ++j) made->At(i * m.columns() + j).SetReal(m(i, j));
  out = std::move(*made);
  return kDone;
}

int WriteRealVector(std::span<const double> values, CalcMatrix& out, CalcRunBudget* budget) {
  if (values.size() > static_cast<std::size_t>(CalcMatrix::kMaxElements)) return E_MEM;
  const auto n = static_cast<std::int32_t>(values.size());
  auto made = CalcMatrix::Make(1, n, budget);
  if (!made) return E_MEM;
  for (std::int32_t j = 0; j < n; ++j) made->At(j).SetReal(values[static_cast<std::size_t>(j)]);
  out = std::move(*made);
  return kDone;
}

int WriteComplexVector(std::span<const CalcComplex> values, CalcMatrix& out, CalcRunBudget* budget) {
  if (values.size() > static_cast<std::size_t>(CalcMatrix::kMaxElements)) return E_MEM;
  const auto n = static_cast<std::int32_t>(values.size());
  auto made = CalcMatrix::Make(1, n, budget);
  if (!made) return E_MEM;
  for (std::int32_t j = 0; j < n; ++j) {
    CalcValue v;
    v.AsComplex() = values[static_cast<std::size_t>(j)];
    made->SetElementAt(j, v);
  }
  out = std::move(*made);
  return kDone;
}

}  // namespace calc
