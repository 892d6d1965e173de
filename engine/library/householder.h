// Householder reductions: a symmetric matrix to tridiagonal form (the first
// stage of `eigen`, and the built-in `house`) and a general matrix to upper
// Hessenberg form (the built-in `hes`, the first stage for `dqr`).
#pragma once

#include <vector>

#include "core/run_budget.h"
#include "library/real_matrix.h"

namespace calc {

// Reduces the symmetric matrix whose lower triangle a holds (the upper one is
// not read) to tridiagonal form: diagonal d, subdiagonal e with e[i] below
// d[i] in row i and e[0] = 0. With `accumulate`, a is replaced by the
// orthogonal matrix Q of the transformation (Q^T A Q is the tridiagonal
// matrix); without, a is left as scratch. a is square; d and e are resized to
// its order. False when the budget ended the run.
bool TridiagonalizeSymmetric(RealMatrix& a, std::vector<double>& d, std::vector<double>& e, bool accumulate,
                             CalcRunBudget* budget);

// Reduces the square matrix a in place to upper Hessenberg form by
// reflections applied from both sides (a similarity, so the eigensystem stays);
// every element below the subdiagonal becomes exactly zero. False when the
// budget ended the run.
bool ReduceToHessenberg(RealMatrix& a, CalcRunBudget* budget);

// The built-in `house`: a (read as symmetric from its lower triangle) reduced
// to symmetric tridiagonal form, every element outside the three diagonals
// exactly zero. kDone; W_INV when a is not square (out is then a 1 x 1 zero);
// E_MEM.
int House(RealMatrix a, RealMatrix& out, CalcRunBudget* budget = nullptr);

// The built-in `hes`: a reduced to upper Hessenberg form. kDone; W_INV when a
// is not square (out a 1 x 1 zero); E_MEM.
int Hes(RealMatrix a, RealMatrix& out, CalcRunBudget* budget = nullptr);

}  // namespace calc
