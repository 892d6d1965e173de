// The argument forms that built-in functions and library commands share:
// a variable to assign to, an array, and a string. Each takes its tokens from
// the evaluator's cursor and leaves the cursor after them; when the next
// token is not of its form it takes nothing and says so, and the caller
// picks the error (a function's E_FUNCTION, a command's E_COMMAND_PARAM).
#pragma once

#include <cstdint>
#include <string>

#include "core/token.h"
#include "core/value.h"
#include "language/engine.h"

namespace calc {

// The variable an argument names.
struct VariableTarget {
  std::uint8_t code = 0;
  bool by_code = false;              // "@x": the slot is claimed when it is written
  const CalcToken* token = nullptr;  // for reports
};

// Takes the next token when it names a variable: a reference by code ("@x",
// or "@:" and the operand that computes the code), a variable by name, or a
// name that names nothing while the engine declares variables implicitly
// (the variable is then declared). A reference by code is marked as used at
// once. `found` is false, with nothing taken, for any other token. 0, or the
// error of a computed code or of a declaration (E_MEM), recorded.
int TakeVariable(CalcEngine& engine, VariableTarget& target, bool& found);

// Stores into the target. 0, or E_ASS for a constant (E_MEM when memory is
// short), recorded with the target's token.
int AssignVariable(CalcEngine& engine, const VariableTarget& target, const CalcValue& value);

// Takes the next token when it names an array: "@@x" (or "@@:" and its
// operand), an array by name, or a name of an array. `code` is the slot, or
// -1 with nothing taken for any other token. 0, or the error of a computed
// code.
int TakeArray(CalcEngine& engine, int& code);

// TakeArray for an array that is about to be written: a reference by code
// claims its slot (relocation, state 1), as any store by code does.
int TakeWritableArray(CalcEngine& engine, int& code);

// A string argument: a string literal's text; the array string of an array
// the next token names; or any other operand, whose integer value is a
// string-stream handle standing for the unread rest of that stream (its
// position does not move); a handle that names no stream stands for the
// empty string. 0; E_RVALUE_NULL, with nothing taken, when
// no argument follows; or the operand's error.
int TakeString(CalcEngine& engine, std::string& text);

}  // namespace calc
