// The binary operators "*" to "|" in the integer modes (char ... ulong).
// Instead of computing on reals and narrowing afterwards, which loses the
// low bits of products past 2^53, they compute on the exact integers of
// core/integer_arithmetic.h with C's rules for the mode's type, narrow each
// result here and report its range warning on the exact value, so that the
// evaluator's normalisation afterwards finds nothing left to do.
#pragma once

#include <optional>

#include "core/token.h"
#include "language/evaluator.h"
#include "core/matrix.h"

namespace calc {

// left = left (op) right for ids 8-23, with the shapes of the real
// operators: "*" scales by a single value or forms the matrix product, "/"
// and "%" take every element of left by right's first element, "+" and "-"
// by a single right value cut left down to its first element, and the bit
// operators and comparisons take first elements. Returns the status (0 or
// E_MEM), or nothing when the operation is left to the real arithmetic:
// outside the integer modes, for "+" and "-" with a matrix on the right
// (element-wise sums are exact in reals) and for "/" and "%" by zero, whose
// W_DIV and results stay as the reals give them.
std::optional<int> ApplyIntegerOperator(CalcEvaluator& evaluator, int id, CalcMatrix& left, const CalcMatrix& right,
                                        const CalcToken& op);

}  // namespace calc
