#include "language/integer_operators.h"

#include <algorithm>
#include <string>

#include "core/integer_arithmetic.h"
#include "core/keywords.h"
#include "core/modes.h"
#include "core/status_codes.h"
#include "language/engine.h"

namespace calc {
namespace {

// Stores the exact value narrowed into `element` and reports its range
// warning: an element of a matrix result carries its exact value as text,
// a single result none, as in the evaluator's normalisation.
void StoreNarrowed(CalcEvaluator& ev, const WideInteger& exact, CalcValue& element, bool element_of_matrix) {
  const CalcContext& ctx = ev.engine().context();
  const std::uint16_t mode = ctx.mode();
  if (ctx.range_warnings) {
    if (const int warning = RangeWarningOf(exact, mode)) {
      const std::string text = element_of_matrix ? exact.ToText() : std::string();
      ev.engine().ReportWith(warning, Offender{nullptr, text});
    }
  }
  element.Sync();
  element.SetReal(static_cast<double>(NarrowWide(exact, mode)));
}

// Every element of `m` times the single value `factor`.
void ScaleElements(CalcEvaluator& ev, CalcMatrix& m, std::int64_t factor) {
  const bool matrix = m.count() != 1;
  for (std::int32_t i = 0; i < m.count(); ++i) {
    CalcValue& element = m.At(i);
    WideInteger exact;
    ExactIntegerOperation(kOpMultiply, element.ToInteger(), factor, ev.engine().context().mode(), exact);
    StoreNarrowed(ev, exact, element, matrix);
  }
}

// The shapes of CalcMatrix::Multiply, on exact integers: each element of a
// matrix product is a sum of exact products, narrowed once at the end.
int Multiply(CalcEvaluator& ev, CalcMatrix& left, const CalcMatrix& right, const CalcToken& op) {
  const std::uint16_t mode = ev.engine().context().mode();
  if (right.count() == 1) {
    ScaleElements(ev, left, right.First().ToInteger());
    return 0;
  }
  if (left.count() == 1) {
    const std::int64_t factor = left.First().ToInteger();
    if (!left.Assign(right)) return ev.Fail(E_MEM, &op);
    ScaleElements(ev, left, factor);
    return 0;
  }
  std::optional<CalcMatrix> product = CalcMatrix::Make(left.rows(), right.columns());
  if (!product) return ev.Fail(E_MEM, &op);
  const bool matrix = product->count() != 1;
  const std::int32_t n = std::max(left.columns(), right.rows());
  for (std::int32_t i = 0; i < product->rows(); ++i) {
    for (std::int32_t j = 0; j < product->columns(); ++j) {
      WideInteger sum;
      for (std::int32_t k = 0; k < n; ++k) {
        sum += WideInteger::Product(NarrowInteger(left.Element(i, k).ToInteger(), mode),
                                    NarrowInteger(right.Element(k, j).ToInteger(), mode));
      }
      StoreNarrowed(ev, sum, product->At(i * product->columns() + j), matrix);
    }
  }
  left = std::move(*product);
  return 0;
}

// Both operands single values stored in the current kind, the usual case:
// read and written in place, without the copies that First and SetScalar
// make. Those copies would give the same numbers (the values need no
// conversion), so this is only the general path below made short.
std::optional<int> ApplyToSingles(CalcEvaluator& ev, int id, CalcMatrix& left, const CalcMatrix& right,
                                  std::uint16_t mode) {
  const CalcValue* a = FirstAsStored(left);
  const CalcValue* b = FirstAsStored(right);
  WideInteger exact;
  if (!ExactIntegerOperation(id, a->ToInteger(), b->ToInteger(), mode, exact)) return std::nullopt;
  StoreNarrowed(ev, exact, left.At(0), false);
  return 0;
}

bool IsStoredSingle(const CalcMatrix& m) { return m.count() == 1 && FirstAsStored(m) != nullptr; }

}  // namespace

std::optional<int> ApplyIntegerOperator(CalcEvaluator& ev, int id, CalcMatrix& left, const CalcMatrix& right,
                                        const CalcToken& op) {
  const std::uint16_t mode = ev.engine().context().mode();
  if (!InGroup(mode, kGroupInteger)) return std::nullopt;
  if (IsStoredSingle(left) && IsStoredSingle(right)) return ApplyToSingles(ev, id, left, right, mode);
  if (id == kOpMultiply) return Multiply(ev, left, right, op);
  if ((id == kOpAdd || id == kOpSubtract) && right.count() != 1) return std::nullopt;

  const std::int64_t divisor = right.First().ToInteger();
  if (id == kOpDivide || id == kOpRemainder) {
    if (NarrowInteger(divisor, mode) == 0) return std::nullopt;
    const bool matrix = left.count() != 1;
    for (std::int32_t i = 0; i < left.count(); ++i) {
      CalcValue& element = left.At(i);
      WideInteger exact;
      ExactIntegerOperation(id, element.ToInteger(), divisor, mode, exact);
      StoreNarrowed(ev, exact, element, matrix);
    }
    return 0;
  }

  WideInteger exact;
  if (!ExactIntegerOperation(id, left.First().ToInteger(), right.First().ToInteger(), mode, exact))
    return std::nullopt;
  CalcValue value;
  StoreNarrowed(ev, exact, value, false);
  SetScalar(left, value);
  return 0;
}

}  // namespace calc
