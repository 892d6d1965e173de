// The exact matrix built-ins: determinant, inverse, Crout decomposition and
// transpose, in the engine's own arithmetic of the current value kind. A
// matrix they cannot work on (not square; for the inverse also singular)
// gives 0 and the function's own warning.
#include <utility>

#include "core/status_codes.h"
#include "library/builtin_handlers.h"
#include "library/linalg.h"
#include "library/matrix_arguments.h"

namespace calc::builtins {
namespace {

// A routine that makes a matrix result from the matrix argument.
using MatrixRoutine = int (*)(const CalcMatrix&, CalcMatrix&, CalcRunBudget*);

int StoreResult(BuiltinCall& call, MatrixRoutine routine, const CalcMatrix& source, int warning) {
  CalcMatrix out;
  // On the warning the routine leaves a 1 x 1 zero in `out`.
  if (const int status = ConcludeWarned(call, routine(source, out, RunBudget(call)), warning)) return status;
  call.result = std::move(out);
  return kDone;
}

int MatrixResult(BuiltinCall& call, MatrixRoutine routine, int warning) {
  CalcMatrix value;
  const CalcMatrix* source = nullptr;
  if (const int status = ReadMatrixArgument(call, value, source)) return status;
  return StoreResult(call, routine, *source, warning);
}

// dec m l u: the two factors into the arrays l and u, then 1; a matrix that
// is not square leaves both arrays as they were and gives 0.
int DecIntoArrays(BuiltinCall& call, const CalcMatrix& source) {
  std::uint8_t lower_code = 0;
  std::uint8_t upper_code = 0;
  if (const int status = TakeOutputArray(call, lower_code)) return status;
  if (const int status = TakeOutputArray(call, upper_code)) return status;
  CalcMatrix lower;
  CalcMatrix upper;
  const int status = DecFactors(source, lower, upper, RunBudget(call));
  if (const int failed = ConcludeWarned(call, status, W_DEC)) return failed;
  if (status == W_DEC) {
    call.SetReal(0);
    return kDone;
  }
  OutputMatrix(call, lower_code) = std::move(lower);
  OutputMatrix(call, upper_code) = std::move(upper);
  call.SetReal(1);
  return kDone;
}

}  // namespace

int Dec(BuiltinCall& call) {
  CalcMatrix value;
  const CalcMatrix* source = nullptr;
  if (const int status = ReadMatrixArgument(call, value, source)) return status;
  if (ArgumentFollows(call)) return DecIntoArrays(call, *source);
  return StoreResult(call, calc::Dec, *source, W_DEC);
}

int Det(BuiltinCall& call) {
  CalcMatrix value;
  const CalcMatrix* source = nullptr;
  if (const int status = ReadMatrixArgument(call, value, source)) return status;
  CalcValue determinant;
  if (const int status = ConcludeWarned(call, calc::Det(*source, determinant, RunBudget(call)), W_DET))
    return status;
  call.SetValue(determinant);
  return kDone;
}

int Inv(BuiltinCall& call) { return MatrixResult(call, calc::Inv, W_INV); }

// The transpose has no warning: every matrix has one.
int Trans(BuiltinCall& call) { return MatrixResult(call, calc::Trans, kDone); }

}  // namespace calc::builtins
