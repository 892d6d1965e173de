#include "library/command_arguments.h"

#include "core/status_codes.h"

namespace calc {
namespace {

// The next token when there is one, else the command: what a report names.
const CalcToken* NextOrCommand(CalcEvaluator& ev, const CalcToken& command) {
  const CalcToken* next = ev.Peek();
  return next != nullptr ? next : &command;
}

}  // namespace

int ReadCommandValue(CalcEngine& engine, const CalcToken& command, CalcMatrix& out) {
  CalcEvaluator& ev = engine.evaluator();
  if (!ev.NextCanBeginOperand() || ev.EvaluateOperand(out) != kDone) return ev.Fail(E_COMMAND_PARAM, &command);
  return kDone;
}

int ReadCommandVariable(CalcEngine& engine, const CalcToken& command, VariableTarget& target) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* offender = NextOrCommand(ev, command);
  bool found = false;
  const int status = TakeVariable(engine, target, found);
  if (status == E_MEM) return status;
  if (status != kDone || !found) return ev.Fail(E_COMMAND_PARAM, offender);
  return kDone;
}

int ReadCommandString(CalcEngine& engine, const CalcToken& command, std::string& text) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* offender = NextOrCommand(ev, command);
  const int status = TakeString(engine, text);
  if (status == E_MEM) return status;
  if (status != kDone) return ev.Fail(E_COMMAND_PARAM, offender);
  return kDone;
}

int ReadTargetArray(CalcEngine& engine, const CalcToken& command, std::uint8_t& code) {
  CalcEvaluator& ev = engine.evaluator();
  const CalcToken* offender = NextOrCommand(ev, command);
  int found = -1;
  if (TakeWritableArray(engine, found) != kDone || found < 0) return ev.Fail(E_COMMAND_PARAM, offender);
  code = static_cast<std::uint8_t>(found);
  return kDone;
}

}  // namespace calc
