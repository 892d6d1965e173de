#include "library/arguments.h"

#include "core/status_codes.h"
#include "core/truncation.h"
#include "library/library_state.h"

namespace calc {
namespace {

// The character of a reference by code that asks for a computed code.
constexpr std::uint8_t kComputedCode = ':';

// Takes a reference by code; "@:" and "@@:" take the operand that computes it.
int TakeCode(CalcEvaluator& ev, const CalcToken& token, std::uint8_t& code) {
  ev.Take();
  code = token.code();
  if (code == kComputedCode) return ev.ReadComputedCode(code);
  return kDone;
}

}  // namespace

int TakeVariable(CalcEngine& engine, VariableTarget& target, bool& found) {
  CalcEvaluator& ev = engine.evaluator();
  CalcVariableTable& variables = engine.storage().variables();
  found = false;
  const CalcToken* token = ev.Peek();
  if (token == nullptr) return kDone;
  target.token = token;
  if (token->kind() == kTokVariable) {
    if (const int status = TakeCode(ev, *token, target.code)) return status;
    target.by_code = true;
    // Marked as used now, so that a read before the store sees its slot.
    variables.Claim(target.code);
    found = true;
    return kDone;
  }
  if (token->kind() != kTokVariableName && token->kind() != kTokName) return kDone;
  int code = variables.Find(token->text());
  if (code < 0) {
    if (token->kind() != kTokName || !engine.settings().implicit_variables) return kDone;
    if (engine.storage().arrays().Find(token->text()) >= 0) return kDone;
    code = variables.Declare(token->text(), CalcValue(), false);
    if (code < 0) return ev.Fail(E_MEM, token);
  }
  ev.Take();
  target.code = static_cast<std::uint8_t>(code);
  target.by_code = false;
  found = true;
  return kDone;
}

int AssignVariable(CalcEngine& engine, const VariableTarget& target, const CalcValue& value) {
  const int status = engine.storage().SetVariable(target.code, value, target.by_code);
  return status == kDone ? kDone : engine.evaluator().Fail(status, target.token);
}

int TakeArray(CalcEngine& engine, int& code) {
  CalcEvaluator& ev = engine.evaluator();
  code = -1;
  const CalcToken* token = ev.Peek();
  if (token == nullptr) return kDone;
  if (token->kind() == kTokArray) {
    std::uint8_t slot = 0;
    if (const int status = TakeCode(ev, *token, slot)) return status;
    code = slot;
    return kDone;
  }
  if (token->kind() != kTokArrayName && token->kind() != kTokName) return kDone;
  const CalcStorage& storage = engine.storage();
  // A name that names a variable is no array, whatever the array table says.
  if (token->kind() == kTokName && storage.variables().Find(token->text()) >= 0) return kDone;
  const int found = storage.arrays().Find(token->text());
  if (found < 0) return kDone;
  ev.Take();
  code = found;
  return kDone;
}

int TakeWritableArray(CalcEngine& engine, int& code) {
  const CalcToken* token = engine.evaluator().Peek();
  const bool by_code = token != nullptr && token->kind() == kTokArray;
  if (const int status = TakeArray(engine, code)) return status;
  if (code >= 0 && by_code) engine.storage().arrays().Claim(static_cast<std::uint8_t>(code));
  return kDone;
}

int TakeString(CalcEngine& engine, std::string& text) {
  CalcEvaluator& ev = engine.evaluator();
  text.clear();
  const CalcToken* token = ev.Peek();
  if (token == nullptr) return ev.Fail(E_RVALUE_NULL, nullptr);
  if (token->kind() == kTokString) {
    ev.Take();
    text = token->text();
    return kDone;
  }
  int array = -1;
  if (const int status = TakeArray(engine, array)) return status;
  if (array >= 0) {
    text = ArrayString(engine.storage().arrays(), static_cast<std::uint8_t>(array));
    return kDone;
  }
  if (!CalcEvaluator::CanBeginOperand(*token)) return ev.Fail(E_RVALUE_NULL, token);
  CalcMatrix handle;
  if (const int status = ev.EvaluateOperand(handle)) return status;
  const int stream_handle = ToHandle(TruncToInt64(handle.First().ToReal()));
  if (const CalcStream* stream = RunState(engine).streams.Get(stream_handle)) text = stream->Rest();
  return kDone;
}

}  // namespace calc
