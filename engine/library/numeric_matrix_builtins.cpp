// The numeric matrix built-ins: the eigenvalue routines and the Householder
// reductions. They read the matrix argument as doubles (a fraction as
// num / den, a time as seconds), compute in floating point and write doubles
// back in the current value kind.
//
// An eigenvalue built-in gives the number of eigenvalues found and stores
// them into the array named after the matrix (and the count, for pm and
// power), a 1 x n vector; the eigenvectors go to a further array when one is
// named. A routine that found nothing (the matrix is not square, or the
// iteration failed) gives 0 and leaves the arrays as they were. Results are
// stored only once all of them are made, so a failure for memory changes no
// array.
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/status_codes.h"
#include "library/builtin_handlers.h"
#include "library/eigen.h"
#include "library/hessenberg_qr.h"
#include "library/householder.h"
#include "library/jacobi.h"
#include "library/library_state.h"
#include "library/matrix_arguments.h"
#include "library/power_method.h"
#include "library/real_matrix.h"
#include "library/tridiagonal_qr.h"

namespace calc::builtins {
namespace {

// The arrays an eigensystem goes to: the first is required, the second (the
// eigenvectors, or pm2's imaginary parts) optional.
struct Outputs {
  std::uint8_t first = 0;
  std::optional<std::uint8_t> second;
};

int ReadRealArgument(BuiltinCall& call, RealMatrix& out) {
  CalcMatrix value;
  const CalcMatrix* source = nullptr;
  if (const int status = ReadMatrixArgument(call, value, source)) return status;
  if (const int status = ReadReal(*source, out, RunBudget(call))) return call.Fail(status);
  return kDone;
}

int TakeOutputs(BuiltinCall& call, bool second_allowed, Outputs& out) {
  if (const int status = TakeOutputArray(call, out.first)) return status;
  if (!second_allowed || !ArgumentFollows(call)) return kDone;
  std::uint8_t code = 0;
  if (const int status = TakeOutputArray(call, code)) return status;
  out.second = code;
  return kDone;
}

// How many eigenvalues pm, power and pm2 are asked for: the integral part of
// the argument; not a number, or less than one, asks for none. The routines
// find at most the order of the matrix.
int ReadWanted(BuiltinCall& call, std::int32_t& wanted) {
  CalcValue k;
  if (const int status = ReadValue(call, k)) return status;
  const double x = std::trunc(k.ToReal());
  constexpr std::int32_t kMost = CalcMatrix::kMaxElements;
  wanted = !(x >= 1.0) ? 0 : x >= kMost ? kMost : static_cast<std::int32_t>(x);
  return kDone;
}

// The engine's own generator, so that pm and pm2 repeat after ":srand".
RandomSource EngineRandom(BuiltinCall& call) {
  CalcRandom& random = RunState(call.engine()).random;
  return [&random] { return random.Next(); };
}

int StoreRealEigensystem(BuiltinCall& call, const RealEigensystem& eigensystem, const Outputs& to) {
  call.SetReal(eigensystem.count);
  if (eigensystem.values.empty()) return kDone;
  CalcRunBudget* budget = RunBudget(call);
  CalcMatrix values;
  CalcMatrix vectors;
  const bool with_vectors = to.second.has_value() && eigensystem.vectors.rows() > 0;
  if (WriteRealVector(eigensystem.values, values, budget) != kDone) return call.Fail(E_MEM);
  if (with_vectors && WriteReal(eigensystem.vectors, vectors, budget) != kDone) return call.Fail(E_MEM);
  OutputMatrix(call, to.first) = std::move(values);
  if (with_vectors) OutputMatrix(call, *to.second) = std::move(vectors);
  return kDone;
}

// dqr: the eigenvalues as complex values (outside the complex kind only
// their real parts remain, as for every value).
int StoreComplexValues(BuiltinCall& call, const ComplexEigensystem& eigensystem, std::uint8_t to) {
  call.SetReal(eigensystem.count);
  if (eigensystem.values.empty()) return kDone;
  CalcMatrix values;
  if (WriteComplexVector(eigensystem.values, values, RunBudget(call)) != kDone) return call.Fail(E_MEM);
  OutputMatrix(call, to) = std::move(values);
  return kDone;
}

// pm2: the real parts into the first array and the imaginary parts into the
// second, as real vectors, so that every mode sees both.
int StoreComplexParts(BuiltinCall& call, const ComplexEigensystem& eigensystem, const Outputs& to) {
  call.SetReal(eigensystem.count);
  if (eigensystem.values.empty()) return kDone;
  std::vector<double> re;
  std::vector<double> im;
  if (!ZeroVector(re, static_cast<std::int32_t>(eigensystem.values.size())) ||
      !ZeroVector(im, static_cast<std::int32_t>(eigensystem.values.size())))
    return call.Fail(E_MEM);
  for (std::size_t i = 0; i < eigensystem.values.size(); ++i) {
    re[i] = eigensystem.values[i].re;
    im[i] = eigensystem.values[i].im;
  }
  CalcRunBudget* budget = RunBudget(call);
  CalcMatrix real_parts;
  CalcMatrix imaginary_parts;
  if (WriteRealVector(re, real_parts, budget) != kDone) return call.Fail(E_MEM);
  if (to.second && WriteRealVector(im, imaginary_parts, budget) != kDone) return call.Fail(E_MEM);
  OutputMatrix(call, to.first) = std::move(real_parts);
  if (to.second) OutputMatrix(call, *to.second) = std::move(imaginary_parts);
  return kDone;
}

using RealSolver = int (*)(RealMatrix, RealEigensystem&, CalcRunBudget*);

// m, values, and for the routines that find them optionally vectors.
int SolveReal(BuiltinCall& call, RealSolver solve, bool finds_vectors) {
  RealMatrix a;
  if (const int status = ReadRealArgument(call, a)) return status;
  Outputs to;
  if (const int status = TakeOutputs(call, finds_vectors, to)) return status;
  RealEigensystem eigensystem;
  if (const int status = solve(std::move(a), eigensystem, RunBudget(call))) return call.Fail(status);
  return StoreRealEigensystem(call, eigensystem, to);
}

// m, k, values, optionally a second array.
int ReadPowerArguments(BuiltinCall& call, RealMatrix& a, std::int32_t& wanted, Outputs& to) {
  if (const int status = ReadRealArgument(call, a)) return status;
  if (const int status = ReadWanted(call, wanted)) return status;
  return TakeOutputs(call, true, to);
}

using Reduction = int (*)(RealMatrix, RealMatrix&, CalcRunBudget*);

// house and hes: the reduced matrix, or 0 and W_INV for one that is not
// square.
int Reduce(BuiltinCall& call, Reduction reduce) {
  RealMatrix a;
  if (const int status = ReadRealArgument(call, a)) return status;
  RealMatrix reduced;
  if (const int status = ConcludeWarned(call, reduce(std::move(a), reduced, RunBudget(call)), W_INV)) return status;
  CalcMatrix out;
  if (WriteReal(reduced, out, RunBudget(call)) != kDone) return call.Fail(E_MEM);
  call.result = std::move(out);
  return kDone;
}

}  // namespace

int Eigen(BuiltinCall& call) { return SolveReal(call, calc::Eigen, true); }
int Jac(BuiltinCall& call) { return SolveReal(call, calc::Jac, true); }
int Jacobi(BuiltinCall& call) { return SolveReal(call, calc::Jacobi, true); }

int Qr(BuiltinCall& call) {
  return SolveReal(
      call, [](RealMatrix a, RealEigensystem& out, CalcRunBudget* budget) { return calc::Qr(a, out, budget); }, false);
}

int Qrs(BuiltinCall& call) {
  return SolveReal(
      call, [](RealMatrix a, RealEigensystem& out, CalcRunBudget* budget) { return calc::Qrs(a, out, budget); }, false);
}

int Dqr(BuiltinCall& call) {
  RealMatrix a;
  if (const int status = ReadRealArgument(call, a)) return status;
  std::uint8_t to = 0;
  if (const int status = TakeOutputArray(call, to)) return status;
  ComplexEigensystem eigensystem;
  if (const int status = calc::Dqr(std::move(a), eigensystem, RunBudget(call))) return call.Fail(status);
  return StoreComplexValues(call, eigensystem, to);
}

int Pm(BuiltinCall& call) {
  RealMatrix a;
  std::int32_t wanted = 0;
  Outputs to;
  if (const int status = ReadPowerArguments(call, a, wanted, to)) return status;
  RealEigensystem eigensystem;
  if (const int status = calc::Pm(std::move(a), wanted, EngineRandom(call), eigensystem, RunBudget(call)))
    return call.Fail(status);
  return StoreRealEigensystem(call, eigensystem, to);
}

int Power(BuiltinCall& call) {
  RealMatrix a;
  std::int32_t wanted = 0;
  Outputs to;
  if (const int status = ReadPowerArguments(call, a, wanted, to)) return status;
  RealEigensystem eigensystem;
  if (const int status = calc::Power(std::move(a), wanted, eigensystem, RunBudget(call))) return call.Fail(status);
  return StoreRealEigensystem(call, eigensystem, to);
}

int Pm2(BuiltinCall& call) {
  RealMatrix a;
  std::int32_t wanted = 0;
  Outputs to;
  if (const int status = ReadPowerArguments(call, a, wanted, to)) return status;
  ComplexEigensystem eigensystem;
  if (const int status = calc::Pm2(std::move(a), wanted, EngineRandom(call), eigensystem, RunBudget(call)))
    return call.Fail(status);
  return StoreComplexParts(call, eigensystem, to);
}

int House(BuiltinCall& call) { return Reduce(call, calc::House); }
int Hes(BuiltinCall& call) { return Reduce(call, calc::Hes); }

}  // namespace calc::builtins
