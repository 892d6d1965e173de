#include "library/linalg.h"

#include <cstdint>
#include <utility>

#include "core/arithmetic.h"
#include "core/status_codes.h"
#include "language/evaluator.h"
#include "library/work_charge.h"

namespace calc {

namespace {

// A square work matrix addressed by (row, column); every element is kept in
// the current kind, so the arithmetic never converts on the way.
class Work {
 public:
  explicit Work(CalcMatrix& m) : m_(m), n_(m.rows()) {}
  CalcValue& operator()(std::int32_t i, std::int32_t j) { return m_.At(i * n_ + j); }
  std::int32_t n() const { return n_; }

  // row[to] -= factor * row[from], from column `first` on.
  void SubtractRow(std::int32_t to, std::int32_t from, const CalcValue& factor, std::int32_t first) {
    for (std::int32_t c = first; c < n_; ++c) ValueSubtract((*this)(to, c), ValueMultiply(factor, (*this)(from, c)));
  }
  // row[i] *= factor, from column `first` on.
  void ScaleRow(std::int32_t i, const CalcValue& factor, std::int32_t first) {
    for (std::int32_t c = first; c < n_; ++c) (*this)(i, c) = ValueMultiply((*this)(i, c), factor);
  }
  void SwapRows(std::int32_t a, std::int32_t b) {
    for (std::int32_t c = 0; c < n_; ++c) std::swap((*this)(a, c), (*this)(b, c));
  }

 private:
  CalcMatrix& m_;
  std::int32_t n_;
};

CalcValue One() { return CalcValue::FromReal(1.0); }

// A deep copy of m in the current kind (false: no memory, or the budget
// ended the run).
bool CopyOf(const CalcMatrix& m, CalcMatrix& copy, CalcRunBudget* budget) { return copy.Assign(m, budget); }

// The first row from `from` down whose element in `column` is not zero; -1
// when there is none.
std::int32_t NonZeroBelow(Work& a, std::int32_t from, std::int32_t column) {
  for (std::int32_t k = from; k < a.n(); ++k)
    if (!IsZeroValue(a(k, column))) return k;
  return -1;
}

// The one-matrix Crout factors of a square matrix, in place.
bool CroutInPlace(Work& a, CalcRunBudget* budget) {
  const std::int32_t n = a.n();
  for (std::int32_t m = 0; m + 1 < n; ++m) {
    if (!ChargeWork(budget, (n - m) * (n - m))) return false;
    const CalcValue pivot = a(m, m);
    for (std::int32_t k = m + 1; k < n; ++k) ValueDivide(a(m, k), pivot);
    for (std::int32_t j = m + 1; j < n; ++j) a.SubtractRow(j, m, a(j, m), m + 1);
  }
  return true;
}

}  // namespace

int Det(const CalcMatrix& m, CalcValue& out, CalcRunBudget* budget) {
  out = CalcValue();
  if (m.rows() != m.columns()) return W_DET;
  CalcMatrix copy;
  if (!CopyOf(m, copy, budget)) return E_MEM;
  Work a(copy);
  const std::int32_t n = a.n();
  CalcValue d = One();
  for (std::int32_t j = 0; j < n; ++j) {
    if (!ChargeWork(budget, (n - j) * (n - j))) return E_MEM;
    if (IsZeroValue(a(j, j))) {
      const std::int32_t k = NonZeroBelow(a, j + 1, j);
      if (k < 0) return kDone;  // singular: 0, no warning
      // Columns left of j are no longer read. Negating the row that moves
      // up flips the determinant's sign once, as the exchange does.
      for (std::int32_t c = j; c < n; ++c) {
        CalcValue moved_down = a(j, c);
        a(j, c) = a(k, c).Negate();
        a(k, c) = moved_down;
      }
    }
    const CalcValue pivot = a(j, j);
    for (std::int32_t c = j + 1; c < n; ++c) ValueDivide(a(j, c), pivot);
    for (std::int32_t k = j + 1; k < n; ++k) a.SubtractRow(k, j, a(k, j), j + 1);
    d = ValueMultiply(d, pivot);
  }
  out = d;
  return kDone;
}

int Inv(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget) {
  out = CalcMatrix();
  if (m.rows() != m.columns()) return W_INV;
  const std::int32_t n = m.rows();
  CalcMatrix copy;
  if (!CopyOf(m, copy, budget)) return E_MEM;
  auto identity = CalcMatrix::Make(n, n, budget);
  if (!identity) return E_MEM;
  Work a(copy);
  Work b(*identity);
  for (std::int32_t i = 0; i < n; ++i) b(i, i) = One();

  for (std::int32_t u = 0; u < n; ++u) {
    if (!ChargeWork(budget, 2 * n * (n - u))) return E_MEM;
    if (IsZeroValue(a(u, u))) {
      const std::int32_t h = NonZeroBelow(a, u + 1, u);
      if (h < 0) return W_INV;  // singular
      a.SwapRows(h, u);
      b.SwapRows(h, u);
    }
    CalcValue e = One();
    ValueDivide(e, a(u, u));
    a.ScaleRow(u, e, u);
    b.ScaleRow(u, e, 0);
    for (std::int32_t h = u + 1; h < n; ++h) {
      const CalcValue factor = a(h, u);
      a.SubtractRow(h, u, factor, u);
      b.SubtractRow(h, u, factor, 0);
    }
  }
  // Back substitution clears the part above the diagonal.
  for (std::int32_t col = n - 1; col >= 0; --col) {
    if (!ChargeWork(budget, 2 * n * col)) return E_MEM;
    for (std::int32_t h = 0; h < col; ++h) {
      const CalcValue factor = a(h, col);
      a.SubtractRow(h, col, factor, col);
      b.SubtractRow(h, col, factor, 0);
    }
  }
  out = std::move(*identity);
  return kDone;
}

int Dec(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget) {
  out = CalcMatrix();
  if (m.rows() != m.columns()) return W_DEC;
  CalcMatrix copy;
  if (!CopyOf(m, copy, budget)) return E_MEM;
  Work a(copy);
  if (!CroutInPlace(a, budget)) return E_MEM;
  out = std::move(copy);
  return kDone;
}

int DecFactors(const CalcMatrix& m, CalcMatrix& lower, CalcMatrix& upper, CalcRunBudget* budget) {
  lower = CalcMatrix();
  upper = CalcMatrix();
  CalcMatrix combined;
  if (const int status = Dec(m, combined, budget); status != kDone) return status;
  const std::int32_t n = combined.rows();
  auto l = CalcMatrix::Make(n, n, budget);
  auto u = CalcMatrix::Make(n, n, budget);
  if (!l || !u) return E_MEM;
  Work c(combined), lw(*l), uw(*u);
  for (std::int32_t i = 0; i < n; ++i) {
    for (std::int32_t j = 0; j <= i; ++j) lw(i, j) = c(i, j);
    uw(i, i) = One();
    for (std::int32_t j = i + 1; j < n; ++j) uw(i, j) = c(i, j);
  }
  lower = std::move(*l);
  upper = std::move(*u);
  return kDone;
}

int Trans(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget) {
  auto t = CalcMatrix::Make(m.columns(), m.rows(), budget);
  if (!t || !ChargeWork(budget, m.count())) return E_MEM;
  for (std::int32_t i = 0; i < m.rows(); ++i)
    for (std::int32_t j = 0; j < m.columns(); ++j) t->SetElement(j, i, m.Element(i, j));
  out = std::move(*t);
  return kDone;
}

}  // namespace calc
