// CalcMatrix: every expression result is a rectangular block of values (a
// scalar is 1 x 1). Row-major, element (i, j) at index i * columns + j. Every
// read outside the stored range returns the spare, a zero in the current kind,
// so shapes never cause errors. The spare is made on demand rather than stored
// after the last element: it then cannot be written, holds zero in whatever
// kind is current, and a moved-from matrix (0 x 0, no storage) still reads.
//
// Shapes come from user input (subscripts, brace lists, the "mat" command), so
// nothing here trusts them: a negative dimension, an element count above
// kMaxElements or an allocation the system refuses makes the operation fail
// cleanly (Make gives nullopt, the bool operations give false and leave the
// matrix unchanged) and the caller reports E_MEM. No operation lets
// std::bad_alloc escape, except the constructors and copy assignment, which
// behave like any container's (a 1 x 1 matrix, the default one included,
// holds its element without allocating);
// code that must report E_MEM makes with Make and copies with Assign.
//
// A matrix may be charged to a run budget (core/run_budget.h): Make, Resize,
// Assign and Multiply given a budget charge their storage to it and count
// their work on it, and a matrix keeps its charge from then on, so that later
// operations without a budget, and copies, charge the same one. Past the
// memory limit, or once the run must end (interruption, step limit), these
// operations fail like a refused allocation; the budget says why. A copy
// (constructor or copy assignment) past the memory limit throws
// std::bad_alloc.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/run_budget.h"
#include "core/value.h"

namespace calc {

class CalcMatrix {
 public:
  // Largest rows * columns a matrix may hold: 2048 x 2048. A value is close to
  // 100 bytes, so this is about 400 MB of elements; anything larger could not
  // be allocated in one piece in a 32-bit process anyway, and on a host that
  // overcommits memory a larger request would be killed instead of refused.
  static constexpr std::int32_t kMaxElements = std::int32_t{1} << 22;

  // True when rows x columns can be made: both non-negative (zero is allowed
  // and gives a matrix of no elements that reads as zero everywhere) and the
  // count at most kMaxElements. Never overflows, whatever the arguments.
  static bool ValidShape(std::int32_t rows, std::int32_t columns);

  CalcMatrix();  // 1 x 1 holding zero
  // A rows x columns matrix of zeros in the current kind, charged to
  // `budget` when one is given; nullopt when the shape is not valid or the
  // memory is not available.
  static std::optional<CalcMatrix> Make(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget = nullptr);

  CalcMatrix(const CalcMatrix& other) = default;
  CalcMatrix& operator=(const CalcMatrix& other) = default;
  // Leave the source 0 x 0.
  CalcMatrix(CalcMatrix&& other) noexcept;
  CalcMatrix& operator=(CalcMatrix&& other) noexcept;
  ~CalcMatrix() = default;

  std::int32_t rows() const { return rows_; }
  std::int32_t columns() const { return columns_; }
  std::int32_t count() const { return rows_ * columns_; }

  // Copies converted to the current kind; outside the matrix (negative
  // subscripts included), the spare.
  CalcValue Element(std::int32_t row, std::int32_t column) const;
  CalcValue ElementAt(std::int32_t index) const;
  // The value a 1 x 1 result stands for; comparisons and subscripts read it.
  CalcValue First() const { return ElementAt(0); }

  // Stores a copy converted to the current kind into an element inside the
  // matrix; false, with nothing stored, outside it. Never grows the matrix.
  bool SetElement(std::int32_t row, std::int32_t column, const CalcValue& value);
  bool SetElementAt(std::int32_t index, const CalcValue& value);

  // Direct access to a stored element, for callers that have checked
  // 0 <= index < count(). The element keeps whatever kind it was stored in
  // (call Sync on it before reading a part). Outside that range both forms give
  // a scratch zero, re-zeroed on every such call, whose writes are discarded:
  // a stray index can never write into the matrix.
  CalcValue& At(std::int32_t index) { return InRange(index) ? data()[index] : Scratch(); }
  const CalcValue& At(std::int32_t index) const { return InRange(index) ? data()[index] : Scratch(); }

  // Reshapes to rows x columns: every element that still fits keeps its
  // (row, column), every new one is zero. False, with the matrix unchanged,
  // when the shape is not valid or the memory is not available. `budget`
  // (null: the one this matrix is charged to) is charged.
  bool Resize(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget = nullptr);

  // Becomes a deep copy of other's shape and elements, each converted to the
  // current kind. False, with this matrix unchanged, when the memory is not
  // available. Assigning a matrix to itself converts its elements in place.
  // The copy is charged to `budget`, else to this matrix's budget, else to
  // other's.
  bool Assign(const CalcMatrix& other, CalcRunBudget* budget = nullptr);

  // Multiplies every element by factor (element on the left), keeping the
  // shape. Needs no memory and cannot fail.
  void Scale(const CalcValue& factor);

  // The "*" of two matrices; the product replaces this matrix (the left side):
  // - right holds exactly one element: this matrix scaled by it;
  // - else this holds exactly one element: right scaled by it (right's shape);
  // - else rows() x right.columns(), element (i, j) summing this(i, k) x
  //   right(k, j) for k below the larger of columns() and right.rows(), every
  //   factor read through Element, so one outside its matrix is zero.
  // Shapes never fail; false, with this matrix unchanged, only when the result
  // would exceed kMaxElements or the memory is not available, or when the
  // budget (`budget`, else this matrix's, else right's) ends the run while
  // the product is computed. `right` may be this matrix itself.
  bool Multiply(const CalcMatrix& right, CalcRunBudget* budget = nullptr);

 private:
  // Installs `elements` (exactly rows x columns of them) as the storage.
  CalcMatrix(std::int32_t rows, std::int32_t columns, std::vector<CalcValue>&& elements);
  void TakeElements(std::int32_t rows, std::int32_t columns, std::vector<CalcValue>&& elements);

  // Fills out with count zeros in the current kind, counting the work on
  // `budget` when one is given; false when the memory is not available or
  // the budget ends the run.
  static bool ZeroStorage(std::int32_t count, std::vector<CalcValue>& out, CalcRunBudget* budget = nullptr);

  // Resize's fast path for an unchanged column count: the elements that stay
  // keep their index, so the storage only grows or shrinks at its end.
  bool ResizeRows(std::int32_t rows, CalcRunBudget* budget);

  bool InRange(std::int32_t row, std::int32_t column) const;
  bool InRange(std::int32_t index) const { return index >= 0 && index < count(); }
  // What a read through At outside the matrix gets. Re-zeroed before it is
  // handed out, so whatever a caller wrote into it is gone by the next use.
  static CalcValue& Scratch();

  CalcValue* data() { return count() == 1 ? &single_ : many_.data(); }
  const CalcValue* data() const { return count() == 1 ? &single_ : many_.data(); }

  // `budget`, else this matrix's, else other's (null when none is charged).
  CalcRunBudget* BudgetFor(CalcRunBudget* budget, const CalcMatrix& other) const;
  // Charges the memory of `count` elements to `budget` into `charge`; false
  // when the budget refuses. Nothing to do without one.
  static bool ChargeMemory(std::int32_t count, CalcRunBudget* budget, CalcMemoryCharge& charge);

  // First, so that a copy assignment that the budget refuses changes nothing.
  CalcMemoryCharge charge_;
  std::int32_t rows_ = 1;
  std::int32_t columns_ = 1;
  // A 1 x 1 matrix keeps its element here, so the scalar results of an
  // expression never touch the heap.
  CalcValue single_;
  // Any other shape keeps exactly count() elements here (none while the
  // matrix is 1 x 1). Its spare capacity, grown geometrically, makes a
  // matrix filled one row at a time reallocate only now and then.
  std::vector<CalcValue> many_;
};

}  // namespace calc
