#include "language/operators.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>

#include "core/arithmetic.h"
#include "core/keywords.h"
#include "core/status_codes.h"
#include "core/truncation.h"
#include "language/engine.h"
#include "language/integer_operators.h"

namespace calc {
namespace {

bool IsSingle(const CalcMatrix& m) { return m.rows() == 1 && m.columns() == 1; }

// The first element as the unsigned 32-bit integer the bit operators use.
std::uint32_t BitsOf(const CalcMatrix& m) { return TruncToUint32(m.First().ToReal()); }

// v modulo d, by v's kind: exact for fractions, on the seconds of a time, and
// on each part of a complex value (by the real part of d).
void Remainder(CalcValue& v, const CalcValue& d) {
  switch (v.Sync()) {
    case kKindFraction: {
      if (IsZeroValue(d)) {
        v.SetReal(std::nan(""));
        return;
      }
      CalcValue quotient = v;
      ValueDivide(quotient, d);
      CalcValue divisor = d;
      divisor.Sync();
      const CalcValue whole = ValueMultiply(divisor, CalcValue::FromReal(std::trunc(quotient.ToReal())));
      ValueSubtract(v, whole);
      return;
    }
    case kKindTime:
      v.SetReal(std::fmod(TimeToSeconds(v.AsTime()), d.ToReal()));
      return;
    default: {
      const double divisor = d.ToReal();
      CalcComplex& z = v.AsComplex();
      z.re = std::fmod(z.re, divisor);
      if (z.im != 0.0) z.im = std::fmod(z.im, divisor);
      return;
    }
  }
}

// --- prefix operators: each reads its own operand ---

int StepAndStore(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op, int delta) {
  if (const int status = ev.EvaluateOperand(result)) return status;
  const CalcLvalueRef target = ev.lvalue();
  if (target.kind == CalcLvalueRef::kNone) return ev.Fail(E_RVALUE, &op);
  CalcValue value = result.First();
  ValueAddReal(value, delta);  // a time steps by one second
  ev.Normalize(value);
  SetScalar(result, value);
  return ev.Store(target, result, &op);
}

int PreIncrement(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) { return StepAndStore(ev, result, op, 1); }
int PreDecrement(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) { return StepAndStore(ev, result, op, -1); }

// In the integer modes the complement is the type's own (-1 - x), which
// never leaves the type; elsewhere it is that of the unsigned 32-bit image.
int BitNot(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  if (const int status = ev.EvaluateOperand(result)) return status;
  ev.lvalue().Clear();
  const std::uint16_t mode = ev.engine().context().mode();
  if (InGroup(mode, kGroupInteger))
    SetScalarReal(result, static_cast<double>(NarrowInteger(~NarrowInteger(result.First().ToInteger(), mode), mode)));
  else
    SetScalarReal(result, static_cast<double>(~BitsOf(result)));
  return 0;
}

int LogicalNot(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  if (const int status = ev.EvaluateOperand(result)) return status;
  ev.lvalue().Clear();
  SetScalarReal(result, TruncToInt64(result.First().ToReal()) == 0 ? 1.0 : 0.0);
  return 0;
}

int Negate(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  if (const int status = ev.EvaluateOperand(result)) return status;
  ev.lvalue().Clear();
  for (std::int32_t i = 0; i < result.count(); ++i) result.At(i) = result.At(i).Negate();
  return 0;
}

int Plus(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  if (const int status = ev.EvaluateOperand(result)) return status;
  ev.lvalue().Clear();
  return 0;
}

// --- postfix operators: queued for the end of the expression ---

int PostIncrement(CalcEvaluator& ev, CalcMatrix&, const CalcToken& op) { return ev.QueuePostOp(1, op); }
int PostDecrement(CalcEvaluator& ev, CalcMatrix&, const CalcToken& op) { return ev.QueuePostOp(-1, op); }

// --- infix operators ---

// "*" to "|": one right operand, then the binary operation. The result of an
// operation is no assignable operand.
int Binary(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) {
  CalcMatrix right;
  if (const int status = ev.EvaluateOperand(right)) return status;
  ev.lvalue().Clear();
  return ApplyBinaryOperator(ev, op.code(), result, right, op);
}

// "&&" and "||": when the left value already decides the result, the right
// operand is skipped without being evaluated; otherwise the result is the
// truth of the right operand.
int ShortCircuit(CalcEvaluator& ev, CalcMatrix& result, bool decided, double decided_value) {
  if (decided) {
    if (const int status = ev.SkipOperand()) return status;
    SetScalarReal(result, decided_value);
    return 0;
  }
  CalcMatrix right;
  if (const int status = ev.EvaluateOperand(right)) return status;
  ev.lvalue().Clear();
  SetScalarReal(result, IsTrue(right) ? 1.0 : 0.0);
  return 0;
}

int LogicalAnd(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  return ShortCircuit(ev, result, !IsTrue(result), 0.0);
}

int LogicalOr(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) {
  return ShortCircuit(ev, result, IsTrue(result), 1.0);
}

// "?": the two branches follow it directly, a single operand each; only the
// chosen one is evaluated. A branch that is missing, or that is not an
// operand, is E_CONDITIONAL; other failures inside the chosen branch keep
// their own code.
int Conditional(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) {
  const auto branch_error = [&](int status) {
    return status == E_RVALUE_NULL || status == E_CONSTANT ? ev.Fail(E_CONDITIONAL, &op) : status;
  };
  const bool take_first = IsTrue(result);
  if (!take_first)
    if (ev.SkipOperand() != 0) return ev.Fail(E_CONDITIONAL, &op);
  if (const int status = ev.EvaluateOperand(result)) return branch_error(status);
  ev.lvalue().Clear();
  if (take_first)
    if (ev.SkipOperand() != 0) return ev.Fail(E_CONDITIONAL, &op);
  return 0;
}

int Assign(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) {
  const CalcLvalueRef target = ev.lvalue();
  if (target.kind == CalcLvalueRef::kNone) return ev.Fail(E_LVALUE, &op);
  if (const int status = ev.EvaluateOperand(result)) return status;
  ev.Normalize(result);
  return ev.Store(target, result, &op);
}

// The operator a compound assignment combines with.
int BaseOf(int compound) {
  switch (compound) {
    case kOpMultiplyAssign: return kOpMultiply;
    case kOpDivideAssign: return kOpDivide;
    case kOpRemainderAssign: return kOpRemainder;
    case kOpAddAssign: return kOpAdd;
    case kOpSubtractAssign: return kOpSubtract;
    case kOpShiftLeftAssign: return kOpShiftLeft;
    case kOpShiftRightAssign: return kOpShiftRight;
    case kOpAndAssign: return kOpBitAnd;
    case kOpOrAssign: return kOpBitOr;
    case kOpXorAssign: return kOpBitXor;
    default: return -1;
  }
}

int CompoundAssign(CalcEvaluator& ev, CalcMatrix& result, const CalcToken& op) {
  const CalcLvalueRef target = ev.lvalue();
  if (target.kind == CalcLvalueRef::kNone) return ev.Fail(E_LVALUE, &op);
  CalcMatrix right;
  if (const int status = ev.EvaluateOperand(right)) return status;
  if (const int status = ApplyBinaryOperator(ev, BaseOf(op.code()), result, right, op)) return status;
  ev.Normalize(result);
  return ev.Store(target, result, &op);
}

int Comma(CalcEvaluator& ev, CalcMatrix& result, const CalcToken&) { return ev.EvaluateOperand(result); }

// ORDER OperatorCode: the handler of id i is entry i.
constexpr OperatorHandler kHandlers[] = {
    PreIncrement,    // 0  [++]
    PreDecrement,    // 1  [--]
    BitNot,          // 2  [~]
    LogicalNot,      // 3  [!]
    Negate,          // 4  [-]
    Plus,            // 5  [+]
    PostIncrement,   // 6  ++
    PostDecrement,   // 7  --
    Binary,          // 8  *
    Binary,          // 9  /
    Binary,          // 10 %
    Binary,          // 11 +
    Binary,          // 12 -
    Binary,          // 13 <<
    Binary,          // 14 >>
    Binary,          // 15 <
    Binary,          // 16 <=
    Binary,          // 17 >
    Binary,          // 18 >=
    Binary,          // 19 ==
    Binary,          // 20 !=
    Binary,          // 21 &
    Binary,          // 22 ^
    Binary,          // 23 |
    LogicalAnd,      // 24 &&
    LogicalOr,       // 25 ||
    Conditional,     // 26 ?
    Assign,          // 27 =
    CompoundAssign,  // 28 *=
    CompoundAssign,  // 29 /=
    CompoundAssign,  // 30 %=
    CompoundAssign,  // 31 +=
    CompoundAssign,  // 32 -=
    CompoundAssign,  // 33 <<=
    CompoundAssign,  // 34 >>=
    CompoundAssign,  // 35 &=
    CompoundAssign,  // 36 |=
    CompoundAssign,  // 37 ^=
    Comma,           // 38 ,
};
static_assert(std::size(kHandlers) == kOperatorCount, "one handler per operator id");

}  // namespace

OperatorHandler OperatorHandlerFor(int id) {
  if (id < 0 || id >= kOperatorCount) return nullptr;
  return kHandlers[id];
}

int ApplyBinaryOperator(CalcEvaluator& ev, int id, CalcMatrix& left, const CalcMatrix& right, const CalcToken& op) {
  if (const std::optional<int> status = ApplyIntegerOperator(ev, id, left, right, op)) return *status;
  switch (id) {
    case kOpMultiply:
      return left.Multiply(right) ? 0 : ev.Fail(E_MEM, &op);

    case kOpDivide:
    case kOpRemainder: {
      const CalcValue divisor = right.First();
      if (IsSingle(right) && IsZeroValue(divisor)) ev.Warn(W_DIV, &op);
      for (std::int32_t i = 0; i < left.count(); ++i) {
        if (id == kOpDivide)
          ValueDivide(left.At(i), divisor);
        else
          Remainder(left.At(i), divisor);
      }
      return 0;
    }

    case kOpAdd:
    case kOpSubtract: {
      if (IsSingle(right)) {
        // In place when copying the first element out and back would change
        // nothing: the sum is then the same value, without two copies.
        if (IsSingle(left) && FirstAsStored(left) != nullptr) {
          CalcValue& value = left.At(0);
          if (id == kOpAdd)
            ValueAdd(value, right.At(0));
          else
            ValueSubtract(value, right.At(0));
          value.Sync();
          return 0;
        }
        CalcValue value = left.First();
        if (id == kOpAdd)
          ValueAdd(value, right.At(0));
        else
          ValueSubtract(value, right.At(0));
        SetScalar(left, value);
        return 0;
      }
      const std::int32_t rows = std::max(left.rows(), right.rows());
      const std::int32_t columns = std::max(left.columns(), right.columns());
      if ((rows != left.rows() || columns != left.columns()) && !left.Resize(rows, columns))
        return ev.Fail(E_MEM, &op);
      for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) {
          CalcValue& element = left.At(r * columns + c);
          const CalcValue other = right.Element(r, c);
          if (id == kOpAdd)
            ValueAdd(element, other);
          else
            ValueSubtract(element, other);
        }
      }
      return 0;
    }

    case kOpShiftLeft:
    case kOpShiftRight:
    case kOpBitAnd:
    case kOpBitXor:
    case kOpBitOr: {
      const std::uint32_t a = BitsOf(left);
      const std::uint32_t b = BitsOf(right);
      std::uint32_t bits = 0;
      switch (id) {
        case kOpShiftLeft: bits = a << (b & 31u); break;
        case kOpShiftRight: bits = a >> (b & 31u); break;
        case kOpBitAnd: bits = a & b; break;
        case kOpBitXor: bits = a ^ b; break;
        default: bits = a | b; break;
      }
      SetScalarReal(left, static_cast<double>(bits));
      return 0;
    }

    case kOpLess:
    case kOpLessEqual:
    case kOpGreater:
    case kOpGreaterEqual:
    case kOpEqual:
    case kOpNotEqual: {
      const double a = FirstReal(left);
      const double b = FirstReal(right);
      bool holds = false;
      switch (id) {
        case kOpLess: holds = a < b; break;
        case kOpLessEqual: holds = a <= b; break;
        case kOpGreater: holds = a > b; break;
        case kOpGreaterEqual: holds = a >= b; break;
        case kOpEqual: holds = a == b; break;
        default: holds = a != b; break;
      }
      SetScalarReal(left, holds ? 1.0 : 0.0);
      return 0;
    }

    default:
      return ev.Fail(E_OPERATOR, &op);
  }
}

}  // namespace calc
