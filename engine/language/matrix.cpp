#include "language/matrix.h"

#include <algorithm>
#include <new>
#include <utility>

#include "core/arithmetic.h"

namespace calc {

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
    : rows_(std::exchange(other.rows_, 0)),
      columns_(std::exchange(other.columns_, 0)),
      single_(other.single_),
      many_(std::move(other.many_)) {
  other.many_.clear();
}

CalcMatrix& CalcMatrix::operator=(CalcMatrix&& other) noexcept {
  if (this != &other) {
    rows_ = std::exchange(other.rows_, 0);
    columns_ = std::exchange(other.columns_, 0);
    single_ = other.single_;
    many_ = std::move(other.many_);
    other.many_.clear();
  }
  return *this;
}

bool CalcMatrix::ZeroStorage(std::int32_t count, std::vector<CalcValue>& out) {
  try {
    std::vector<CalcValue> zeros(static_cast<std::size_t>(count));
    out.swap(zeros);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

std::optional<CalcMatrix> CalcMatrix::Make(std::int32_t rows, std::int32_t columns) {
  if (!ValidShape(rows, columns)) return std::nullopt;
  if (rows == 1 && columns == 1) return CalcMatrix();
  std::vector<CalcValue> elements;
  if (!ZeroStorage(rows * columns, elements)) return std::nullopt;
  return CalcMatrix(rows, columns, std::move(elements));
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

bool CalcMatrix::Resize(std::int32_t rows, std::int32_t columns) {
  if (!ValidShape(rows, columns)) return false;
  if (columns == columns_ && count() != 1 && rows * columns != 1) return ResizeRows(rows);
  std::vector<CalcValue> resized;
  if (!ZeroStorage(rows * columns, resized)) return false;
  const std::int32_t kept_rows = std::min(rows, rows_);
  const std::int32_t kept_columns = std::min(columns, columns_);
  const CalcValue* old = data();
  for (std::int32_t i = 0; i < kept_rows; ++i) {
    for (std::int32_t j = 0; j < kept_columns; ++j) {
      CalcValue& kept = resized[static_cast<std::size_t>(i * columns + j)];
      kept = old[i * columns_ + j];
      kept.Sync();
    }
  }
  TakeElements(rows, columns, std::move(resized));
  return true;
}

bool CalcMatrix::ResizeRows(std::int32_t rows) {
  const std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns_);
  try {
    if (count > many_.capacity()) {
      const std::size_t doubled = std::max(count, 2 * many_.capacity());
      many_.reserve(std::min(doubled, static_cast<std::size_t>(kMaxElements)));
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

bool CalcMatrix::Assign(const CalcMatrix& other) {
  if (this == &other) {
    for (std::int32_t i = 0; i < count(); ++i) data()[i].Sync();
    return true;
  }
  if (other.count() == 1) {
    single_ = other.single_;
    single_.Sync();
    std::vector<CalcValue>().swap(many_);
    rows_ = other.rows_;
    columns_ = other.columns_;
    return true;
  }
  std::vector<CalcValue> copy;
  try {
    copy = other.many_;
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (CalcValue& element : copy) element.Sync();
  TakeElements(other.rows_, other.columns_, std::move(copy));
  return true;
}

// --- multiplication ----------------------------------------------------------------

void CalcMatrix::Scale(const CalcValue& factor) {
  // The factor may be one of our own elements; keep its value from before.
  const CalcValue by(factor);
  CalcValue* elements = data();
  for (std::int32_t i = 0; i < count(); ++i) elements[i] = ValueMultiply(elements[i], by);
}

bool CalcMatrix::Multiply(const CalcMatrix& right) {
  if (right.count() == 1) {
    Scale(right.First());
    return true;
  }
  if (count() == 1) {
    CalcMatrix scaled(0, 0, {});
    if (!scaled.Assign(right)) return false;
    scaled.Scale(First());
    *this = std::move(scaled);
    return true;
  }

  const std::int32_t rows = rows_;
  const std::int32_t columns = right.columns_;
  if (!ValidShape(rows, columns)) return false;
  std::vector<CalcValue> product;
  if (!ZeroStorage(rows * columns, product)) return false;
  const std::int32_t n = std::max(columns_, right.rows_);
  for (std::int32_t i = 0; i < rows; ++i) {
    for (std::int32_t j = 0; j < columns; ++j) {
      CalcValue& sum = product[static_cast<std::size_t>(i * columns + j)];
      for (std::int32_t k = 0; k < n; ++k) {
        ValueAdd(sum, ValueMultiply(Element(i, k), right.Element(k, j)));
      }
    }
  }
  // `right` may be this matrix: nothing of ours changes before this point.
  TakeElements(rows, columns, std::move(product));
  return true;
}

}  // namespace calc
