#include "core/matrix.h"

#include <algorithm>
#include <new>
#include <utility>

#include "core/arithmetic.h"

namespace calc {

namespace {

// Elements filled or copied between two checks of the budget.
constexpr std::size_t kFillSlice = std::size_t{1} << 16;

}  // namespace

// What a read through At outside the matrix gets. Re-zeroed before it is
// handed out, so whatever a caller wrote into it is gone by the next use.
CalcValue& CalcMatrix::Scratch() {
  static CalcValue scratch;
  scratch = CalcValue();
  return scratch;
}

bool CalcMatrix::ValidShape(std::int32_t rows, std::int32_t columns) {
  if (rows < 0 || columns < 0) return false;
  return std::int64_t{rows} * columns <= kMaxElements;
}

CalcMatrix::CalcMatrix() = default;

CalcMatrix::CalcMatrix(std::int32_t rows, std::int32_t columns, std::vector<CalcValue>&& elements) {
  TakeElements(rows, columns, std::move(elements));
}

void CalcMatrix::TakeElements(std::int32_t rows, std::int32_t columns, std::vector<CalcValue>&& elements) {
  rows_ = rows;
  columns_ = columns;
  if (count() == 1) {
    single_ = elements.front();
    std::vector<CalcValue>().swap(many_);
  } else {
    many_.swap(elements);
  }
}

CalcMatrix::CalcMatrix(CalcMatrix&& other) noexcept
    : charge_(std::move(other.charge_)),
      rows_(std::exchange(other.rows_, 0)),
      columns_(std::exchange(other.columns_, 0)),
      single_(other.single_),
      many_(std::move(other.many_)) {
  other.many_.clear();
}

CalcMatrix& CalcMatrix::operator=(CalcMatrix&& other) noexcept {
  if (this != &other) {
    charge_ = std::move(other.charge_);
    rows_ = std::exchange(other.rows_, 0);
    columns_ = std::exchange(other.columns_, 0);
    single_ = other.single_;
    many_ = std::move(other.many_);
    other.many_.clear();
  }
  return *this;
}

bool CalcMatrix::ZeroStorage(std::int32_t count, std::vector<CalcValue>& out, CalcRunBudget* budget) {
  try {
    const auto total = static_cast<std::size_t>(count);
    std::vector<CalcValue> zeros;
    zeros.reserve(total);
    // Filled in slices: a large matrix takes a second to fill, and a run
    // that must end should not wait for it.
    for (std::size_t filled = 0; filled < total;) {
      const std::size_t slice = std::min(kFillSlice, total - filled);
      if (budget != nullptr && !budget->ChargeWork(slice)) return false;
      filled += slice;
      zeros.resize(filled);
    }
    out.swap(zeros);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

CalcRunBudget* CalcMatrix::BudgetFor(CalcRunBudget* budget, const CalcMatrix& other) const {
  if (budget != nullptr) return budget;
  if (charge_.budget() != nullptr) return charge_.budget();
  return other.charge_.budget();
}

bool CalcMatrix::ChargeMemory(std::int32_t count, CalcRunBudget* budget, CalcMemoryCharge& charge) {
  return budget == nullptr || charge.Set(static_cast<std::size_t>(count) * sizeof(CalcValue), budget);
}

std::optional<CalcMatrix> CalcMatrix::Make(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget) {
  if (!ValidShape(rows, columns)) return std::nullopt;
  if (rows == 1 && columns == 1) return CalcMatrix();
  CalcMemoryCharge charge;
  if (!ChargeMemory(rows * columns, budget, charge)) return std::nullopt;
  std::vector<CalcValue> elements;
  if (!ZeroStorage(rows * columns, elements, budget)) return std::nullopt;
  CalcMatrix made(rows, columns, std::move(elements));
  made.charge_ = std::move(charge);
  return made;
}

// --- reading and storing -------------------------------------------------------

bool CalcMatrix::InRange(std::int32_t row, std::int32_t column) const {
  return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}


CalcValue CalcMatrix::Element(std::int32_t row, std::int32_t column) const {
  if (!InRange(row, column)) return CalcValue();
  return ElementAt(row * columns_ + column);
}

CalcValue CalcMatrix::ElementAt(std::int32_t index) const {
  if (!InRange(index)) return CalcValue();
  CalcValue copy(data()[index]);
  copy.Sync();
  return copy;
}

bool CalcMatrix::SetElement(std::int32_t row, std::int32_t column, const CalcValue& value) {
  if (!InRange(row, column)) return false;
  return SetElementAt(row * columns_ + column, value);
}

bool CalcMatrix::SetElementAt(std::int32_t index, const CalcValue& value) {
  if (!InRange(index)) return false;
  data()[index].Assign(value);
  return true;
}

// --- reshaping and copying -------------------------------------------------------

bool CalcMatrix::Resize(std::int32_t rows, std::int32_t columns, CalcRunBudget* budget) {
  if (!ValidShape(rows, columns)) return false;
  CalcRunBudget* const on = BudgetFor(budget, *this);
  if (columns == columns_ && count() != 1 && rows * columns != 1) return ResizeRows(rows, on);
  // Charged while the old storage is still held: both exist for a moment.
  CalcMemoryCharge charge;
  if (!ChargeMemory(rows * columns, on, charge)) return false;
  std::vector<CalcValue> resized;
  if (!ZeroStorage(rows * columns, resized, on)) return false;
  const std::int32_t kept_rows = std::min(rows, rows_);
  const std::int32_t kept_columns = std::min(columns, columns_);
  const CalcValue* old = data();
  for (std::int32_t i = 0; i < kept_rows; ++i) {
    if (on != nullptr && !on->ChargeWork(static_cast<std::uint64_t>(kept_columns))) return false;
    for (std::int32_t j = 0; j < kept_columns; ++j) {
      CalcValue& kept = resized[static_cast<std::size_t>(i * columns + j)];
      kept = old[i * columns_ + j];
      kept.Sync();
    }
  }
  TakeElements(rows, columns, std::move(resized));
  charge_ = std::move(charge);
  return true;
}

bool CalcMatrix::ResizeRows(std::int32_t rows, CalcRunBudget* budget) {
  const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_);
  if (budget != nullptr && count > many_.size() && !budget->ChargeWork(count - many_.size())) return false;
  try {
    if (count > many_.capacity()) {
      const std::size_t doubled = std::max(count, 2 * many_.capacity());
      const std::size_t capacity = std::min(doubled, static_cast<std::size_t>(kMaxElements));
      // The budget pays for the capacity, not the count: that is what is held.
      CalcMemoryCharge charge;
      if (!ChargeMemory(static_cast<std::int32_t>(capacity), budget, charge)) return false;
      many_.reserve(capacity);
      charge_ = std::move(charge);
    }
    many_.resize(count);  // new elements are zeros in the current kind
  } catch (const std::bad_alloc&) {
    return false;
  }
  // The elements that stay are brought to the current kind (and a time to the
  // current fps), as a copy into fresh storage would have done. One already
  // in the current kind, and not a time, would not change.
  const std::size_t kept = static_cast<std::size_t>(std::min(rows, rows_)) * static_cast<std::size_t>(columns_);
  const std::uint8_t kind = Numeric().current_kind;
  for (std::size_t i = 0; i < kept; ++i) {
    CalcValue& element = many_[i];
    if (element.kind() == kind && kind != kKindTime) continue;
    const CalcValue copy(element);
    element = copy;
    element.Sync();
  }
  rows_ = rows;
  return true;
}

bool CalcMatrix::Assign(const CalcMatrix& other, CalcRunBudget* budget) {
  if (this == &other) {
    for (std::int32_t i = 0; i < count(); ++i) data()[i].Sync();
    return true;
  }
  if (other.count() == 1) {
    single_ = other.single_;
    single_.Sync();
    std::vector<CalcValue>().swap(many_);
    charge_.Reset();  // a single element is held inline and costs the budget nothing
    rows_ = other.rows_;
    columns_ = other.columns_;
    return true;
  }
  CalcRunBudget* const on = BudgetFor(budget, other);
  CalcMemoryCharge charge;
  if (!ChargeMemory(other.count(), on, charge)) return false;
  std::vector<CalcValue> copy;
  try {
    copy.reserve(other.many_.size());
    // Copied in slices, like ZeroStorage fills.
    while (copy.size() < other.many_.size()) {
      const std::size_t slice = std::min(kFillSlice, other.many_.size() - copy.size());
      if (on != nullptr && !on->ChargeWork(slice)) return false;
      const auto from = other.many_.begin() + static_cast<std::ptrdiff_t>(copy.size());
      copy.insert(copy.end(), from, from + static_cast<std::ptrdiff_t>(slice));
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (CalcValue& element : copy) element.Sync();
  TakeElements(other.rows_, other.columns_, std::move(copy));
  charge_ = std::move(charge);
  return true;
}

// --- multiplication ----------------------------------------------------------------

void CalcMatrix::Scale(const CalcValue& factor) {
  // The factor may be one of our own elements; keep its value from before.
  const CalcValue by(factor);
  CalcValue* elements = data();
  for (std::int32_t i = 0; i < count(); ++i) elements[i] = ValueMultiply(elements[i], by);
}

bool CalcMatrix::Multiply(const CalcMatrix& right, CalcRunBudget* budget) {
  CalcRunBudget* const on = BudgetFor(budget, right);
  if (right.count() == 1) {
    if (on != nullptr && !on->ChargeWork(static_cast<std::uint64_t>(count()))) return false;
    Scale(right.First());
    return true;
  }
  if (count() == 1) {
    CalcMatrix scaled(0, 0, {});
    if (!scaled.Assign(right, on)) return false;
    scaled.Scale(First());
    *this = std::move(scaled);
    return true;
  }

  const std::int32_t rows = rows_;
  const std::int32_t columns = right.columns_;
  if (!ValidShape(rows, columns)) return false;
  CalcMemoryCharge charge;
  if (!ChargeMemory(rows * columns, on, charge)) return false;
  std::vector<CalcValue> product;
  if (!ZeroStorage(rows * columns, product, on)) return false;
  // The inner sum is as long as the larger operand (millions of terms for a
  // long vector), so the work is counted in slices of it: an interruption or
  // the step limit ends even a single element's sum within a moment.
  constexpr std::int32_t kSlice = 4096;
  const std::int32_t n = std::max(columns_, right.rows_);
  for (std::int32_t i = 0; i < rows; ++i) {
    for (std::int32_t j = 0; j < columns; ++j) {
      CalcValue& sum = product[static_cast<std::size_t>(i * columns + j)];
      for (std::int32_t k = 0; k < n;) {
        const std::int32_t end = n - k > kSlice ? k + kSlice : n;
        const std::int32_t slice = end - k;
        for (; k < end; ++k) ValueAdd(sum, ValueMultiply(Element(i, k), right.Element(k, j)));
        if (on != nullptr && !on->ChargeWork(static_cast<std::uint64_t>(slice))) return false;
      }
    }
  }
  // `right` may be this matrix: nothing of ours changes before this point.
  TakeElements(rows, columns, std::move(product));
  charge_ = std::move(charge);
  return true;
}

}  // namespace calc
