#include "library/matrix_arguments.h"

#include "core/status_codes.h"
#include "library/arguments.h"

namespace calc {

int ReadMatrixArgument(const BuiltinCall& call, CalcMatrix& value, const CalcMatrix*& source) {
  int code = -1;
  if (const int status = TakeArray(call.engine(), code)) return status;
  if (code >= 0) {
    source = &call.engine().storage().arrays().Matrix(static_cast<std::uint8_t>(code));
    return kDone;
  }
  if (const int status = ReadExpression(call, value)) return status;
  source = &value;
  return kDone;
}

bool ArgumentFollows(const BuiltinCall& call) {
  const CalcToken* next = call.evaluator.Peek();
  return next != nullptr && next->kind() != kTokOperator && CalcEvaluator::CanBeginOperand(*next);
}

int TakeOutputArray(const BuiltinCall& call, std::uint8_t& code) {
  CalcEngine& engine = call.engine();
  const CalcToken* token = call.evaluator.Peek();
  const bool by_code = token != nullptr && token->kind() == kTokArray;
  int found = -1;
  if (const int status = TakeArray(engine, found)) return status;
  if (found < 0) return ArgumentFollows(call) ? call.evaluator.Fail(E_FUNCTION, token) : call.Fail(E_FUNCTION);
  code = static_cast<std::uint8_t>(found);
  if (by_code) engine.storage().arrays().Claim(code);
  return kDone;
}

CalcMatrix& OutputMatrix(const BuiltinCall& call, std::uint8_t code) {
  return call.engine().storage().arrays().Matrix(code);
}

CalcRunBudget* RunBudget(const BuiltinCall& call) { return &call.engine().budget(); }

int ConcludeWarned(const BuiltinCall& call, int status, int warning) {
  if (status == kDone) return kDone;
  if (status != warning) return call.Fail(status);
  call.events.Raise(DomainEvents::kMatrix);
  call.ReportMatrixEvent(warning);
  return kDone;
}

}  // namespace calc
