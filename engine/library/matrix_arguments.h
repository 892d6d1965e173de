// The arguments of the matrix built-ins: the matrix a function works on, the
// arrays that receive its results, and the optional ones that may follow.
#pragma once

#include <cstdint>

#include "core/matrix.h"
#include "core/run_budget.h"
#include "library/builtin_call.h"

namespace calc {

// A matrix argument: the next token when it names an array (its matrix, read
// in place: `source` points into the array table, whose slots never move),
// else the expression in its place, whose value is kept in `value` and
// pointed to. 0, or the expression's error unchanged.
int ReadMatrixArgument(const BuiltinCall& call, CalcMatrix& value, const CalcMatrix*& source);

// True when another argument follows: a token that can begin an operand and
// is no operator, so that "eigen a v + 1" adds 1 to the count instead of
// taking "+" for a missing array.
bool ArgumentFollows(const BuiltinCall& call);

// An array that receives a result: the next token must name an array
// (E_FUNCTION, recorded at that token, or at the function when nothing
// follows). A reference by code is claimed, since it is written to.
int TakeOutputArray(const BuiltinCall& call, std::uint8_t& code);

// The matrix of array `code`, which a result replaces.
CalcMatrix& OutputMatrix(const BuiltinCall& call, std::uint8_t code);

// The run's budget: the routines count their work on it and charge their
// work space, so an interruption, the step limit or the memory limit ends
// them (E_MEM; the budget says why).
CalcRunBudget* RunBudget(const BuiltinCall& call);

// The status of a matrix routine that reports `warning` for a matrix it
// cannot work on (not square, or for the inverse singular): that raises the
// call's matrix event, which is reported as `warning` and cleared, and gives
// 0; any other failure is recorded and returned.
int ConcludeWarned(const BuiltinCall& call, int status, int warning);

}  // namespace calc
