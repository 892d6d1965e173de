// The declaration commands, the only way names come into being:
//   :var names           each new name becomes a variable (zero, not constant)
//   :array names         each new name becomes an array
//   :define name [expr]  a constant holding the expression's first element,
//                        or 1 when no expression follows or it fails
//   :enum name [expr] name [expr] ...
//                        constants from a running counter (starts at 0; an
//                        expression after a name replaces it; +1 after each)
//   :undef name          a variable's name is freed, its value reset
//   :label name @x|@@x   the name is attached to that code
//
// Arguments are read as tokens (names are kTokName tokens; kTokVariableName
// and kTokArrayName tokens are names that already exist); only :define and
// :enum evaluate, through a callback, so this file does not depend on the
// evaluator. A command that fails leaves the tables as they were: names it
// declared before the failing token are removed again.
#pragma once

#include <cstdint>
#include <functional>

#include "core/command_names.h"
#include "core/token.h"
#include "core/matrix.h"
#include "language/variables.h"

namespace calc {

// Evaluates one operand starting at `pos` into `out` and leaves `pos` after
// it. Returns the evaluator's status: anything without the error bit
// (0 or a warning) counts as success.
using OperandEvaluator =
    std::function<int(CalcTokenList::const_iterator& pos, CalcTokenList::const_iterator end, CalcMatrix& out)>;

struct DeclarationArgs {
  CalcTokenList::const_iterator pos;  // first argument; left after the last one used
  CalcTokenList::const_iterator end;  // end of the command's statement
  // For :define and :enum; when empty, every expression counts as failed.
  OperandEvaluator evaluate;
  // On failure: the offending token for the report (`end` when an argument
  // is missing).
  CalcTokenList::const_iterator offending;
};

bool IsDeclarationCommand(int code);

// Runs declaration command `code` on the context's storage. Returns 4 (done),
// E_COMMAND_DEFINE (a name already names a variable or array),
// E_COMMAND_PARAM (a token that is not what the command takes, or a missing
// one), E_COMMAND_UNDEF (:undef of an unknown name), E_MEM, or E_COMMAND_NULL
// for a code that is not a declaration command. When every slot is in use a
// declaration creates nothing and still returns 4.
//
// :var, :array and :enum consume every token up to `end`; :define, :undef and
// :label consume only what they take and leave the rest to the caller's
// extra-argument check.
int RunDeclaration(int code, CalcStorage& storage, DeclarationArgs& args);

}  // namespace calc
