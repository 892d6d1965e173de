// The 39 operators of the language, one handler per operator id.
//
// A prefix handler (ids 0-5) reads its own operand into `result`; an infix or
// postfix handler (ids 6-38) finds the accumulated left operand in `result`
// and reads whatever it needs from the token walk. Handlers return 0 or an
// error; the evaluator normalises the result to the current mode afterwards
// and keeps the top-level assignment flag.
#pragma once

#include "core/token.h"
#include "language/evaluator.h"
#include "core/matrix.h"

namespace calc {

using OperatorHandler = int (*)(CalcEvaluator& evaluator, CalcMatrix& result, const CalcToken& op);

// The handler of an operator id; null outside 0..38.
OperatorHandler OperatorHandlerFor(int id);

// The binary operation of ids 8-23 on two values already evaluated: left
// becomes left (op) right. Reports W_DIV for "/" and "%" by a single zero
// (the operation still runs). 0, E_MEM, or E_OPERATOR for another id.
int ApplyBinaryOperator(CalcEvaluator& evaluator, int id, CalcMatrix& left, const CalcMatrix& right,
                        const CalcToken& op);

}  // namespace calc
