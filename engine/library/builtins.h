// The built-in function table and its dispatcher.
#pragma once

#include "core/matrix.h"
#include "core/token.h"
#include "language/evaluator.h"

namespace calc {

// Runs the built-in of `function` (kind 10, its code the function's
// identifier) with the arguments at the evaluator's cursor:
// 1. clears the call's event flags;
// 2. reads the arguments of the function's form and runs its handler; an
//    error is returned as it is;
// 3. normalises the result to the current mode (with its range warnings);
// 4. reports W_FUNCTION when an event flag is still raised.
// The value is no assignable operand. 0 or the error, recorded.
int DispatchBuiltin(CalcEvaluator& evaluator, const CalcToken& function, CalcMatrix& result);

}  // namespace calc
