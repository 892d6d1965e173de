// The exact matrix routines: determinant, inverse, Crout decomposition and
// transpose. They compute with the engine's own value arithmetic in the
// current value kind, so a matrix of fractions is inverted or decomposed
// without rounding (as long as the fractions fit their 32-bit terms).
//
// Each returns a status: kDone, or the warning the built-in reports (W_DET,
// W_INV, W_DEC: the matrix is not square, or for Inv singular), in which case
// the result is a 1 x 1 zero; or E_MEM when a work matrix could not be made
// or the run budget ended the work (the budget says which). The source
// matrix is never changed.
#pragma once

#include "core/matrix.h"
#include "core/run_budget.h"
#include "core/value.h"

namespace calc {

// Determinant by elimination. A zero pivot is replaced by the first row below
// with a non-zero element in its column, and the row that moves up is negated
// (which keeps the sign right without a counter). Singular: 0 and kDone.
// Not square: 0 and W_DET.
int Det(const CalcMatrix& m, CalcValue& out, CalcRunBudget* budget = nullptr);

// Inverse by Gauss-Jordan elimination with the same pivot search (rows are
// exchanged, not negated). Not square or singular: 0 and W_INV.
int Inv(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget = nullptr);

// Crout decomposition without pivoting, in one matrix: L on and below the
// diagonal, the strictly upper part of the unit upper factor U above it. A
// zero pivot divides as the value arithmetic does (no warning of its own).
// Not square: 0 and W_DEC.
int Dec(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget = nullptr);

// The same decomposition as two matrices: lower gets L with its diagonal,
// upper gets U with ones on its diagonal and zeros below. Not square: both
// 1 x 1 zeros and W_DEC.
int DecFactors(const CalcMatrix& m, CalcMatrix& lower, CalcMatrix& upper, CalcRunBudget* budget = nullptr);

// Element (i, j) of out is element (j, i) of m. kDone or E_MEM.
int Trans(const CalcMatrix& m, CalcMatrix& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
