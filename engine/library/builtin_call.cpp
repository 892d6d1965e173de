#include "library/builtin_call.h"

#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/io_handle.h"

namespace calc {

void BuiltinCall::SetReal(double x) const { SetScalarReal(result, x); }

void BuiltinCall::SetComplex(const CalcComplex& z) const {
  CalcValue v;
  v.AsComplex() = z;
  SetScalar(result, v);  // synced: a real number in a fraction mode becomes n/d
}

void BuiltinCall::SetValue(const CalcValue& v) const { SetScalar(result, v); }

void BuiltinCall::ReportDomainEvents(int warning) const {
  if (ComplexMode() || !events.AnyDomainEvent()) return;
  Warn(warning);
  events.ClearDomainEvents();
}

void BuiltinCall::ReportMatrixEvent(int warning) const {
  if (!events.raised[DomainEvents::kMatrix]) return;
  Warn(warning);
  events.Clear(DomainEvents::kMatrix);
}

int ReadExpression(const BuiltinCall& call, CalcMatrix& out) {
  CalcEvaluator& ev = call.evaluator;
  const CalcToken* next = ev.Peek();
  if (next == nullptr || next->kind() == kTokClose || next->kind() == kTokOperator) {
    // An operator that can begin an operand is a prefix one: the argument.
    if (next == nullptr || !CalcEvaluator::CanBeginOperand(*next)) return call.Fail(E_FUNCTION);
  } else if (!CalcEvaluator::CanBeginOperand(*next)) {
    return ev.Fail(E_CONSTANT, next);
  }
  // A command or statement as the argument runs but gives no value.
  const int status = ev.EvaluateOperand(out);
  return status == E_RVALUE_NULL || status == kNoValue ? call.Fail(E_FUNCTION) : status;
}

int ReadValue(const BuiltinCall& call, CalcValue& out) {
  CalcMatrix value;
  if (const int status = ReadExpression(call, value)) return status;
  out = value.First();
  return kDone;
}

int ReadInteger(const BuiltinCall& call, std::int64_t& out) {
  CalcValue value;
  if (const int status = ReadValue(call, value)) return status;
  out = TruncToInt64(value.ToReal());
  return kDone;
}

int ReadHandle(const BuiltinCall& call, int& handle) {
  std::int64_t number = 0;
  if (const int status = ReadInteger(call, number)) return status;
  handle = ToHandle(number);
  return kDone;
}

int ReadString(const BuiltinCall& call, std::string& out) {
  const int status = TakeString(call.engine(), out);
  return status == E_RVALUE_NULL ? call.Fail(E_FUNCTION) : status;
}

int ReadArray(const BuiltinCall& call, std::uint8_t& code) {
  int found = -1;
  if (const int status = TakeWritableArray(call.engine(), found)) return status;
  if (found < 0) {
    const CalcToken* next = call.evaluator.Peek();
    return next != nullptr ? call.evaluator.Fail(E_FUNCTION, next) : call.Fail(E_FUNCTION);
  }
  code = static_cast<std::uint8_t>(found);
  return kDone;
}

}  // namespace calc
