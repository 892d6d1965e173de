// The built-ins that work on names: "defined" asks whether a name names
// anything, "call" runs the function a string names.
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/keywords.h"
#include "core/literal.h"
#include "core/status_codes.h"
#include "library/builtin_handlers.h"
#include "library/builtins.h"

namespace calc::builtins {
namespace {

constexpr int BuiltinId(std::string_view name) {
  for (int id = 0; id < kBuiltinCount; ++id)
    if (kBuiltinNames[id] == name) return id;
  return -1;
}
constexpr int kCallId = BuiltinId("call");
static_assert(kCallId >= 0);

// An identifier that the evaluator could not read: no variable, array,
// user-defined function or number has it.
bool NamesNothing(CalcEngine& engine, const CalcToken& token) {
  if (token.kind() != kTokName) return false;
  CalcStorage& storage = engine.storage();
  const std::string_view name = token.text();
  if (storage.NameExists(name) || storage.calls().functions.Find(name, false) != nullptr) return false;
  CalcValue number;
  return !ParseNumber(engine.context(), name, number);
}

// The token an operand consists of, under any number of parentheses ("x",
// "(x)", "((x))"), or the operand's first token when it is more than one
// token (an expression, which is no name).
const CalcToken& LoneToken(CalcTokenList::const_iterator operand, CalcTokenList::const_iterator end) {
  auto inner = operand;
  int opened = 0;
  for (; inner != end && inner->kind() == kTokOpen; ++inner) ++opened;
  if (inner == end) return *operand;
  auto after = std::next(inner);
  for (int closed = 0; closed < opened; ++closed, ++after)
    if (after == end || after->kind() != kTokClose) return *operand;
  return *inner;
}

}  // namespace

// Examines the operand that follows without evaluating it, and passes over
// it: 0 only for a name that names nothing, alone or in parentheses.
int Defined(BuiltinCall& call) {
  CalcEvaluator& ev = call.evaluator;
  const CalcToken* next = ev.Peek();
  if (next == nullptr || !CalcEvaluator::CanBeginOperand(*next)) return call.Fail(E_FUNCTION);
  const bool defined = !NamesNothing(call.engine(), LoneToken(ev.Position(), ev.list()->end()));
  if (next->kind() == kTokName) {
    ev.Take();  // a name alone: its following operands are not its own
  } else if (const int status = ev.SkipOperand()) {
    return status;
  }
  call.SetReal(defined ? 1.0 : 0.0);
  return kDone;
}

// "call" naming "call" again is followed by a loop rather than a nested
// dispatch, so a long chain of them cannot deepen the stack.
int Call(BuiltinCall& call) {
  CalcEvaluator& ev = call.evaluator;
  for (;;) {
    const CalcToken* at = ev.Peek();
    std::string name;
    const int status = TakeString(call.engine(), name);
    if (status == E_RVALUE_NULL) return call.Fail(E_FUNCTION);
    if (status != kDone) return status;
    if (name.size() > 1 && name[0] == '!') {
      const CalcToken external = CalcToken::Text(kTokExternal, std::string_view(name).substr(1));
      return call.engine().CallExternalFunction(external, call.result);
    }
    const std::optional<std::uint8_t> id = LookupBuiltin(name);
    if (!id) return ev.Fail(E_CALL, at);
    if (*id == kCallId) continue;
    const CalcToken callee(kTokBuiltin, *id);
    return DispatchBuiltin(ev, callee, call.result);
  }
}

}  // namespace calc::builtins
